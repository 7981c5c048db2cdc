#include "gui/shell/basicsettingspage.h"

#include "core/output/displayfonts.h"
#include "core/output/screengeometry.h"
#include "core/base/inputfilter.h"
#include "core/shell/basicsettingscontroller.h"
#include "gui/ui/colourpicker.h"
#include "gui/ui/fieldfilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLabel *keyLabel(const char *key, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(key));
    return label;
}

QLineEdit *numberField(int digits, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setMaxLength(digits);
    field->setFixedWidth(64);
    filterField(field, [](const QString &text) { return InputFilter::digitsOnly(text); });
    return field;
}
} // namespace

BasicSettingsPage::BasicSettingsPage(BasicSettingsController &controller, const TextCatalogue &catalogue,
                                     QWidget *parent)
    : QWidget(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("Frmbasicset"))
{
    setObjectName(QStringLiteral("Frmbasicset"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    grid->addWidget(buildCounts(), 0, 0);
    grid->addWidget(buildPassword(), 1, 0);
    grid->addWidget(buildScreen(), 0, 1, 2, 1);
    grid->addWidget(buildScores(), 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    m_texts.apply(this, QString());
    // Enter typed into a field must not press whichever button last had the focus.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    connect(button(Apply::KeypadCount), &QPushButton::clicked, this,
            [this] { m_controller.applyKeypadCount(m_keypads->text()); });
    connect(button(Apply::ReservedCount), &QPushButton::clicked, this,
            [this] { m_controller.applyReservedCount(m_reserved->text()); });
    connect(button(Apply::PortRange), &QPushButton::clicked, this,
            [this] { m_controller.applyPortRange(m_lowPort->text(), m_highPort->text()); });
    connect(&m_controller, &BasicSettingsController::portsChanged, this, [this] {
        m_lowPort->setText(m_controller.fields().lowestPort);
        m_highPort->setText(m_controller.fields().highestPort);
    });
    connect(m_size, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            m_controller.selectScreenSize(m_size->itemText(index));
    });
    connect(m_background, &ColourPicker::colourPicked, this, [this](quint32 bgr) {
        m_controller.pickBackground(bgr);
        showPreview();
    });
    connect(m_textColour, &ColourPicker::colourPicked, this, [this](quint32 bgr) {
        m_controller.pickTextColour(bgr);
        showPreview();
    });
    connect(button(Apply::HallScreen), &QPushButton::clicked, this, [this] {
        m_controller.toggleHallScreen();
        showHallButton();
    });
    connect(button(Apply::Password), &QPushButton::clicked, this, &BasicSettingsPage::changePassword);
    connect(button(Apply::PasswordCancel), &QPushButton::clicked, this, [this] {
        for (QLineEdit *field : m_passwords)
            field->clear();
    });
    connect(button(Apply::Scores), &QPushButton::clicked, this, [this] {
        QStringList scores;
        for (QLineEdit *field : m_scores)
            scores << field->text();
        m_controller.applyBallotDefaults(scores, m_percentages->isChecked(), m_verdict->isChecked());
    });
    connect(button(Apply::ScoresCancel), &QPushButton::clicked, &m_controller,
            &BasicSettingsController::cancelBallotDefaults);
    connect(findChild<QPushButton *>(QStringLiteral("IDC_SETMARK_DEF")), &QPushButton::clicked, &m_controller,
            &BasicSettingsController::restoreFactoryScores);
    connect(&m_controller, &BasicSettingsController::scoresChanged, this, &BasicSettingsPage::showScores);
}

QPushButton *BasicSettingsPage::makeButton(Apply which, const QString &key)
{
    auto *button = new QPushButton(m_texts.text(key), this);
    m_buttons.append({which, button});
    return button;
}

QPushButton *BasicSettingsPage::button(Apply which) const
{
    for (const auto &[w, button] : m_buttons)
        if (w == which)
            return button;
    return nullptr;
}

QWidget *BasicSettingsPage::buildCounts()
{
    auto *box = new QGroupBox(this);
    auto *grid = new QGridLayout(box);
    m_keypads = numberField(3, box);
    m_reserved = numberField(3, box);
    m_lowPort = numberField(2, box);
    m_highPort = numberField(2, box);
    grid->addWidget(keyLabel("IDC_CELLNUM_STATIC", box), 0, 0);
    grid->addWidget(m_keypads, 0, 1);
    grid->addWidget(makeButton(Apply::KeypadCount, QStringLiteral("BtnOk")), 0, 4);
    grid->addWidget(keyLabel("IDC_STATIC_CIN", box), 1, 0);
    grid->addWidget(m_reserved, 1, 1);
    grid->addWidget(makeButton(Apply::ReservedCount, QStringLiteral("BtnOk")), 1, 4);
    grid->addWidget(keyLabel("IDC_COMSET_STATIC", box), 2, 0);
    grid->addWidget(m_lowPort, 2, 1);
    grid->addWidget(keyLabel("IDC_STATIC_TO", box), 2, 2, Qt::AlignCenter);
    grid->addWidget(m_highPort, 2, 3);
    grid->addWidget(makeButton(Apply::PortRange, QStringLiteral("BtnOk")), 2, 4);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget *BasicSettingsPage::buildScreen()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("IDC_SCRSET_STATIC"));
    auto *grid = new QGridLayout(box);
    m_size = new QComboBox(box);
    m_size->addItems(BasicSettingsController::screenSizes());
    m_background = new ColourPicker(box);
    m_textColour = new ColourPicker(box);
    grid->addWidget(keyLabel("IDC_STATIC_SCRSIZE", box), 0, 0);
    grid->addWidget(m_size, 0, 1);
    grid->addWidget(keyLabel("IDC_STATIC_SCRBCKSET", box), 1, 0);
    grid->addWidget(m_background, 1, 1);
    grid->addWidget(keyLabel("IDC_STATIC_SCRTEXTSET", box), 2, 0);
    grid->addWidget(m_textColour, 2, 1);

    auto *previewBox = new QGroupBox(box);
    previewBox->setObjectName(QStringLiteral("IDC_STATIC_PREVIEW"));
    auto *previewLayout = new QVBoxLayout(previewBox);
    m_preview = new QLabel(previewBox);
    m_preview->setMinimumHeight(130);
    m_preview->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_preview->setAutoFillBackground(true);
    // The sample in the face and size the hall shows texts in.
    m_preview->setFont(DisplayFonts::hei(20));
    previewLayout->addWidget(m_preview);
    grid->addWidget(previewBox, 3, 0, 1, 2);
    grid->addWidget(makeButton(Apply::HallScreen, QStringLiteral("BtnClew1")), 4, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget *BasicSettingsPage::buildPassword()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("IDC_PASSSET_STATIC"));
    auto *grid = new QGridLayout(box);
    const char *labels[] = {"IDC_STATIC_PAST", "IDC_STATIC_NEWPASS", "IDC_STATIC_NEWPASSOK"};
    for (int i = 0; i < 3; ++i) {
        m_passwords[i] = new QLineEdit(box);
        m_passwords[i]->setEchoMode(QLineEdit::Password);
        m_passwords[i]->setMaxLength(BasicSettingsController::PasswordLength);
        grid->addWidget(keyLabel(labels[i], box), i, 0);
        grid->addWidget(m_passwords[i], i, 1, 1, 2);
    }
    grid->addWidget(makeButton(Apply::Password, QStringLiteral("BtnOk")), 3, 1);
    grid->addWidget(makeButton(Apply::PasswordCancel, QStringLiteral("BtnCancel")), 3, 2);
    return box;
}

QWidget *BasicSettingsPage::buildScores()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("IDC_STATIC_BLT"));
    auto *grid = new QGridLayout(box);
    const char *labels[] = {"IDC_STATIC_KEY1", "IDC_STATIC_KEY2", "IDC_STATIC_KEY3", "IDC_STATIC_KEY4",
                            "IDC_STATIC_KEY5"};
    for (int i = 0; i < BasicSettingsController::ScoreCount; ++i) {
        m_scores[i] = numberField(3, box);
        grid->addWidget(keyLabel(labels[i], box), 0, 2 * i);
        grid->addWidget(m_scores[i], 0, 2 * i + 1);
    }
    m_percentages = new QCheckBox(box);
    m_percentages->setObjectName(QStringLiteral("IDC_DEFVPRE_CHECK"));
    m_verdict = new QCheckBox(box);
    m_verdict->setObjectName(QStringLiteral("IDC_DEFVPASS_CHECK"));
    auto *defaults = new QPushButton(box);
    defaults->setObjectName(QStringLiteral("IDC_SETMARK_DEF"));
    grid->addWidget(m_percentages, 1, 0, 1, 4);
    grid->addWidget(m_verdict, 1, 4, 1, 4);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(makeButton(Apply::Scores, QStringLiteral("BtnOk")));
    buttons->addWidget(makeButton(Apply::ScoresCancel, QStringLiteral("BtnCancel")));
    grid->addLayout(buttons, 2, 0, 1, 10);
    return box;
}

void BasicSettingsPage::showFields()
{
    const BasicSettingsController::Fields &f = m_controller.fields();
    m_keypads->setText(f.keypadCount);
    m_reserved->setText(f.reservedCount);
    m_lowPort->setText(f.lowestPort);
    m_highPort->setText(f.highestPort);
    // A stored size the list does not offer shows no entry.
    m_size->setCurrentIndex(m_size->findText(f.screenSize));
    m_background->setColour(f.background);
    m_textColour->setColour(f.textColour);
    for (QLineEdit *field : m_passwords)
        field->clear();
    showScores();
    showPreview();
    showHallButton();
}

void BasicSettingsPage::showScores()
{
    const BasicSettingsController::Fields &f = m_controller.fields();
    for (int i = 0; i < BasicSettingsController::ScoreCount; ++i)
        m_scores[i]->setText(f.scores.value(i));
    m_percentages->setChecked(f.percentages);
    m_verdict->setChecked(f.verdict);
}

void BasicSettingsPage::showPreview()
{
    const BasicSettingsController::Fields &f = m_controller.fields();
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::Window, ScreenGeometry::colourFromBgr(f.background));
    palette.setColor(QPalette::WindowText, ScreenGeometry::colourFromBgr(f.textColour));
    m_preview->setPalette(palette);
    m_preview->setText(QStringLiteral("\n\n") + m_texts.text(QStringLiteral("IDC_STATIC_COLOR")));
}

void BasicSettingsPage::showHallButton()
{
    button(Apply::HallScreen)
        ->setText(m_texts.text(m_controller.isHallShown() ? QStringLiteral("BtnClew2")
                                                          : QStringLiteral("BtnClew1")));
}

void BasicSettingsPage::changePassword()
{
    using Password = BasicSettingsController::Password;
    const Password outcome =
        m_controller.changePassword(m_passwords[0]->text(), m_passwords[1]->text(), m_passwords[2]->text());
    switch (outcome) {
    case Password::Incomplete:
    case Password::NotStored:
        break;
    case Password::Mismatch:
        m_passwords[1]->clear();
        m_passwords[2]->clear();
        break;
    case Password::WrongOld:
    case Password::Changed:
        for (QLineEdit *field : m_passwords)
            field->clear();
        break;
    }
}
