#pragma once

#include <functional>

class QPainter;
class QRect;
class QWidget;

// Paints `draw` into an image at the widget's pixel ratio and copies it onto the widget in one step, so a
// view that repaints twice a second never flickers on the projector. With no `draw` the widget shows its
// window colour.
void paintOffScreen(QWidget &widget, const std::function<void(QPainter &, const QRect &)> &draw);
