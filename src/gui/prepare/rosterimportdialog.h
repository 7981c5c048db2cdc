#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

struct RosterImport;
struct RosterRefusal;
class ListTable;
class QLabel;

// What an import of the roster did: how many delegates it stored, and each row it refused with the
// reason, so the operator can mend the file and import those rows again.
class RosterImportDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RosterImportDialog)

public:
    // `headings` are the roster's list headings, which name the columns in the reasons.
    RosterImportDialog(const RosterImport &result, const QStringList &headings,
                       const TextCatalogue &catalogue, QWidget *parent = nullptr);

    QString summary() const;
    ListTable *refusals() const { return m_refusals; }

private:
    QString reason(const RosterRefusal &refusal, const QStringList &headings) const;

    WindowTexts m_texts;
    QLabel *m_summary;
    ListTable *m_refusals;
};
