#include "gui/shell/cameraadjustwindow.h"

#include "core/shell/cameracontroller.h"
#include "gui/shell/cameramovementbuttons.h"

#include <QPushButton>

CameraAdjustWindow::CameraAdjustWindow(CameraController &controller, const TextCatalogue &catalogue,
                                       QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_controller(controller),
      m_texts(catalogue, QStringLiteral("FrmVidAdj"))
{
    setObjectName(QStringLiteral("FrmVidAdj"));
    setFixedSize(WindowSize);
    using Movement = CameraController::Movement;
    CameraMovementButtons::create(this, controller,
                                  {{"IDC_VIDUP_BNT", Movement::Up, 90, 8},
                                   {"IDC_VIDLEFT_BNT", Movement::Left, 8, 42},
                                   {"IDC_VIDRIGHT_BNT", Movement::Right, 172, 42},
                                   {"IDC_VIDDOWN_BNT", Movement::Down, 90, 76}},
                                  QSize(80, 30));
    CameraMovementButtons::create(this, controller,
                                  {{"IDC_VIDNEAR_BNT", Movement::ZoomNear, 8, 118},
                                   {"IDC_FARNESS_BNT", Movement::ZoomFar, 90, 118},
                                   {"IDC_APERTUREADD_BNT", Movement::IrisOpen, 8, 154},
                                   {"IDC_APERTUREDEC_BNT", Movement::IrisClose, 90, 154}},
                                  QSize(80, 30));
    auto *faster = new QPushButton(this);
    faster->setObjectName(QStringLiteral("IDC_PACEADD_BNT"));
    faster->setGeometry(172, 118, 80, 30);
    connect(faster, &QPushButton::clicked, &controller, &CameraController::speedUp);
    auto *slower = new QPushButton(this);
    slower->setObjectName(QStringLiteral("IDC_PACEDEC_BNT"));
    slower->setGeometry(172, 154, 80, 30);
    connect(slower, &QPushButton::clicked, &controller, &CameraController::speedDown);
    m_texts.apply(this, QStringLiteral("DlgVidAdjText"));
}

QPushButton *CameraAdjustWindow::button(const QString &key) const
{
    return findChild<QPushButton *>(key);
}

// A window hidden while a button is held never sees the release: the camera is stopped here instead.
void CameraAdjustWindow::hideEvent(QHideEvent *event)
{
    m_controller.stopMovement();
    QWidget::hideEvent(event);
}
