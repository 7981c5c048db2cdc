#pragma once

#include <QDialog>

class QProgressBar;
class QTimer;

// Holds the operator while a discussion installation's keypads take the speech set-up: a bar that fills
// in 50 steps of 2 x keypad count milliseconds each (10 seconds for 100 keypads), then closes by itself.
// It does no other work.
class StartupProgressDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StartupProgressDialog)

public:
    static constexpr int Step = 2;

    StartupProgressDialog(int keypadCount, const QString &photoFolder, QWidget *parent = nullptr);

    int value() const;
    int tickInterval() const;

    // Timer work: one step of the bar; at 100 the dialog closes with OK.
    void onTick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QProgressBar *m_bar;
    QTimer *m_timer;
};
