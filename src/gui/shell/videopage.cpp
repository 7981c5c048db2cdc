#include "gui/shell/videopage.h"

#include "core/base/inputfilter.h"
#include "core/shell/cameracontroller.h"
#include "gui/shell/cameramovementbuttons.h"
#include "gui/shell/camerapreview.h"
#include "gui/ui/fieldfilter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
using Movement = CameraController::Movement;

QPushButton *commandButton(QWidget *parent, const char *key, QRect place)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(key));
    button->setGeometry(place);
    return button;
}

// Two option buttons in a titled group, each sending its command when clicked.
void optionGroup(QWidget *parent, const char *titleKey, QRect place,
                 const std::pair<const char *, std::function<void()>> (&options)[2])
{
    auto *group = new QGroupBox(parent);
    group->setObjectName(QLatin1String(titleKey));
    group->setGeometry(place);
    auto *buttons = new QButtonGroup(group);
    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(group);
        option->setObjectName(QLatin1String(options[i].first));
        option->setGeometry(12 + i * 106, 22, 100, 22);
        buttons->addButton(option);
        QObject::connect(option, &QRadioButton::clicked, parent, options[i].second);
    }
}
} // namespace

VideoPage::VideoPage(CameraController &controller, const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmVid"))
{
    setObjectName(QStringLiteral("FrmVid"));
    build();
    m_texts.apply(this, QString());
    connect(&m_controller, &CameraController::changed, this, &VideoPage::refreshState);
    refreshState();
}

void VideoPage::build()
{
    CameraController &c = m_controller;
    auto *cameraLabel = new QLabel(this);
    cameraLabel->setObjectName(QStringLiteral("IDC_STATIC_SETVID"));
    cameraLabel->setGeometry(8, 8, 228, 22);
    m_cameraList = new QComboBox(this);
    m_cameraList->setGeometry(8, 32, 150, 26);
    QStringList cameraKeys;
    for (int k = 1; k <= CameraPresetFile::Cameras; ++k)
        cameraKeys << QStringLiteral("MsgClew%1").arg(k);
    m_cameraList->addItems(m_texts.texts(cameraKeys));
    connect(commandButton(this, "IDC_ELEVID_OK", QRect(164, 31, 72, 28)), &QPushButton::clicked, this,
            [this] { m_controller.selectCamera(m_cameraList->currentIndex() + 1); });

    optionGroup(this, "IDC_STATIC_TYPE", QRect(8, 68, 228, 54),
                {{"IDC_RADIO_RS422", [&c] { c.setRs422(); }}, {"IDC_RADIO_RS232", [&c] { c.setRs232(); }}});
    optionGroup(this, "IDC_STATIC_PROTOCOL", QRect(8, 128, 228, 54),
                {{"IDC_RADIO_PELCOD", [&c] { c.setPelcoD(); }}, {"IDC_RADIO_VISCA", [&c] { c.setVisca(); }}});

    CameraMovementButtons::create(this, c,
                                  {{"IDC_VIDICON_UP", Movement::Up, 84, 196},
                                   {"IDC_VIDICON_LEFT", Movement::Left, 8, 230},
                                   {"IDC_VIDICON_RIGHT", Movement::Right, 160, 230},
                                   {"IDC_VIDICON_DOWN", Movement::Down, 84, 264}},
                                  QSize(76, 30));
    CameraMovementButtons::create(this, c,
                                  {{"IDC_DRAW_NEAR", Movement::ZoomNear, 8, 310},
                                   {"IDC_PUSH_FARNESS", Movement::ZoomFar, 122, 310},
                                   {"IDC_APERTURE_ADD", Movement::IrisOpen, 8, 346},
                                   {"IDC_APERTURE_DEC", Movement::IrisClose, 122, 346}},
                                  QSize(114, 30));
    connect(commandButton(this, "IDC_PACE_ADD", QRect(8, 382, 114, 30)), &QPushButton::clicked, &c,
            &CameraController::speedUp);
    connect(commandButton(this, "IDC_PACE_DEC", QRect(122, 382, 114, 30)), &QPushButton::clicked, &c,
            &CameraController::speedDown);
    connect(commandButton(this, "IDC_AFF_PAN", QRect(8, 424, 228, 30)), &QPushButton::clicked, &c,
            &CameraController::setHome);

    m_preview = new CameraPreview(m_texts.catalogue(), this);
    m_preview->move(245, 5);

    // Presets, keypad by keypad.
    auto *presets = new QWidget(this);
    presets->setGeometry(245, 524, 550, 120);
    m_presetBox = new QCheckBox(presets);
    m_presetBox->setObjectName(QStringLiteral("IDC_CHECK_PREP"));
    m_presetBox->setGeometry(0, 0, 200, 24);
    connect(m_presetBox, &QCheckBox::toggled, &c, &CameraController::setPresetMode);
    auto *unitLabel = new QLabel(presets);
    unitLabel->setObjectName(QStringLiteral("IDC_STATIC_CLEWCELL"));
    unitLabel->setGeometry(0, 34, 100, 26);
    m_unit = new QLineEdit(presets);
    m_unit->setGeometry(104, 34, 56, 26);
    m_unit->setMaxLength(3);
    filterField(m_unit, [](const QString &text) { return InputFilter::digitsOnly(text); });
    connect(commandButton(presets, "IDC_OPEN_PREP", QRect(170, 32, 120, 30)), &QPushButton::clicked, this,
            [this] { m_controller.openUnit(m_unit->text()); });
    connect(commandButton(presets, "IDC_SAVE_ADDRE", QRect(298, 32, 120, 30)), &QPushButton::clicked, &c,
            &CameraController::storePreset);
    connect(commandButton(presets, "IDC_DEL_PREP", QRect(170, 70, 120, 30)), &QPushButton::clicked, &c,
            &CameraController::clearPresets);
    connect(commandButton(presets, "IDC_ADDRE_VIEW", QRect(298, 70, 120, 30)), &QPushButton::clicked, &c,
            &CameraController::showOverview);
}

QPushButton *VideoPage::button(const QString &key) const
{
    return findChild<QPushButton *>(key);
}

void VideoPage::refreshState()
{
    const CameraController &c = m_controller;
    m_cameraList->setCurrentIndex(c.cameraIndex());
    button(QStringLiteral("IDC_OPEN_PREP"))->setEnabled(c.isPresetMode());
    button(QStringLiteral("IDC_DEL_PREP"))->setEnabled(c.isPresetMode());
    button(QStringLiteral("IDC_ADDRE_VIEW"))->setEnabled(c.isPresetMode());
    button(QStringLiteral("IDC_SAVE_ADDRE"))->setEnabled(c.canStore());
    if (!c.unitText().isEmpty())
        m_unit->setText(c.unitText());
}

// Showing the page reads the camera chosen last (the keypad count is the link's, always current).
void VideoPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_controller.open();
}

void VideoPage::hideEvent(QHideEvent *event)
{
    m_controller.stopMovement();
    QWidget::hideEvent(event);
}
