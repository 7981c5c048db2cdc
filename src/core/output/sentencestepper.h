#pragma once

#include <QString>
#include <QStringList>

// Sentence by sentence through a text, as the text player highlights it: a sentence runs from the
// character after one pause symbol up to and including the next. Positions are character positions in
// the text (a paragraph break counts as one), the same as in the document showing it.
class SentenceStepper final
{
public:
    static constexpr int MaxEntryLength = 30;

    // Which ranges to colour after a step; the document applies them to both copies.
    struct Step
    {
        int plainFrom = 0; // [plainFrom, plainTo) takes the text colour
        int plainTo = 0;
        int highlightFrom = 0; // [highlightFrom, highlightTo) takes the highlight colour
        int highlightTo = 0;
    };

    static QStringList defaultPauseSymbols();
    // What the pause-symbol field shows at first.
    static QString defaultEntry();

    SentenceStepper();

    // A new text keeps the positions (only restore resets them), but never past its end.
    void setText(const QString &text);
    QString text() const { return m_text; }
    int length() const { return int(m_text.size()); }

    // Each character of the entry becomes one symbol, in order; at most the first 30 are taken.
    void setPauseSymbols(const QString &entry);
    QStringList pauseSymbols() const { return m_symbols; }

    int sentenceStart() const { return m_start; }
    int sentenceEnd() const { return m_end; }
    bool atEnd() const { return m_end >= length(); }

    Step next();
    Step previous();
    void restore();

private:
    bool isPause(qsizetype position) const;

    QString m_text;
    QStringList m_symbols;
    int m_start = 0;
    int m_end = 0;
};
