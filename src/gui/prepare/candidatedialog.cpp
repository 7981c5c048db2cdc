#include "gui/prepare/candidatedialog.h"

#include "core/prepare/candidatelistcontroller.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CandidateDialog::CandidateDialog(CandidateListController &controller, const TextCatalogue &catalogue,
                                 QWidget *parent)
    : QDialog(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmNominee"))
{
    setObjectName(QStringLiteral("FrmNominee"));
    setFixedSize(460, 300);
    const char *labelKeys[CandidateListController::FieldCount] = {
        "IDC_STATIC_CDATEONE", "IDC_STATIC_CDATETWO", "IDC_STATIC_CDATETHREE", "IDC_STATIC_CDATEFOUR",
        "IDC_STATIC_CDATEFIVE"};
    for (int i = 0; i < CandidateListController::FieldCount; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(labelKeys[i]));
        label->setGeometry(20, 24 + i * 42, 180, 28);
        auto *name = new QLineEdit(controller.names().at(i), this);
        name->setGeometry(204, 24 + i * 42, 236, 28);
        name->setEnabled(controller.editable(i));
        label->setBuddy(name);
        connect(name, &QLineEdit::textEdited, this,
                [this, i](const QString &text) { m_controller.setName(i, text); });
        m_names.append(name);
    }
    auto *ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setGeometry(236, 246, 96, 32);
    ok->setDefault(true);
    auto *cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    cancel->setGeometry(344, 246, 96, 32);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_texts.apply(this);
}

QString CandidateDialog::edit(QWidget *parent, const TextCatalogue &catalogue, const QString &candidate,
                              VoteType type, bool voted)
{
    CandidateListController controller(candidate, int(type), voted);
    CandidateDialog dialog(controller, catalogue, parent);
    return dialog.exec() == QDialog::Accepted ? controller.result() : QString();
}
