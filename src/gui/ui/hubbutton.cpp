#include "gui/ui/hubbutton.h"

HubButton::HubButton(QWidget *parent) : QPushButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(QStringLiteral(
        "QPushButton { color: #ffffff; background-color: #1d3556; border: 1px solid #2f4d74;"
        " border-radius: 8px; font-size: 11pt; padding: 4px; }"
        "QPushButton:hover { border-color: #2a9d96; background-color: #21416a; }"
        "QPushButton:pressed { background-color: #1f7f79; }"
        "QPushButton:focus { border-color: #2a9d96; }"
        "QPushButton:disabled { color: #7f93ad; background-color: #15263f; border-color: #22395a; }"));
}
