#include "core/output/chartmodel.h"

#include "core/counting/ballottally.h"
#include "core/base/colonlist.h"

#include <algorithm>
#include <array>

namespace {

constexpr QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

struct BgrPair
{
    quint32 front;
    quint32 side;
};

// Colours as the installation has always stored them, 0x00BBGGRR.
constexpr std::array<BgrPair, ChartModel::PaletteSize> Palette{{
    {0x0000FF, 0x0000EB},
    {0x00FF00, 0x00EB00},
    {0x00FFFF, 0x00EBEB},
    {0x3399FF, 0x3399EB},
    {0x9933FF, 0x9933EB},
    {0xF40099, 0xCC0099},
    {0xFFFF00, 0xE1E100},
}};

const QString Zero = QStringLiteral("0");

} // namespace

ChartModel::PaletteEntry ChartModel::palette(int index)
{
    const BgrPair &p = Palette[size_t(std::clamp(index, 0, PaletteSize - 1))];
    return {fromBgr(p.front), fromBgr(p.side)};
}

ChartModel::ChartModel(QObject *parent) : QObject(parent) {}

// The voting hands over its whole chart on every live tick, twice a second, mostly unchanged: a change
// that changes nothing does not repaint the hall's 1920 x 1080 chart on the interface thread.
void ChartModel::setCaption(const QString &text, const QColor &colour)
{
    if (text == m_state.caption && colour == m_state.captionColour)
        return;
    m_state.caption = text;
    m_state.captionColour = colour;
    emit changed();
}

void ChartModel::setSecondCaption(const QString &text, const QColor &colour)
{
    m_state.secondCaption = text;
    m_state.captionColour = colour;
    emit changed();
}

void ChartModel::setSubcaption(const QString &text)
{
    if (text == m_state.subcaption)
        return;
    m_state.subcaption = text;
    emit changed();
}

void ChartModel::setScreen(int screenCode, int chartKind)
{
    const Screen screen = screenCode >= 0 && screenCode <= 5 ? Screen(screenCode) : Screen::None;
    const Kind kind = chartKind >= 0 && chartKind <= 7 ? Kind(chartKind) : Kind::None;
    if (screen == m_state.screen && kind == m_state.kind)
        return;
    m_state.screen = screen;
    m_state.kind = kind;
    emit changed();
}

void ChartModel::setColours(const QColor &background, const QColor &plot)
{
    m_state.background = background;
    m_state.plot = plot;
    m_state.screen = Screen::None;
    emit changed();
}

void ChartModel::setPercentageDisplay(int flag)
{
    if (flag == m_state.percentageFlag)
        return;
    m_state.percentageFlag = flag;
    emit changed();
}

void ChartModel::setUnits(const QString &persons, const QString &votes)
{
    if (persons == m_state.personsUnit && votes == m_state.votesUnit)
        return;
    m_state.personsUnit = persons;
    m_state.votesUnit = votes;
    emit changed();
}

void ChartModel::showMessage(const QString &line1, const QString &line2, const QString &line3,
                             const QColor &colour)
{
    m_state.messageLines = {line1, line2, line3};
    m_state.content = colour;
    emit changed();
}

void ChartModel::showKeyLegend(const QString &legendList, const QString &line3, const QColor &colour)
{
    m_state.legend = ColonList::fields(legendList, LegendFieldCount);
    m_state.legendLine3 = line3;
    m_state.content = colour;
    emit changed();
}

void ChartModel::showResult(const QString &resultText, const QString &labelList, const QColor &colour)
{
    if (m_state.derivedKind && *m_state.derivedKind == m_state.kind && resultText == m_state.resultText &&
        labelList == m_state.labelList && colour == m_state.content)
        return;
    m_state.resultText = resultText;
    m_state.labelList = labelList;
    m_state.content = colour;
    // A shorter text than before leaves the later fields as they were.
    ColonList::splitInto(resultText, m_state.fields);
    ColonList::splitInto(labelList, m_state.labels);
    derive();
    emit changed();
}

void ChartModel::addItem(QList<ChartItem> &list, int fieldIndex, int labelIndex)
{
    list.append({BallotTally::decimalValue(m_state.fields[fieldIndex]), m_state.fields[fieldIndex],
                 label(labelIndex), int(list.size())});
}

void ChartModel::derive()
{
    m_state.derivedKind = m_state.kind;
    m_state.bars.clear();
    m_state.slices.clear();
    m_state.barDivisor = 0;

    int firstField = 0;
    int labelOffset = 0;
    int count = 0;
    // The all-zero election still shows a pie: one near-full slice and a sliver per other candidate.
    bool zeroFallback = false;
    switch (m_state.kind) {
    case Kind::FullBallot:
        // Only the three answers are bars and slices. Due and present are no share of the answers (a pie
        // with them beside the answers means nothing, and bars scaled to them leave the answers at the
        // bottom); the painter writes them as text.
        if (m_state.fields[0] == QLatin1String("1") || m_state.fields[0] == QLatin1String("2")) {
            firstField = 3;
            labelOffset = 2;
            count = 3;
            m_state.barDivisor = 7;
        }
        break;
    case Kind::ElectOneOfThree:
    case Kind::ElectSeveralOfThree:
        count = 3;
        m_state.barDivisor = 7;
        zeroFallback = true;
        break;
    case Kind::ElectOneOfFive:
    case Kind::ElectSeveralOfFive:
    case Kind::PersonCounts:
        count = 5;
        m_state.barDivisor = 11;
        zeroFallback = true;
        break;
    case Kind::None:
    case Kind::Scoring:
        break;
    }

    bool allZero = count > 0;
    for (int i = 0; i < count; ++i) {
        const int f = firstField + i;
        addItem(m_state.bars, f, labelOffset + i);
        if (m_state.fields[f] != Zero) {
            allZero = false;
            addItem(m_state.slices, f, labelOffset + i);
        }
    }
    if (zeroFallback && allZero) {
        m_state.slices.clear();
        for (int i = 0; i < count; ++i)
            m_state.slices.append({i == 0 ? 100 : 1, Zero, label(i), i});
    }
}

qint64 ChartModel::sliceTotal() const
{
    qint64 total = 0;
    for (const ChartItem &s : m_state.slices)
        total += std::max<qint64>(s.value, 0);
    return total;
}

QList<int> ChartModel::barHeights(int tallest) const
{
    QList<int> heights(m_state.bars.size(), 0);
    qint64 largest = 0;
    for (const ChartItem &b : m_state.bars)
        largest = std::max(largest, b.value);
    if (largest <= 0 || tallest <= 0)
        return heights;
    // In whole numbers, so a bar lands on the same pixel whatever the floating-point rounding.
    const qint64 room = std::min(tallest, 1 << 24);
    for (qsizetype i = 0; i < m_state.bars.size(); ++i)
        heights[i] = int(room * std::clamp<qint64>(m_state.bars[i].value, 0, largest) / largest);
    return heights;
}

bool ChartModel::hasAttendance() const
{
    return m_state.kind == Kind::FullBallot && !m_state.bars.isEmpty();
}

QList<ChartSliceSpan> ChartModel::sliceSpans() const
{
    QList<ChartSliceSpan> spans;
    const qint64 total = sliceTotal();
    if (total <= 0)
        return spans;
    qint64 running = 0;
    int start = 0;
    for (const ChartItem &s : m_state.slices) {
        running += std::max<qint64>(s.value, 0);
        const int end = int(double(running) / double(total) * 360.0);
        spans.append({start, end - start});
        start = end;
    }
    return spans;
}

std::shared_ptr<const ChartModel> ChartModel::snapshot() const
{
    auto copy = std::make_shared<ChartModel>();
    copy->m_state = m_state;
    copy->moveToThread(nullptr);
    return copy;
}
