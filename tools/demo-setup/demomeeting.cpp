#include "demomeeting.h"

#include "core/prepare/candidatelistcontroller.h"
#include "core/prepare/documenteditorcontroller.h"
#include "core/prepare/meetingmaterial.h"
#include "core/prepare/meetingregistercontroller.h"
#include "core/prepare/motionscontroller.h"
#include "core/base/colonlist.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/base/profilefile.h"
#include "core/store/meetingdatabase.h"
#include "core/store/systemdatabase.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

QColor portraitColour(const QString &name)
{
    static const QList<QPair<QString, QColor>> colours = {
        {QStringLiteral("teal"), QColor(0x2a, 0x9d, 0x96)},
        {QStringLiteral("amber"), QColor(0xf2, 0xb1, 0x34)},
        {QStringLiteral("slate"), QColor(0x1e, 0x3a, 0x5f)},
        {QStringLiteral("rose"), QColor(0xc2, 0x56, 0x6f)},
        {QStringLiteral("olive"), QColor(0x7a, 0x8b, 0x3c)},
        {QStringLiteral("indigo"), QColor(0x4b, 0x4f, 0xa8)},
    };
    for (const auto &[key, colour] : colours)
        if (key == name)
            return colour;
    return QColor(0x8a, 0x93, 0x9e);
}

// A head-and-shoulders silhouette in the named colour: a stand-in photo that needs no picture file.
QByteArray portrait(const QString &colourName, int keypad)
{
    static const QColor skins[] = {QColor(0xf1, 0xc2, 0x9c), QColor(0xc6, 0x8e, 0x63),
                                   QColor(0x8d, 0x5a, 0x3b), QColor(0xe0, 0xac, 0x84)};
    QImage picture(96, 120, QImage::Format_RGB888);
    picture.fill(QColor(0xe8, 0xed, 0xf3));
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(portraitColour(colourName));
        painter.drawEllipse(QRectF(6, 78, 84, 70));
        painter.setBrush(skins[keypad % 4]);
        painter.drawEllipse(QRectF(28, 24, 40, 48));
        painter.setBrush(QColor(0x2b, 0x22, 0x1c));
        painter.drawChord(QRectF(26, 20, 44, 34), 0, 180 * 16);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

bool on(const ProfileDocument &document, const QString &section, const char *key)
{
    return document.value(section, QString::fromLatin1(key)).value_or(QString()) == u"1";
}

} // namespace

DemoMeeting::DemoMeeting(const DataRoot &root, SystemDatabase &system, OperatorNotifier &notifier,
                         TextCatalogue catalogue, QString sourceFolder)
    : m_root(root), m_system(system), m_notifier(notifier), m_catalogue(std::move(catalogue)),
      m_source(std::move(sourceFolder))
{}

bool DemoMeeting::copyDocument(const QString &source, const QString &target) const
{
    if (target.isEmpty() || !QDir().mkpath(QFileInfo(target).path()))
        return false;
    QFile::remove(target);
    if (QFile::copy(m_source + QLatin1Char('/') + source, target))
        return true;
    m_notifier.error(OperatorText::plain(QStringLiteral("quorix-demo-setup")),
                     OperatorText::plain(QStringLiteral("cannot copy ") + source));
    return false;
}

bool DemoMeeting::create()
{
    const ProfileDocument meeting = ProfileFile(m_source + QStringLiteral("/meeting.ini")).read();
    const QString section = QStringLiteral("Mottag");
    const auto value = [&](const char *key) {
        return meeting.value(section, QString::fromLatin1(key)).value_or(QString());
    };
    const QString name = value("MeeName");
    if (name.isEmpty() || m_system.meetingExists(name))
        return true;

    MeetingRegisterController meetings(m_root, m_system, m_notifier, m_catalogue);
    meetings.open();
    meetings.startNew();
    meetings.setName(name);
    meetings.setPlace(value("MeeAddr"));
    meetings.setStart(value("DateStart"));
    meetings.setEnd(value("DateEnd"));
    meetings.setDue(value("DueNum"));
    if (value("bSetLimit") == u"1") {
        meetings.setQuorum(true);
        meetings.setRatio(value("limit"));
    }
    if (!meetings.save())
        return false;
    const MeetingRecord stored = meetings.record();
    if (!value("banner").isEmpty()) {
        const QString banner =
            MeetingMaterial::bannerPath(m_root, MeetingMaterial::documentName(stored.insertdate));
        if (!copyDocument(value("banner"), banner))
            return false;
        meetings.bannerSaved();
    }
    return addDelegates(stored.MeeName) && addMotions(stored.MeeName, stored.insertdate);
}

bool DemoMeeting::addDelegates(const QString &meetingName)
{
    QFile file(m_source + QStringLiteral("/delegates.csv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return true;
    MeetingDatabase database(m_root, meetingName, m_notifier);
    QTextStream lines(&file);
    lines.setEncoding(QStringConverter::Utf8);
    bool header = true;
    while (!lines.atEnd()) {
        const QString line = lines.readLine();
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList f = line.split(u',');
        if (f.size() < 12)
            continue;
        DelegateRecord d;
        d.CellNo = f[0];
        d.EmpName = f[1];
        d.EmpSex = f[2] == u"F" ? m_catalogue.text(QStringLiteral("FrmManinfo"), QStringLiteral("cbSex2"))
                                : m_catalogue.text(QStringLiteral("FrmManinfo"), QStringLiteral("cbSex1"));
        d.Nationality = f[3];
        d.Unit = f[4];
        d.Title = f[5];
        d.Office_phone = f[6];
        d.delegacy = f[7];
        d.presidium = f[8];
        d.SeatNo = f[9];
        d.Grouping = f[10];
        if (!database.insertDelegate(d))
            return false;
        if (!f[11].isEmpty() && !database.writePhotoByKeypad(d.CellNo, portrait(f[11], f[0].toInt())))
            return false;
    }
    return true;
}

bool DemoMeeting::addMotions(const QString &meetingName, const QString &meetingStamp)
{
    const ProfileDocument agenda = ProfileFile(m_source + QStringLiteral("/motions.ini")).read();
    MotionsController motions(m_root, m_system, m_notifier, m_catalogue);
    motions.setMeeting(meetingName, meetingStamp);
    for (const QString &section : agenda.sectionNames()) {
        const auto value = [&](const char *key) {
            return agenda.value(section, QString::fromLatin1(key)).value_or(QString());
        };
        const int type = value("type").toInt() - 1;
        motions.startNew();
        motions.setTitle(value("title"));
        motions.setType(type);
        if (!value("base").isEmpty())
            motions.setBase(value("base").toInt() - 1);
        if (!value("rule").isEmpty())
            motions.setRule(value("rule").toInt() - 1);
        if (!value("threshold").isEmpty())
            motions.setThreshold(value("threshold"));
        if (!value("seconds").isEmpty()) {
            motions.setTimeLimit(true);
            motions.setSeconds(value("seconds"));
        }
        motions.setAbstain(on(agenda, section, "abstain"));
        motions.setPercentages(on(agenda, section, "percentages"));
        motions.setVerdict(on(agenda, section, "verdict"));
        motions.setLive(on(agenda, section, "live"));
        motions.setVerdictText(value("verdictText"));
        if (!motions.save())
            return false;
        if (!value("candidates").isEmpty()) {
            CandidateListController candidates({}, type, false);
            const QStringList names =
                ColonList::split(value("candidates"), CandidateListController::FieldCount);
            for (int i = 0; i < names.size(); ++i)
                candidates.setName(i, names[i]);
            if (!motions.storeCandidates(candidates.result()))
                return false;
        }
        if (!value("document").isEmpty()) {
            const DocumentSetup setup = motions.contentSetup();
            const QString target = MeetingMaterial::contentPath(
                m_root, setup.folder, MeetingMaterial::documentName(setup.baseName));
            if (!copyDocument(value("document"), target))
                return false;
            motions.contentSaved();
        }
    }
    return true;
}
