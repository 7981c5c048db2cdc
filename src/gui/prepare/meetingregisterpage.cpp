#include "gui/prepare/meetingregisterpage.h"

#include "core/prepare/documenteditorcontroller.h"
#include "core/prepare/meetingregistercontroller.h"
#include "gui/prepare/documenteditordialog.h"
#include "gui/ui/fieldfilter.h"
#include "gui/ui/listtable.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

QDateEdit *datePicker(QWidget *parent)
{
    auto *picker = new QDateEdit(parent);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    picker->setCalendarPopup(true);
    return picker;
}

QLabel *label(const char *key, const QRect &place, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(key));
    label->setGeometry(place);
    return label;
}

} // namespace

MeetingRegisterPage::MeetingRegisterPage(MeetingRegisterController &controller, const DataRoot &root,
                                         OperatorNotifier &notifier, const TextCatalogue &catalogue,
                                         QWidget *parent)
    : QWidget(parent), m_controller(controller), m_root(root), m_notifier(notifier),
      m_texts(catalogue, QStringLiteral("FrmMeeset")), m_list(new ListTable(this)),
      m_group(new QGroupBox(this))
{
    setObjectName(QStringLiteral("FrmMeeset"));
    m_list->setGeometry(12, 12, 794, 318);
    m_list->setColumns({QString(), m_texts.text(QStringLiteral("MsgClewName")),
                        m_texts.text(QStringLiteral("MsgClewTimel"))},
                       {25, 650, 100});

    const struct
    {
        const char *key;
        int x;
        void (MeetingRegisterController::*action)();
    } buttons[] = {
        {"IDC_NEWMOOT_BUTTON", 12, &MeetingRegisterController::startNew},
        {"IDC_EDITMOOT_BUTTON", 120, &MeetingRegisterController::startEdit},
        {"IDC_DELMOOT_BUTTON", 228, nullptr},
        {"IDC_MEEBANNER_BUTTON ", 336, nullptr},
        {"IDC_SAVEMEE_BUTTON ", 598, nullptr},
        {"IDC_CANVMEE_BUTTON", 706, &MeetingRegisterController::cancel},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(b.key));
        button->setGeometry(b.x, 342, 100, 32);
        if (b.action)
            connect(button, &QPushButton::clicked, &controller, b.action);
    }
    connect(button(QStringLiteral("IDC_DELMOOT_BUTTON")), &QPushButton::clicked, &controller,
            &MeetingRegisterController::remove);
    connect(button(QStringLiteral("IDC_SAVEMEE_BUTTON ")), &QPushButton::clicked, &controller,
            &MeetingRegisterController::save);
    connect(button(QStringLiteral("IDC_MEEBANNER_BUTTON ")), &QPushButton::clicked, this,
            &MeetingRegisterPage::editBanner);

    m_group->setGeometry(12, 388, 794, 282);
    label("IDC_STATIC_MEENAME ", {20, 30, 116, 28}, m_group);
    m_name = new QLineEdit(m_group);
    m_name->setGeometry(140, 30, 620, 28);
    m_name->setMaxLength(100);
    label("IDC_STATIC_MEEADDR ", {20, 74, 116, 28}, m_group);
    m_place = new QLineEdit(m_group);
    m_place->setGeometry(140, 74, 620, 28);
    label("IDC_STATIC_MEETEMI ", {20, 118, 116, 28}, m_group);
    m_start = datePicker(m_group);
    m_start->setGeometry(140, 118, 160, 28);
    label("IDC_STATIC_MEETO ", {310, 118, 40, 28}, m_group)->setAlignment(Qt::AlignCenter);
    m_end = datePicker(m_group);
    m_end->setGeometry(356, 118, 160, 28);
    label("IDC_STATIC_MEENUM ", {20, 162, 116, 28}, m_group);
    m_due = new QLineEdit(m_group);
    m_due->setGeometry(140, 162, 100, 28);
    m_due->setMaxLength(5);
    m_quorum = new QCheckBox(m_group);
    m_quorum->setObjectName(QStringLiteral("IDC_MEE_VIEWLEG "));
    m_quorum->setGeometry(20, 206, 240, 28);
    m_ratio = new QLineEdit(m_group);
    m_ratio->setGeometry(270, 206, 60, 28);
    m_ratio->setMaxLength(3);
    m_texts.apply(this, {});

    filterField(m_name, [this](const QString &t) { return m_controller.setName(t); });
    filterField(m_place, [this](const QString &t) { return m_controller.setPlace(t); });
    filterField(m_due, [this](const QString &t) { return m_controller.setDue(t); });
    filterField(m_ratio, [this](const QString &t) { return m_controller.setRatio(t); });
    connect(m_start, &QDateEdit::dateChanged, this,
            [this](QDate d) { m_controller.setStart(MeetingRegisterController::dateText(d)); });
    connect(m_end, &QDateEdit::dateChanged, this,
            [this](QDate d) { m_controller.setEnd(MeetingRegisterController::dateText(d)); });
    connect(m_quorum, &QCheckBox::clicked, &controller, &MeetingRegisterController::setQuorum);
    connect(m_list, &ListTable::rowChosen, &controller, &MeetingRegisterController::select);

    connect(&controller, &MeetingRegisterController::listChanged, this, &MeetingRegisterPage::showList);
    connect(&controller, &MeetingRegisterController::fieldsChanged, this, &MeetingRegisterPage::showFields);
    connect(&controller, &MeetingRegisterController::stateChanged, this, &MeetingRegisterPage::showState);
    showList();
    showFields();
    showState();
}

QPushButton *MeetingRegisterPage::button(const QString &key) const
{
    return findChild<QPushButton *>(key);
}

void MeetingRegisterPage::showList()
{
    const MeetingList &meetings = m_controller.meetings();
    QList<QStringList> rows;
    for (qsizetype i = 0; i < meetings.size(); ++i)
        rows.append({QString::number(i + 1), meetings.MeeName.at(i), meetings.DateStart.at(i)});
    m_list->setRows(rows);
    m_list->showSelectedRow(m_controller.selectedRow());
}

void MeetingRegisterPage::showFields()
{
    const MeetingRegisterController::Fields &f = m_controller.fields();
    m_name->setText(f.name);
    m_place->setText(f.place);
    m_due->setText(f.due);
    m_ratio->setText(f.ratio);
    m_quorum->setChecked(f.quorum);
    for (const auto &[picker, text] : {std::pair{m_start, f.start}, std::pair{m_end, f.end}}) {
        const QDate date = MeetingRegisterController::dateFromText(text);
        const QSignalBlocker blocker(picker);
        picker->setDate(date.isValid() ? date : QDate::currentDate());
    }
    // The pickers always show a date; the record takes what they show.
    m_controller.setStart(MeetingRegisterController::dateText(m_start->date()));
    m_controller.setEnd(MeetingRegisterController::dateText(m_end->date()));
}

void MeetingRegisterPage::showState()
{
    button(QStringLiteral("IDC_NEWMOOT_BUTTON"))->setEnabled(m_controller.canCreate());
    button(QStringLiteral("IDC_EDITMOOT_BUTTON"))->setEnabled(m_controller.canEdit());
    button(QStringLiteral("IDC_DELMOOT_BUTTON"))->setEnabled(m_controller.canDelete());
    button(QStringLiteral("IDC_MEEBANNER_BUTTON "))->setEnabled(m_controller.canEditBanner());
    button(QStringLiteral("IDC_SAVEMEE_BUTTON "))->setEnabled(m_controller.canSave());
    button(QStringLiteral("IDC_CANVMEE_BUTTON"))->setEnabled(m_controller.canCancel());
    m_group->setEnabled(m_controller.isEditing());
    m_ratio->setEnabled(m_controller.ratioEnabled());
    m_list->setEnabled(m_controller.listEnabled());
    m_list->showSelectedRow(m_controller.selectedRow());
    if (m_controller.isEditing() && !m_name->hasFocus())
        m_name->setFocus();
}

void MeetingRegisterPage::editBanner()
{
    if (DocumentEditorDialog::edit(m_root, m_controller.bannerSetup(), m_notifier, m_texts.catalogue(), this))
        m_controller.bannerSaved();
}
