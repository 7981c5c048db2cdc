#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// One bar or one pie slice as a result derives it. The value is what the scaling uses; the value text is
// what the screen prints (the result field as stored, so "08" stays "08").
struct ChartItem
{
    qint64 value = 0;
    QString valueText;
    QString label;
    int paletteIndex = 0; // the n-th bar or slice of a chart takes the n-th palette entry

    bool operator==(const ChartItem &) const = default;
};

// A slice as the pie draws it: whole degrees, counter-clockwise from 3 o'clock.
struct ChartSliceSpan
{
    int startDegrees = 0;
    int spanDegrees = 0;
};

// The state of the one drawing component for results: what the voting preview, the result window and the
// hall screen's chart pane show. Every operation ends with changed(), on which a view repaints; the
// painting itself is ChartPainter's, so the same state paints a widget, an image or a page.
class ChartModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartModel)

public:
    enum class Screen
    {
        None = 0, // fills and captions only
        Bar = 1,
        Pie = 2,
        Table = 3,
        Message = 4,
        Legend = 5,
    };

    // What the result text holds; 1..6 follow the vote-type table, 7 is a table of counts of persons.
    enum class Kind
    {
        None = 0,
        FullBallot = 1,
        ElectOneOfThree = 2,
        ElectSeveralOfThree = 3,
        ElectOneOfFive = 4,
        ElectSeveralOfFive = 5,
        Scoring = 6,
        PersonCounts = 7,
    };

    static constexpr int ResultFieldCount = 10;
    static constexpr int LabelCount = 7;
    static constexpr int LegendFieldCount = 10;
    static constexpr int PaletteSize = 7;

    struct PaletteEntry
    {
        QColor front; // front and top faces, and a slice's top
        QColor side;  // side faces, and the pie's rim
    };
    static PaletteEntry palette(int index);

    explicit ChartModel(QObject *parent = nullptr);

    // Operations.
    void setCaption(const QString &text, const QColor &colour);
    void setSecondCaption(const QString &text, const QColor &colour);
    // A line under the caption, in the caption's colour: the motion's title under the call to vote, the
    // verdict under the title of a result. Empty takes the whole band for the caption again.
    void setSubcaption(const QString &text);
    // Codes outside 0..5 and kinds outside 0..7 draw nothing rather than guess.
    void setScreen(int screenCode, int chartKind);
    // Also drops the screen back to None, so only fills and captions show until the next setScreen.
    void setColours(const QColor &background, const QColor &plot);
    void setPercentageDisplay(int flag);
    // The units the result table writes after the counts of people (due, present) and of votes, in the
    // operator's language; whoever shows a result sets them.
    void setUnits(const QString &persons, const QString &votes);
    void showMessage(const QString &line1, const QString &line2, const QString &line3, const QColor &colour);
    void showKeyLegend(const QString &legendList, const QString &line3, const QColor &colour);
    void showResult(const QString &resultText, const QString &labelList, const QColor &colour);

    // State.
    QString caption() const { return m_state.caption; }
    QString secondCaption() const { return m_state.secondCaption; }
    QString subcaption() const { return m_state.subcaption; }
    QColor captionColour() const { return m_state.captionColour; }
    Screen screen() const { return m_state.screen; }
    Kind kind() const { return m_state.kind; }
    QColor background() const { return m_state.background; }
    QColor plotColour() const { return m_state.plot; }
    QColor contentColour() const { return m_state.content; }
    int percentageFlag() const { return m_state.percentageFlag; }
    bool showsPercentages() const { return m_state.percentageFlag == 1; }
    QString personsUnit() const { return m_state.personsUnit; }
    QString votesUnit() const { return m_state.votesUnit; }
    QString resultText() const { return m_state.resultText; }
    QString labelList() const { return m_state.labelList; }
    const QStringList &resultFields() const { return m_state.fields; }
    const QStringList &labels() const { return m_state.labels; }
    QString field(int i) const { return i >= 0 && i < m_state.fields.size() ? m_state.fields[i] : QString(); }
    QString label(int i) const { return i >= 0 && i < m_state.labels.size() ? m_state.labels[i] : QString(); }
    const QStringList &messageLines() const { return m_state.messageLines; }
    const QStringList &legendFields() const { return m_state.legend; }
    QString legendLine3() const { return m_state.legendLine3; }

    // Derived by showResult.
    const QList<ChartItem> &bars() const { return m_state.bars; }
    const QList<ChartItem> &slices() const { return m_state.slices; }
    // The bar width is the plot width divided by this; 0 when the kind draws no bars.
    int barWidthDivisor() const { return m_state.barDivisor; }
    qint64 sliceTotal() const;
    // Bar heights in pixels: the largest answer is `tallest` high and the others in proportion, so the
    // answers fill the plot whatever their sum. No answer at all gives empty bars.
    QList<int> barHeights(int tallest) const;
    // A full ballot's bars and pie show its answers; due (field 1, label 0) and present (field 2, label
    // 1) are written beside them as text.
    bool hasAttendance() const;
    // Whole degrees per slice. Starts are truncated from the running total, so the slices close the
    // circle without a gap; no slices at all when the total is 0.
    QList<ChartSliceSpan> sliceSpans() const;

    // A copy of the state that belongs to no thread, so it can be painted on another one while this
    // model goes on changing; it never announces a change.
    std::shared_ptr<const ChartModel> snapshot() const;

signals:
    void changed();

private:
    void derive();
    void addItem(QList<ChartItem> &list, int fieldIndex, int labelIndex);

    // Everything the chart shows, in one value: a copy for painting elsewhere is one assignment.
    struct State
    {
        QString caption;
        QString secondCaption;
        QString subcaption;
        QColor captionColour = Qt::white;
        Screen screen = Screen::None;
        Kind kind = Kind::None;
        std::optional<Kind> derivedKind; // the kind the bars and slices were derived for, once they were
        QColor background = Qt::blue;
        QColor plot = Qt::blue;
        QColor content = Qt::white;
        int percentageFlag = 2;
        QString personsUnit;
        QString votesUnit;
        QString resultText;
        QString labelList;
        QStringList fields = QStringList(ResultFieldCount);
        QStringList labels = QStringList(LabelCount);
        QStringList messageLines = QStringList(3);
        QStringList legend = QStringList(LegendFieldCount);
        QString legendLine3;
        QList<ChartItem> bars;
        QList<ChartItem> slices;
        int barDivisor = 0;
    };
    State m_state;
};
