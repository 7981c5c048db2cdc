#pragma once

#include "core/conduct/journalaudit.h"
#include "core/output/reportlanguages.h"
#include "core/output/reporttable.h"
#include "core/base/textcatalogue.h"

#include <QDate>

class DataRoot;
class OperatorNotifier;

// The journal page of the meeting records: a meeting's journal entries in order, filtered by motion; the
// verification (the chain, and every ballot re-counted with its verdict explained); the entries as a
// workbook or .csv and as PDF. The page only shows what this holds and forwards clicks.
class JournalReportController final
{
    Q_DISABLE_COPY_MOVE(JournalReportController)

public:
    static constexpr QStringView Section = u"FrmJournal";

    JournalReportController(const DataRoot &root, TextCatalogue catalogue, OperatorNotifier &notifier);

    void setMeeting(const QString &meetingName);
    const QString &meetingName() const { return m_meetingName; }
    // The motions the journal names, in the order they first appear.
    QStringList motions() const;
    // Empty: every entry.
    void setMotionFilter(const QString &motion);
    const QString &motionFilter() const { return m_filter; }

    // The entries shown: number, time, kind, motion, content.
    const ReportTable &entries() const { return m_entries; }

    // Checks the chain and re-counts every ballot; the results stay until the meeting changes.
    void verify();
    bool isVerified() const { return m_verified; }
    const JournalAudit::Report &report() const { return m_report; }
    // One line on the chain.
    QString chainText() const;
    // One row a ballot: motion and time, whether the re-count matches, the verdict explained.
    const ReportTable &ballots() const { return m_ballots; }

    bool exportSheet(const QString &path);
    bool exportPdf(const QString &path);
    ReportDocument document(const QDate &today) const;

    QString kindText(const QString &kind) const;
    QString explanation(const JournalAudit::BallotCheck &check) const;

private:
    void rebuild();
    QString text(const QString &key, const QStringList &args = {}) const;

    const DataRoot &m_root;
    TextCatalogue m_catalogue;
    OperatorNotifier &m_notifier;
    QString m_meetingName;
    QString m_filter;
    QList<JournalEntry> m_all;
    ReportTable m_entries;
    ReportTable m_ballots;
    JournalAudit::Report m_report;
    bool m_verified = false;
};
