#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class DelegateRosterController;
struct DelegateRecord;
class ListTable;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The delegate roster page (FrmManinfo) of the meeting-preparation window.
class DelegateRosterPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DelegateRosterPage)

public:
    DelegateRosterPage(DelegateRosterController &controller, const TextCatalogue &catalogue,
                       QWidget *parent = nullptr);

    ListTable *list() const { return m_list; }
    QPushButton *button(const QString &key) const;
    QLineEdit *field(const QString &labelKey) const;
    QComboBox *groupBox() const { return m_group; }
    QComboBox *searchByBox() const { return m_searchBy; }
    QLineEdit *searchField() const { return m_searchText; }
    QLabel *photoFrame() const { return m_photo; }
    QString countText() const;

    // The spreadsheet exchange: import asks for an .xlsx, .xls or .csv file, export for an .xlsx or .csv
    // name (asking before it replaces a file).
    QPushButton *importButton() const { return button(QStringLiteral("IDC_LEAD_BUTTON")); }
    QPushButton *exportButton() const { return button(QStringLiteral("IDC_EDUCE_EXCEL")); }
    void importFrom(const QString &path);
    void exportTo(const QString &path);

signals:
    // The operator is done with the roster.
    void returnRequested();

private:
    DelegateRecord collectFields() const;
    void showList();
    void showFields();
    void showState();
    void showPhoto();
    void showGroups();
    void choosePhoto();
    void search();
    QString exchangeFolder() const;
    void chooseImportFile();
    void chooseExportFile();
    void showImport();

    DelegateRosterController &m_controller;
    WindowTexts m_texts;
    QString m_exchangeFolder;
    ListTable *m_list;
    QLabel *m_listTitle;
    QComboBox *m_group;
    QLabel *m_count;
    QComboBox *m_searchBy;
    QLineEdit *m_searchText;
    QComboBox *m_sex;
    QLabel *m_photo;
    QList<QPair<QString, QLineEdit *>> m_fields;
};
