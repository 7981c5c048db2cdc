#include "gui/prepare/delegaterosterpage.h"

#include "core/prepare/delegaterostercontroller.h"
#include "gui/output/reportpagetools.h"
#include "gui/prepare/rosterimportdialog.h"
#include "gui/ui/fieldfilter.h"
#include "gui/ui/filefilters.h"
#include "gui/ui/listtable.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>

namespace {

// The edit fields by their labels, in the two columns of the page, with the column each fills.
struct FieldPlace
{
    const char *labelKey;
    QString DelegateRecord::*column;
};

constexpr int RowHeight = 34;
constexpr int FieldsTop = 384;

} // namespace

DelegateRosterPage::DelegateRosterPage(DelegateRosterController &controller, const TextCatalogue &catalogue,
                                       QWidget *parent)
    : QWidget(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmManinfo")),
      m_list(new ListTable(this)), m_listTitle(new QLabel(this)), m_group(new QComboBox(this)),
      m_count(new QLabel(this)), m_searchBy(new QComboBox(this)), m_searchText(new QLineEdit(this)),
      m_sex(new QComboBox(this)), m_photo(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmManinfo"));
    const auto label = [this](const char *key, const QRect &place) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(key));
        l->setGeometry(place);
        return l;
    };
    const auto button = [this](const char *key, const QRect &place) {
        auto *b = new QPushButton(this);
        b->setObjectName(QLatin1String(key));
        b->setGeometry(place);
        return b;
    };

    QFont heading = font();
    heading.setBold(true);
    label("IDC_STATIC_MAINNAME", {12, 8, 150, 26})->setFont(heading);
    m_listTitle->setGeometry(166, 8, 200, 26);
    label("IDC_STATIC_GROUPING", {372, 8, 80, 26})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_group->setGeometry(456, 6, 160, 28);
    m_group->setEditable(true);
    m_group->setInsertPolicy(QComboBox::NoInsert);
    m_group->lineEdit()->setMaxLength(30);
    label("IDC_STATIC_SUN", {622, 8, 56, 26})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_count->setGeometry(680, 8, 40, 26);
    m_count->setAlignment(Qt::AlignCenter);
    label("IDC_STATIC_SUNP", {722, 8, 90, 26});

    m_list->setGeometry(6, 40, 806, 290);
    m_list->setColumns(
        m_texts.texts({QStringLiteral("LstText1"), QStringLiteral("LstText2"), QStringLiteral("LstText3"),
                       QStringLiteral("LstText4"), QStringLiteral("LstText5"), QStringLiteral("LstText6"),
                       QStringLiteral("LstText7"), QStringLiteral("LstText8"), QStringLiteral("LstText9"),
                       QStringLiteral("LstText10")}),
        {50, 110, 50, 50, 80, 80, 120, 120, 80, 60});

    // First, previous, next, last: pictures only, as on a media player.
    const QStyle::StandardPixmap arrows[] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    void (DelegateRosterController::*moves[])() = {
        &DelegateRosterController::first, &DelegateRosterController::previous,
        &DelegateRosterController::next, &DelegateRosterController::last};
    for (int i = 0; i < 4; ++i) {
        auto *move = new QPushButton(style()->standardIcon(arrows[i]), QString(), this);
        move->setObjectName(QStringLiteral("move%1").arg(i));
        move->setGeometry(12 + i * 34, 340, 30, 28);
        connect(move, &QPushButton::clicked, &controller, moves[i]);
    }
    label("IDC_STATIC_PRESS", {158, 340, 90, 28})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_searchBy->setGeometry(252, 340, 110, 28);
    m_searchBy->addItems(m_texts.texts({QStringLiteral("LstText1"), QStringLiteral("LstText2")}));
    label("IDC_STATIC_INPUT", {366, 340, 90, 28})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_searchText->setGeometry(460, 340, 140, 28);
    button("IDC_BUTTON_LOOKUP", {606, 338, 96, 32});
    button("IDC_REFRESH_MANINFO", {710, 338, 96, 32});

    const FieldPlace places[] = {
        {"IDC_STATIC_DOORNO", &DelegateRecord::CellNo},
        {"IDC_STATIC_NAMEINFO", &DelegateRecord::EmpName},
        {"IDC_STATIC_SEXINFO", &DelegateRecord::EmpSex},
        {"IDC_STATIC_FOLKINFO", &DelegateRecord::Nationality},
        {"IDC_STATIC_JOBUNIT", &DelegateRecord::Unit},
        {"IDC_STATIC_DUTYINFO", &DelegateRecord::Title},
        {"IDC_STATIC_PHONEINFO", &DelegateRecord::Office_phone},
        {"IDC_STATIC_DELEGACY", &DelegateRecord::delegacy},
        {"IDC_STATIC_MDELEGACY", &DelegateRecord::presidium},
        {"IDC_STATIC_SEATINFO", &DelegateRecord::SeatNo},
    };
    for (int i = 0; i < 10; ++i) {
        const int x = i < 5 ? 12 : 300;
        const int y = FieldsTop + (i % 5) * RowHeight;
        label(places[i].labelKey, {x, y, 94, 28});
        if (places[i].column == &DelegateRecord::EmpSex) {
            m_sex->setGeometry(x + 96, y, 180, 28);
            m_sex->addItems(m_texts.texts({QStringLiteral("cbSex1"), QStringLiteral("cbSex2")}));
            continue;
        }
        auto *edit = new QLineEdit(this);
        edit->setGeometry(x + 96, y, 180, 28);
        edit->setMaxLength(DelegateColumnWidths[i]);
        m_fields.append({QLatin1String(places[i].labelKey), edit});
    }
    filterField(field(QStringLiteral("IDC_STATIC_DOORNO")),
                [this](const QString &t) { return m_controller.setKeypad(t); });

    m_photo->setGeometry(590, FieldsTop, 120, 150);
    m_photo->setFrameShape(QFrame::StyledPanel);
    m_photo->setAlignment(Qt::AlignCenter);
    m_photo->setStyleSheet(QStringLiteral("background-color: #ffffff;"));
    button("IDC_ACCPHOTO_BUTTON", {716, FieldsTop, 90, 30});
    button("IDC_CANPHOTO_BUTTON", {716, FieldsTop + 36, 90, 30});

    const char *rowKeys[] = {"IDC_NEWINFO_BUTTON", "IDC_EDITINFO_BUTTON", "IDC_DELETEINFO_BUTTON",
                             "IDC_CLEAR_MANINFO",  "IDC_LEAD_BUTTON",     "IDC_EDUCE_EXCEL",
                             "IDC_MANINFO_RETURN"};
    for (int i = 0; i < 7; ++i)
        button(rowKeys[i], {12 + i * 114, 640, 104, 32});
    m_texts.apply(this, {});

    const auto onClick = [this](const char *key, auto slot) {
        connect(this->button(QLatin1String(key)), &QPushButton::clicked, this, slot);
    };
    onClick("IDC_NEWINFO_BUTTON", [this] {
        m_controller.setFields(collectFields());
        m_controller.addDelegate();
    });
    onClick("IDC_EDITINFO_BUTTON", [this] {
        m_controller.setFields(collectFields());
        m_controller.changeDelegate();
    });
    onClick("IDC_DELETEINFO_BUTTON", [this] { m_controller.deleteDelegate(); });
    onClick("IDC_CLEAR_MANINFO", [this] { m_controller.clearAll(); });
    onClick("IDC_MANINFO_RETURN", [this] { emit returnRequested(); });
    onClick("IDC_BUTTON_LOOKUP", &DelegateRosterPage::search);
    onClick("IDC_REFRESH_MANINFO", [this] { m_controller.refresh(); });
    onClick("IDC_ACCPHOTO_BUTTON", &DelegateRosterPage::choosePhoto);
    onClick("IDC_CANPHOTO_BUTTON", [this] { m_controller.removePhoto(); });
    onClick("IDC_LEAD_BUTTON", &DelegateRosterPage::chooseImportFile);
    onClick("IDC_EDUCE_EXCEL", &DelegateRosterPage::chooseExportFile);
    connect(m_searchText, &QLineEdit::returnPressed, this, &DelegateRosterPage::search);
    connect(m_group, &QComboBox::textActivated, &controller, &DelegateRosterController::setGroup);
    connect(m_list, &ListTable::rowChosen, &controller, &DelegateRosterController::select);

    connect(&controller, &DelegateRosterController::listChanged, this, &DelegateRosterPage::showList);
    connect(&controller, &DelegateRosterController::fieldsChanged, this, &DelegateRosterPage::showFields);
    connect(&controller, &DelegateRosterController::stateChanged, this, &DelegateRosterPage::showState);
    connect(&controller, &DelegateRosterController::photoChanged, this, &DelegateRosterPage::showPhoto);
    connect(&controller, &DelegateRosterController::imported, this, &DelegateRosterPage::showImport);
    showList();
    showFields();
    showPhoto();
}

QPushButton *DelegateRosterPage::button(const QString &key) const
{
    return findChild<QPushButton *>(key);
}

QLineEdit *DelegateRosterPage::field(const QString &labelKey) const
{
    for (const auto &[key, edit] : m_fields)
        if (key == labelKey)
            return edit;
    return nullptr;
}

QString DelegateRosterPage::countText() const
{
    return m_count->text();
}

DelegateRecord DelegateRosterPage::collectFields() const
{
    DelegateRecord r;
    r.CellNo = field(QStringLiteral("IDC_STATIC_DOORNO"))->text();
    r.EmpName = field(QStringLiteral("IDC_STATIC_NAMEINFO"))->text();
    r.EmpSex = m_sex->currentText();
    r.Nationality = field(QStringLiteral("IDC_STATIC_FOLKINFO"))->text();
    r.Unit = field(QStringLiteral("IDC_STATIC_JOBUNIT"))->text();
    r.Title = field(QStringLiteral("IDC_STATIC_DUTYINFO"))->text();
    r.Office_phone = field(QStringLiteral("IDC_STATIC_PHONEINFO"))->text();
    r.delegacy = field(QStringLiteral("IDC_STATIC_DELEGACY"))->text();
    r.presidium = field(QStringLiteral("IDC_STATIC_MDELEGACY"))->text();
    r.SeatNo = field(QStringLiteral("IDC_STATIC_SEATINFO"))->text();
    return r;
}

void DelegateRosterPage::showList()
{
    const DelegateList &d = m_controller.list();
    QList<QStringList> rows;
    for (qsizetype i = 0; i < d.size(); ++i) {
        rows.append({d.CellNo.at(i), d.EmpName.at(i), d.EmpSex.at(i), d.Nationality.at(i), d.Unit.at(i),
                     d.Title.at(i), d.Office_phone.at(i), d.delegacy.at(i), d.presidium.at(i),
                     d.SeatNo.at(i)});
    }
    m_list->setRows(rows);
    m_count->setText(QString::number(m_controller.rowCount()));
    // The list's title names the channel; without one, the whole roster.
    m_listTitle->setText(m_controller.currentGroup().isEmpty() ? m_texts.text(QStringLiteral("Perlist"))
                                                               : m_controller.currentGroup());
    showGroups();
    showState();
}

void DelegateRosterPage::showGroups()
{
    const QSignalBlocker blocker(m_group);
    m_group->clear();
    m_group->addItem(QString());
    m_group->addItems(m_controller.groups());
    m_group->setCurrentText(m_controller.currentGroup());
}

void DelegateRosterPage::showFields()
{
    const DelegateRecord &r = m_controller.fields();
    field(QStringLiteral("IDC_STATIC_DOORNO"))->setText(r.CellNo);
    field(QStringLiteral("IDC_STATIC_NAMEINFO"))->setText(r.EmpName);
    field(QStringLiteral("IDC_STATIC_FOLKINFO"))->setText(r.Nationality);
    field(QStringLiteral("IDC_STATIC_JOBUNIT"))->setText(r.Unit);
    field(QStringLiteral("IDC_STATIC_DUTYINFO"))->setText(r.Title);
    field(QStringLiteral("IDC_STATIC_PHONEINFO"))->setText(r.Office_phone);
    field(QStringLiteral("IDC_STATIC_DELEGACY"))->setText(r.delegacy);
    field(QStringLiteral("IDC_STATIC_MDELEGACY"))->setText(r.presidium);
    field(QStringLiteral("IDC_STATIC_SEATINFO"))->setText(r.SeatNo);
    // A sex stored in another language's words is not among the items: the choice stays as it was.
    const int sex = m_sex->findText(r.EmpSex);
    if (sex >= 0)
        m_sex->setCurrentIndex(sex);
}

void DelegateRosterPage::showState()
{
    button(QStringLiteral("IDC_EDITINFO_BUTTON"))->setEnabled(m_controller.canEdit());
    button(QStringLiteral("IDC_DELETEINFO_BUTTON"))->setEnabled(m_controller.canDelete());
    button(QStringLiteral("IDC_CLEAR_MANINFO"))->setEnabled(m_controller.canClear());
    m_list->showSelectedRow(m_controller.selectedRow());
}

void DelegateRosterPage::showPhoto()
{
    const QImage picture = m_controller.photoImage();
    if (picture.isNull()) {
        m_photo->clear();
        return;
    }
    m_photo->setPixmap(QPixmap::fromImage(
        picture.scaled(m_photo->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void DelegateRosterPage::choosePhoto()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), QString(), FileFilters::pictures(m_texts.catalogue()));
    if (!path.isEmpty())
        m_controller.loadPhoto(path);
}

void DelegateRosterPage::search()
{
    const auto by = m_searchBy->currentIndex() == 1 ? DelegateRosterController::SearchBy::Name
                                                    : DelegateRosterController::SearchBy::Keypad;
    m_controller.search(by, m_searchText->text());
}

QString DelegateRosterPage::exchangeFolder() const
{
    return m_exchangeFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                      : m_exchangeFolder;
}

void DelegateRosterPage::importFrom(const QString &path)
{
    m_exchangeFolder = QFileInfo(path).absolutePath();
    m_controller.importFile(path);
}

void DelegateRosterPage::exportTo(const QString &path)
{
    m_exchangeFolder = QFileInfo(path).absolutePath();
    m_controller.exportList(path);
}

void DelegateRosterPage::chooseImportFile()
{
    const QString filters = m_texts.text(QStringLiteral("FilterSheets")) + u" (*.xlsx *.xls *.csv);;" +
                            m_texts.text(QStringLiteral("FilterXlsx")) + u" (*.xlsx);;" +
                            m_texts.text(QStringLiteral("FilterXls")) + u" (*.xls);;" +
                            m_texts.text(QStringLiteral("FilterCsv")) + u" (*.csv)";
    const QString path =
        QFileDialog::getOpenFileName(this, importButton()->text(), exchangeFolder(), filters);
    if (!path.isEmpty())
        importFrom(path);
}

void DelegateRosterPage::chooseExportFile()
{
    const QString path = ReportPageTools::chooseSheetPath(this, m_texts.catalogue(), exportButton()->text(),
                                                          m_controller.meetingName(), exchangeFolder());
    if (!path.isEmpty())
        exportTo(path);
}

void DelegateRosterPage::showImport()
{
    RosterImportDialog report(m_controller.lastImport(), m_controller.headings(), m_texts.catalogue(), this);
    report.exec();
}
