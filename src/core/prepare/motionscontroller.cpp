#include "core/prepare/motionscontroller.h"

#include <QFile>

#include "core/output/screengeometry.h"
#include "core/prepare/documenteditorcontroller.h"
#include "core/base/inputfilter.h"
#include "core/prepare/meetingmaterial.h"
#include "core/prepare/preparationstatements.h"
#include "core/base/colonlist.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingdatabase.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"

namespace {

const QString Section = QStringLiteral("FrmMeeMat");

QString switchText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("2");
}

// "1" ticks and "2" clears; any other stored value (the "0" of a type without the option) leaves the box
// as it was.
void readSwitch(const QString &stored, bool &box)
{
    if (stored == u"1")
        box = true;
    else if (stored == u"2")
        box = false;
}

// A threshold above 100 percent would be stored and counted while every control showed 100, so the
// threshold is bounded wherever the editor takes it: typed, read from a stored motion, saved.
QString boundedThreshold(QStringView text)
{
    const QString digits = InputFilter::digitsOnly(text);
    if (textNumber(digits) > MotionsController::HighestThreshold)
        return QString::number(MotionsController::HighestThreshold);
    return digits;
}

} // namespace

const QStringList &MotionsController::secondValues()
{
    static const QStringList values{
        QStringLiteral("5"),   QStringLiteral("10"),  QStringLiteral("15"),  QStringLiteral("30"),
        QStringLiteral("45"),  QStringLiteral("60"),  QStringLiteral("90"),  QStringLiteral("120"),
        QStringLiteral("150"), QStringLiteral("180"), QStringLiteral("240"), QStringLiteral("480"),
    };
    return values;
}

MotionsController::MotionsController(const DataRoot &root, SystemDatabase &system, OperatorNotifier &notifier,
                                     TextCatalogue catalogue, StampClock::Now now, QObject *parent)
    : QObject(parent), m_root(root), m_system(system), m_notifier(notifier),
      m_catalogue(std::move(catalogue)), m_clock(std::move(now))
{}

MotionsController::~MotionsController() = default;

QString MotionsController::text(const char *key) const
{
    return m_catalogue.text(Section, QLatin1String(key));
}

void MotionsController::information(const char *key)
{
    m_notifier.information(OperatorText::catalogue(QStringLiteral("FrmMeeMat"), QStringLiteral("MsgClew")),
                           OperatorText::catalogue(Section, QLatin1String(key)));
}

QStringList MotionsController::typeTexts() const
{
    QStringList texts;
    for (const VoteTypeInfo &info : VoteTypeTable::all())
        texts.append(m_catalogue.text(VoteTypeTable::Section.toString(), info.typeKey.toString()));
    return texts;
}

QStringList MotionsController::baseTexts() const
{
    return {text("cbVBaseOne"), text("cbVBaseTwo")};
}

QStringList MotionsController::ruleTexts() const
{
    return {text("cbVAberOne"), text("cbVAberTwo")};
}

void MotionsController::setMeeting(const QString &meetingName, const QString &meetingStamp)
{
    if (!m_database || meetingName != m_meetingName)
        m_database = std::make_unique<MeetingDatabase>(m_root, meetingName, m_notifier);
    m_meetingName = meetingName;
    m_meetingStamp = meetingStamp;
    refresh();
}

void MotionsController::refresh()
{
    const SettingsRecord settings = m_system.loadSettings();
    m_settingsMark = settings.mark;
    m_percentagesByDefault = settings.per == u"1";
    m_verdictByDefault = settings.Pass == u"1";
    m_screenSize = ScreenGeometry::sizeFromText(settings.ScrSize);
    m_screenBackground = ScreenGeometry::colourFromText(settings.ScrColor);
    m_screenText = ScreenGeometry::colourFromText(settings.ScrTextColor);
    m_record = {};
    fillList();
    setState(State::Browsing);
}

void MotionsController::fillList()
{
    m_list = m_database ? m_database->listMotions() : MotionList();
    m_row = -1;
    emit listChanged();
}

void MotionsController::setState(State state)
{
    m_state = state;
    emit stateChanged();
}

int MotionsController::rowOf(const QString &title) const
{
    return int(m_list.OveName.indexOf(title));
}

const VoteTypeInfo &MotionsController::typeInfo() const
{
    return VoteTypeTable::info(VoteTypeTable::fromIndex(m_fields.type).value_or(VoteType::YesNo));
}

std::optional<VoteType> MotionsController::selectedType() const
{
    if (m_state == State::Browsing)
        return std::nullopt;
    return VoteTypeTable::match(m_record.OveType, m_catalogue.lookup());
}

bool MotionsController::voted() const
{
    const QString votedText = text("DataYes");
    return !votedText.isEmpty() && m_record.VoteState == votedText;
}

bool MotionsController::canEditCandidates() const
{
    if (m_state != State::Selected)
        return false;
    const std::optional<VoteType> type = selectedType();
    return type && VoteTypeTable::info(*type).isElection();
}

bool MotionsController::optionEnabled(MotionOption option) const
{
    return isEditing() && typeInfo().offers(option);
}

bool MotionsController::scoresVisible() const
{
    if (isEditing())
        return typeInfo().resultForm == ResultForm::AverageScore;
    const std::optional<VoteType> type = selectedType();
    return type && VoteTypeTable::info(*type).resultForm == ResultForm::AverageScore;
}

QStringList MotionsController::scores() const
{
    return ColonList::fields(isEditing() ? m_settingsMark : m_record.mark, 5);
}

QString MotionsController::setTitle(const QString &text)
{
    m_fields.title = InputFilter::withoutQuotes(text);
    return m_fields.title;
}

QString MotionsController::setThreshold(const QString &text)
{
    m_fields.threshold = boundedThreshold(text);
    return m_fields.threshold;
}

void MotionsController::setType(int type)
{
    if (!VoteTypeTable::fromIndex(type))
        return;
    m_fields.type = type;
    emit stateChanged();
}

void MotionsController::setTimeLimit(bool on)
{
    m_fields.timeLimit = on;
    if (on && !secondValues().contains(m_fields.seconds)) {
        m_fields.seconds = defaultSeconds();
        emit fieldsChanged();
    }
    emit stateChanged();
}

void MotionsController::showRecord()
{
    const MotionRecord &r = m_record;
    m_fields.title = r.OveName;
    // A type text of no type (another language's, or damaged) shows no type rather than the last one
    // shown, which a Save would otherwise store in its place.
    const std::optional<VoteType> type = VoteTypeTable::match(r.OveType, m_catalogue.lookup());
    m_fields.type = type ? int(*type) : -1;
    if (const qsizetype base = baseTexts().indexOf(r.VoteBase); base >= 0 && !r.VoteBase.isEmpty())
        m_fields.base = int(base);
    if (const qsizetype rule = ruleTexts().indexOf(r.VoteAbet); rule >= 0 && !r.VoteAbet.isEmpty())
        m_fields.rule = int(rule);
    m_fields.threshold = boundedThreshold(r.VoteAbetValue);
    readSwitch(r.VoteTimelRes, m_fields.timeLimit);
    if (r.VoteTimelRes == u"1")
        m_fields.seconds = r.VoteTimelValue;
    readSwitch(r.Unit, m_fields.abstain);
    readSwitch(r.ViewPer, m_fields.percentages);
    readSwitch(r.ViewPass, m_fields.verdict);
    readSwitch(r.VoteDll, m_fields.live);
    m_fields.verdictText = r.ytText;
    emit fieldsChanged();
}

void MotionsController::select(int row)
{
    if (isEditing())
        return;
    MotionRecord record;
    if (!m_database || row < 0 || row >= m_list.size() ||
        !m_database->readMotion(m_list.OveName.at(row), record)) {
        m_row = -1;
        m_record = {};
        setState(State::Browsing);
        return;
    }
    m_row = row;
    m_record = record;
    showRecord();
    setState(State::Selected);
}

void MotionsController::startNew()
{
    if (isEditing() || !m_database)
        return;
    m_fields = {};
    m_fields.threshold = QStringLiteral("50");
    // New ballots start from the installation's display defaults.
    m_fields.percentages = m_percentagesByDefault;
    m_fields.verdict = m_verdictByDefault;
    m_fields.live = true;
    emit fieldsChanged();
    setState(State::EditingNew);
}

void MotionsController::startEdit()
{
    if (m_state == State::Selected)
        setState(State::EditingExisting);
}

void MotionsController::cancel()
{
    if (m_state == State::EditingExisting) {
        showRecord();
        setState(State::Selected);
    } else if (m_state == State::EditingNew) {
        m_row = -1;
        m_record = {};
        setState(State::Browsing);
    }
}

MotionRecord MotionsController::recordFromFields(MotionRecord r) const
{
    const VoteTypeInfo &info = typeInfo();
    const auto offers = [&](MotionOption option) { return info.offers(option); };
    r.OveName = m_fields.title.trimmed();
    r.OveType = typeTexts().at(info.index());
    r.VoteBase = offers(MotionOption::CountingBase) ? baseTexts().value(m_fields.base) : QString();
    r.VoteAbet = offers(MotionOption::PassingRule) ? ruleTexts().value(m_fields.rule) : QString();
    r.VoteAbetValue = offers(MotionOption::PassingRule)
                          ? InputFilter::canonicalNumber(boundedThreshold(m_fields.threshold))
                          : QStringLiteral("0");
    // The tally reads `Unit` for every type counted as a full ballot: one without the switch counts no
    // abstentions.
    if (offers(MotionOption::AbstainSwitch))
        r.Unit = switchText(m_fields.abstain);
    else
        r.Unit = info.resultForm == ResultForm::FullBallot ? QStringLiteral("2") : QStringLiteral("0");
    r.ViewPer = offers(MotionOption::Percentages) ? switchText(m_fields.percentages) : QStringLiteral("0");
    r.ViewPass = offers(MotionOption::Verdict) ? switchText(m_fields.verdict) : QStringLiteral("0");
    r.VoteDll = offers(MotionOption::LiveDisplay) ? switchText(m_fields.live) : QStringLiteral("0");
    if (offers(MotionOption::Verdict))
        r.ytText = m_fields.verdictText;
    r.mark = offers(MotionOption::KeyScores) ? m_settingsMark : QString();
    const bool limited = m_fields.timeLimit && secondValues().contains(m_fields.seconds);
    r.VoteTimelRes = switchText(limited);
    r.VoteTimelValue = limited ? m_fields.seconds : QStringLiteral("0");
    return r;
}

bool MotionsController::save()
{
    if (!isEditing() || !m_database)
        return false;
    const QString title = m_fields.title.trimmed();
    if (title.isEmpty()) {
        information("MsgClewNew2");
        return false;
    }
    if (m_fields.type < 0) {
        const QString message = m_catalogue.text(Section, QStringLiteral("MsgClewType"));
        m_notifier.information(OperatorText::catalogue(Section, QStringLiteral("MsgClew")),
                               OperatorText::plain(message.arg(m_record.OveType)));
        return false;
    }
    const bool isNew = m_state == State::EditingNew;
    if ((isNew || title != m_record.OveName) && m_database->motionExists(title)) {
        information("MsgClewNew3");
        return false;
    }
    const QString notVoted = text("DataNo");
    if (isNew) {
        MotionRecord record = recordFromFields({});
        record.VoteState = notVoted;
        record.insertdate = m_clock.next();
        if (!m_database->insertMotion(record))
            return false;
    } else {
        MotionRecord record = recordFromFields(m_record);
        // An edited appraisal can be held again.
        if (typeInfo().type == VoteType::Appraisal)
            record.VoteState = notVoted;
        if (!m_database->updateMotion(record) ||
            !PreparationStatements::storeScoresAndState(*m_database, m_notifier, record.insertdate,
                                                        record.mark, record.VoteState))
            return false;
    }
    fillList();
    const int row = rowOf(title);
    MotionRecord stored;
    if (row < 0 || !m_database->readMotion(title, stored)) {
        setState(State::Browsing);
        return true;
    }
    m_row = row;
    m_record = stored;
    showRecord();
    setState(State::Selected);
    return true;
}

bool MotionsController::remove()
{
    if (m_state != State::Selected || !m_database)
        return false;
    if (!m_notifier.question(OperatorText::catalogue(Section, QStringLiteral("MsgClew")),
                             OperatorText::catalogue(Section, QStringLiteral("MsgClewDel1"))))
        return false;
    const int row = m_row;
    const MotionRecord gone = m_record;
    if (!m_database->deleteMotion(gone.OveName))
        return false;
    if (!gone.rtf.isEmpty()) {
        const QString document = MeetingMaterial::contentPath(m_root, m_meetingStamp, gone.rtf);
        if (!document.isEmpty())
            QFile::remove(document);
    }
    fillList();
    m_record = {};
    if (m_list.size() == 0) {
        setState(State::Browsing);
        return true;
    }
    select(std::min(row, int(m_list.size()) - 1));
    return true;
}

bool MotionsController::storeCandidates(const QString &candidate)
{
    if (m_state != State::Selected || candidate.isEmpty() || !m_database)
        return false;
    if (!m_database->storeCandidates(m_record.OveName, candidate))
        return false;
    m_record.candidate = candidate;
    return true;
}

DocumentSetup MotionsController::contentSetup() const
{
    DocumentSetup setup;
    setup.mode = DocumentSetup::Mode::Motion;
    setup.title = m_record.OveName;
    setup.folder = m_meetingStamp;
    setup.storedName = m_record.rtf;
    setup.baseName = m_record.insertdate;
    setup.width = m_screenSize.width();
    setup.background = m_screenBackground;
    setup.text = m_screenText;
    return setup;
}

void MotionsController::contentSaved()
{
    if (m_state != State::Selected || !m_database)
        return;
    const QString rtf = MeetingMaterial::documentName(m_record.insertdate);
    if (m_database->storeContentFile(m_record.insertdate, rtf))
        m_record.rtf = rtf;
}
