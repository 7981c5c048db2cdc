#pragma once

#include "gui/ui/windowtexts.h"

#include <QCameraDevice>
#include <QWidget>

#include <memory>

class QCamera;
class QComboBox;
class QLabel;
class QMediaCaptureSession;
class QMediaDevices;
class QPushButton;
class QVideoWidget;

// The local picture of a hall camera, for the operator who adjusts it: a capture device and one of its
// formats chosen in two lists, started and stopped by two buttons. With no capture device attached the
// preview area says so; the camera commands to the base station never depend on it.
class CameraPreview final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CameraPreview)

public:
    static constexpr QSize PreviewSize{550, 428};

    CameraPreview(const TextCatalogue &catalogue, QWidget *parent = nullptr);
    ~CameraPreview() override;

    // Reads the attached devices again; the first time the preview is shown it does so by itself.
    void refreshDevices();
    void start();
    void stop();
    bool isRunning() const;
    bool hasDevice() const { return !m_devices.isEmpty(); }
    // What the preview area says instead of a picture; empty while a picture can be shown.
    QString notice() const;

    QComboBox *deviceList() const { return m_deviceList; }
    QComboBox *formatList() const { return m_formatList; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void chooseDevice(int index);
    void chooseFormat(int index);
    void showNotice(const QString &text);
    void refreshButtons();

    WindowTexts m_texts;
    QVideoWidget *m_video;
    QLabel *m_notice;
    QComboBox *m_deviceList;
    QComboBox *m_formatList;
    QPushButton *m_start;
    QPushButton *m_stop;
    QMediaDevices *m_mediaDevices = nullptr;
    QList<QCameraDevice> m_devices;
    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QCamera> m_camera;
};
