#pragma once

#include <QDialog>

#include "core/output/chartmodel.h"
#include "core/output/resultviewcontroller.h"

#include <array>

class ChartView;
class HallScreen;
class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class TextCatalogue;

// The result window (FrmResult): one stored result as a table, a bar chart or a pie chart, each view
// shown on the hall screen's chart pane at the same moment. Closing it leaves the hall showing the last
// view.
//
// The voting window's query-result command opens it with
//     ResultWindow::open(this, result, hall, catalogue);
// where `result` is the motion's StoredResult (its `result`, `candidate`, `PollTimel` and `ViewPer`, the
// vote type and the hall's size), `hall` the console's HallScreen and `catalogue` the console's texts.
class ResultWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultWindow)

public:
    ResultWindow(const StoredResult &stored, HallScreen &hall, const TextCatalogue &catalogue,
                 QWidget *parent = nullptr);

    // Runs the window modally over `parent` until the operator closes it.
    static void open(QWidget *parent, const StoredResult &stored, HallScreen &hall,
                     const TextCatalogue &catalogue);

    // A view, as its radio button chooses it.
    void showView(ResultStyle style);

    const ResultViewController &controller() const { return m_controller; }
    const ChartModel &chart() const { return m_chart; }
    ChartView *chartView() const { return m_chartView; }
    QRadioButton *viewButton(ResultStyle style) const;

private:
    void fillFields();
    void reflectStyle();

    HallScreen &m_hall;
    ChartModel m_chart;
    ResultViewController m_controller;
    ChartView *m_chartView;
    QLabel *m_meeting = nullptr;
    QLabel *m_motion;
    QLabel *m_type;
    QLabel *m_time;
    QLabel *m_explanation;
    std::array<QLabel *, ResultViewController::CandidateCount> m_candidateCaptions{};
    std::array<QLabel *, ResultViewController::CandidateCount> m_candidates{};
    QButtonGroup *m_views;
};
