#pragma once

#include "core/output/reportlanguages.h"
#include "core/output/reporttable.h"

#include <QDate>

#include <memory>

class DataRoot;
class MeetingDatabase;
class OperatorNotifier;
struct MotionRecord;

// The ballot report (FrmVoteput): the motions of one category with their stored results decoded, all of
// them or only those voted. It only reads the meeting database.
class BallotReportController final
{
    Q_DISABLE_COPY_MOVE(BallotReportController)

public:
    static constexpr QStringView Section = u"FrmVoteput";
    enum class Category
    {
        Votes = 1,     // the yes/no ballots
        Elections = 2, // the four election types, never the scorings
        Scorings = 3,
        Appraisals = 4,
    };

    BallotReportController(const DataRoot &root, ReportLanguages languages, OperatorNotifier &notifier);
    ~BallotReportController();

    // Opens the meeting's database and shows every motion of the chosen category.
    void setMeeting(const QString &meetingName);
    const QString &meetingName() const { return m_meetingName; }

    void setCategory(Category category);
    Category category() const { return m_category; }
    void viewAll();
    void viewVoted();
    bool votedOnly() const { return m_votedOnly; }

    const ReportTable &table() const { return m_table; }
    // Motions left out because their stored type is no vote type of any language file (damaged, or
    // written by a language file that is gone); the page says so rather than hide them silently.
    int unrecognised() const { return m_unrecognised; }

    bool exportTo(const QString &path);
    // Votes and elections print, one form page for each listed motion; the other categories only
    // export. An empty list has nothing to print.
    bool printable() const;
    ReportDocument document(const QDate &today) const;

private:
    void rebuild();
    ReportTable emptyTable() const;
    QStringList row(int number, const MotionRecord &motion, VoteType type) const;

    const DataRoot &m_root;
    ReportLanguages m_languages;
    OperatorNotifier &m_notifier;
    QString m_meetingName;
    std::unique_ptr<MeetingDatabase> m_database;
    Category m_category = Category::Votes;
    bool m_votedOnly = false;
    ReportTable m_table;
    int m_unrecognised = 0;
};
