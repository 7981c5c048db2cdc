#include "gui/conduct/startupprogressdialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>

StartupProgressDialog::StartupProgressDialog(int keypadCount, const QString &photoFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_bar(new QProgressBar(this)),
      m_timer(new QTimer(this))
{
    // 457 x 65 dialog units in the dialog font of the layouts: 686 x 106 pixels.
    setFixedSize(686, 106);
    setStyleSheet(QStringLiteral("StartupProgressDialog { background-color: #1d3556; }"));
    auto *picture = new QLabel(this);
    picture->setGeometry(16, 13, 80, 80);
    picture->setPixmap(QPixmap(photoFolder + QStringLiteral("/quorix.png"))
                           .scaled(80, 80, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_bar->setGeometry(112, 43, 556, 20);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_timer->setInterval(Step * std::max(keypadCount, 1));
    connect(m_timer, &QTimer::timeout, this, &StartupProgressDialog::onTick);
}

int StartupProgressDialog::value() const
{
    return m_bar->value();
}

int StartupProgressDialog::tickInterval() const
{
    return m_timer->interval();
}

void StartupProgressDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_timer->start();
}

void StartupProgressDialog::keyPressEvent(QKeyEvent *event)
{
    // Nothing may cut the wait short: Escape would close the dialog before the keypads are ready.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void StartupProgressDialog::onTick()
{
    m_bar->setValue(std::min(100, m_bar->value() + Step));
    if (m_bar->value() >= 100) {
        m_timer->stop();
        accept();
    }
}
