#include "gui/prepare/rosterimportdialog.h"

#include "core/prepare/rosterimport.h"
#include "gui/ui/listtable.h"

#include <QLabel>
#include <QPushButton>

RosterImportDialog::RosterImportDialog(const RosterImport &result, const QStringList &headings,
                                       const TextCatalogue &catalogue, QWidget *parent)
    : QDialog(parent), m_texts(catalogue, QStringLiteral("FrmManinfo")), m_summary(new QLabel(this)),
      m_refusals(new ListTable(this))
{
    setWindowTitle(m_texts.text(QStringLiteral("LeadTitle")));
    const bool refused = !result.refused.isEmpty();
    setFixedSize(760, refused ? 440 : 130);

    QString summary = m_texts.text(QStringLiteral("MsgLeadDone")).arg(result.delegates.size());
    if (refused)
        summary += u'\n' + m_texts.text(QStringLiteral("MsgLeadRefused")).arg(result.refused.size());
    m_summary->setText(summary);
    m_summary->setWordWrap(true);
    m_summary->setGeometry(16, 12, 728, 48);

    m_refusals->setGeometry(16, 66, 728, 310);
    m_refusals->setColumns({m_texts.text(QStringLiteral("LstLead1")), headings.value(0), headings.value(1),
                            m_texts.text(QStringLiteral("LstLead2"))},
                           {50, 70, 170, 416});
    QList<QStringList> rows;
    for (const RosterRefusal &r : result.refused)
        rows.append({QString::number(r.row), r.keypad, r.name, reason(r, headings)});
    m_refusals->setRows(rows);
    m_refusals->setVisible(refused);

    auto *close = new QPushButton(m_texts.text(QStringLiteral("BtnLeadClose")), this);
    close->setGeometry(648, height() - 48, 96, 32);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QString RosterImportDialog::summary() const
{
    return m_summary->text();
}

QString RosterImportDialog::reason(const RosterRefusal &refusal, const QStringList &headings) const
{
    switch (refusal.reason) {
    case RosterRefusal::Reason::Keypad:
        return m_texts.text(QStringLiteral("MsgRefuseKeypad"));
    case RosterRefusal::Reason::Name:
        return m_texts.text(QStringLiteral("MsgRefuseName"));
    case RosterRefusal::Reason::TooLong:
        return m_texts.text(QStringLiteral("MsgRefuseLong"))
            .arg(headings.value(refusal.column), QString::number(refusal.column >= 0 && refusal.column < 10
                                                                     ? DelegateColumnWidths[refusal.column]
                                                                     : 0));
    case RosterRefusal::Reason::Twice:
        return m_texts.text(QStringLiteral("MsgRefuseTwice")).arg(refusal.earlierRow);
    case RosterRefusal::Reason::Used:
        return m_texts.text(QStringLiteral("MsgRefuseUsed"));
    }
    return {};
}
