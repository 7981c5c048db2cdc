#include "core/output/chartrenderer.h"

#include <QFutureWatcher>
#include <QPainter>
#include <QPromise>
#include <QThreadPool>

#include "core/output/chartmodel.h"
#include "core/output/chartpainter.h"

ChartRenderer::ChartRenderer(ChartModel *model, QObject *parent)
    : QObject(parent), m_runner(threadPoolRunner(this))
{
    setModel(model);
}

ChartRenderer::Runner ChartRenderer::threadPoolRunner(QObject *owner)
{
    // The watcher is the owner's child, so a painting that ends after the owner is gone is dropped; the
    // painting itself holds nothing but its own copy of the state.
    return [owner](Painting painting, Done done) {
        auto promise = std::make_shared<QPromise<QImage>>();
        auto *watcher = new QFutureWatcher<QImage>(owner);
        QObject::connect(watcher, &QFutureWatcherBase::finished, owner, [watcher, done = std::move(done)] {
            done(watcher->result());
            watcher->deleteLater();
        });
        watcher->setFuture(promise->future());
        promise->start();
        QThreadPool::globalInstance()->start([promise, painting = std::move(painting)] {
            promise->addResult(painting());
            promise->finish();
        });
    };
}

void ChartRenderer::setModel(ChartModel *model)
{
    if (m_model == model)
        return;
    disconnect(m_changed);
    m_model = model;
    if (m_model)
        m_changed = connect(m_model, &ChartModel::changed, this, &ChartRenderer::request);
    request();
}

void ChartRenderer::setRunner(Runner runner)
{
    m_runner = std::move(runner);
}

void ChartRenderer::setSize(const QSize &size, qreal pixelRatio)
{
    if (size == m_size && pixelRatio == m_ratio)
        return;
    m_size = size;
    m_ratio = pixelRatio;
    request();
}

bool ChartRenderer::holdsSize(const QSize &size, qreal pixelRatio) const
{
    return !m_image.isNull() && m_image.devicePixelRatio() == pixelRatio &&
           m_image.deviceIndependentSize().toSize() == size;
}

void ChartRenderer::paintNow(const QSize &size, qreal pixelRatio)
{
    m_size = size;
    m_ratio = pixelRatio;
    m_held = ++m_wanted;
    if (m_model && !size.isEmpty())
        m_image = paint(*m_model, size, pixelRatio);
}

void ChartRenderer::request()
{
    ++m_wanted;
    if (!m_painting)
        startPainting();
}

void ChartRenderer::startPainting()
{
    if (!m_model || m_size.isEmpty())
        return;
    m_painting = true;
    const quint64 generation = m_wanted;
    // Painted from a copy: the model goes on changing on this thread meanwhile.
    m_runner(
        [state = m_model->snapshot(), size = m_size, ratio = m_ratio] { return paint(*state, size, ratio); },
        [this, generation](const QImage &image) { finished(generation, image); });
}

void ChartRenderer::finished(quint64 generation, const QImage &image)
{
    m_painting = false;
    if (generation > m_held) {
        m_image = image;
        m_held = generation;
        emit imageChanged();
    }
    if (m_wanted > m_held)
        startPainting();
}

QImage ChartRenderer::paint(const ChartModel &model, const QSize &size, qreal pixelRatio)
{
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(model.background());
    QPainter painter(&image);
    ChartPainter::paint(painter, QRect(QPoint(0, 0), size), model);
    return image;
}
