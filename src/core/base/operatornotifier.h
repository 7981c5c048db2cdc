#pragma once

#include "core/base/operatortext.h"

// How the core speaks to the operator. The windows implement it with message boxes; tests implement it
// with a recorder. The core never shows anything itself, so every flow runs without a screen.
class OperatorNotifier
{
public:
    virtual ~OperatorNotifier() = default;

    virtual void information(const OperatorText &caption, const OperatorText &text) = 0;
    virtual void error(const OperatorText &caption, const OperatorText &text) = 0;
    // A Yes/No question; true means Yes. No must change nothing.
    virtual bool question(const OperatorText &caption, const OperatorText &text) = 0;
};
