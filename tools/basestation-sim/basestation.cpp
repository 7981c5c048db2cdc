#include "basestation.h"

#include "pacedwriter.h"

#include "core/link/linkmode.h"

#include <QIODevice>
#include <QMap>
#include <QRegularExpression>
#include <QTimer>

namespace {
// The time a four-byte question takes on the line before the base station can answer it.
constexpr qint64 QuestionNs = 4 * PacedWriter::ByteNs;

FrameAssembler::KindSet allKinds()
{
    return FrameAssembler::KindSet().set();
}
} // namespace

BaseStation::BaseStation(Scenario scenario, PacedWriter &writer, QIODevice *log, QObject *parent)
    : QObject(parent), m_scenario(std::move(scenario)), m_writer(writer), m_log(log),
      m_assembler(allKinds()), m_random(m_scenario.seed)
{
    m_clock.start();
    for (int n = 1; n <= 249; ++n) {
        m_keypads[size_t(n)].online = isKeypad(n) && !m_scenario.offline.contains(n);
        m_keypads[size_t(n)].excluded = m_scenario.excluded.contains(n);
    }
    for (const Scenario::Timed &speak : m_scenario.speakers) {
        QTimer::singleShot(int(speak.afterSeconds * 1000), this, [this, speak] {
            for (int n : speak.keypads)
                request(n);
        });
    }
}

void BaseStation::receive(const QByteArray &bytes)
{
    for (const LinkFrame &frame : m_assembler.feed(bytes, m_clock.elapsed()))
        handle(frame);
}

void BaseStation::handle(const LinkFrame &frame)
{
    const quint32 v = frame.commandValue();
    const int n = frame.keypad();
    QString meaning;
    switch (frame.kind()) {
    case 0xFA:
        meaning = v == Command::Probe ? QStringLiteral("probe") : QStringLiteral("poll %1").arg(n);
        break;
    case 0xF0:
        meaning = v == Command::PhaseStart ? QStringLiteral("phase start") : QStringLiteral("phase end");
        break;
    case 0xF4:
        meaning = v == Command::SignInStart  ? QStringLiteral("sign-in start")
                  : v == Command::SignInFill ? QStringLiteral("sign-in fill")
                                             : QStringLiteral("sign-in end");
        break;
    case 0xF3:
        meaning = QStringLiteral("sign in %1").arg(n);
        break;
    case 0xF7:
        meaning = v == Command::BallotEnd ? QStringLiteral("ballot end") : QStringLiteral("ballot start");
        break;
    case 0xFB:
        meaning = v == Command::MicCloseAll ? QStringLiteral("close all") : QStringLiteral("close mic %1").arg(n);
        break;
    case 0xFC:
        meaning = QStringLiteral("open mic %1").arg(n);
        break;
    case 0xF2:
        meaning = frame.data() == 0x08 ? QStringLiteral("unlock %1").arg(n) : QStringLiteral("lock %1").arg(n);
        break;
    case 0xFE:
        meaning = QStringLiteral("speech mode %1 count %2").arg(frame.data(), 2, 16, QLatin1Char('0')).arg(n);
        break;
    case 0xE6:
        meaning = camera(frame.data());
        break;
    default:
        meaning = QStringLiteral("unknown");
        break;
    }
    logFrame("rx", frame, meaning);

    switch (frame.kind()) {
    case 0xFA:
        if (frame.data() == 0x00)
            answerPoll(n);
        break;
    case 0xF4:
        if (v == Command::SignInStart)
            openSignIn(true);
        else if (v == Command::SignInFill)
            openSignIn(false);
        else if (v == Command::SignInEnd)
            m_signInOpen = false;
        break;
    case 0xF3:
        if (isKeypad(n))
            m_keypads[size_t(n)].signedIn = true;
        break;
    case 0xF7:
        if (v == Command::BallotStartThree)
            startBallot(3, false);
        else if (v == Command::BallotStartThreeSeveral)
            startBallot(3, true);
        else if (v == Command::BallotStartFive)
            startBallot(5, false);
        else if (v == Command::BallotStartFiveSeveral)
            startBallot(5, true);
        else if (v == Command::BallotEnd)
            m_ballotOpen = false; // keys freeze; polls still report them
        break;
    case 0xFB:
        if (v == Command::MicCloseAll) {
            // The queue goes first, or closing the speakers would hand it the floor.
            for (int k : QList<int>(m_waitingOrder))
                if (k > m_scenario.reserved)
                    closeMic(k);
            for (int k = m_scenario.reserved + 1; k <= m_scenario.keypads; ++k)
                closeMic(k);
        } else {
            closeMic(n);
        }
        break;
    case 0xFC:
        m_camera.lastOpened = isKeypad(n) ? n : m_camera.lastOpened;
        openMic(n);
        break;
    case 0xF2:
        if (!isKeypad(n))
            break;
        if (frame.data() == 0x08) {
            m_keypads[size_t(n)].excluded = false;
        } else {
            m_keypads[size_t(n)].excluded = true;
            closeMic(n, 0x30);
        }
        break;
    case 0xFE:
        m_speechMode = frame.data();
        m_speakerCount = qMax(1, n);
        grantWaiting();
        break;
    default:
        break;
    }
}

void BaseStation::answerPoll(int n)
{
    // The base station itself answers for keypad 1, so the probe is answered even when keypad 1 is off.
    const bool baseAnswer = n == 1;
    if (!isKeypad(n) || !m_keypads[size_t(n)].online) {
        if (baseAnswer)
            send(LinkFrame::withChecksum(LinkFrame::KeypadKind, 0x80, 1));
        return;
    }
    const Keypad &k = m_keypads[size_t(n)];
    const int status = (k.excluded ? 0 : 0x80) | (k.signedIn ? 0x40 : 0) | (k.micOpen ? 0x20 : 0) | k.keyCode;
    send(LinkFrame::withChecksum(LinkFrame::KeypadKind, quint8(status), quint8(n)));
}

void BaseStation::send(const LinkFrame &frame)
{
    if (m_muted)
        return;
    QString meaning;
    if (frame.kind() == LinkFrame::KeypadKind)
        meaning = QStringLiteral("keypad %1").arg(frame.keypad());
    else
        meaning = QStringLiteral("status %1 keypad %2").arg(frame.data(), 2, 16, QLatin1Char('0')).arg(frame.keypad());
    logFrame("tx", frame, meaning);
    m_writer.write(QByteArray(reinterpret_cast<const char *>(frame.bytes.data()), 4), QuestionNs);
}

void BaseStation::sendStatus(quint8 code, int n)
{
    send(LinkFrame::withChecksum(LinkFrame::RequestStatusKind, code, quint8(n)));
}

void BaseStation::logFrame(const char *direction, const LinkFrame &frame, const QString &meaning)
{
    if (!m_log)
        return;
    const QByteArray line = QStringLiteral("%1 %2 %3 %4\n")
                                .arg(double(m_clock.nsecsElapsed()) / 1e9, 0, 'f', 4)
                                .arg(QLatin1String(direction))
                                .arg(QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(
                                                                        frame.bytes.data()), 4).toHex(' ').toUpper()))
                                .arg(meaning)
                                .toUtf8();
    m_log->write(line);
}

void BaseStation::openSignIn(bool clear)
{
    if (clear) {
        for (Keypad &k : m_keypads)
            k.signedIn = false;
    }
    m_signInOpen = true;
    const int generation = ++m_signInGeneration;
    for (const Scenario::Timed &signIn : m_scenario.signIns) {
        QTimer::singleShot(int(signIn.afterSeconds * 1000), this, [this, signIn, generation] {
            if (!m_signInOpen || generation != m_signInGeneration)
                return;
            for (int n : signIn.keypads) {
                if (isKeypad(n) && m_keypads[size_t(n)].online)
                    m_keypads[size_t(n)].signedIn = true;
            }
        });
    }
}

void BaseStation::startBallot(int keys, bool several)
{
    for (Keypad &k : m_keypads)
        k.keyCode = 0;
    m_ballotOpen = true;
    m_ballotKeys = keys;
    m_ballotSeveral = several;
    const int ballot = ++m_ballotCount;
    QTimer::singleShot(int(m_scenario.voteDelaySeconds * 1000), this, [this, ballot] {
        if (m_ballotOpen && ballot == m_ballotCount)
            applyScriptedVotes(ballot);
    });
}

void BaseStation::applyScriptedVotes(int ballot)
{
    for (int n = 1; n <= m_scenario.keypads; ++n) {
        if (!m_keypads[size_t(n)].online)
            continue;
        const Scenario::VoteRule *chosen = nullptr;
        // A rule for this very ballot wins over a rule for every ballot.
        for (const int wanted : {ballot, 0}) {
            for (const Scenario::VoteRule &rule : m_scenario.votes) {
                if (!chosen && rule.ballot == wanted && (rule.keypads.isEmpty() || rule.keypads.contains(n)))
                    chosen = &rule;
            }
        }
        if (!chosen)
            continue;
        int code = chosen->keyCode;
        if (!chosen->weights.isEmpty()) {
            int total = 0;
            for (const auto &w : chosen->weights)
                total += w.second;
            int pick = total > 0 ? int(m_random.bounded(total)) : 0;
            code = 0;
            for (const auto &w : chosen->weights) {
                if (pick < w.second) {
                    code = w.first > 0 ? 1 << (w.first - 1) : 0;
                    break;
                }
                pick -= w.second;
            }
        }
        // Several keys in one rule are pressed together: the keypad reports them all, even in a ballot
        // that wants one, as a delegate who presses two keys at once does.
        if (code != 0 && m_ballotOpen)
            m_keypads[size_t(n)].keyCode = code & ((1 << m_ballotKeys) - 1);
    }
}

void BaseStation::pressKey(int n, int key)
{
    if (!isKeypad(n) || !m_ballotOpen || key < 1 || key > m_ballotKeys)
        return;
    Keypad &k = m_keypads[size_t(n)];
    const int bit = 1 << (key - 1);
    k.keyCode = m_ballotSeveral ? (k.keyCode | bit) : bit;
}

int BaseStation::openUnreservedMics() const
{
    return int(m_speakingOrder.size());
}

void BaseStation::request(int n)
{
    if (!isKeypad(n) || !m_keypads[size_t(n)].online || m_keypads[size_t(n)].excluded ||
        m_keypads[size_t(n)].micOpen)
        return;
    if (n <= m_scenario.reserved) {
        // A chair keypad takes the floor: every other speaker is cut off.
        for (int k : QList<int>(m_speakingOrder))
            closeMic(k, 0x30);
        m_keypads[size_t(n)].micOpen = true;
        sendStatus(0x08, n);
        return;
    }
    if (openUnreservedMics() >= m_speakerCount) {
        if (m_speechMode != 0x81) {
            if (!m_keypads[size_t(n)].waiting)
                m_waitingOrder.append(n);
            m_keypads[size_t(n)].waiting = true;
            sendStatus(0x02, n);
            return;
        }
        closeMic(m_speakingOrder.constFirst()); // first in, first out
    }
    openMic(n);
}

void BaseStation::withdraw(int n)
{
    if (!isKeypad(n))
        return;
    Keypad &k = m_keypads[size_t(n)];
    if (k.waiting) {
        k.waiting = false;
        m_waitingOrder.removeAll(n);
        sendStatus(0x04, n);
    } else if (k.micOpen) {
        closeMic(n);
    }
}

void BaseStation::openMic(int n)
{
    if (!isKeypad(n) || !m_keypads[size_t(n)].online)
        return;
    Keypad &k = m_keypads[size_t(n)];
    k.waiting = false;
    m_waitingOrder.removeAll(n);
    if (!k.micOpen) {
        k.micOpen = true;
        if (n > m_scenario.reserved)
            m_speakingOrder.append(n);
    }
    sendStatus(0x01, n);
    // A camera with a preset for this delegate turns to him.
    if (m_camera.presets[size_t(m_camera.selected)].contains(n))
        m_camera.pointsAt = n;
}

// A microphone came free: the longest-waiting request gets it, as many as the speaker count allows.
void BaseStation::grantWaiting()
{
    if (m_speechMode == 0x81)
        return;
    while (!m_waitingOrder.isEmpty() && openUnreservedMics() < m_speakerCount)
        openMic(m_waitingOrder.takeFirst());
}

// Carries out a camera command and says what it was, for the log.
QString BaseStation::camera(int op)
{
    static const QMap<int, QString> motions = {{0xCC, QStringLiteral("up")},        {0x9E, QStringLiteral("left")},
                                               {0x9C, QStringLiteral("right")},     {0xC6, QStringLiteral("down")},
                                               {0xF8, QStringLiteral("zoom near")}, {0xC0, QStringLiteral("zoom far")},
                                               {0xFC, QStringLiteral("iris open")}, {0xFE, QStringLiteral("iris close")}};
    if (op >= 1 && op <= 8) {
        m_camera.selected = op;
        return QStringLiteral("camera select %1").arg(op);
    }
    if (motions.contains(op)) {
        m_camera.motion = motions.value(op);
        return QStringLiteral("camera ") + m_camera.motion;
    }
    QList<int> &presets = m_camera.presets[size_t(m_camera.selected)];
    switch (op) {
    case 0xCF:
        m_camera.motion = QStringLiteral("stopped");
        return QStringLiteral("camera stop");
    case 0xF4:
    case 0xF5:
        m_camera.line = op == 0xF4 ? QStringLiteral("rs422") : QStringLiteral("rs232");
        return QStringLiteral("camera line ") + m_camera.line;
    case 0x8A:
    case 0x8B:
        m_camera.protocol = op == 0x8A ? QStringLiteral("pelcod") : QStringLiteral("visca");
        return QStringLiteral("camera protocol ") + m_camera.protocol;
    case 0xE6:
        return QStringLiteral("camera speed up");
    case 0xCE:
        return QStringLiteral("camera speed down");
    case 0xF6:
        return QStringLiteral("camera home");
    case 0xF0:
        if (m_camera.lastOpened > 0 && !presets.contains(m_camera.lastOpened))
            presets.append(m_camera.lastOpened);
        m_camera.pointsAt = m_camera.lastOpened;
        return QStringLiteral("camera store preset %1").arg(m_camera.lastOpened);
    case 0xF2:
        presets.clear();
        return QStringLiteral("camera clear presets");
    default:
        return QStringLiteral("camera %1").arg(op, 2, 16, QLatin1Char('0'));
    }
}

QString BaseStation::cameraState() const
{
    QStringList presets;
    for (int n : m_camera.presets[size_t(m_camera.selected)])
        presets << QString::number(n);
    return QStringLiteral("camera %1 line %2 protocol %3 motion %4 at %5 presets %6")
        .arg(m_camera.selected)
        .arg(m_camera.line, m_camera.protocol, QString(m_camera.motion).replace(QLatin1Char(' '), QLatin1Char('-')))
        .arg(m_camera.pointsAt)
        .arg(presets.isEmpty() ? QStringLiteral("-") : presets.join(QLatin1Char(',')));
}

void BaseStation::closeMic(int n, quint8 code)
{
    if (!isKeypad(n))
        return;
    Keypad &k = m_keypads[size_t(n)];
    if (!k.micOpen && !k.waiting)
        return;
    const bool freed = k.micOpen && n > m_scenario.reserved;
    k.micOpen = false;
    k.waiting = false;
    m_speakingOrder.removeAll(n);
    m_waitingOrder.removeAll(n);
    sendStatus(code, n);
    if (freed)
        grantWaiting();
}

QString BaseStation::command(const QString &line)
{
    const QStringList t = line.trimmed().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (t.isEmpty())
        return {};
    const QString &word = t[0];
    const auto keypads = Scenario::parseKeypadList(t.mid(1, word == QLatin1String("press") ? 1 : -1),
                                                   m_scenario.keypads);
    const auto needList = [&] { return keypads && !keypads->isEmpty() && t.size() > 1; };

    if (word == QLatin1String("press")) {
        bool ok = false;
        const int key = t.value(2).toInt(&ok);
        if (!needList() || !ok || t.size() != 3)
            return QStringLiteral("error: press KEYPADS KEY");
        for (int n : *keypads)
            pressKey(n, key);
    } else if (word == QLatin1String("signin")) {
        if (!needList())
            return QStringLiteral("error: signin KEYPADS");
        for (int n : *keypads)
            m_keypads[size_t(n)].signedIn = m_keypads[size_t(n)].online;
    } else if (word == QLatin1String("request") || word == QLatin1String("cancel")) {
        if (!needList())
            return QStringLiteral("error: %1 KEYPADS").arg(word);
        for (int n : *keypads)
            word == QLatin1String("request") ? request(n) : withdraw(n);
    } else if (word == QLatin1String("offline") || word == QLatin1String("online")) {
        if (!needList())
            return QStringLiteral("error: %1 KEYPADS").arg(word);
        for (int n : *keypads)
            m_keypads[size_t(n)].online = word == QLatin1String("online");
    } else if (word == QLatin1String("exclude") || word == QLatin1String("include")) {
        if (!needList())
            return QStringLiteral("error: %1 KEYPADS").arg(word);
        for (int n : *keypads)
            m_keypads[size_t(n)].excluded = word == QLatin1String("exclude");
    } else if (word == QLatin1String("state")) {
        if (!needList())
            return QStringLiteral("error: state KEYPADS");
        QStringList states;
        for (int n : *keypads) {
            const Keypad &k = m_keypads[size_t(n)];
            states << QStringLiteral("%1:%2%3%4%5k%6").arg(n).arg(k.online ? QString() : QStringLiteral("off,"),
                                                               k.excluded ? QStringLiteral("excl,") : QString(),
                                                               k.signedIn ? QStringLiteral("in,") : QString(),
                                                               k.micOpen ? QStringLiteral("mic,")
                                                               : k.waiting ? QStringLiteral("wait,")
                                                                           : QString())
                          .arg(k.keyCode);
        }
        return states.join(QLatin1Char(' '));
    } else if (word == QLatin1String("camera")) {
        return cameraState();
    } else if (word == QLatin1String("mute") || word == QLatin1String("unmute")) {
        m_muted = word == QLatin1String("mute");
    } else if (word == QLatin1String("unplug")) {
        emit unplugRequested();
    } else if (word == QLatin1String("replug")) {
        emit replugRequested();
    } else if (word == QLatin1String("quit")) {
        emit quitRequested();
    } else {
        return QStringLiteral("error: unknown command '%1'").arg(word);
    }
    return QStringLiteral("ok");
}
