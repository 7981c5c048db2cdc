#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class KeypadMonitorController;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The keypad check (FrmLink): which keypads answer, in columns of 30, with the three counts.
class KeypadMonitorWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeypadMonitorWindow)

public:
    KeypadMonitorWindow(KeypadMonitorController &controller, const TextCatalogue &catalogue,
                        const QString &photoFolder, QWidget *parent = nullptr);

    QTableWidget *list() const { return m_list; }
    QPushButton *checkButton() const { return m_check; }
    QString countText(int which) const;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void rebuild();
    void refresh();

    KeypadMonitorController &m_controller;
    WindowTexts m_texts;
    QTableWidget *m_list;
    QPushButton *m_check;
    QProgressBar *m_progress;
    QLabel *m_noBase = nullptr;
    QLabel *m_counts[3];
};
