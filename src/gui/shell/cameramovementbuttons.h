#pragma once

#include "core/shell/cameracontroller.h"

#include <QList>
#include <QString>

class QPushButton;
class QWidget;

// The movement buttons both camera windows carry: each moves the camera while it is held down and stops
// it when let go, also when the pointer leaves it before it is let go. The window stops a moving camera
// when it hides.
namespace CameraMovementButtons {

struct Place
{
    const char *key; // the catalogue key, also the button's object name
    CameraController::Movement movement;
    int x;
    int y;
};

QList<QPushButton *> create(QWidget *parent, CameraController &controller, const QList<Place> &places,
                            QSize size);

} // namespace CameraMovementButtons
