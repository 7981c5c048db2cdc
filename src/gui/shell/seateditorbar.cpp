#include "gui/shell/seateditorbar.h"

#include "core/shell/seatplancontroller.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
QSpinBox *numberBox(SeatPlanController::Range range, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(range.low, range.high);
    box->setValue(range.initial);
    box->setMinimumWidth(72);
    return box;
}
} // namespace

SeatEditorBar::SeatEditorBar(SeatPlanController &controller, const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("Frmfound")),
      m_choosePicture([](QWidget *parent, const QString &filter) {
          return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
      }),
      m_configuration(new QPushButton(this)), m_picture(new QPushButton(this)),
      m_update(new QPushButton(this)), m_move(new QPushButton(this)),
      m_perRow(numberBox(SeatPlanController::SeatsPerRow, this)),
      m_gapX(numberBox(SeatPlanController::GapX, this)), m_gapY(numberBox(SeatPlanController::GapY, this))
{
    setObjectName(QStringLiteral("Frmfound"));
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("IDC_STATIC_CUSTOM"));
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto *rows = new QVBoxLayout(frame);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_configuration, m_picture, m_update, m_move}) {
        // Enter typed anywhere in the bar must not press a button.
        button->setAutoDefault(false);
        button->setMinimumWidth(150);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto *numbers = new QHBoxLayout;
    const std::pair<const char *, QSpinBox *> fields[] = {
        {"IDC_STATIC_LIST", m_perRow}, {"IDC_STATIC_ROWSPACE", m_gapX}, {"IDC_STATIC_LSTSPACE", m_gapY}};
    for (const auto &[key, box] : fields) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(key));
        label->setBuddy(box);
        numbers->addWidget(label);
        numbers->addWidget(box);
        numbers->addSpacing(16);
    }
    numbers->addStretch();
    rows->addLayout(buttons);
    rows->addLayout(numbers);
    m_texts.apply(this, QString());

    connect(m_configuration, &QPushButton::clicked, &m_controller, &SeatPlanController::pressConfiguration);
    connect(m_update, &QPushButton::clicked, &m_controller, &SeatPlanController::pressUpdate);
    connect(m_move, &QPushButton::clicked, &m_controller, &SeatPlanController::pressMove);
    connect(m_picture, &QPushButton::clicked, this, &SeatEditorBar::pressPicture);
    connect(m_perRow, &QSpinBox::valueChanged, &m_controller, &SeatPlanController::setSeatsPerRow);
    connect(m_gapX, &QSpinBox::valueChanged, &m_controller, &SeatPlanController::setGapX);
    connect(m_gapY, &QSpinBox::valueChanged, &m_controller, &SeatPlanController::setGapY);
    connect(&m_controller, &SeatPlanController::stateChanged, this, &SeatEditorBar::showState);
    showState();
}

void SeatEditorBar::showState()
{
    m_configuration->setText(m_texts.text(m_controller.planExists() ? QStringLiteral("BtnClewDel")
                                                                    : QStringLiteral("BtnClewNew")));
    m_picture->setText(m_texts.text(m_controller.hasPicture() ? QStringLiteral("BtnClewBmp")
                                                              : QStringLiteral("BtnClewlead")));
    m_update->setText(m_texts.text(QStringLiteral("BtnClewUpdate")));
    m_move->setText(m_texts.text(m_controller.isMoving() ? QStringLiteral("BtnClewrivet")
                                                         : QStringLiteral("BtnClewMove")));
    m_update->setEnabled(m_controller.isEditable() && !m_controller.isMoving());
    m_move->setEnabled(m_controller.isEditable());
    // While seats are carried about, only fixing them is offered.
    m_configuration->setEnabled(!m_controller.isMoving());
    m_picture->setEnabled(!m_controller.isMoving());
    const std::pair<QSpinBox *, int> values[] = {
        {m_perRow, m_controller.seatsPerRow()}, {m_gapX, m_controller.gapX()}, {m_gapY, m_controller.gapY()}};
    for (const auto &[box, value] : values) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
}

void SeatEditorBar::pressPicture()
{
    if (m_controller.hasPicture()) {
        m_controller.pressRemovePicture();
        return;
    }
    m_controller.pictureChosen(m_choosePicture(this, m_texts.text(QStringLiteral("MsgBmpFilter"))));
}
