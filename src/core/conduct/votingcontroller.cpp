#include "core/conduct/votingcontroller.h"

#include "core/conduct/ballotjournal.h"
#include "core/conduct/journalaudit.h"
#include "core/conduct/liveresultwriter.h"
#include "core/conduct/verdictexplanation.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/base/colonlist.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingjournal.h"
#include "core/store/meetingrecord.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"
#include "core/base/timers.h"

#include <QDateTime>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTimer>

namespace {
const QString VoteSection = QStringLiteral("FrmMeeVote");
const QString ScreenSection = QStringLiteral("FrmScrText");
} // namespace

const QStringList &VotingController::timeLimitChoices()
{
    static const QStringList choices{QStringLiteral("5"),   QStringLiteral("10"),  QStringLiteral("15"),
                                     QStringLiteral("30"),  QStringLiteral("45"),  QStringLiteral("60"),
                                     QStringLiteral("90"),  QStringLiteral("120"), QStringLiteral("150"),
                                     QStringLiteral("180"), QStringLiteral("240"), QStringLiteral("480")};
    return choices;
}

QString VotingController::countDownCaption(int remaining) const
{
    const int seconds = remaining % 60;
    const QString secondsText = seconds < 10 ? QStringLiteral("0%1").arg(seconds) : QString::number(seconds);
    const QString clock = QStringLiteral("0%1:%2").arg(remaining / 60).arg(secondsText);
    return m_context.catalogue.resolve(
        OperatorText::catalogue(ScreenSection, QStringLiteral("ScrCountDown"), {clock}));
}

QString VotingController::monitorStatus(VoteType type, int keyCode, const QString &pressed)
{
    if (keyCode == 0)
        return QStringLiteral("----");
    const bool single = VoteTypeTable::info(type).counting == KeyCounting::SingleKey;
    const bool oneKey =
        keyCode == 0x01 || keyCode == 0x02 || keyCode == 0x04 || keyCode == 0x08 || keyCode == 0x10;
    return !single || oneKey ? pressed : QString();
}

QString VotingController::storedResultText(const QString &result)
{
    QStringList fields = result.split(QLatin1Char(':'));
    while (!fields.isEmpty() && fields.constLast().isEmpty())
        fields.removeLast();
    return fields.join(QStringLiteral(" / "));
}

VotingController::VotingController(ConferenceContext &context, QObject *parent)
    : QObject(parent), m_context(context), m_texts(TallyTexts::lookUp(context.catalogue.lookup())),
      m_liveWriter(std::make_unique<LiveResultWriter>(context.root, context.meeting.MeeName, context.notifier)),
      m_announceTimer(Timers::make(this, 1000, true)), m_collectTimer(Timers::make(this, 1000, true)),
      m_liveTimer(Timers::make(this, 500, false)), m_countDownTimer(Timers::make(this, 1000, false)),
      m_waitTimer(Timers::make(this, 1000, false)), m_releaseTimer(Timers::make(this, 500, true)),
      m_candidates(5), m_scores(5)
{
    connect(m_announceTimer, &QTimer::timeout, this, &VotingController::onAnnounce);
    connect(m_collectTimer, &QTimer::timeout, this, &VotingController::onCollect);
    connect(m_liveTimer, &QTimer::timeout, this, &VotingController::onLiveTick);
    connect(m_countDownTimer, &QTimer::timeout, this, &VotingController::onCountDownTick);
    connect(m_waitTimer, &QTimer::timeout, this, &VotingController::onFinalPassCheck);
    connect(m_releaseTimer, &QTimer::timeout, this, &VotingController::onRelease);
    connect(&m_context.link, &Link::connectionChanged, this, &VotingController::onConnectionChanged);
}

VotingController::~VotingController() = default;

QString VotingController::text(QStringView section, QStringView key) const
{
    return m_context.catalogue.text(section.toString(), key.toString());
}

void VotingController::readMeetingCounts()
{
    MeetingRecord meeting;
    m_context.systemDatabase.readMeeting(m_context.meeting.MeeName, meeting);
    m_due = textNumber(meeting.DueNum);
    m_present = textNumber(meeting.SignIn);
}

void VotingController::open()
{
    readMeetingCounts();
    MeetingDatabase database(m_context.root, m_context.meeting.MeeName, m_context.notifier);
    m_motions = database.listMotions();
    m_counted = CountedKeypads::fromRoster(database.listDelegates().CellNo);
    m_preview.setColours(m_context.hall.background(), m_context.hall.background());
    emit changed();
}

VotingController::Options VotingController::options() const
{
    return {isYes(m_motion.VoteTimelRes), isYes(m_motion.Unit), isYes(m_motion.ViewPer),
            isYes(m_motion.ViewPass), isYes(m_motion.VoteDll)};
}

QString VotingController::startCaption() const
{
    return text(VoteSection, info().startCaptionKey);
}

QString VotingController::stopCaption() const
{
    return text(VoteSection, info().endCaptionKey);
}

bool VotingController::isCandidateListEnabled() const
{
    return m_row >= 0 && info().isElection();
}

bool VotingController::isSettingsGroupEnabled() const
{
    return m_optionsEnabled && m_type == VoteType::YesNo && !m_settingsLocked;
}

bool VotingController::areDisplayOptionsEnabled() const
{
    return isSettingsGroupEnabled() || (m_optionsEnabled && m_type == VoteType::Appraisal);
}

void VotingController::selectMotion(int row)
{
    if (row < 0 || row >= m_motions.size()) {
        m_row = -1;
        m_queryEnabled = false;
        m_startEnabled = false;
        emit changed();
        return;
    }
    m_row = row;
    m_verdict.clear();
    loadMotion(m_motions.OveName[row], true);
    // The hall is left as it is: a click is no decision, and a start may still be refused. It changes when
    // the ballot starts, or when the operator sends the motion on purpose (showMotionOnHall).
    const QColor colour = m_context.hall.textColour();
    m_preview.setCaption(QString(), colour);
    m_preview.setSecondCaption(QString(), colour);
    m_preview.setSubcaption(QString());
    m_preview.setScreen(int(ChartModel::Screen::Message), 0);
    m_preview.showMessage(m_motion.OveName, QString(), QString(), colour);
}

void VotingController::loadMotion(const QString &name, bool onSelection)
{
    m_candidates = QStringList(5);
    MeetingDatabase(m_context.root, m_context.meeting.MeeName, m_context.notifier).readMotion(name, m_motion);
    // A type text that matches none of the seven keeps the type in force for the window, but such a
    // motion cannot be run: its result would be stored in another type's format.
    const auto matched = VoteTypeTable::match(m_motion.OveType, m_context.catalogue.lookup());
    m_typeKnown = matched.has_value();
    if (matched)
        m_type = *matched;
    // A threshold beyond 0..100 (written by other means) would be counted while the slider shows 100.
    m_motion.VoteAbetValue = QString::number(qBound(0, textNumber(m_motion.VoteAbetValue), 100));
    m_optionsEnabled = true;
    m_settingsLocked = false;
    if (info().isElection())
        m_candidates = ColonList::split(m_motion.candidate, 5);
    while (m_candidates.size() < 5)
        m_candidates.append(QString());
    if (m_type == VoteType::Scoring || m_type == VoteType::Appraisal) {
        m_scores = ColonList::split(m_motion.mark, 5);
        while (m_scores.size() < 5)
            m_scores.append(QString());
    }
    if (onSelection) {
        m_startEnabled = true;
        m_queryEnabled = m_motion.VoteState == m_texts.DateYes ||
                         (!m_texts.DateBreak.isEmpty() && m_motion.VoteState == m_texts.DateBreak);
    }
    m_stopEnabled = false;
    emit changed();
}

void VotingController::showMotionOnHall()
{
    if (m_row < 0 || m_phase != Phase::Idle)
        return;
    const QString path =
        m_context.root.filePath(QStringLiteral("MeeFile/") + m_context.meeting.insertdate + QLatin1Char('/') + m_motion.rtf);
    const DocumentReader::Start start =
        m_motion.rtf.isEmpty() ? DocumentReader::Start::Missing : m_context.hall.showDocument(path);
    if (start == DocumentReader::Start::TooLarge)
        DocumentReader::reportTooLarge(m_context.notifier, path);
    if (start != DocumentReader::Start::Reading) {
        QTextDocument &document = m_context.hall.clearText();
        QTextCursor cursor(&document);
        QTextCharFormat format;
        format.setFontPointSize(45);
        format.setForeground(m_context.hall.textColour());
        cursor.insertText(QStringLiteral("\n\n\n\t\t") + m_motion.OveName, format);
    }
    m_context.hall.show(HallScreen::Pane::Text);
}

void VotingController::setCandidates(const QString &list)
{
    if (list.isEmpty() || m_row < 0)
        return;
    if (!MeetingDatabase(m_context.root, m_context.meeting.MeeName, m_context.notifier).storeCandidates(m_motion.OveName, list))
        return;
    m_motion.candidate = list;
    m_candidates = ColonList::split(list, 5);
    while (m_candidates.size() < 5)
        m_candidates.append(QString());
    emit changed();
}

void VotingController::setBase(const QString &text)
{
    m_motion.VoteBase = text;
    emit changed();
}

void VotingController::setPassRule(const QString &text)
{
    m_motion.VoteAbet = text;
    emit changed();
}

void VotingController::setThreshold(int percent)
{
    m_motion.VoteAbetValue = QString::number(qBound(0, percent, 100));
    emit changed();
}

void VotingController::setUnit(bool on)
{
    m_motion.Unit = on ? QStringLiteral("1") : QStringLiteral("2");
    emit changed();
}

void VotingController::setShowPercentages(bool on)
{
    m_motion.ViewPer = on ? QStringLiteral("1") : QStringLiteral("2");
    emit changed();
}

void VotingController::setShowVerdict(bool on)
{
    m_motion.ViewPass = on ? QStringLiteral("1") : QStringLiteral("2");
    emit changed();
}

void VotingController::setLiveDisplay(bool on)
{
    m_motion.VoteDll = on ? QStringLiteral("1") : QStringLiteral("2");
    emit changed();
}

void VotingController::setTimeLimit(bool on)
{
    m_motion.VoteTimelRes = on ? QStringLiteral("1") : QStringLiteral("2");
    if (on)
        m_motion.VoteTimelValue = timeLimitChoices().constFirst();
    emit changed();
}

void VotingController::setTimeLimitSeconds(const QString &seconds)
{
    if (timeLimitChoices().contains(seconds))
        m_motion.VoteTimelValue = seconds;
    emit changed();
}

void VotingController::forBothCharts(const std::function<void(ChartModel &)> &apply)
{
    apply(m_preview);
    apply(m_context.hall.chart());
}

void VotingController::start()
{
    if (m_row < 0 || m_phase != Phase::Idle || !m_startEnabled)
        return;
    const OperatorText caption = OperatorText::catalogue(VoteSection, QStringLiteral("MsgClew"));
    if (!m_typeKnown) {
        m_context.notifier.error(caption, OperatorText::catalogue(VoteSection, QStringLiteral("MsgTypeUnknown"),
                                                          {m_motion.OveType}));
        return;
    }
    if (!m_context.state.signInClosed) {
        m_context.notifier.information(caption, OperatorText::catalogue(VoteSection, QStringLiteral("MsgLogFirst")));
        return;
    }
    if (m_context.link.isLost()) {
        m_context.notifier.information(caption, OperatorText::catalogue(VoteSection, QStringLiteral("MsgNoBase")));
        return;
    }
    if (m_motion.VoteState == m_texts.DateYes &&
        !m_context.notifier.question(
            caption, OperatorText::catalogue(VoteSection, QStringLiteral("MsgRevote"),
                                             {storedResultText(m_motion.result), m_motion.PollTimel})))
        return;
    for (int n = 1; n <= m_context.link.settings().keypadCount; ++n)
        if (KeypadEntry *entry = m_context.link.table().entry(n))
            entry->keyCode = 0;
    m_startEnabled = false;
    m_queryEnabled = false;
    m_listEnabled = false;
    m_optionsEnabled = false;
    m_verdict.clear();
    m_strangers.clear();
    m_stopWanted = false;
    m_lossOffered = false;
    m_stopByCountDown = false;
    m_linkLostJournalled = false;
    m_journalledCodes.clear();
    m_liveWriter->flush();
    // The window stays open across sign-ins: the present count is the one of the latest sign-in.
    readMeetingCounts();
    writeSettingsBack();
    m_context.hall.show(HallScreen::Pane::Chart);
    const QColor colour = m_context.hall.textColour();
    forBothCharts([&](ChartModel &chart) {
        chart.setCaption(QString(), colour);
        chart.setSecondCaption(QString(), colour);
        chart.setSubcaption(m_motion.OveName);
    });
    showStartScreen();
    m_phase = Phase::Announcing;
    m_context.link.post(LinkMode::VoteCommand, Command::PhaseStart);
    m_announceTimer->start();
    emit changed();
}

void VotingController::writeSettingsBack()
{
    MeetingDatabase database(m_context.root, m_context.meeting.MeeName, m_context.notifier);
    MotionRecord stored;
    database.readMotion(m_motion.OveName, stored);
    MotionRecord record = m_type == VoteType::YesNo ? m_motion : stored;
    // Every type takes its type, state and time limit from the window; the yes/no ballot all its settings.
    record.OveType = m_motion.OveType;
    record.VoteState = m_motion.VoteState;
    record.VoteTimelRes = m_motion.VoteTimelRes;
    record.VoteTimelValue = m_motion.VoteTimelValue;
    record.insertdate = m_motion.insertdate;
    journalStart(database, stored, record);
}

// The ballot's start goes into the journal with the settings written back, in one transaction: a ballot
// whose start is journalled is one whose counting options are stored.
void VotingController::journalStart(MeetingDatabase &database, const MotionRecord &stored,
                                    const MotionRecord &record)
{
    BallotStartRecord start;
    start.type = m_type;
    start.OveType = record.OveType;
    start.settings = {record.VoteBase, record.VoteAbet, record.VoteAbetValue,
                      record.Unit,     record.ytText,   record.mark};
    start.texts = m_texts;
    start.due = m_due;
    start.present = m_present;
    start.counted = m_counted.countedUpTo(m_context.link.settings().keypadCount);
    start.previousResult = stored.result;
    start.previousVoteState = stored.VoteState;
    start.previousPollTimel = stored.PollTimel;
    database.updateMotion(record, {BallotJournal::start(m_motion.OveName, start)});
}

QMap<int, int> VotingController::keyCodes() const
{
    QMap<int, int> codes;
    for (int n : m_counted.countedUpTo(m_context.link.settings().keypadCount))
        codes.insert(n, m_context.link.table().at(n).keyCode);
    return codes;
}

// Only what changed since the last tick: a hall where few keys move costs the journal little.
JournalNotes VotingController::changedKeyCodes()
{
    QMap<int, int> changed;
    for (int n : m_counted.countedUpTo(m_context.link.settings().keypadCount)) {
        const int code = m_context.link.table().at(n).keyCode;
        if (code != m_journalledCodes.value(n, 0)) {
            changed.insert(n, code);
            m_journalledCodes.insert(n, code);
        }
    }
    if (changed.isEmpty())
        return {};
    return {BallotJournal::live(m_motion.OveName, changed)};
}

void VotingController::showStartScreen()
{
    const QColor colour = m_context.hall.textColour();
    const auto keys = [&](int count) {
        QStringList fields;
        for (int i = 1; i <= 5; ++i)
            fields << (i <= count ? text(ScreenSection, QStringLiteral("StaticEle%1").arg(i)) : QString());
        return fields;
    };
    switch (m_type) {
    case VoteType::YesNo:
    case VoteType::Scoring: {
        const bool yesNo = m_type == VoteType::YesNo;
        const QString first = text(ScreenSection, yesNo ? u"StaticVote1" : u"StaticScoring1");
        const QString second = text(ScreenSection, yesNo ? u"StaticVote2" : u"StaticScoring2");
        forBothCharts([&](ChartModel &chart) {
            chart.setScreen(int(ChartModel::Screen::Message), 1);
            chart.showMessage(first, QString(), second, colour);
        });
        break;
    }
    case VoteType::Appraisal: {
        const QString legend =
            ColonList::join({text(ScreenSection, u"StaticEle1"), text(ScreenSection, u"StaticEle2"),
                             text(ScreenSection, u"StaticEle3"), QString(), QString()}) +
            ColonList::join({text(ScreenSection, u"ScrSatisfied"), text(ScreenSection, u"ScrDissatisfied"),
                             text(ScreenSection, u"ScrUnknown")});
        forBothCharts([&](ChartModel &chart) {
            chart.setScreen(int(ChartModel::Screen::Legend), 1);
            chart.showKeyLegend(legend, QString(), colour);
        });
        break;
    }
    default: {
        const QString legend = ColonList::join(keys(info().keyCount)) + m_motion.candidate;
        forBothCharts([&](ChartModel &chart) {
            chart.setScreen(int(ChartModel::Screen::Legend), 1);
            chart.showKeyLegend(legend, QString(), colour);
        });
        break;
    }
    }
}

void VotingController::waitForLiveResults()
{
    m_liveWriter->flush();
}

QString VotingController::explainedVerdict()
{
    if (m_row < 0)
        return {};
    m_liveWriter->flush();
    const JournalAudit::Report report =
        JournalAudit::run(MeetingJournal(m_context.root, m_context.meeting.MeeName, m_context.notifier).entries(), {m_motion});
    for (auto it = report.ballots.crbegin(); it != report.ballots.crend(); ++it) {
        if (it->motion != m_motion.OveName)
            continue;
        return it->stored == JournalAudit::Stored::Matches ? VerdictExplanation::ofBallot(*it, m_context.catalogue)
                                                            : QString();
    }
    return {};
}

void VotingController::onAnnounce()
{
    m_announceTimer->stop();
    m_context.link.post(LinkMode::VoteCommand, info().command);
    if (m_type == VoteType::YesNo)
        m_settingsLocked = true;
    m_phase = Phase::Collecting;
    m_collectTimer->start();
    emit changed();
}

void VotingController::onCollect()
{
    m_collectTimer->stop();
    if (isYes(m_motion.VoteTimelRes)) {
        m_remaining = textNumber(m_motion.VoteTimelValue);
        m_countDownTimer->start();
    }
    m_stopEnabled = true;
    m_phase = Phase::Live;
    m_context.link.post(LinkMode::VotePolling, 0);
    m_liveTimer->start();
    emit changed();
}

void VotingController::onLiveTick()
{
    if (m_phase != Phase::Live)
        return;
    tallyAndStore(Write::Live);
}

void VotingController::tallyAndStore(Write write)
{
    const bool final = write == Write::Final;
    const int keypadCount = m_context.link.settings().keypadCount;
    const BallotCounters counted = BallotTally::count(m_type, m_context.link.table(), keypadCount, m_counted);
    m_strangers =
        m_counted.strangers(m_context.link.table(), keypadCount, [](const KeypadEntry &e) { return e.keyCode != 0; });
    const BallotSettings settings{m_motion.VoteBase, m_motion.VoteAbet, m_motion.VoteAbetValue,
                                  m_motion.Unit,     m_motion.ytText,   m_motion.mark};
    m_tallied = BallotTally::tally(m_type, counted, m_due, m_present, settings, m_texts);
    // A verdict exists only for a final count; a live count has none, whatever its figures say.
    m_verdict = final ? m_tallied.verdict : QString();
    if (final) {
        m_live = false;
        showResult(true);
    } else if (isYes(m_motion.VoteDll)) {
        m_live = true;
        showResult(false);
    }
    writeResult(write);
}

// Live results go to disk off the interface thread; the outcome is written here, after the last live
// one, so the motion list read back next shows it. The outcome's journal entry holds every counted
// keypad's key code, so the stored result can always be re-counted from the journal alone.
void VotingController::writeResult(Write write)
{
    const bool final = write == Write::Final;
    const BallotResultWrite columns =
        BallotTally::resultWrite(m_tallied, QDateTime::currentDateTime(), m_texts, final);
    if (write == Write::Live) {
        m_liveWriter->write(m_motion.OveName, columns, changedKeyCodes());
        return;
    }
    m_liveWriter->flush();
    const BallotOutcomeRecord outcome{keyCodes(),         m_tallied.counters, columns.result,
                                      final ? m_tallied.verdict : QString(), columns.VoteState,
                                      columns.PollTimel};
    const QString kind = final ? JournalKind::BallotResult : JournalKind::BallotInterrupted;
    MeetingDatabase(m_context.root, m_context.meeting.MeeName, m_context.notifier)
        .storeResult(m_motion.OveName, columns.result, columns.VoteState, columns.PollTimel,
                     {BallotJournal::outcome(kind, m_motion.OveName, outcome)});
}

QString VotingController::labelList() const
{
    const auto screen = [&](const char *key) -> QString {
        return text(ScreenSection, QString::fromLatin1(key));
    };
    const QString due = text(VoteSection, u"strYD");
    const QString present = text(VoteSection, u"strQD");
    switch (m_type) {
    case VoteType::YesNo:
        return ColonList::join(
            {due, present, screen("Static4"), screen("Static5"), screen("Static6"), screen("Static7")});
    case VoteType::Appraisal:
        return ColonList::join({due, present, screen("ScrSatisfied"), screen("ScrDissatisfied"),
                                screen("ScrUnknown"), screen("Static7")});
    case VoteType::ElectOneOfThree:
        return ColonList::join(m_candidates.mid(0, 3) << screen("Static7"));
    case VoteType::Scoring:
        return ColonList::join({screen("Static8")});
    default:
        return ColonList::join(m_candidates.mid(0, 5));
    }
}

void VotingController::showResult(bool final)
{
    m_context.hall.show(HallScreen::Pane::Chart);
    const QColor colour = m_context.hall.textColour();
    const bool timeLimit = isYes(m_motion.VoteTimelRes);
    const QString labels = labelList();
    // While the ballot runs the call to vote (or the count-down) stands over the motion's title; the
    // result stands under the title, with the verdict when the motion says to show it.
    const bool asResult = final || (!timeLimit && !m_live);
    forBothCharts([&](ChartModel &chart) {
        if (asResult) {
            chart.setCaption(m_motion.OveName, colour);
            chart.setSubcaption(isYes(m_motion.ViewPass) ? m_verdict : QString());
        } else {
            if (!timeLimit)
                chart.setCaption(text(ScreenSection, u"ScrVoteNow"), colour);
            chart.setSubcaption(m_motion.OveName);
        }
        chart.setPercentageDisplay(textNumber(m_motion.ViewPer));
        chart.setUnits(text(ScreenSection, u"ScrUnitPersons"), text(ScreenSection, u"ScrUnitVotes"));
        chart.setScreen(int(ChartModel::Screen::Table), info().chartKind);
        chart.showResult(m_verdict.isEmpty() ? m_tallied.resultWithoutVerdict : m_tallied.result, labels,
                         colour);
    });
}

void VotingController::onCountDownTick()
{
    if (m_remaining == 0) {
        m_stopByCountDown = true;
        stop();
        return;
    }
    if (m_remaining < 0)
        return;
    --m_remaining;
    const QString caption = countDownCaption(m_remaining);
    const QColor colour = m_context.hall.textColour();
    forBothCharts([&](ChartModel &chart) { chart.setCaption(caption, colour); });
    emit changed();
}

void VotingController::stop()
{
    if (m_phase != Phase::Live || m_askingAboutLoss)
        return;
    m_liveWriter->journal({BallotJournal::stop(m_motion.OveName, m_stopByCountDown)});
    m_stopByCountDown = false;
    if (isYes(m_motion.VoteTimelRes)) {
        m_countDownTimer->stop();
        m_remaining = 0;
    }
    // A final pass on a dead line would count nothing new: the operator keeps what was collected, without
    // a verdict, or the ballot ends by itself once the base station is back.
    if (m_context.link.isLost()) {
        if (offerInterruptedResult() || m_phase != Phase::Live)
            return;
        if (!m_context.link.isLost()) {
            beginFinalPass(); // back while the question was open
            return;
        }
        m_stopWanted = true;
        emit changed();
        return;
    }
    beginFinalPass();
}

void VotingController::beginFinalPass()
{
    m_stopWanted = false;
    m_stopEnabled = false;
    m_context.hall.show(HallScreen::Pane::Chart);
    const QColor colour = m_context.hall.textColour();
    const QString ended = text(ScreenSection, u"StaticVote3");
    const QString counting = text(ScreenSection, u"StaticVote4");
    forBothCharts([&](ChartModel &chart) {
        chart.setCaption(QString(), colour);
        chart.setSecondCaption(QString(), colour);
        chart.setSubcaption(m_motion.OveName);
        chart.setScreen(int(ChartModel::Screen::Message), 0);
        chart.showMessage(ended, QString(), counting, colour);
    });
    m_context.link.sequencer().take(LinkEvent::VotePassDone);
    m_context.link.post(LinkMode::VoteFinalPass, Command::BallotEnd);
    m_liveTimer->stop();
    m_phase = Phase::Waiting;
    m_waitTimer->start();
    emit changed();
}

void VotingController::onFinalPassCheck()
{
    if (m_phase != Phase::Waiting || m_askingAboutLoss)
        return;
    if (!m_context.link.sequencer().take(LinkEvent::VotePassDone)) {
        // The sequencer starts the final pass over when the base station is back; meanwhile the operator
        // may keep what was collected instead of waiting.
        if (!m_context.link.hasBaseStation() && !m_lossOffered) {
            m_lossOffered = true;
            offerInterruptedResult();
        }
        emit changed(); // the final pass's progress
        return;
    }
    m_waitTimer->stop();
    tallyAndStore(Write::Final);
    afterStoring();
}

bool VotingController::offerInterruptedResult()
{
    m_askingAboutLoss = true;
    const bool keep = m_context.notifier.question(
        OperatorText::catalogue(VoteSection, QStringLiteral("MsgClew")),
        OperatorText::catalogue(VoteSection, QStringLiteral("MsgStopLost"), m_context.link.statusText().args));
    m_askingAboutLoss = false;
    // The pass may have finished while the question was open: then the complete count is stored.
    if (!keep || (m_phase != Phase::Live && m_phase != Phase::Waiting) ||
        m_context.link.sequencer().isRaised(LinkEvent::VotePassDone))
        return false;
    storeInterrupted();
    return true;
}

void VotingController::storeInterrupted()
{
    m_countDownTimer->stop();
    m_liveTimer->stop();
    m_waitTimer->stop();
    m_context.link.sequencer().abandonVotePoll();
    m_context.link.sequencer().take(LinkEvent::VotePassDone);
    m_stopWanted = false;
    m_stopEnabled = false;
    tallyAndStore(Write::Interrupted);
    m_live = false;
    showResult(true);
    const QString interrupted = m_texts.DateBreak;
    forBothCharts([&](ChartModel &chart) { chart.setSubcaption(interrupted); });
    m_liveWriter->flush();
    afterStoring();
}

// The list and the selected row show the new state; the keypads are released half a second later.
void VotingController::afterStoring()
{
    m_motions = MeetingDatabase(m_context.root, m_context.meeting.MeeName, m_context.notifier).listMotions();
    const QString name = m_motion.OveName;
    m_row = int(m_motions.OveName.indexOf(name));
    loadMotion(name, false);
    m_queryEnabled = true;
    m_listEnabled = true;
    m_context.link.sequencer().take(LinkEvent::VotePassDone);
    m_phase = Phase::Releasing;
    m_releaseTimer->start();
    emit ballotFinished();
    emit changed();
}

void VotingController::onRelease()
{
    m_releaseTimer->stop();
    m_context.link.post(LinkMode::VoteClosingCommand, Command::PhaseEnd);
    m_queryEnabled = true;
    m_startEnabled = true;
    m_phase = Phase::Idle;
    emit changed();
}

bool VotingController::isStale() const
{
    return m_phase != Phase::Idle && m_context.link.isLost();
}

int VotingController::finalPassProgress() const
{
    return m_phase == Phase::Waiting ? m_context.link.sequencer().voteFinalPassProgress() : 0;
}

void VotingController::onConnectionChanged()
{
    // Only a ballot's own journal hears of the link: between ballots the meeting is not on the line.
    if (m_phase != Phase::Idle && m_phase != Phase::Releasing && m_context.link.isLost() != m_linkLostJournalled) {
        m_linkLostJournalled = m_context.link.isLost();
        m_liveWriter->journal({BallotJournal::link(m_linkLostJournalled, m_motion.OveName,
                                                   m_context.link.statusText().args.join(QLatin1Char(' ')))});
    }
    if (!m_context.link.isLost()) {
        m_lossOffered = false;
        if (m_stopWanted && m_phase == Phase::Live)
            beginFinalPass();
    }
    emit changed();
}
