#pragma once

#include <QPointer>
#include <QWidget>

#include "core/output/textplayercontroller.h"
#include "gui/output/bigscreenwindow.h"

class ColourPicker;
class HallScreen;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTextEdit;
class TextCatalogue;

// The text player (FrmFile), the document page of the conference console: a text file shown in the
// operator's copy and on the hall screen's text pane, highlighted sentence by sentence by hand or on a
// timer. The console places it in its child area (818 x 682); the hall geometry and colours are the
// HallScreen's. `bigScreen` is the hall window, paged together with the operator's copy; without one
// (a test) only the operator's copy pages.
class TextPlayerPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextPlayerPage)

public:
    TextPlayerPage(HallScreen &hall, BigScreenWindow *bigScreen, const TextCatalogue &catalogue,
                   QWidget *parent = nullptr);

    // What the open button does once a file is chosen: false, and both panes as they were, when the file
    // cannot be read.
    bool openFile(const QString &path);

    TextPlayerController &controller() { return m_controller; }
    QTextEdit *operatorCopy() const { return m_operatorCopy; }
    QPushButton *automaticButton() const { return m_automatic; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void followHallColours();
    void chooseFile();
    void toggleAutomatic();
    void showAutomatic(bool automatic);
    void chooseFont();
    void page(BigScreenWindow::Scroll where);

    HallScreen &m_hall;
    QPointer<BigScreenWindow> m_bigScreen;
    QString m_autoText;
    QString m_pauseText;
    QString m_fileFilter;
    QTextEdit *m_operatorCopy;
    TextPlayerController m_controller;
    QPushButton *m_automatic;
    QLineEdit *m_pauseSymbols;
    QSpinBox *m_speed;
    ColourPicker *m_highlightColour;
    ColourPicker *m_textColour;
    bool m_coloursPicked = false;
};
