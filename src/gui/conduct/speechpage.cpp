#include "gui/conduct/speechpage.h"

#include "core/conduct/speechcontroller.h"
#include "core/link/link.h"
#include "gui/conduct/speakingtimewindow.h"
#include "gui/ui/conductstatusbar.h"
#include "gui/ui/fieldfilter.h"
#include "gui/ui/seatmapview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
using MicState = SpeechController::MicState;

QString pictureOf(MicState state)
{
    switch (state) {
    case MicState::Offline:
        return QStringLiteral("SeatOffline");
    case MicState::Locked:
        return QStringLiteral("SeatLocked");
    case MicState::Closed:
        return QStringLiteral("SeatClosed");
    case MicState::Open:
        return QStringLiteral("SeatOpen");
    case MicState::Waiting:
        return QStringLiteral("SeatRequest");
    }
    return QStringLiteral("SeatClosed");
}

struct KeypadCommand
{
    const char *key;
    bool (SpeechController::*act)();
};
} // namespace

SpeechPage::SpeechPage(SpeechController &controller, const TextCatalogue &catalogue,
                       const QString &photoFolder, QWidget *cameraWindow, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmMootset")),
      m_cameraWindow(cameraWindow)
{
    setObjectName(QStringLiteral("FrmMootset"));
    setFixedSize(PageSize);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(235, 233, 238));
    setPalette(palette);
    build(photoFolder);
    m_texts.apply(this, QString());
    // After the page's own texts: the window carries the texts of its own section.
    m_speakingTime = new SpeakingTimeWindow(m_controller, m_texts.catalogue(), this);
    showCompanionLabels();

    connect(&m_controller, &SpeechController::changed, this, &SpeechPage::refreshState);
    connect(&m_controller, &SpeechController::seatsChanged, m_map, &SeatMapView::refresh);
    connect(&m_controller.link(), &Link::connectionChanged, this, &SpeechPage::refreshState);
    connect(&m_controller.seats(), &SeatPlanModel::seatClicked, &m_controller, &SpeechController::clickSeat);
    refreshState();
}

SpeechPage::~SpeechPage() = default;

void SpeechPage::build(const QString &photoFolder)
{
    m_map = new SeatMapView(m_controller.seats(), photoFolder, this);
    m_map->setGeometry(0, 0, 810, 550);
    m_map->setLook([this](int index) {
        const int keypad = m_controller.keypadOfSeat(index);
        return SeatMapView::SeatLook{pictureOf(m_controller.micState(keypad)), m_controller.seatLabel(index),
                                     m_controller.isSeatEnabled(keypad)};
    });

    // The keypad and its commands.
    auto *keypadLabel = new QLabel(this);
    keypadLabel->setObjectName(QStringLiteral("IDC_STATIC_MICELL"));
    keypadLabel->setGeometry(8, 558, 110, 24);
    keypadLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_keypad = new QLineEdit(this);
    m_keypad->setGeometry(122, 558, 56, 24);
    m_keypad->setMaxLength(3);
    filterField(m_keypad, [this](const QString &text) {
        m_controller.setKeypadText(text);
        return m_controller.keypadText();
    });
    static const KeypadCommand commands[] = {{"IDC_APPSPEK_BUTTON1", &SpeechController::openMicrophone},
                                             {"IDC_ENDSPEK_BUTTON", &SpeechController::closeMicrophone},
                                             {"IDC_FORBID_BUTTON", &SpeechController::lock},
                                             {"IDC_UNTIE_BUTTON", &SpeechController::unlock}};
    int x = 186;
    for (const KeypadCommand &command : commands) {
        auto *b = new QPushButton(this);
        b->setObjectName(QLatin1String(command.key));
        b->setGeometry(x, 556, 118, 28);
        connect(b, &QPushButton::clicked, &m_controller, command.act);
        x += 124;
    }
    auto *closeAll = new QPushButton(this);
    closeAll->setObjectName(QStringLiteral("IDC_CLOSEALL_BUTTON"));
    closeAll->setGeometry(x, 556, 118, 28);
    connect(closeAll, &QPushButton::clicked, &m_controller, &SpeechController::closeAll);

    // How the floor is granted.
    const auto label = [this](const char *key, QRect place) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(key));
        l->setGeometry(place);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    label("IDC_STATIC_CBSPEAKMODE", QRect(8, 592, 110, 24));
    m_mode = new QComboBox(this);
    m_mode->setGeometry(122, 592, 230, 24);
    m_mode->addItems(
        m_texts.texts({QStringLiteral("MsgMode1"), QStringLiteral("MsgMode2"), QStringLiteral("MsgMode3")}));
    connect(m_mode, &QComboBox::activated, this,
            [this](int index) { m_controller.setMode(SpeechController::Mode(index)); });
    label("IDC_STATIC_CBSPEAKNUM", QRect(356, 592, 130, 24));
    m_count = new QComboBox(this);
    m_count->setGeometry(490, 592, 50, 24);
    for (int c = 1; c <= SpeechController::MaxSpeakers; ++c)
        m_count->addItem(QString::number(c));
    connect(m_count, &QComboBox::activated, this,
            [this](int index) { m_controller.setSpeakerCount(index + 1); });
    label("IDC_STATIC_CBRESTTIMEL", QRect(544, 592, 130, 24));
    // Kept for the installations that know it; the speaking time itself is set in its own window.
    m_rest = new QComboBox(this);
    m_rest->setGeometry(678, 592, 124, 24);
    m_rest->addItems(m_texts.texts({QStringLiteral("cbRest"), QStringLiteral("cbRest1")}));

    // The hall and the seat labels.
    m_nameDisplay = new QCheckBox(this);
    m_nameDisplay->setObjectName(QStringLiteral("IDC_PSRSOUND_OPEN"));
    m_nameDisplay->setGeometry(8, 624, 260, 22);
    connect(m_nameDisplay, &QCheckBox::toggled, &m_controller, &SpeechController::setNameDisplay);
    m_byId = new QRadioButton(this);
    m_byId->setObjectName(QStringLiteral("IDC_RADIO_SHOWID"));
    m_byId->setGeometry(272, 624, 110, 22);
    m_byId->setChecked(true);
    m_byName = new QRadioButton(this);
    m_byName->setObjectName(QStringLiteral("IDC_RADIO_SHOWNAME"));
    m_byName->setGeometry(384, 624, 120, 22);
    auto *labels = new QButtonGroup(this);
    labels->addButton(m_byId);
    labels->addButton(m_byName);
    connect(m_byName, &QRadioButton::toggled, &m_controller, &SpeechController::setLabelsByName);

    m_camera = new QPushButton(this);
    m_camera->setGeometry(512, 622, 140, 26);
    m_camera->setEnabled(m_cameraWindow != nullptr);
    connect(m_camera, &QPushButton::clicked, this, &SpeechPage::toggleCamera);
    m_speakingTimeButton = new QPushButton(this);
    m_speakingTimeButton->setGeometry(660, 622, 142, 26);
    connect(m_speakingTimeButton, &QPushButton::clicked, this, &SpeechPage::toggleSpeakingTime);

    // The legend: closed, open, off line, requesting, locked.
    const std::pair<const char *, MicState> legend[] = {{"IDC_STATIC_MIKETYPE1", MicState::Closed},
                                                        {"IDC_STATIC_MIKETYPE2", MicState::Open},
                                                        {"IDC_STATIC_MIKETYPE3", MicState::Offline},
                                                        {"IDC_STATIC_MIKETYPE4", MicState::Waiting},
                                                        {"IDC_STATIC_MIKETYPE5", MicState::Locked}};
    x = 8;
    for (const auto &[key, state] : legend) {
        auto *icon = new QLabel(this);
        icon->setGeometry(x, 650, 18, 18);
        icon->setScaledContents(true);
        icon->setPixmap(QPixmap(photoFolder + QLatin1Char('/') + pictureOf(state) + QStringLiteral(".png")));
        auto *text = new QLabel(this);
        text->setObjectName(QLatin1String(key));
        text->setGeometry(x + 22, 650, 128, 18);
        x += 156;
    }

    m_status = new ConductStatusBar(m_controller.link(), m_texts.catalogue(), this);
    m_status->setGeometry(8, 4, 500, 40);
}

QPushButton *SpeechPage::button(const QString &key) const
{
    return findChild<QPushButton *>(key);
}

void SpeechPage::refreshState()
{
    const SpeechController &c = m_controller;
    m_mode->setCurrentIndex(int(c.mode()));
    m_count->setEnabled(c.isSpeakerCountEnabled());
    m_count->setCurrentIndex(c.speakerCount() - 1);
    if (m_keypad->text() != c.keypadText())
        m_keypad->setText(c.keypadText());
    {
        const QSignalBlocker block(m_nameDisplay);
        m_nameDisplay->setChecked(c.isNameDisplayOn());
    }
    m_status->showState({c.isRunning(), false, {}, false, 0});
    m_map->refresh();
}

void SpeechPage::setRunning(bool running)
{
    if (running) {
        m_controller.open();
        return;
    }
    m_controller.leave();
    if (m_cameraWindow)
        m_cameraWindow->hide();
    m_speakingTime->hide();
    m_controller.setSpeakingTimeOpen(false);
    showCompanionLabels();
}

void SpeechPage::showCompanionLabels()
{
    const bool cameraShown = m_cameraWindow && m_cameraWindow->isVisible();
    m_camera->setText(
        m_texts.text(cameraShown ? QStringLiteral("BtnClosevid") : QStringLiteral("BtnOpenvid")));
    m_speakingTimeButton->setText(m_texts.text(
        m_speakingTime->isVisible() ? QStringLiteral("BtnCloseTemiDlg") : QStringLiteral("BtnOpenTemiDlg")));
}

void SpeechPage::toggleCamera()
{
    if (!m_cameraWindow)
        return;
    m_cameraWindow->setVisible(!m_cameraWindow->isVisible());
    showCompanionLabels();
}

void SpeechPage::toggleSpeakingTime()
{
    const bool open = !m_speakingTime->isVisible();
    if (open)
        m_speakingTime->showAtRightEdge();
    else
        m_speakingTime->hide();
    m_controller.setSpeakingTimeOpen(open);
    showCompanionLabels();
}
