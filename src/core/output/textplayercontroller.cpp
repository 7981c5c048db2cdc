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
    const std::pair<QTextDocument *, double> copies[] = {{m_operator, OperatorPoints},
                                                         {m_screen, ScreenPoints}};
    for (const auto &[document, points] : copies) {
        if (!document)
            continue;
        QTextCharFormat f;
        f.setFontWeight(QFont::Normal);
        f.setFontItalic(false);
        f.setFontUnderline(false);
        f.setFontPointSize(points);
        // A new text starts black, whatever colour the last one was stepped in.
        f.setForeground(QColor(0, 0, 0));
        document->clear();
        QTextCursor cursor(document);
        cursor.setBlockCharFormat(f);
        cursor.insertText(text, f);
        document->setModified(false);
    }
}

void TextPlayerController::colour(int from, int to, const QColor &c)
{
    for (QTextDocument *document : {m_operator.data(), m_screen.data()}) {
        if (!document)
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
    for (QTextDocument *document : {m_operator.data(), m_screen.data()}) {
        if (!document)
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
