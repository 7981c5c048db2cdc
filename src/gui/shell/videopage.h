#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class CameraController;
class CameraPreview;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The video page of the system setup (FrmVid): the camera, its line type and protocol, the movement
// buttons, the presets keypad by keypad, and the local preview. It shows the camera controller's state and
// forwards clicks.
class VideoPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VideoPage)

public:
    static constexpr QSize PageSize{810, 672};

    VideoPage(CameraController &controller, const TextCatalogue &catalogue, QWidget *parent = nullptr);

    CameraPreview *preview() const { return m_preview; }
    QComboBox *cameraList() const { return m_cameraList; }
    QCheckBox *presetBox() const { return m_presetBox; }
    QLineEdit *unitField() const { return m_unit; }
    QPushButton *button(const QString &key) const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void build();
    void refreshState();

    CameraController &m_controller;
    WindowTexts m_texts;
    QComboBox *m_cameraList = nullptr;
    QCheckBox *m_presetBox = nullptr;
    QLineEdit *m_unit = nullptr;
    CameraPreview *m_preview = nullptr;
};
