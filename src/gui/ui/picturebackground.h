#pragma once

class QString;
class QWidget;

// Paints `picturePath` unscaled at the window's top-left corner as its background; the layouts of the
// picture windows are drawn for their pictures' exact sizes.
void setPictureBackground(QWidget *window, const QString &picturePath);
