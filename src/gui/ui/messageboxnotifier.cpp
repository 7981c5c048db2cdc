#include "gui/ui/messageboxnotifier.h"

#include <QMessageBox>

MessageBoxNotifier::MessageBoxNotifier(Resolver resolve, QWidget *parent)
    : m_resolve(std::move(resolve)), m_parent(parent)
{}

void MessageBoxNotifier::information(const OperatorText &caption, const OperatorText &text)
{
    QMessageBox::information(m_parent, m_resolve(caption), m_resolve(text));
}

void MessageBoxNotifier::error(const OperatorText &caption, const OperatorText &text)
{
    QMessageBox::critical(m_parent, m_resolve(caption), m_resolve(text));
}

bool MessageBoxNotifier::question(const OperatorText &caption, const OperatorText &text)
{
    return QMessageBox::question(m_parent, m_resolve(caption), m_resolve(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
