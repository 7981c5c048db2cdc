#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

class DataRoot;
class DocumentEditorController;
class OperatorNotifier;
class QTextEdit;
struct DocumentSetup;

// The rich-text editor (DlgEditVote) for a meeting's banner and a motion's content document: the text
// pane in the hall screen's colours and width, with the usual editing and formatting commands.
class DocumentEditorDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentEditorDialog)

public:
    DocumentEditorDialog(DocumentEditorController &controller, OperatorNotifier &notifier,
                         const TextCatalogue &catalogue, QWidget *parent = nullptr);

    // Runs the editor on a document; true when the operator saved it.
    static bool edit(const DataRoot &root, const DocumentSetup &setup, OperatorNotifier &notifier,
                     const TextCatalogue &catalogue, QWidget *parent);

    QTextEdit *pane() const { return m_pane; }
    void save();
    void insertPicture(const QString &path);

public slots:
    void reject() override;

private:
    void chooseFont();
    void choosePicture();
    void align(Qt::Alignment alignment);

    DocumentEditorController &m_controller;
    OperatorNotifier &m_notifier;
    WindowTexts m_texts;
    QTextEdit *m_pane;
};
