#include "gui/shell/linkerrordialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LinkErrorDialog::LinkErrorDialog(const TextCatalogue &catalogue, const QStringList &portsInUse,
                                 QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmError"));
    // 247 x 151 dialog units at the usual 8-point dialog font.
    setFixedSize(370, 245);
    auto *layout = new QVBoxLayout(this);
    for (const char *key :
         {"IDC_STATIC_ERRCLEW1", "IDC_STATIC_ERRCLEW2", "IDC_STATIC_ERRCLEW3", "IDC_STATIC_ERRCLEW4"}) {
        auto *line = new QLabel(this);
        line->setObjectName(QLatin1String(key));
        line->setWordWrap(true);
        layout->addWidget(line);
    }
    layout->addStretch();
    auto *buttons = new QHBoxLayout;
    auto *jump = new QPushButton(this);
    jump->setObjectName(QStringLiteral("IDC_ERROR_JUMP"));
    auto *ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(jump);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    const WindowTexts texts(catalogue, QStringLiteral("FrmError"));
    texts.apply(this, QStringLiteral("DlgError"));
    if (!portsInUse.isEmpty()) {
        findChild<QLabel *>(QStringLiteral("IDC_STATIC_ERRCLEW1"))
            ->setText(texts.text(QStringLiteral("MsgPortInUse")).arg(portsInUse.join(QStringLiteral(", "))));
        findChild<QLabel *>(QStringLiteral("IDC_STATIC_ERRCLEW2"))->hide();
    }
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(jump, &QPushButton::clicked, this, &LinkErrorDialog::chooseGoOnWithout);
}

void LinkErrorDialog::chooseGoOnWithout()
{
    m_goOnWithout = true;
    accept();
}
