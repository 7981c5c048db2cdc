#pragma once

#include "core/base/textcatalogue.h"

#include <QWidget>

class Link;
class QLabel;
class QProgressBar;

// What a running sign-in or ballot page tells the operator beyond its figures: that the base station is
// lost and being searched for (and so the figures are stale), that the page waits for it to end, which
// keypads off the roster answered and are left out, and how far the final pass has come. Empty and
// invisible while there is nothing to say.
class ConductStatusBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConductStatusBar)

public:
    struct State
    {
        bool running = false;        // a sign-in or ballot runs: a loss makes its figures stale
        bool waitingForBase = false; // it ends as soon as the base station is back
        QList<int> strangers;        // keypads off the roster that answered
        bool finalPass = false;      // the final pass is under way
        int finalPassProgress = 0;   // 0..100
    };

    ConductStatusBar(const Link &link, const TextCatalogue &catalogue, QWidget *parent = nullptr);

    void showState(const State &state);
    QString linkText() const;
    QString strangersText() const;
    bool isFinalPassShown() const;
    int finalPassProgress() const;

private:
    const Link &m_link;
    TextCatalogue m_catalogue;
    QLabel *m_linkLine;
    QLabel *m_strangers;
    QLabel *m_finalPassCaption;
    QProgressBar *m_finalPass;
};
