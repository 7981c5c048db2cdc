#pragma once

#include "core/shell/startupsearchcontroller.h"
#include "core/base/textcatalogue.h"

#include <QDialog>

#include <functional>

class QProgressBar;
class QPushButton;

// Shown while the console looks for the base station and calls every keypad once (FrmLogo). It cannot be
// closed with Enter or Esc; the sequencer hides it when the link is ready.
class StartupSearchWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StartupSearchWindow)

public:
    // Runs the link error window and returns the operator's choice; tests put a scripted answer here.
    using ErrorPrompt = std::function<StartupSearchController::ErrorChoice()>;

    StartupSearchWindow(StartupSearchController &controller, const TextCatalogue &catalogue,
                        const QString &photoFolder, QWidget *parent = nullptr);

    void setErrorPrompt(ErrorPrompt prompt) { m_errorPrompt = std::move(prompt); }
    QPushButton *searchAgainButton() const { return m_searchAgain; }
    QProgressBar *progressBar() const { return m_progress; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void onLinkError();

    StartupSearchController &m_controller;
    TextCatalogue m_catalogue;
    QProgressBar *m_progress;
    QPushButton *m_searchAgain;
    ErrorPrompt m_errorPrompt;
};
