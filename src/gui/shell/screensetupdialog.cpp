#include "gui/shell/screensetupdialog.h"

#include "core/shell/screensetupcontroller.h"
#include "gui/ui/colourpicker.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

ScreenSetupDialog::ScreenSetupDialog(ScreenSetupController &controller, const TextCatalogue &catalogue,
                                     QWidget *parent)
    : QDialog(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmScrSet")),
      m_size(new QComboBox(this)), m_colour(new ColourPicker(this))
{
    setObjectName(QStringLiteral("FrmScrSet"));
    m_size->addItems(ScreenSetupController::screenSizes());
    // A stored size the list does not offer is still shown as the one in force.
    if (m_size->findText(m_controller.size()) < 0)
        m_size->insertItem(0, m_controller.size());
    m_size->setCurrentIndex(m_size->findText(m_controller.size()));
    m_colour->setColour(m_controller.colour());

    auto *form = new QFormLayout;
    auto *sizeLabel = new QLabel(this);
    sizeLabel->setObjectName(QStringLiteral("IDC_STATIC_SCRSIZE"));
    auto *colourLabel = new QLabel(this);
    colourLabel->setObjectName(QStringLiteral("IDC_STATIC_SCRCOLOR"));
    form->addRow(sizeLabel, m_size);
    form->addRow(colourLabel, m_colour);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("IDOK"));
    QPushButton *cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_texts.apply(this);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_size, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            m_controller.selectSize(m_size->itemText(index));
    });
    connect(m_colour, &ColourPicker::colourPicked, this,
            [this](quint32 bgr) { m_controller.pickColour(bgr); });
}
