#include "core/conduct/signincontroller.h"

#include "core/conduct/ballotjournal.h"
#include "core/conduct/liveresultwriter.h"
#include "core/conduct/signinjournal.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/base/inputfilter.h"
#include "core/base/colonlist.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingchangejournal.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingjournal.h"
#include "core/store/signinmark.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"
#include "core/base/timers.h"

#include <QTimer>

namespace {
const QString NotSigned = QStringLiteral("-----");
} // namespace

SignInController::Cell SignInController::cellOf(int keypad)
{
    return {(keypad - 1) % ListRows, (keypad - 1) / ListRows};
}

QString SignInController::clockText(int seconds)
{
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

SignInController::SignInController(ConferenceContext &context, QObject *parent)
    : QObject(parent), m_context(context),
      m_commandTimer(Timers::make(this, 1000, true)), m_pollingTimer(Timers::make(this, 2000, true)),
      m_refreshTimer(Timers::make(this, 1000, false)), m_countDownTimer(Timers::make(this, 1000, false)),
      m_finalPassTimer(Timers::make(this, 1000, false)), m_releaseTimer(Timers::make(this, 500, true)),
      m_queryTimer(Timers::make(this, 100, true)),
      m_journal(std::make_unique<LiveResultWriter>(context.root, context.meeting.MeeName, context.notifier))
{
    connect(m_commandTimer, &QTimer::timeout, this, &SignInController::onCommandPhase);
    connect(m_pollingTimer, &QTimer::timeout, this, &SignInController::onBeginPolling);
    connect(m_refreshTimer, &QTimer::timeout, this, &SignInController::onRefresh);
    connect(m_countDownTimer, &QTimer::timeout, this, &SignInController::onCountDownTick);
    connect(m_finalPassTimer, &QTimer::timeout, this, &SignInController::onFinalPassCheck);
    connect(m_releaseTimer, &QTimer::timeout, this, &SignInController::onRelease);
    connect(m_queryTimer, &QTimer::timeout, this, &SignInController::onQueryAnswer);
    connect(&m_context.link, &Link::connectionChanged, this, &SignInController::onConnectionChanged);
}

SignInController::~SignInController() = default;

void SignInController::information(const char *key, QStringList args)
{
    m_context.notifier.information(
        OperatorText::catalogue(QStringLiteral("FrmManChe"), QStringLiteral("clew")),
        OperatorText::catalogue(QStringLiteral("FrmManChe"), QLatin1String(key), std::move(args)));
}

QString SignInController::text(const char *section, const char *key) const
{
    return m_context.catalogue.text(QLatin1String(section), QLatin1String(key));
}

int SignInController::keypadCount() const
{
    return m_context.link.settings().keypadCount;
}

void SignInController::open()
{
    MeetingRecord meeting;
    m_context.systemDatabase.readMeeting(m_context.meeting.MeeName, meeting);
    m_due = textNumber(meeting.DueNum);
    m_quorumMode = meeting.bSetLimit;
    m_quorumPercent = textNumber(meeting.limit);

    m_names.clear();
    MeetingDatabase database(m_context.root, m_context.meeting.MeeName, m_context.notifier);
    const DelegateList delegates = database.listDelegates();
    for (qsizetype i = 0; i < delegates.CellNo.size(); ++i) {
        const int keypad = textNumber(delegates.CellNo[i]);
        if (!m_names.contains(keypad))
            m_names.insert(keypad, delegates.EmpName.value(i));
    }
    m_counted = CountedKeypads::fromRoster(delegates.CellNo);
    if (!m_running)
        restoreLastSignIn();
    refresh();
}

// The keypad table and the sign-in-closed flag outlive a conference; the sign-in belongs to the meeting.
// Without this, a conference for another meeting would ballot on the first meeting's sign-in and show its
// marks.
void SignInController::restoreLastSignIn()
{
    const QList<SignInMark> marks = MeetingDatabase(m_context.root, m_context.meeting.MeeName, m_context.notifier).lastSignIn();
    const QString present = text("FrmManChe", "MsgScrView9");
    m_context.link.table().clearSignedIn();
    for (const SignInMark &mark : marks)
        if (KeypadEntry *entry = m_context.link.table().entry(textNumber(mark.CellNo)); entry && mark.sign == present)
            entry->signedIn = 1;
    m_context.state.signInClosed = !marks.isEmpty();
}

QString SignInController::stateText(int keypad) const
{
    return m_context.link.table().at(keypad).signedIn ? text("FrmManChe", "MsgClew4") : NotSigned;
}

void SignInController::start()
{
    beginCommandPhase(false);
}

void SignInController::fill()
{
    beginCommandPhase(true);
}

void SignInController::beginCommandPhase(bool fill)
{
    if (!m_startEnabled)
        return;
    if (m_context.link.isLost()) {
        information("MsgNoBase");
        return;
    }
    if (!fill)
        m_context.link.table().clearSignedIn();
    m_endWanted = false;
    m_lossOffered = false;
    m_fill = fill;
    m_running = true;
    m_shownList = 0;
    // A new sign-in is not yet ended, whatever the last one was: the live counts go to the hall again and
    // the meeting row is written only when this one ends.
    m_ended = false;
    m_marksRefused = false;
    m_context.state.signInClosed = false;
    m_startEnabled = false;
    m_endEnabled = false;
    m_linkLostJournalled = false;
    journalStart();
    m_context.hall.show(HallScreen::Pane::Chart);
    ChartModel &chart = m_context.hall.chart();
    // One caption line: the call to press the key, the count-down while one runs, the title at the end.
    chart.setCaption(text("FrmScrText", "ScrText5"), m_context.hall.textColour());
    chart.setSecondCaption(QString(), m_context.hall.textColour());
    refresh();
    m_commandTimer->start();
    m_context.link.post(LinkMode::PlainCommand, Command::PhaseStart);
    emit changed();
}

void SignInController::onCommandPhase()
{
    m_commandTimer->stop();
    m_context.link.post(LinkMode::PlainCommand, m_fill ? Command::SignInFill : Command::SignInStart);
    m_pollingTimer->start();
}

void SignInController::onBeginPolling()
{
    m_pollingTimer->stop();
    if (m_countDownEnabled) {
        m_secondsLeft = textNumber(m_countDownSeconds);
        m_countDownTimer->start();
    }
    m_endEnabled = true;
    m_context.link.post(LinkMode::SignInPolling);
    m_refreshTimer->start();
    emit changed();
}

void SignInController::onRefresh()
{
    refresh();
    journalNewlySigned();
}

void SignInController::journalStart()
{
    SignInStartRecord start;
    start.fill = m_fill;
    start.keypadCount = keypadCount();
    start.counted = m_counted.countedUpTo(keypadCount());
    start.presentMark = text("FrmManChe", "MsgScrView9");
    start.absentMark = text("FrmManChe", "MsgScrView10");
    m_journalledSigned.clear();
    for (int n = 1; n <= keypadCount(); ++n) {
        if (m_context.link.table().at(n).signedIn) {
            start.signedBefore.append(n);
            m_journalledSigned.insert(n);
        }
    }
    // Written at once, as the ballot's start is: the start is what recovery looks for, and the interface
    // thread is not in a hurry at this moment.
    m_journal->flush();
    MeetingJournal(m_context.root, m_context.meeting.MeeName, m_context.notifier).record({SignInJournal::start(start)});
}

void SignInController::waitForLiveEntries()
{
    m_journal->flush();
}

// Keypads only ever sign in while the sign-in runs, so the live entries list the newcomers of each second.
void SignInController::journalNewlySigned()
{
    QList<int> newcomers;
    for (int n = 1; n <= keypadCount(); ++n) {
        if (m_context.link.table().at(n).signedIn && !m_journalledSigned.contains(n)) {
            newcomers.append(n);
            m_journalledSigned.insert(n);
        }
    }
    if (!newcomers.isEmpty())
        m_journal->journal({SignInJournal::live(newcomers)});
}

void SignInController::onCountDownTick()
{
    if (m_secondsLeft <= 0) {
        m_countDownTimer->stop();
        end();
        return;
    }
    --m_secondsLeft;
    m_countDownText = clockText(m_secondsLeft);
    m_context.hall.chart().setCaption(
        m_context.catalogue.resolve(OperatorText::catalogue(QStringLiteral("FrmScrText"),
                                                    QStringLiteral("ScrCountDown"), {m_countDownText})),
        m_context.hall.textColour());
    sendCountsToHall();
    emit changed();
}

void SignInController::end()
{
    if (!m_running || !m_endEnabled || m_askingAboutLoss)
        return;
    // A final pass on a dead line would hear nobody: the operator keeps the marks collected so far, or the
    // sign-in ends by itself once the base station is back.
    if (m_context.link.isLost()) {
        m_countDownTimer->stop();
        if (offerCollectedSignIn() || !m_running)
            return;
        if (!m_context.link.isLost()) {
            beginFinalPass(); // back while the question was open
            return;
        }
        m_endWanted = true;
        emit changed();
        return;
    }
    beginFinalPass();
}

void SignInController::beginFinalPass()
{
    m_endWanted = false;
    m_countDownTimer->stop();
    m_countDownText = QStringLiteral("00:00");
    m_endEnabled = false;
    m_context.state.signInClosed = true;
    emit signInEnded();
    m_context.hall.chart().setCaption(text("FrmScrText", "ScrText1"), m_context.hall.textColour());
    m_ended = true;
    m_context.link.sequencer().take(LinkEvent::SignInPassDone);
    m_context.link.post(LinkMode::SignInFinalPass, Command::SignInEnd);
    m_refreshTimer->stop();
    m_finalPassTimer->start();
    emit changed();
}

void SignInController::onFinalPassCheck()
{
    if (m_askingAboutLoss)
        return;
    if (!m_context.link.sequencer().take(LinkEvent::SignInPassDone)) {
        // The sequencer starts the final pass over when the base station is back; meanwhile the operator
        // may keep what was collected instead of waiting.
        if (!m_context.link.hasBaseStation() && !m_lossOffered) {
            m_lossOffered = true;
            offerCollectedSignIn();
        }
        emit changed(); // the final pass's progress
        return;
    }
    m_finalPassTimer->stop();
    storeAndRelease();
}

void SignInController::storeAndRelease()
{
    store(JournalKind::SignInEnd);
    refresh();
    m_releaseTimer->start();
}

bool SignInController::offerCollectedSignIn()
{
    m_askingAboutLoss = true;
    const bool keep =
        m_context.notifier.question(OperatorText::catalogue(QStringLiteral("FrmManChe"), QStringLiteral("clew")),
                            OperatorText::catalogue(QStringLiteral("FrmManChe"), QStringLiteral("MsgEndLost"),
                                                    m_context.link.statusText().args));
    m_askingAboutLoss = false;
    if (!keep || !m_running || m_context.link.sequencer().isRaised(LinkEvent::SignInPassDone))
        return false;
    m_countDownTimer->stop();
    m_refreshTimer->stop();
    m_finalPassTimer->stop();
    m_context.link.sequencer().abandonSignInPoll();
    m_endWanted = false;
    m_endEnabled = false;
    if (!m_ended) {
        m_context.state.signInClosed = true;
        emit signInEnded();
        m_context.hall.chart().setCaption(text("FrmScrText", "ScrText1"), m_context.hall.textColour());
        m_ended = true;
    }
    storeAndRelease();
    return true;
}

bool SignInController::isStale() const
{
    return m_running && m_context.link.isLost();
}

int SignInController::finalPassProgress() const
{
    return isFinalPassRunning() ? m_context.link.sequencer().signInFinalPassProgress() : 0;
}

void SignInController::onConnectionChanged()
{
    if (m_running && m_context.link.isLost() != m_linkLostJournalled) {
        m_linkLostJournalled = m_context.link.isLost();
        m_journal->journal(
            {BallotJournal::link(m_linkLostJournalled, QString(), m_context.link.statusText().args.join(QLatin1Char(' ')))});
    }
    if (!m_context.link.isLost()) {
        m_lossOffered = false;
        if (m_endWanted && m_running && !m_ended)
            beginFinalPass();
    }
    emit changed();
}

void SignInController::onRelease()
{
    m_releaseTimer->stop();
    m_context.link.post(LinkMode::PlainCommand, Command::PhaseEnd);
    m_running = false;
    m_startEnabled = true;
    emit changed();
}

bool SignInController::queryKeypad(const QString &numberText)
{
    const QString digits = InputFilter::digitsOnly(numberText);
    const int n = digits.isEmpty() ? 0 : textNumber(digits);
    if (!m_startEnabled || n < 1 || n > keypadCount())
        return false;
    m_queriedKeypad = n;
    // Only an answer to this query counts, not one left from an earlier roll call.
    if (KeypadEntry *entry = m_context.link.table().entry(n))
        entry->answered = 0;
    m_context.link.post(LinkMode::SingleKeypadQuery, Command::Poll | quint32(n));
    m_queryTimer->start();
    return true;
}

void SignInController::onQueryAnswer()
{
    m_queryTimer->stop();
    KeypadEntry *entry = m_context.link.table().entry(m_queriedKeypad);
    if (!entry || !entry->answered) {
        information("MsgQueryNone", {QString::number(m_queriedKeypad)});
        return;
    }
    entry->signedIn = 1;
    // After a sign-in has ended, the stored marks, the log and the present count change together.
    const bool record = !m_running && m_context.state.signInClosed;
    if (record)
        store(JournalKind::SignInKeypad);
    refresh();
    if (record && !m_ended && !m_marksRefused)
        recordPresentCount(m_signed);
    m_context.link.post(LinkMode::PlainCommand, Command::SignInKeypad | (quint32(m_queriedKeypad) & 0xFF));
}

void SignInController::setCountDownEnabled(bool enabled)
{
    m_countDownEnabled = enabled;
    emit changed();
}

void SignInController::setCountDownSeconds(const QString &text)
{
    m_countDownSeconds = InputFilter::digitsOnly(text);
    emit changed();
}

void SignInController::refresh()
{
    countRoutine();
    emit listRefreshed();
    emit changed();
}

void SignInController::countRoutine()
{
    int signedIn = 0;
    for (int n : m_counted.countedUpTo(keypadCount()))
        signedIn += m_context.link.table().at(n).signedIn ? 1 : 0;
    m_strangers = m_counted.strangers(m_context.link.table(), keypadCount(),
                                      [](const KeypadEntry &e) { return e.signedIn != 0; });
    m_signed = signedIn;
    m_absent = m_due >= signedIn ? m_due - signedIn : 0;
    if (m_quorumMode == QLatin1String("1")) {
        // A due number of 0 only comes from a database changed by other means: no quorum can be judged
        // against it, so it is shown as not reached rather than dividing by zero.
        const bool reached = m_due > 0 && signedIn * 100 / m_due >= m_quorumPercent;
        m_quorumText = reached ? text("FrmManChe", "MsgScrView5") : text("FrmManChe", "MsgScrView6");
    } else if (m_quorumMode == QLatin1String("2")) {
        m_quorumText.clear();
    }
    if (!m_countDownEnabled || !m_ended)
        sendCountsToHall();
    // A count whose marks the meeting database refused would stand for a sign-in nobody can look up.
    if (m_ended && !m_marksRefused)
        recordPresentCount(signedIn);
}

// The sign-in's own entries carry the count they store, so the register's present count needs no entry of
// its own while it equals that count. It moves away from it only when the marks are counted again against
// a roster changed since (the window opened anew): that change of the register row is journalled.
void SignInController::recordPresentCount(int count)
{
    if (!m_context.systemDatabase.recordSignInCount(m_context.meeting.MeeName, QString::number(count)) ||
        count == m_journalledCount)
        return;
    m_journal->flush();
    MeetingChangeJournal::record(m_context.root, m_context.systemDatabase, m_context.meeting.MeeName,
                                 MeetingChangeJournal::PresentCount, m_context.notifier);
    m_journalledCount = count;
}

void SignInController::sendCountsToHall()
{
    if (!m_running && !m_ended)
        return;
    const QString values = ColonList::join(
        {QString::number(m_due), QString::number(m_signed), QString::number(m_absent), QString(), QString()});
    const QString labels =
        ColonList::join({text("FrmManChe", "IDC_STATIC_YDAO"), text("FrmManChe", "IDC_STATIC_YJDAO"),
                         text("FrmManChe", "IDC_STATIC_WDAO"), m_quorumText, QString()});
    if (m_shownList != 0)
        return; // the name board is on the hall screen; the figures wait until the lists are put away
    ChartModel &chart = m_context.hall.chart();
    chart.setUnits(text("FrmScrText", "ScrUnitPersons"), text("FrmScrText", "ScrUnitVotes"));
    chart.setScreen(int(ChartModel::Screen::Table), int(ChartModel::Kind::PersonCounts));
    chart.showResult(values, labels, m_context.hall.textColour());
}

void SignInController::store(const QString &kind)
{
    QList<SignInMark> marks;
    const QString present = text("FrmManChe", "MsgScrView9");
    const QString absentMark = text("FrmManChe", "MsgScrView10");
    int signedIn = 0;
    for (int n = 1; n <= keypadCount(); ++n) {
        const bool in = m_context.link.table().at(n).signedIn != 0;
        marks.append({QString::number(n), in ? present : absentMark});
        signedIn += in && m_counted.counts(n) ? 1 : 0;
    }
    // The live entries still queued go first, so the journal reads in the order things happened.
    journalNewlySigned();
    m_journal->flush();
    m_marksRefused = !MeetingDatabase(m_context.root, m_context.meeting.MeeName, m_context.notifier)
                          .storeSignIn(marks, {SignInJournal::marks(kind, marks, signedIn)});
    if (!m_marksRefused)
        m_journalledCount = signedIn;
}

void SignInController::showSignedList()
{
    showList(1);
}

void SignInController::showAbsentList()
{
    showList(2);
}

void SignInController::showList(int which)
{
    m_shownList = which;
    m_listNames.clear();
    for (int n = 1; n <= keypadCount(); ++n) {
        const KeypadEntry &entry = m_context.link.table().at(n);
        const bool wanted = which == 1 ? entry.signedIn != 0 : entry.signedIn == 0;
        if (wanted && !entry.excluded && !nameOf(n).isEmpty())
            m_listNames.append(nameOf(n));
    }
    m_page = 0;
    NameBoard &board = m_context.hall.nameBoard();
    m_context.hall.show(HallScreen::Pane::NameBoard);
    board.setColours(m_context.hall.background(), m_context.hall.textColour());
    board.setFont(m_context.screenWidthText == QLatin1String("800") ? 320 : 450, QStringLiteral("粗体"));
    // Nine rows: the title takes the first, eight rows of three names fill the rest of the board.
    board.setGrid(9, 3);
    board.setTitle(which == 1 ? text("FrmScrText", "ScrSignInList") : text("FrmScrText", "ScrAbsentList"));
    showNamePage();
    emit changed();
}

void SignInController::showNamePage()
{
    QStringList page = m_listNames.mid(m_page * NamesPerPage, NamesPerPage);
    while (page.size() < NamesPerPage)
        page.append(QString());
    m_context.hall.nameBoard().setNames(page, NamesPerPage);
}

void SignInController::pageUp()
{
    if (m_shownList == 0 || m_page == 0)
        return;
    --m_page;
    showNamePage();
}

void SignInController::pageDown()
{
    if (m_shownList == 0 || (m_page + 1) * NamesPerPage >= m_listNames.size())
        return;
    ++m_page;
    showNamePage();
}
