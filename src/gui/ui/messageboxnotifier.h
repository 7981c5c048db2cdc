#pragma once

#include "core/base/operatornotifier.h"

#include <functional>

class QWidget;

// Shows the core's messages in message boxes over the given window.
class MessageBoxNotifier final : public OperatorNotifier
{
public:
    // `resolve` turns a catalogue entry into the text of the current language.
    using Resolver = std::function<QString(const OperatorText &)>;
    explicit MessageBoxNotifier(Resolver resolve, QWidget *parent = nullptr);

    void information(const OperatorText &caption, const OperatorText &text) override;
    void error(const OperatorText &caption, const OperatorText &text) override;
    bool question(const OperatorText &caption, const OperatorText &text) override;

private:
    Resolver m_resolve;
    QWidget *m_parent;
};
