#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class CameraController;
class QPushButton;

// The small camera window of the discussion page (FrmVidAdj): a window on top with the movement and speed
// buttons, for turning a camera to a speaker during the meeting. Hiding it stops a camera it moves.
class CameraAdjustWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CameraAdjustWindow)

public:
    static constexpr QSize WindowSize{260, 196};

    CameraAdjustWindow(CameraController &controller, const TextCatalogue &catalogue,
                       QWidget *parent = nullptr);

    QPushButton *button(const QString &key) const;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    CameraController &m_controller;
    WindowTexts m_texts;
};
