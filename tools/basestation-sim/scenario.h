#pragma once

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

#include <optional>

// How the delegates behave in a simulated meeting, read from a small text file (format in
// docs/basestation-sim.md).
struct Scenario
{
    struct Timed
    {
        QList<int> keypads;
        double afterSeconds = 0;
    };
    struct VoteRule
    {
        int ballot = 0;                  // 1 = first ballot started, 0 = every ballot without a rule of its own
        QList<int> keypads;              // empty = every keypad
        int keyCode = 0;                 // fixed answer, one bit per key
        QList<QPair<int, int>> weights;  // (key 0..5, weight); key 0 = no answer; used when not empty
    };

    int keypads = 100;
    int reserved = 1;
    QSet<int> offline;
    QSet<int> excluded;
    QList<Timed> signIns;   // seconds after sign-in opens
    QList<Timed> speakers;  // seconds after the simulator starts
    QList<VoteRule> votes;
    double voteDelaySeconds = 0.3;
    quint32 seed = 1;

    static std::optional<Scenario> parse(const QString &text, QString *error);
    static std::optional<Scenario> load(const QString &path, QString *error);
    // "1-5,9 12" or "all" (within 1..keypadCount).
    static std::optional<QList<int>> parseKeypadList(const QStringList &tokens, int keypadCount);
};
