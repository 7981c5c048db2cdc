#pragma once

#include <QDialog>

#include <optional>

class QSpinBox;
class TextCatalogue;

// The print preview's go-to-page question (FrmSysPre): a page number, starting at the current page.
class GoToPageDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GoToPageDialog)

public:
    GoToPageDialog(const TextCatalogue &catalogue, int current, QWidget *parent = nullptr);

    QSpinBox *number() const { return m_number; }
    // The number typed, none when the operator cancelled. The preview keeps it within its pages.
    static std::optional<int> ask(const TextCatalogue &catalogue, int current, QWidget *parent);

private:
    QSpinBox *m_number;
};
