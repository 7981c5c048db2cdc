#include "gui/ui/conductstatusbar.h"

#include "core/counting/countedkeypads.h"
#include "core/link/link.h"
#include "core/base/operatortext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
QLabel *line(QWidget *parent, const QColor &colour)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->hide();
    return label;
}
} // namespace

ConductStatusBar::ConductStatusBar(const Link &link, const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent), m_link(link), m_catalogue(catalogue), m_linkLine(line(this, QColor(200, 0, 0))),
      m_strangers(line(this, QColor(170, 90, 0))), m_finalPassCaption(new QLabel(this)),
      m_finalPass(new QProgressBar(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_linkLine);
    layout->addWidget(m_strangers);
    auto *pass = new QHBoxLayout;
    pass->addWidget(m_finalPassCaption);
    pass->addWidget(m_finalPass, 1);
    layout->addLayout(pass);
    layout->addStretch();
    m_finalPass->setRange(0, 100);
    m_finalPassCaption->setText(m_catalogue.text(QStringLiteral("Public"), QStringLiteral("MsgFinalPass")));
    m_finalPassCaption->hide();
    m_finalPass->hide();
}

void ConductStatusBar::showState(const State &state)
{
    QStringList lost;
    if (m_link.isLost()) {
        lost << m_catalogue.resolve(m_link.statusText());
        if (state.running)
            lost << m_catalogue.text(QStringLiteral("Public"), QStringLiteral("MsgStale"));
    }
    if (state.waitingForBase)
        lost << m_catalogue.text(QStringLiteral("Public"), QStringLiteral("MsgWaitBase"));
    m_linkLine->setText(lost.join(QLatin1Char(' ')));
    m_linkLine->setVisible(!lost.isEmpty());

    const OperatorText strangers =
        OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgStrangers"),
                                {CountedKeypads::listText(state.strangers)});
    m_strangers->setText(state.strangers.isEmpty() ? QString() : m_catalogue.resolve(strangers));
    m_strangers->setVisible(!state.strangers.isEmpty());

    m_finalPass->setValue(state.finalPassProgress);
    m_finalPass->setVisible(state.finalPass);
    m_finalPassCaption->setVisible(state.finalPass);
}

QString ConductStatusBar::linkText() const
{
    return m_linkLine->isHidden() ? QString() : m_linkLine->text();
}

QString ConductStatusBar::strangersText() const
{
    return m_strangers->isHidden() ? QString() : m_strangers->text();
}

bool ConductStatusBar::isFinalPassShown() const
{
    return !m_finalPass->isHidden();
}

int ConductStatusBar::finalPassProgress() const
{
    return m_finalPass->value();
}
