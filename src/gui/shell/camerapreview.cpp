#include "gui/shell/camerapreview.h"

#include <QCamera>
#include <QComboBox>
#include <QLabel>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPushButton>
#include <QVideoWidget>

CameraPreview::CameraPreview(const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent), m_texts(catalogue, QStringLiteral("FrmVid")), m_video(new QVideoWidget(this)),
      m_notice(new QLabel(this)), m_deviceList(new QComboBox(this)), m_formatList(new QComboBox(this)),
      m_start(new QPushButton(this)), m_stop(new QPushButton(this))
{
    setFixedSize(PreviewSize.width(), PreviewSize.height() + 76);
    m_video->setGeometry(QRect(QPoint(0, 0), PreviewSize));
    m_notice->setGeometry(QRect(QPoint(0, 0), PreviewSize));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->setMargin(40);
    m_notice->setAutoFillBackground(true);
    QPalette palette = m_notice->palette();
    palette.setColor(QPalette::Window, QColor(0x26, 0x2b, 0x33));
    palette.setColor(QPalette::WindowText, QColor(0xe8, 0xec, 0xf1));
    m_notice->setPalette(palette);
    QFont font = m_notice->font();
    font.setPointSize(12);
    m_notice->setFont(font);

    const int y = PreviewSize.height() + 8;
    auto *deviceLabel = new QLabel(this);
    deviceLabel->setObjectName(QStringLiteral("IDC_STATIC_DEVICE"));
    deviceLabel->setGeometry(0, y, 100, 24);
    m_deviceList->setGeometry(104, y, 220, 24);
    auto *formatLabel = new QLabel(this);
    formatLabel->setObjectName(QStringLiteral("IDC_STATIC_FORMAT"));
    formatLabel->setGeometry(332, y, 70, 24);
    m_formatList->setGeometry(404, y, 146, 24);
    m_start->setObjectName(QStringLiteral("IDC_OPENVID_BUTTON"));
    m_start->setGeometry(104, y + 32, 140, 28);
    m_stop->setObjectName(QStringLiteral("IDC_CLOSEVID_BUTTON"));
    m_stop->setGeometry(252, y + 32, 140, 28);
    m_texts.apply(this, QString());

    connect(m_deviceList, &QComboBox::activated, this, &CameraPreview::chooseDevice);
    connect(m_formatList, &QComboBox::activated, this, &CameraPreview::chooseFormat);
    connect(m_start, &QPushButton::clicked, this, &CameraPreview::start);
    connect(m_stop, &QPushButton::clicked, this, &CameraPreview::stop);
    showNotice(QString());
    refreshButtons();
}

CameraPreview::~CameraPreview()
{
    stop();
}

void CameraPreview::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_mediaDevices) {
        // Asked only when the preview is first seen: the media back end is not started for a console
        // that never opens the video page.
        m_mediaDevices = new QMediaDevices(this);
        connect(m_mediaDevices, &QMediaDevices::videoInputsChanged, this, &CameraPreview::refreshDevices);
        refreshDevices();
    }
}

// Another page, or the window going away, ends the preview: the device is free for other programs.
void CameraPreview::hideEvent(QHideEvent *event)
{
    stop();
    QWidget::hideEvent(event);
}

void CameraPreview::refreshDevices()
{
    const QCameraDevice current = m_camera ? m_camera->cameraDevice() : QCameraDevice();
    m_devices = QMediaDevices::videoInputs();
    m_deviceList->clear();
    for (const QCameraDevice &device : std::as_const(m_devices))
        m_deviceList->addItem(device.description());
    if (m_camera && !m_devices.contains(current))
        stop();
    const qsizetype index = m_devices.indexOf(current);
    m_deviceList->setCurrentIndex(index >= 0 ? int(index) : (m_devices.isEmpty() ? -1 : 0));
    chooseDevice(m_deviceList->currentIndex());
}

void CameraPreview::chooseDevice(int index)
{
    m_formatList->clear();
    if (index < 0 || index >= m_devices.size()) {
        showNotice(m_texts.text(QStringLiteral("MsgNoCamera")));
        refreshButtons();
        return;
    }
    for (const QCameraFormat &format : m_devices.at(index).videoFormats())
        m_formatList->addItem(QStringLiteral("%1 x %2, %3 fps")
                                  .arg(format.resolution().width())
                                  .arg(format.resolution().height())
                                  .arg(qRound(format.maxFrameRate())));
    if (m_camera && m_camera->cameraDevice() != m_devices.at(index)) {
        stop();
        start();
    }
    showNotice(m_camera ? QString() : m_devices.at(index).description());
    refreshButtons();
}

void CameraPreview::chooseFormat(int index)
{
    const int device = m_deviceList->currentIndex();
    if (!m_camera || device < 0 || device >= m_devices.size())
        return;
    const QList<QCameraFormat> formats = m_devices.at(device).videoFormats();
    if (index >= 0 && index < formats.size())
        m_camera->setCameraFormat(formats.at(index));
}

void CameraPreview::start()
{
    const int device = m_deviceList->currentIndex();
    if (m_camera || device < 0 || device >= m_devices.size())
        return;
    m_session = std::make_unique<QMediaCaptureSession>();
    m_camera = std::make_unique<QCamera>(m_devices.at(device));
    connect(m_camera.get(), &QCamera::errorOccurred, this, [this](QCamera::Error, const QString &text) {
        stop();
        showNotice(m_texts.catalogue()
                       .text(QStringLiteral("FrmVid"), QStringLiteral("MsgCameraError"))
                       .replace(QStringLiteral("%1"), text));
    });
    chooseFormat(m_formatList->currentIndex());
    m_session->setCamera(m_camera.get());
    m_session->setVideoOutput(m_video);
    m_camera->start();
    showNotice(QString());
    refreshButtons();
}

void CameraPreview::stop()
{
    if (!m_camera)
        return;
    m_camera->stop();
    m_session->setVideoOutput(nullptr);
    m_session.reset();
    m_camera.reset();
    const int device = m_deviceList->currentIndex();
    showNotice(device >= 0 && device < m_devices.size() ? m_devices.at(device).description()
                                                        : m_texts.text(QStringLiteral("MsgNoCamera")));
    refreshButtons();
}

bool CameraPreview::isRunning() const
{
    return m_camera != nullptr;
}

QString CameraPreview::notice() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void CameraPreview::showNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty() || !m_camera);
    m_video->setVisible(m_camera != nullptr);
}

void CameraPreview::refreshButtons()
{
    m_deviceList->setEnabled(!m_devices.isEmpty());
    m_formatList->setEnabled(m_formatList->count() > 0);
    m_start->setEnabled(!m_camera && !m_devices.isEmpty());
    m_stop->setEnabled(m_camera != nullptr);
}
