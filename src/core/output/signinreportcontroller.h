#pragma once

#include "core/output/reportlanguages.h"
#include "core/output/reporttable.h"

#include <QDate>

#include <memory>

class DataRoot;
class MeetingDatabase;
class OperatorNotifier;

// The sign-in report (FrmRegque): the meeting's due, present and absent delegates with the due and
// present counts. It only reads the meeting database.
class SignInReportController final
{
    Q_DISABLE_COPY_MOVE(SignInReportController)

public:
    static constexpr QStringView Section = u"FrmRegque";
    // The sign-in's own section, whose marks it stores.
    static constexpr QStringView SignInSection = u"FrmManChe";
    enum class List
    {
        Due,
        Present,
        Absent
    };

    SignInReportController(const DataRoot &root, ReportLanguages languages, OperatorNotifier &notifier);
    ~SignInReportController();

    // Opens the meeting's database and shows its due delegates.
    void setMeeting(const QString &meetingName);
    const QString &meetingName() const { return m_meetingName; }

    void show(List list);
    List list() const { return m_list; }
    const ReportTable &table() const { return m_table; }
    int dueCount() const { return m_dueCount; }
    int presentCount() const { return m_presentCount; }

    // Writes the shown list (.xlsx or .csv by the name) and says whether it worked.
    bool exportTo(const QString &path);
    // The shown list as a printed report, dated `today`.
    ReportDocument document(const QDate &today) const;

private:
    ReportTable build(List list);
    QStringList marks(QStringView reportKey, QStringView signInKey) const;

    const DataRoot &m_root;
    ReportLanguages m_languages;
    OperatorNotifier &m_notifier;
    QString m_meetingName;
    std::unique_ptr<MeetingDatabase> m_database;
    List m_list = List::Due;
    ReportTable m_table;
    int m_dueCount = 0;
    int m_presentCount = 0;
};
