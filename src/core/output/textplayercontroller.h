#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextDocument>
#include <QTimer>

#include "core/output/codepage.h"
#include "core/output/sentencestepper.h"

// The text player without its window: a text file shown in the operator's copy and on the hall screen,
// highlighted sentence by sentence by hand or on a timer. The two documents belong to the window (its
// editor and the hall screen's text pane); this class keeps them alike.
class TextPlayerController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextPlayerController)

public:
    // 256 and 324 twips: the operator reads close up, the hall from afar.
    static constexpr double OperatorPoints = 12.8;
    static constexpr double ScreenPoints = 16.2;

    TextPlayerController(QTextDocument *operatorCopy, QTextDocument *screenCopy, QObject *parent = nullptr);

    // The hall screen's text pane has a new document: the player writes into that one from now on.
    void setScreenCopy(QTextDocument *screenCopy) { m_screen = screenCopy; }

    // False, and nothing changed, when the file cannot be read.
    bool openFile(const QString &path);
    // The code page of files that are neither UTF-8 nor marked: that of the operator's language.
    void setLegacyCodePage(int codePage) { m_legacyCodePage = codePage; }
    // Both copies get the text in the text colour at their sizes; the sentence positions stay.
    void setText(const QString &text);
    // Whether the hall's text pane still holds the player's text. Something else may have put its own
    // text there since (a motion's document, the banner); the player then leaves it alone.
    bool screenHoldsText() const;
    // The player's page is shown again: the hall gets the player's text back, coloured as the operator
    // left it. False when there is no text to give.
    bool reclaimScreen();
    // The page was left: automatic stepping stops (the button offers to start again).
    void stopAutomatic();
    QString text() const { return m_stepper.text(); }

    void nextSentence();
    void previousSentence();
    // Stops the timer, returns to the start and shows the whole text in the text colour.
    void restore();

    // The automatic button: starts stepping every `speedSeconds` (a second when 0 or less), or stops it.
    void toggleAutomatic(int speedSeconds);
    // True while the button offers to pause; it stays so when the timer stopped at the end of the text.
    bool isAutomatic() const { return m_automatic; }
    bool isTimerActive() const { return m_timer.isActive(); }
    int timerInterval() const { return m_timer.interval(); }
    // The timer's work: stop at the end of the text, else the next sentence.
    void tick();

    void setTextColour(const QColor &colour);
    QColor textColour() const { return m_textColour; }
    // Takes effect from the next step.
    void setHighlightColour(const QColor &colour);
    QColor highlightColour() const { return m_highlightColour; }
    // Applied to the whole text of both copies.
    void applyFont(const QFont &font);
    void applyPauseSymbols(const QString &entry);

    const SentenceStepper &stepper() const { return m_stepper; }

signals:
    void automaticChanged(bool automatic);

private:
    void colour(int from, int to, const QColor &colour);
    void fill(QTextDocument *document, double points);
    void apply(const SentenceStepper::Step &step);

    QPointer<QTextDocument> m_operator;
    QPointer<QTextDocument> m_screen;
    SentenceStepper m_stepper;
    QColor m_textColour = QColor(0, 0, 0);
    QColor m_highlightColour = QColor(255, 0, 0);
    bool m_automatic = false;
    QTimer m_timer;
    int m_legacyCodePage = CodePage::ChineseSimplified;
};
