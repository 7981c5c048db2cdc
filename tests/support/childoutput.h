#pragma once

#include "core/base/operatornotifier.h"

#include <QString>

// What the child programs of the crash tests share: the test reads the child's lines on its standard
// output to know how far it got before it kills it; what the console would have shown the operator goes
// to standard error by catalogue key, for the test's log.

class StderrNotifier final : public OperatorNotifier
{
public:
    void information(const OperatorText &, const OperatorText &text) override { print(text); }
    void error(const OperatorText &, const OperatorText &text) override { print(text); }
    // Nobody is there to answer: every question is answered No.
    bool question(const OperatorText &, const OperatorText &text) override
    {
        print(text);
        return false;
    }

private:
    static void print(const OperatorText &text);
};

// One line on standard output, flushed at once: the test may kill the child right after reading it.
void sayToParent(const QString &line);
