#include "gui/shell/cameramovementbuttons.h"

#include <QPushButton>

QList<QPushButton *> CameraMovementButtons::create(QWidget *parent, CameraController &controller,
                                                   const QList<Place> &places, QSize size)
{
    QList<QPushButton *> buttons;
    for (const Place &place : places) {
        auto *button = new QPushButton(parent);
        button->setObjectName(QLatin1String(place.key));
        button->setGeometry(QRect(QPoint(place.x, place.y), size));
        // Auto-repeat would send press and release over and over; the camera moves until released.
        button->setAutoRepeat(false);
        const CameraController::Movement movement = place.movement;
        QObject::connect(button, &QPushButton::pressed, &controller,
                         [&controller, movement] { controller.press(movement); });
        // A button reports released when let go, and also when the pointer slides off it while held.
        QObject::connect(button, &QPushButton::released, &controller, &CameraController::release);
        buttons.append(button);
    }
    return buttons;
}
