#pragma once

#include "core/shell/systemtype.h"

#include <QObject>

#include <memory>

class BasicSettingsController;
class DataRoot;
class HallScreen;
class Link;
class OperatorNotifier;
class SeatPlanController;
class SystemDatabase;

// What the console lends the system setup for as long as it runs.
struct SystemSetupContext
{
    SystemDatabase &database;
    Link &link;
    HallScreen &hall;
    OperatorNotifier &notifier;
    const DataRoot &root;
    SystemType type;
};

// The system setup window (FrmSysset): which pages the installation has, which one shows, and when the
// operator may leave the room pages. A voting-only installation has only the basic page; one with
// discussion also has the video page and the two room pages. While seats are being moved every way out
// of the room pages is refused (the page buttons, Exit, the close box, Escape), since leaving would drop
// the seats moved by hand.
class SystemSetupController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SystemSetupController)

public:
    enum class Page
    {
        None,
        Basic,
        Video,
        Room
    };

    explicit SystemSetupController(const SystemSetupContext &context, QObject *parent = nullptr);
    ~SystemSetupController() override;

    SystemType type() const { return m_type; }
    bool hasPage(Page page) const;
    Page currentPage() const { return m_page; }

    BasicSettingsController &basic() { return *m_basic; }
    // None unless the installation has the room pages.
    SeatPlanController *seatPlan() { return m_seatPlan.get(); }

    // Opens the basic page first. `screenLeft`: the operator display's width.
    void open(int screenLeft);
    // A page button; false when it was refused (or the page does not exist).
    bool show(Page page);
    // Exit, the close box or Escape; false when refused.
    bool mayClose();

signals:
    void pageChanged(SystemSetupController::Page page);

private:
    bool refusedWhileMoving();
    void onKeypadCountChanged();

    OperatorNotifier &m_notifier;
    SystemType m_type;
    std::unique_ptr<BasicSettingsController> m_basic;
    std::unique_ptr<SeatPlanController> m_seatPlan;
    Page m_page = Page::None;
};
