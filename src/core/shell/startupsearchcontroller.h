#pragma once

#include <QObject>
#include <QStringList>

#include "core/base/operatortext.h"

class Link;
class QTimer;

// The start-up search window's logic: shows the search going on, learns when the link is ready or that no
// base station answered, and lets the operator search again or go on without a base station.
class StartupSearchController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StartupSearchController)

public:
    // What the operator chose in the link error window. Dismissed (the close box, Escape, the window
    // manager) counts as OK: the search must stay within the operator's reach.
    enum class ErrorChoice
    {
        SearchAgainLater,
        GoOnWithout,
        Dismissed
    };

    explicit StartupSearchController(Link &link, QObject *parent = nullptr);

    void open();
    void searchAgain();
    void onErrorChoice(ErrorChoice choice);
    // The 100 ms timer's work.
    void onTimer();

    // The search's progress, 0..100, that only grows while one search runs: the ports of the range take
    // the first half, the start-up roll call the second.
    int progress() const { return m_progress; }
    // The ports of the failed search that another program held; the link error window names them.
    QStringList portsInUse() const;
    // What the search is doing now: the port being tried, or how many keypads of the roll call answered.
    OperatorText status() const { return m_status; }
    bool isSearchAgainEnabled() const { return m_searchAgainEnabled; }

signals:
    void progressChanged(int progress);
    void statusChanged();
    void searchAgainEnabledChanged(bool enabled);
    // No base station answered: the window runs the link error window and reports the choice back.
    void linkErrorRaised();
    // The operator goes on without a base station: hide the search window.
    void hideRequested();

private:
    void setProgress(int progress);
    void followTheLink();
    void setSearchAgainEnabled(bool enabled);

    Link &m_link;
    QTimer *m_timer;
    int m_progress = 0;
    OperatorText m_status;
    bool m_searchAgainEnabled = false;
};
