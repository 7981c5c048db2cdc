#include "core/shell/systemsetupcontroller.h"

#include "core/shell/basicsettingscontroller.h"
#include "core/base/operatornotifier.h"
#include "core/shell/seatplancontroller.h"

SystemSetupController::SystemSetupController(const SystemSetupContext &context, QObject *parent)
    : QObject(parent), m_notifier(context.notifier), m_type(context.type),
      m_basic(std::make_unique<BasicSettingsController>(context.database, context.link, context.hall,
                                                        context.notifier))
{
    if (m_type == SystemType::Discussion)
        m_seatPlan = std::make_unique<SeatPlanController>(context.database, context.notifier, context.root);
    connect(m_basic.get(), &BasicSettingsController::keypadCountChanged, this,
            &SystemSetupController::onKeypadCountChanged);
}

SystemSetupController::~SystemSetupController() = default;

bool SystemSetupController::hasPage(Page page) const
{
    switch (page) {
    case Page::Basic:
        return m_type != SystemType::Neither;
    case Page::Video:
    case Page::Room:
        return m_type == SystemType::Discussion;
    case Page::None:
        break;
    }
    return false;
}

void SystemSetupController::open(int screenLeft)
{
    if (!hasPage(Page::Basic))
        return;
    m_basic->open(screenLeft);
    if (m_seatPlan)
        m_seatPlan->open();
    m_page = Page::Basic;
    emit pageChanged(m_page);
}

bool SystemSetupController::refusedWhileMoving()
{
    if (!m_seatPlan || !m_seatPlan->isMoving())
        return false;
    // The caption key is spelled with its blank, as the window always named it.
    m_notifier.information(
        OperatorText::catalogue(QStringLiteral("FrmSysset"), QStringLiteral("MsgClew ")),
        OperatorText::catalogue(QStringLiteral("FrmSysset"), QStringLiteral("MsgErrClew")));
    return true;
}

bool SystemSetupController::show(Page page)
{
    if (!hasPage(page))
        return false;
    if (page != Page::Room && refusedWhileMoving())
        return false;
    m_page = page;
    emit pageChanged(m_page);
    return true;
}

bool SystemSetupController::mayClose()
{
    return !refusedWhileMoving();
}

// A new keypad count wants a new seat plan: shown on the room pages where the installation has them.
void SystemSetupController::onKeypadCountChanged()
{
    if (!m_seatPlan || !show(Page::Room))
        return;
    m_seatPlan->rebuildForKeypadCount();
}
