#include "gui/output/gotopagedialog.h"

#include "gui/ui/windowtexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

GoToPageDialog::GoToPageDialog(const TextCatalogue &catalogue, int current, QWidget *parent)
    : QDialog(parent), m_number(new QSpinBox(this))
{
    setObjectName(QStringLiteral("FrmSysPre"));
    auto *caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("IDC_PAGE_NUMBER"));
    // Any page number may be typed; one past the last page shows the last.
    m_number->setRange(1, 9999);
    m_number->setValue(current);
    m_number->selectAll();
    auto *ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("BTN_OK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("BTN_CANCEL"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_number);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    WindowTexts(catalogue, QStringLiteral("FrmSysPre")).apply(this, QStringLiteral("DlgText"));
}

std::optional<int> GoToPageDialog::ask(const TextCatalogue &catalogue, int current, QWidget *parent)
{
    GoToPageDialog dialog(catalogue, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.number()->value();
}
