#include "core/conduct/speechcontroller.h"

#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/base/inputfilter.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/seating/roompicture.h"
#include "core/seating/seatplanfile.h"
#include "core/base/timers.h"
#include "core/store/meetingdatabase.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"

#include <QTimer>

namespace {
const QString Section = QStringLiteral("FrmMootset");
const QString PlanExists = QStringLiteral("yes");
// The base station's mode values: the middle byte of the speaker-count command.
constexpr quint32 ReplaceModeValue = 4;
constexpr quint32 QueueModeValue = 2;
} // namespace

SpeechController::SpeechController(ConferenceContext &context, QObject *parent)
    : QObject(parent), m_context(context), m_seatTimer(Timers::make(this, SeatRefreshMs, false)),
      m_scanTimer(Timers::make(this, ScanMs, false)),
      m_speakingTimer(Timers::make(this, SpeakingTickMs, false)),
      m_seats(context.root.filePath(SeatPlanFile::relativePath()))
{
    connect(m_seatTimer, &QTimer::timeout, this, &SpeechController::refreshSeats);
    connect(m_scanTimer, &QTimer::timeout, this, &SpeechController::scan);
    connect(m_speakingTimer, &QTimer::timeout, this, &SpeechController::onSpeakingTick);
    // A lock counts from the moment its command is on the line, not from the click: until then the
    // base station still lets the keypad speak, and the seat map must say so.
    connect(&m_context.link.sequencer(), &CommandSequencer::sendRequested, this, &SpeechController::onSent);
}

int SpeechController::keypadCount() const
{
    return m_context.link.settings().keypadCount;
}

void SpeechController::open()
{
    // Names by keypad number, whether or not the hall has a seat plan: the hall line and the speaking
    // time name the speaker either way.
    m_names.clear();
    MeetingDatabase database(m_context.root, m_context.meeting.MeeName, m_context.notifier);
    const DelegateList delegates = database.listDelegates();
    for (qsizetype i = 0; i < delegates.CellNo.size(); ++i) {
        const int keypad = textNumber(delegates.CellNo[i]);
        if (KeypadTable::isKeypadNumber(keypad) && !m_names.contains(keypad))
            m_names.insert(keypad, delegates.EmpName.value(i));
    }
    loadSeatPlan();
    m_running = true;
    m_seatTimer->start();
    m_scanTimer->start();
    if (m_speakingTimeOpen)
        m_speakingTimer->start();
    refreshSeats();
    scan();
    emit changed();
}

// Without a stored plan the map still shows every keypad, as a grid: the operator needs the states and
// the clicks in every hall.
void SpeechController::loadSeatPlan()
{
    const SettingsRecord settings = m_context.systemDatabase.loadSettings();
    m_hasPlan = settings.SeatYesORNo == PlanExists;
    if (m_hasPlan) {
        m_seats.load();
        m_seats.setPicture(RoomPicture(m_context.root).load(settings.ico));
    } else {
        m_seats.generate({keypadCount(), 14, 8, 24});
        m_seats.clearPicture();
    }
}

void SpeechController::leave()
{
    m_running = false;
    m_seatTimer->stop();
    m_scanTimer->stop();
    m_speakingTimer->stop();
    emit changed();
}

void SpeechController::post(quint32 command)
{
    m_context.link.post(LinkMode::SpeechCommand, command);
}

void SpeechController::setMode(Mode mode)
{
    m_mode = mode;
    switch (mode) {
    case Mode::Free:
        post(Command::SpeechModeFree);
        break;
    case Mode::Replace:
        post(Command::SpeechModeReplace);
        break;
    case Mode::Queue:
        post(Command::SpeechModeQueue);
        break;
    }
    m_speakerCount = 1;
    m_context.link.table().clearRequests(1, keypadCount());
    emit changed();
    refreshSeats();
}

void SpeechController::setSpeakerCount(int count)
{
    if (m_mode == Mode::Free || count < 1 || count > MaxSpeakers)
        return;
    m_speakerCount = count;
    const quint32 value = m_mode == Mode::Replace ? ReplaceModeValue : QueueModeValue;
    post(Command::SpeechMode | (value << 8) | quint32(count));
    m_context.link.table().clearRequests(1, keypadCount());
    emit changed();
    refreshSeats();
}

void SpeechController::setKeypadText(const QString &text)
{
    const QString digits = InputFilter::digitsOnly(text).left(3);
    if (digits == m_keypadText)
        return;
    m_keypadText = digits;
    emit changed();
}

int SpeechController::keypadOfSeat(int index) const
{
    if (index < 0 || index >= m_seats.table().count())
        return 0;
    return textNumber(m_seats.table().at(index).caption.trimmed());
}

void SpeechController::clickSeat(int index)
{
    const int keypad = keypadOfSeat(index);
    if (keypad > 0 && isSeatEnabled(keypad))
        setKeypadText(QString::number(keypad));
}

bool SpeechController::singleKeypad(quint32 command)
{
    const int n = textNumber(m_keypadText);
    if (n < 1 || n > keypadCount()) {
        m_context.notifier.information(OperatorText::catalogue(Section, QStringLiteral("MsgClew")),
                                       OperatorText::catalogue(Section, QStringLiteral("MsgClewErr")));
        return false;
    }
    post(command | quint32(n));
    return true;
}

bool SpeechController::openMicrophone()
{
    return singleKeypad(Command::MicOpen);
}

bool SpeechController::closeMicrophone()
{
    return singleKeypad(Command::MicClose);
}

bool SpeechController::lock()
{
    return singleKeypad(Command::Exclude);
}

bool SpeechController::unlock()
{
    return singleKeypad(Command::Include);
}

void SpeechController::closeAll()
{
    // The chair's keypads keep their microphones.
    m_context.link.table().clearRequests(m_context.link.settings().reservedCount + 1, keypadCount());
    post(Command::MicCloseAll);
    refreshSeats();
}

void SpeechController::onSent(quint32 command)
{
    const int n = int(command & 0xFF);
    KeypadEntry *entry = m_context.link.table().entry(n);
    if (!entry)
        return;
    if ((command & 0xFFFF00) == Command::Include) {
        entry->excluded = 0;
    } else if ((command & 0xFFFF00) == Command::Exclude) {
        entry->excluded = 1;
        // A locked keypad loses the floor and its place in the queue on the base station.
        entry->request = 0;
        entry->waiting = 0;
    } else {
        return;
    }
    refreshSeats();
}

SpeechController::MicState SpeechController::micState(int keypad) const
{
    return m_states.value(keypad, MicState::Offline);
}

void SpeechController::refreshSeats()
{
    QMap<int, MicState> states;
    QMap<int, bool> enabled;
    const KeypadTable &table = m_context.link.table();
    for (int n = 1; n <= keypadCount(); ++n) {
        const KeypadEntry &e = table.at(n);
        MicState state = MicState::Closed;
        if (!e.answered)
            state = MicState::Offline;
        else if (e.excluded)
            state = MicState::Locked;
        else if (e.request)
            state = MicState::Open;
        else if (e.waiting)
            state = MicState::Waiting;
        states.insert(n, state);
        enabled.insert(n, state != MicState::Offline && state != MicState::Locked);
    }
    if (states == m_states && enabled == m_enabled)
        return;
    m_states = states;
    m_enabled = enabled;
    emit seatsChanged();
}

void SpeechController::setLabelsByName(bool byName)
{
    if (m_labelsByName == byName)
        return;
    m_labelsByName = byName;
    emit seatsChanged();
}

QString SpeechController::seatLabel(int index) const
{
    const int keypad = keypadOfSeat(index);
    if (keypad <= 0)
        return index >= 0 && index < m_seats.table().count() ? m_seats.table().at(index).caption : QString();
    if (m_labelsByName && m_names.contains(keypad))
        return m_names.value(keypad);
    return QString::number(keypad);
}

void SpeechController::scan()
{
    const KeypadTable &table = m_context.link.table();
    const QList<int> before = m_order;
    for (int n = 1; n <= keypadCount(); ++n) {
        const bool open = table.at(n).request != 0;
        if (m_order.contains(n) && !open)
            m_order.removeAll(n);
        else if (!m_order.contains(n) && open)
            m_order.append(n);
    }
    // Keypads beyond a lowered keypad count are no longer scanned: they leave the order too.
    m_order.removeIf([this](int n) { return n > keypadCount(); });

    QList<SpeakingTime::Speaker> speakers;
    for (int n : std::as_const(m_order))
        speakers.append({n, m_names.value(n), 0});
    m_speakingTime.followSpeakers(speakers);
    QList<SpeakingTime::Waiting> waiting;
    QList<int> waitingKeypads;
    for (int n = 1; n <= keypadCount(); ++n) {
        if (table.at(n).waiting) {
            waiting.append({n, m_names.value(n)});
            waitingKeypads.append(n);
        }
    }
    m_speakingTime.setWaiting(waiting);

    if (m_nameDisplay)
        showHallLine();
    if (before != m_order || waitingKeypads != m_waitingKeypads) {
        m_waitingKeypads = waitingKeypads;
        emit speakersChanged();
    }
}

void SpeechController::showHallLine()
{
    if (m_order.isEmpty()) {
        if (m_shownSpeaker == 0 && m_hallLine.isEmpty())
            return;
        m_shownSpeaker = 0;
        m_hallLine.clear();
    } else {
        const int newest = m_order.constLast();
        if (newest == m_shownSpeaker)
            return;
        m_shownSpeaker = newest;
        const QString name = m_names.value(newest);
        m_hallLine = name.isEmpty() ? QString()
                                    : name + m_context.catalogue.text(Section, QStringLiteral("MsgSpeaking"));
    }
    prepareHall();
    m_context.hall.chart().showMessage(m_hallLine, QString(), QString(), m_context.hall.textColour());
    emit speakersChanged();
}

void SpeechController::prepareHall()
{
    m_context.hall.show(HallScreen::Pane::Chart);
    ChartModel &chart = m_context.hall.chart();
    const QColor text = m_context.hall.textColour();
    chart.setColours(m_context.hall.background(), m_context.hall.background());
    chart.setCaption(QString(), text);
    chart.setSecondCaption(QString(), text);
    chart.setScreen(int(ChartModel::Screen::Message), 0);
}

void SpeechController::setNameDisplay(bool on)
{
    if (m_nameDisplay == on)
        return;
    m_nameDisplay = on;
    if (on) {
        // The hall shows the newest speaker from the next scan on, also one who was already speaking.
        prepareHall();
        m_shownSpeaker = -1;
        scan();
    }
    emit changed();
}

void SpeechController::setSpeakingTimeOpen(bool open)
{
    m_speakingTimeOpen = open;
    if (open && m_running)
        m_speakingTimer->start();
    else
        m_speakingTimer->stop();
    emit changed();
}

void SpeechController::onSpeakingTick()
{
    const QList<int> ended = m_speakingTime.tick();
    // The operator closes the microphone whose time ran out: its keypad is ready in the field.
    if (!ended.isEmpty())
        setKeypadText(QString::number(ended.constLast()));
    emit speakersChanged();
}
