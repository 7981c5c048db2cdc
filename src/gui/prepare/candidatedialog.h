#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

class CandidateListController;
class QLineEdit;
enum class VoteType;

// The candidate window (FrmNominee): one name per key of an election.
class CandidateDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CandidateDialog)

public:
    CandidateDialog(CandidateListController &controller, const TextCatalogue &catalogue,
                    QWidget *parent = nullptr);

    // Edits a stored list; the new list, or an empty text when the operator cancelled.
    static QString edit(QWidget *parent, const TextCatalogue &catalogue, const QString &candidate,
                        VoteType type, bool voted);

    QLineEdit *nameField(int field) const { return m_names.value(field); }

private:
    CandidateListController &m_controller;
    WindowTexts m_texts;
    QList<QLineEdit *> m_names;
};
