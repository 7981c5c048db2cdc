#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <functional>

class ChartModel;

// Paints a chart model into an image off the interface thread. Painting the hall's 1920 x 1080 chart takes
// tens of milliseconds, and during a live ballot every vote that changes the chart would hold the
// interface thread (and the link's tick) that long; here a change costs that thread only a copy of the
// chart's state, and showing the finished picture costs one copy of its pixels.
//
// One painting runs at a time. Changes that come while it runs are painted together after it, from the
// newest state; a picture older than the one held is never taken, so a view never steps back.
class ChartRenderer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartRenderer)

public:
    using Painting = std::function<QImage()>;
    using Done = std::function<void(const QImage &)>;
    // Runs a painting somewhere and calls `done` with its picture on the renderer's thread. The default
    // runs it on Qt's thread pool; a test keeps the paintings and finishes them when it chooses.
    using Runner = std::function<void(Painting painting, Done done)>;

    // The model is not owned; one destroyed first leaves the picture as it was.
    explicit ChartRenderer(ChartModel *model = nullptr, QObject *parent = nullptr);

    void setModel(ChartModel *model);
    void setRunner(Runner runner);
    // Runs paintings on Qt's thread pool and hands each picture over on `owner`'s thread; a picture
    // finished after `owner` is gone is dropped.
    static Runner threadPoolRunner(QObject *owner);

    // The size pictures are painted at, in the view's pixels, and its display's pixel ratio. Nothing is
    // painted before it is set.
    void setSize(const QSize &size, qreal pixelRatio = 1.0);
    QSize size() const { return m_size; }
    // Whether the picture held is painted at this size and ratio, however old its state.
    bool holdsSize(const QSize &size, qreal pixelRatio = 1.0) const;

    // The newest picture finished; while a painting runs it may be behind the model.
    const QImage &image() const { return m_image; }
    // Whether the picture shows the model as it is now, at the size set.
    bool isCurrent() const { return m_held == m_wanted && holdsSize(m_size, m_ratio); }
    bool isPainting() const { return m_painting; }

    // Paints the model as it is now on the calling thread and holds the picture: for a view's first paint
    // at a size, which cannot wait. A painting still running is then too old to be taken.
    void paintNow(const QSize &size, qreal pixelRatio = 1.0);

signals:
    // image() is newer.
    void imageChanged();

private:
    void request();
    void startPainting();
    void finished(quint64 generation, const QImage &image);
    static QImage paint(const ChartModel &model, const QSize &size, qreal pixelRatio);

    QPointer<ChartModel> m_model;
    QMetaObject::Connection m_changed;
    Runner m_runner;
    QSize m_size;
    qreal m_ratio = 1.0;
    QImage m_image;
    quint64 m_wanted = 0; // counts the states asked for: every change of the model, the size or the model
    quint64 m_held = 0;   // the state the picture shows
    bool m_painting = false;
};
