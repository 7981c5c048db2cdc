#include "gui/prepare/motionspage.h"

#include "core/prepare/documenteditorcontroller.h"
#include "core/prepare/motionscontroller.h"
#include "gui/prepare/candidatedialog.h"
#include "gui/prepare/documenteditordialog.h"
#include "gui/ui/fieldfilter.h"
#include "gui/ui/listtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

template <typename Control> Control *control(QWidget *parent, const QRect &place, const char *key = nullptr)
{
    auto *c = new Control(parent);
    if (key)
        c->setObjectName(QLatin1String(key));
    c->setGeometry(place);
    return c;
}

void showTicked(QCheckBox *box, bool ticked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(ticked);
}

void showIndex(QComboBox *box, int index)
{
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
}

} // namespace

MotionsPage::MotionsPage(MotionsController &controller, const DataRoot &root, OperatorNotifier &notifier,
                         const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_root(root), m_notifier(notifier),
      m_texts(catalogue, QStringLiteral("FrmMeeMat")), m_list(new ListTable(this))
{
    setObjectName(QStringLiteral("FrmMeeMat"));
    m_list->setGeometry(12, 12, 794, 250);
    m_list->setColumns(m_texts.texts({QStringLiteral("LisOveOne"), QStringLiteral("LisOveTwo"),
                                      QStringLiteral("LisOveThree"), QStringLiteral("LisOveFour")}),
                       {40, 550, 100, 80});

    const struct
    {
        const char *key;
        int x;
    } buttons[] = {{"IDC_NEWOVE_BUTTON", 12}, {"IDC_EDIT_OVER", 110},      {"IDC_DELE_OVER", 208},
                   {"IDC_SELENAN_BUTT", 306}, {"IDC_EDITFMT_BUTTON", 404}, {"IDC_SAVEVOTE_BNT", 614},
                   {"IDC_CANVOTE_BNT", 712}};
    for (const auto &b : buttons)
        control<QPushButton>(this, {b.x, 272, 94, 32}, b.key);

    m_group = control<QGroupBox>(this, {12, 314, 794, 358});
    control<QLabel>(m_group, {16, 24, 170, 28}, "IDC_STATIC_OVERNAME");
    m_title = control<QLineEdit>(m_group, {190, 24, 584, 28});
    m_title->setMaxLength(250);
    control<QLabel>(m_group, {16, 62, 170, 28}, "IDC_STATIC_VTYPE");
    m_type = control<QComboBox>(m_group, {190, 62, 210, 28});
    control<QLabel>(m_group, {420, 62, 150, 28}, "IDC_STATIC_VBASE");
    m_base = control<QComboBox>(m_group, {574, 62, 200, 28});
    control<QLabel>(m_group, {16, 100, 170, 28}, "IDC_STATIC_VABET");
    m_rule = control<QComboBox>(m_group, {190, 100, 210, 28});
    control<QLabel>(m_group, {420, 100, 150, 28}, "IDC_STATIC_VSETABET");
    m_threshold = control<QLineEdit>(m_group, {574, 100, 60, 28});
    m_threshold->setMaxLength(3);
    control<QLabel>(m_group, {638, 100, 20, 28})->setText(QStringLiteral("%"));
    m_timeLimit = control<QCheckBox>(m_group, {16, 138, 170, 28}, "IDC_TIMERSE_CHECK");
    m_seconds = control<QComboBox>(m_group, {190, 138, 80, 28});
    control<QLabel>(m_group, {276, 138, 100, 28})->setText(m_texts.text(QStringLiteral("Sec")));
    m_abstain = control<QCheckBox>(m_group, {16, 176, 390, 28}, "IDC_UNITE_CHECK");
    m_percentages = control<QCheckBox>(m_group, {420, 176, 170, 28});
    m_percentages->setText(m_texts.text(QStringLiteral("BtnShowPer")));
    m_live = control<QCheckBox>(m_group, {594, 176, 180, 28});
    m_live->setText(m_texts.text(QStringLiteral("BtnLiveDisplay")));
    m_verdict = control<QCheckBox>(m_group, {16, 214, 390, 28});
    m_verdict->setText(m_texts.text(QStringLiteral("BtnAutoPass")));
    control<QLabel>(m_group, {420, 214, 150, 28}, "IDC_STATIC_YTTEXT");
    m_verdictText = control<QLineEdit>(m_group, {574, 214, 200, 28});
    m_verdictText->setMaxLength(30);

    m_scoreGroup = control<QGroupBox>(m_group, {16, 254, 758, 90}, "IDC_STATIC_MARK");
    for (int key = 0; key < 5; ++key) {
        control<QLabel>(m_scoreGroup, {20 + key * 148, 38, 24, 28})->setText(QString::number(key + 1));
        m_scores[size_t(key)] = control<QLineEdit>(m_scoreGroup, {46 + key * 148, 38, 80, 28});
        m_scores[size_t(key)]->setReadOnly(true);
    }
    m_texts.apply(this, {});

    m_type->addItems(controller.typeTexts());
    m_base->addItems(controller.baseTexts());
    m_rule->addItems(controller.ruleTexts());
    m_seconds->addItems(MotionsController::secondValues());

    connect(button(QStringLiteral("IDC_NEWOVE_BUTTON")), &QPushButton::clicked, &controller,
            &MotionsController::startNew);
    connect(button(QStringLiteral("IDC_EDIT_OVER")), &QPushButton::clicked, &controller,
            &MotionsController::startEdit);
    connect(button(QStringLiteral("IDC_DELE_OVER")), &QPushButton::clicked, &controller,
            &MotionsController::remove);
    connect(button(QStringLiteral("IDC_SAVEVOTE_BNT")), &QPushButton::clicked, &controller,
            &MotionsController::save);
    connect(button(QStringLiteral("IDC_CANVOTE_BNT")), &QPushButton::clicked, &controller,
            &MotionsController::cancel);
    connect(button(QStringLiteral("IDC_SELENAN_BUTT")), &QPushButton::clicked, this,
            &MotionsPage::editCandidates);
    connect(button(QStringLiteral("IDC_EDITFMT_BUTTON")), &QPushButton::clicked, this,
            &MotionsPage::editContent);

    filterField(m_title, [this](const QString &t) { return m_controller.setTitle(t); });
    filterField(m_threshold, [this](const QString &t) { return m_controller.setThreshold(t); });
    connect(m_verdictText, &QLineEdit::textEdited, &controller, &MotionsController::setVerdictText);
    connect(m_type, &QComboBox::activated, &controller, &MotionsController::setType);
    connect(m_base, &QComboBox::activated, &controller, &MotionsController::setBase);
    connect(m_rule, &QComboBox::activated, &controller, &MotionsController::setRule);
    connect(m_seconds, &QComboBox::textActivated, &controller, &MotionsController::setSeconds);
    connect(m_timeLimit, &QCheckBox::clicked, &controller, &MotionsController::setTimeLimit);
    connect(m_abstain, &QCheckBox::clicked, &controller, &MotionsController::setAbstain);
    connect(m_percentages, &QCheckBox::clicked, &controller, &MotionsController::setPercentages);
    connect(m_verdict, &QCheckBox::clicked, &controller, &MotionsController::setVerdict);
    connect(m_live, &QCheckBox::clicked, &controller, &MotionsController::setLive);
    connect(m_list, &ListTable::rowChosen, &controller, &MotionsController::select);

    connect(&controller, &MotionsController::listChanged, this, &MotionsPage::showList);
    connect(&controller, &MotionsController::fieldsChanged, this, &MotionsPage::showFields);
    connect(&controller, &MotionsController::stateChanged, this, &MotionsPage::showState);
    showList();
    showFields();
    showState();
}

QPushButton *MotionsPage::button(const QString &key) const
{
    return findChild<QPushButton *>(key);
}

void MotionsPage::showList()
{
    const MotionList &motions = m_controller.list();
    QList<QStringList> rows;
    for (qsizetype i = 0; i < motions.size(); ++i)
        rows.append(
            {QString::number(i + 1), motions.OveName.at(i), motions.OveType.at(i), motions.VoteState.at(i)});
    m_list->setRows(rows);
    m_list->showSelectedRow(m_controller.selectedRow());
}

void MotionsPage::showFields()
{
    const MotionsController::Fields &f = m_controller.fields();
    m_title->setText(f.title);
    showIndex(m_type, f.type);
    showIndex(m_base, f.base);
    showIndex(m_rule, f.rule);
    m_threshold->setText(f.threshold);
    showTicked(m_timeLimit, f.timeLimit);
    showIndex(m_seconds, int(MotionsController::secondValues().indexOf(f.seconds)));
    showTicked(m_abstain, f.abstain);
    showTicked(m_percentages, f.percentages);
    showTicked(m_verdict, f.verdict);
    showTicked(m_live, f.live);
    m_verdictText->setText(f.verdictText);
}

void MotionsPage::showState()
{
    const MotionsController &c = m_controller;
    button(QStringLiteral("IDC_NEWOVE_BUTTON"))->setEnabled(c.canCreate());
    button(QStringLiteral("IDC_EDIT_OVER"))->setEnabled(c.canEdit());
    button(QStringLiteral("IDC_DELE_OVER"))->setEnabled(c.canDelete());
    button(QStringLiteral("IDC_SELENAN_BUTT"))->setEnabled(c.canEditCandidates());
    button(QStringLiteral("IDC_EDITFMT_BUTTON"))->setEnabled(c.canEditContent());
    button(QStringLiteral("IDC_SAVEVOTE_BNT"))->setEnabled(c.canSave());
    button(QStringLiteral("IDC_CANVOTE_BNT"))->setEnabled(c.canCancel());
    m_list->setEnabled(c.listEnabled());
    m_list->showSelectedRow(c.selectedRow());

    // The group shows the selected motion at all times and takes changes only while editing.
    const bool editing = c.isEditing();
    m_title->setEnabled(editing);
    m_type->setEnabled(editing);
    m_timeLimit->setEnabled(editing);
    m_seconds->setEnabled(c.secondsEnabled());
    m_base->setEnabled(c.optionEnabled(MotionOption::CountingBase));
    m_rule->setEnabled(c.optionEnabled(MotionOption::PassingRule));
    m_threshold->setEnabled(c.optionEnabled(MotionOption::PassingRule));
    m_abstain->setEnabled(c.optionEnabled(MotionOption::AbstainSwitch));
    m_percentages->setEnabled(c.optionEnabled(MotionOption::Percentages));
    m_verdict->setEnabled(c.optionEnabled(MotionOption::Verdict));
    m_verdictText->setEnabled(c.optionEnabled(MotionOption::Verdict));
    m_live->setEnabled(c.optionEnabled(MotionOption::LiveDisplay));
    m_scoreGroup->setVisible(c.scoresVisible());
    const QStringList scores = c.scores();
    for (size_t key = 0; key < m_scores.size(); ++key)
        m_scores[key]->setText(scores.value(qsizetype(key)));
    if (editing && !m_title->hasFocus())
        m_title->setFocus();
}

void MotionsPage::editCandidates()
{
    const std::optional<VoteType> type = m_controller.selectedType();
    if (!type)
        return;
    const QString list = CandidateDialog::edit(this, m_texts.catalogue(), m_controller.record().candidate,
                                               *type, m_controller.voted());
    m_controller.storeCandidates(list);
}

void MotionsPage::editContent()
{
    if (DocumentEditorDialog::edit(m_root, m_controller.contentSetup(), m_notifier, m_texts.catalogue(),
                                   this))
        m_controller.contentSaved();
}
