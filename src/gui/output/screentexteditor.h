#pragma once

#include "core/output/screentextcontroller.h"

#include <QDialog>

class DataRoot;
class HallScreen;
class OperatorNotifier;
class QPushButton;
class QTextEdit;
class TextCatalogue;

// The screen text editor (FrmInser): rich text written here goes to the hall screen's text pane through
// the file System/insretview.rtf (ScreenTextController). It opens on the text last sent, so the operator
// can amend what the hall shows; while that is read, the text is read-only and the send button off. Only
// its close button closes it: Escape and Enter outside the text do nothing.
//
// The conference console's insert-display button opens it with
//     ScreenTextEditor::open(this, hall, root, notifier, catalogue);
class ScreenTextEditor final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScreenTextEditor)

public:
    ScreenTextEditor(HallScreen &hall, const DataRoot &root, OperatorNotifier &notifier,
                     const TextCatalogue &catalogue, QWidget *parent = nullptr);

    // Runs the editor modally, centred over `parent`.
    static void open(QWidget *parent, HallScreen &hall, const DataRoot &root, OperatorNotifier &notifier,
                     const TextCatalogue &catalogue);

    // The send button: the hall's text pane shows the editor's text, by way of the file.
    void send();

    QTextEdit *editor() const { return m_editor; }
    QString filePath() const { return m_controller.filePath(); }
    ScreenTextController &controller() { return m_controller; }

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ScreenTextController m_controller;
    QTextEdit *m_editor;
    QPushButton *m_send;
};
