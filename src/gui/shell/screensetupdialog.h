#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

class ColourPicker;
class QComboBox;
class ScreenSetupController;

// The small screen setup window of the conference console (FrmScrSet): the hall screen's size and
// background colour, stored and applied the moment they are chosen. OK and Cancel only close it.
class ScreenSetupDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScreenSetupDialog)

public:
    ScreenSetupDialog(ScreenSetupController &controller, const TextCatalogue &catalogue,
                      QWidget *parent = nullptr);

    QComboBox *sizeList() const { return m_size; }
    ColourPicker *colourPicker() const { return m_colour; }

private:
    ScreenSetupController &m_controller;
    WindowTexts m_texts;
    QComboBox *m_size;
    ColourPicker *m_colour;
};
