#pragma once

#include <QPointer>
#include <QWidget>

class ChartModel;
class ChartRenderer;

// Shows a chart model: the voting preview, the result window's chart and the hall screen's chart pane are
// each one of these on their own model. It repaints whenever the model changes; the painting is done
// off-screen by ChartPainter and copied in one step, so a live ballot never flickers on the projector.
class ChartView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartView)

public:
    // The model is not owned; it may be set later, and one destroyed first leaves an empty view.
    explicit ChartView(ChartModel *model = nullptr, QWidget *parent = nullptr);

    void setModel(ChartModel *model);
    ChartModel *model() const;

    // From now on a change of the model is painted on a worker thread and shows when its picture is
    // finished (ChartRenderer): for the hall's full-screen chart, whose painting on the interface thread
    // held the link's tick during a live ballot. The first paint at a size is still done at once.
    void paintInBackground();
    ChartRenderer *renderer() const { return m_renderer; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<ChartModel> m_model;
    QMetaObject::Connection m_changed;
    ChartRenderer *m_renderer = nullptr;
};
