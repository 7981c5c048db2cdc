#include "core/output/textplayercontroller.h"

#include <QTextCharFormat>
#include <QTextCursor>

#include "core/output/textfilereader.h"

#include <algorithm>

TextPlayerController::TextPlayerController(QTextDocument *operatorCopy, QTextDocument *screenCopy,
                                           QObject *parent)
    : QObject(parent), m_operator(operatorCopy), m_screen(screenCopy)
{
    connect(&m_timer, &QTimer::timeout, this, &TextPlayerController::tick);
}

bool TextPlayerController::openFile(const QString &path)
{
    const std::optional<QString> text = TextFileReader::read(path, m_legacyCodePage);
    if (!text)
        return false;
    setText(*text);
    return true;
}

void TextPlayerController::setText(const QString &text)
{
    m_stepper.setText(text);
    fill(m_operator, OperatorPoints);
    fill(m_screen, ScreenPoints);
}

void TextPlayerController::fill(QTextDocument *document, double points)
{
    if (!document)
        return;
    QTextCharFormat f;
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontPointSize(points);
    // A new text starts in the text colour, whatever colour the last one was stepped in.
    f.setForeground(m_textColour);
    document->clear();
    QTextCursor cursor(document);
    cursor.setBlockCharFormat(f);
    cursor.insertText(m_stepper.text(), f);
    document->setModified(false);
}

bool TextPlayerController::screenHoldsText() const
{
    return m_screen && m_screen->toPlainText() == m_stepper.text();
}

bool TextPlayerController::reclaimScreen()
{
    if (m_stepper.text().isEmpty() || !m_screen)
        return false;
    if (screenHoldsText())
        return true;
    fill(m_screen, ScreenPoints);
    colour(m_stepper.sentenceStart(), m_stepper.sentenceEnd(), m_highlightColour);
    return true;
}

void TextPlayerController::stopAutomatic()
{
    m_timer.stop();
    if (!m_automatic)
        return;
    m_automatic = false;
    emit automaticChanged(false);
}

void TextPlayerController::colour(int from, int to, const QColor &c)
{
    const bool screenIsOurs = screenHoldsText();
    for (QTextDocument *document : {m_operator.data(), m_screen.data()}) {
        if (!document || (document == m_screen && !screenIsOurs))
            continue;
        const int last = document->characterCount() - 1;
        const int a = std::clamp(from, 0, last);
        const int b = std::clamp(to, 0, last);
        if (a >= b)
            continue;
        QTextCursor cursor(document);
        cursor.setPosition(a);
        cursor.setPosition(b, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setForeground(c);
        cursor.mergeCharFormat(f);
    }
}

void TextPlayerController::apply(const SentenceStepper::Step &step)
{
    colour(step.plainFrom, step.plainTo, m_textColour);
    colour(step.highlightFrom, step.highlightTo, m_highlightColour);
}

void TextPlayerController::nextSentence()
{
    apply(m_stepper.next());
}

void TextPlayerController::previousSentence()
{
    apply(m_stepper.previous());
}

void TextPlayerController::restore()
{
    m_timer.stop();
    m_stepper.restore();
    colour(0, m_stepper.length(), m_textColour);
}

void TextPlayerController::toggleAutomatic(int speedSeconds)
{
    m_automatic = !m_automatic;
    if (m_automatic)
        m_timer.start(speedSeconds > 0 ? std::min(speedSeconds, 24 * 3600) * 1000 : 1000);
    else
        m_timer.stop();
    emit automaticChanged(m_automatic);
}

void TextPlayerController::tick()
{
    if (m_stepper.atEnd()) {
        m_timer.stop();
        return;
    }
    nextSentence();
}

void TextPlayerController::setTextColour(const QColor &c)
{
    m_textColour = c;
    colour(0, m_stepper.length(), c);
}

void TextPlayerController::setHighlightColour(const QColor &c)
{
    m_highlightColour = c;
}

void TextPlayerController::applyFont(const QFont &font)
{
    const bool screenIsOurs = screenHoldsText();
    for (QTextDocument *document : {m_operator.data(), m_screen.data()}) {
        if (!document || (document == m_screen && !screenIsOurs))
            continue;
        QTextCursor cursor(document);
        cursor.select(QTextCursor::Document);
        QTextCharFormat f;
        f.setFont(font);
        cursor.mergeCharFormat(f);
    }
}

void TextPlayerController::applyPauseSymbols(const QString &entry)
{
    m_stepper.setPauseSymbols(entry);
}
