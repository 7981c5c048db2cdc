#include "core/shell/basicsettingscontroller.h"

#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/output/screengeometry.h"
#include "core/base/colonlist.h"
#include "core/base/operatornotifier.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"

namespace {
const QString DefaultScreenSize = QStringLiteral("1024*768");

OperatorText basicText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("Frmbasicset"), QLatin1String(key));
}

// A digits-only field as the number it holds; -1 when it holds no digits at all.
int fieldNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return -1;
    for (const QChar c : trimmed)
        if (!c.isDigit())
            return -1;
    return textNumber(trimmed);
}

QString checkBoxText(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("2");
}
} // namespace

QStringList BasicSettingsController::screenSizes()
{
    return {QStringLiteral("1024*768"), QStringLiteral("1280*720"), QStringLiteral("1366*768"),
            QStringLiteral("1920*1080")};
}

QStringList BasicSettingsController::factoryScores()
{
    return {QStringLiteral("0"), QStringLiteral("25"), QStringLiteral("50"), QStringLiteral("75"),
            QStringLiteral("100")};
}

BasicSettingsController::BasicSettingsController(SystemDatabase &database, Link &link, HallScreen &hall,
                                                 OperatorNotifier &notifier, QObject *parent)
    : QObject(parent), m_database(database), m_link(link), m_hall(hall), m_notifier(notifier)
{
    m_fields.scores = factoryScores();
    m_stored = m_fields;
}

void BasicSettingsController::tell(const char *key)
{
    m_notifier.information(basicText("clew"), basicText(key));
}

void BasicSettingsController::open(int screenLeft)
{
    m_screenLeft = screenLeft;
    const SettingsRecord s = m_database.loadSettings();
    Fields f;
    f.keypadCount = s.cellnum;
    f.reservedCount = s.cinnum;
    f.lowestPort = s.comlow;
    f.highestPort = s.comHigh;
    f.screenSize = s.ScrSize.isEmpty() ? DefaultScreenSize : s.ScrSize;
    f.background = ScreenGeometry::bgrFromColour(ScreenGeometry::colourFromText(s.ScrColor));
    f.textColour = ScreenGeometry::bgrFromColour(ScreenGeometry::colourFromText(s.ScrTextColor));
    // A shorter score list leaves the later keys as they were.
    f.scores = m_fields.scores;
    ColonList::splitInto(s.mark, f.scores);
    for (QString &score : f.scores)
        score = QString::number(textNumber(score));
    f.percentages = s.per == u"1";
    f.verdict = s.Pass == u"1";
    m_fields = f;
    m_stored = f;
}

bool BasicSettingsController::isHallShown() const
{
    return m_hall.isVisible();
}

bool BasicSettingsController::applyKeypadCount(const QString &text)
{
    const int count = fieldNumber(text);
    if (count < 1 || count > MaxKeypads) {
        tell("Setcell_Clew");
        return false;
    }
    // The same count again changes nothing, so nothing (the seat plan least of all) is touched.
    const SettingsRecord stored = m_database.loadSettings();
    if (textNumber(stored.cellnum) == count && !stored.cellnum.isEmpty()) {
        m_fields.keypadCount = QString::number(count);
        tell("Set_OK");
        return true;
    }
    if (!m_database.setKeypadCount(QString::number(count)))
        return false;
    m_fields.keypadCount = QString::number(count);
    LinkSettings link = m_link.settings();
    link.keypadCount = count;
    m_link.applySettings(link);
    tell("Set_OK");
    emit keypadCountChanged(count);
    return true;
}

bool BasicSettingsController::applyReservedCount(const QString &text)
{
    const int reserved = fieldNumber(text);
    // Against the keypad count in force: one typed but not applied is not yet a keypad count.
    const int keypads = textNumber(m_database.loadSettings().cellnum);
    if (reserved <= 0) {
        tell("SetCin_clew1");
        return false;
    }
    if (reserved > keypads) {
        tell("SetCin_clew2");
        return false;
    }
    if (!m_database.setReservedCount(QString::number(reserved)))
        return false;
    m_fields.reservedCount = QString::number(reserved);
    LinkSettings link = m_link.settings();
    link.reservedCount = reserved;
    m_link.applySettings(link);
    return true;
}

bool BasicSettingsController::applyPortRange(const QString &low, const QString &high)
{
    const int lowest = fieldNumber(low);
    const int highest = fieldNumber(high);
    if (lowest < 0 || highest < 0) {
        tell("Setcom_Empty");
        return false;
    }
    if (lowest < 1 || highest < 1 || lowest > MaxPort || highest > MaxPort) {
        tell("Setcom_Range");
        return false;
    }
    if (lowest > highest) {
        m_fields.lowestPort = QStringLiteral("0");
        m_fields.highestPort = QStringLiteral("0");
        emit portsChanged();
        tell("Setcom_clew");
        return false;
    }
    if (!m_database.setPortRange(QString::number(lowest), QString::number(highest)))
        return false;
    m_fields.lowestPort = QString::number(lowest);
    m_fields.highestPort = QString::number(highest);
    // The next search tries the new range; a base station already found stays in use.
    LinkSettings link = m_link.settings();
    link.lowestPort = lowest;
    link.highestPort = highest;
    m_link.applySettings(link);
    return true;
}

void BasicSettingsController::placeHall()
{
    const QSize size = ScreenGeometry::sizeFromText(m_fields.screenSize);
    m_hall.setGeometry(QRect(QPoint(m_screenLeft, 0), size),
                       ScreenGeometry::colourFromBgr(m_fields.background),
                       ScreenGeometry::colourFromBgr(m_fields.textColour));
}

bool BasicSettingsController::selectScreenSize(const QString &size)
{
    const QSize parsed = ScreenGeometry::sizeFromText(size);
    if (parsed.isEmpty() || !m_database.setScreenSize(size))
        return false;
    m_fields.screenSize = size;
    placeHall();
    return true;
}

bool BasicSettingsController::pickBackground(quint32 bgr)
{
    bgr &= 0xFFFFFFu;
    if (!m_database.setScreenColor(bgr))
        return false;
    m_fields.background = bgr;
    placeHall();
    return true;
}

bool BasicSettingsController::pickTextColour(quint32 bgr)
{
    bgr &= 0xFFFFFFu;
    if (!m_database.setScreenTextColor(bgr))
        return false;
    m_fields.textColour = bgr;
    placeHall();
    return true;
}

void BasicSettingsController::toggleHallScreen()
{
    if (m_hall.isVisible()) {
        m_hall.hide();
        return;
    }
    placeHall();
    m_hall.show(HallScreen::Pane::Text);
}

BasicSettingsController::Password
BasicSettingsController::changePassword(const QString &old, const QString &typed, const QString &confirmation)
{
    if (old.isEmpty() || typed.isEmpty() || confirmation.isEmpty()) {
        tell("SetPass_cell3");
        return Password::Incomplete;
    }
    if (typed != confirmation) {
        tell("SetPass_clew");
        return Password::Mismatch;
    }
    // Read afresh: the password in force is the stored one, exactly as typed.
    if (m_database.loadSettings().UserPass != old) {
        tell("SetPass_cell1");
        return Password::WrongOld;
    }
    if (!m_database.setUserPass(typed))
        return Password::NotStored;
    tell("SetPass_cell2");
    return Password::Changed;
}

bool BasicSettingsController::applyBallotDefaults(const QStringList &scores, bool percentages, bool verdict)
{
    QList<int> values;
    for (const QString &score : scores) {
        const int value = fieldNumber(score);
        if (value < 0 || value > MaxScore) {
            tell("SetMarkErr");
            return false;
        }
        values.append(value);
    }
    if (values.size() != ScoreCount) {
        tell("SetMarkErr");
        return false;
    }
    QStringList texts;
    for (const int value : values)
        texts.append(QString::number(value));
    if (!m_database.setBallotDefaults(checkBoxText(percentages), checkBoxText(verdict),
                                      ColonList::join(texts)))
        return false;
    m_fields.scores = texts;
    m_fields.percentages = percentages;
    m_fields.verdict = verdict;
    m_stored.scores = texts;
    m_stored.percentages = percentages;
    m_stored.verdict = verdict;
    return true;
}

void BasicSettingsController::cancelBallotDefaults()
{
    m_fields.scores = m_stored.scores;
    m_fields.percentages = m_stored.percentages;
    m_fields.verdict = m_stored.verdict;
    emit scoresChanged();
}

void BasicSettingsController::restoreFactoryScores()
{
    m_fields.scores = factoryScores();
    emit scoresChanged();
}
