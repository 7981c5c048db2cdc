#pragma once

// What the benches share: a notifier that counts messages and prints what went wrong, the folder to
// measure in, and the timing of repeated rounds.

#include "core/base/operatornotifier.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

class BenchNotifier final : public OperatorNotifier
{
public:
    void information(const OperatorText &, const OperatorText &) override { ++messages; }
    void error(const OperatorText &, const OperatorText &text) override
    {
        ++messages;
        ++errors;
        std::fprintf(stderr, "%s %s\n", qPrintable(text.key), qPrintable(text.literal));
    }
    bool question(const OperatorText &, const OperatorText &) override
    {
        ++messages;
        return false;
    }
    int messages = 0;
    int errors = 0;
};

// A temporary folder inside the folder the first argument names (to measure on another disk), else in the
// system's temporary folder; null, with a word on stderr, when it cannot be made.
inline std::unique_ptr<QTemporaryDir> benchFolder(const QStringList &args)
{
    auto folder = std::make_unique<QTemporaryDir>(
        args.size() > 1 ? args.at(1) + QStringLiteral("/quorix-bench-XXXXXX") : QString());
    if (folder->isValid())
        return folder;
    std::fprintf(stderr, "cannot make a folder to measure in\n");
    return nullptr;
}

// Round 0 warms up, rounds 1..`rounds` are timed; `prepare` runs untimed before each.
inline void measure(const char *what, int rounds, const std::function<void(int)> &run,
                    const std::function<void()> &prepare = {})
{
    std::vector<double> ms;
    for (int i = 0; i <= rounds; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run(i);
        if (i > 0)
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-56s median %7.2f ms   p95 %7.2f ms   min %7.2f ms   max %7.2f ms   (%d rounds)\n", what,
                ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)], ms.front(), ms.back(), rounds);
}
