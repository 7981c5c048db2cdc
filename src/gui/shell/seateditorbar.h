#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

#include <functional>

class QPushButton;
class QSpinBox;
class SeatPlanController;

// The editor bar under the room seat view (Frmfound): create or delete the plan, load or remove the
// room picture, rebuild the plan, move seats, and the grid's seats per row and gaps. It shows the
// controller's state and forwards the presses.
class SeatEditorBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SeatEditorBar)

public:
    // Asks for a picture file; empty when the operator cancelled.
    using PictureChooser = std::function<QString(QWidget *parent, const QString &filter)>;

    SeatEditorBar(SeatPlanController &controller, const TextCatalogue &catalogue, QWidget *parent = nullptr);

    // Tests answer the picture dialog themselves.
    void setPictureChooser(PictureChooser chooser) { m_choosePicture = std::move(chooser); }

    QPushButton *configurationButton() const { return m_configuration; }
    QPushButton *pictureButton() const { return m_picture; }
    QPushButton *updateButton() const { return m_update; }
    QPushButton *moveButton() const { return m_move; }
    QSpinBox *seatsPerRowBox() const { return m_perRow; }
    QSpinBox *gapXBox() const { return m_gapX; }
    QSpinBox *gapYBox() const { return m_gapY; }

private:
    void showState();
    void pressPicture();

    SeatPlanController &m_controller;
    WindowTexts m_texts;
    PictureChooser m_choosePicture;
    QPushButton *m_configuration;
    QPushButton *m_picture;
    QPushButton *m_update;
    QPushButton *m_move;
    QSpinBox *m_perRow;
    QSpinBox *m_gapX;
    QSpinBox *m_gapY;
};
