#pragma once

#include "core/shell/systemsetupcontroller.h"
#include "gui/ui/windowtexts.h"

#include <QDialog>

#include <functional>

class BasicSettingsPage;
class HubButton;
class QLabel;
class SeatEditorBar;
class SeatMapView;

// The pages of the system setup that other parts of the console provide. While one is missing, its
// button stays disabled, so the window never offers a page that does not exist.
struct SystemSetupHooks
{
    // The video page (camera control), created with the window.
    std::function<QWidget *(QWidget *parent)> createVideoPage;
};

// The system setup window (FrmSysset): four buttons in the dark column (basic, video and room settings,
// exit) and the page area. Every way out, Exit, the close box and Escape alike, ends the window the same
// way, and each is refused while seats are being moved.
class SystemSetupWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SystemSetupWindow)

public:
    using Page = SystemSetupController::Page;
    enum class Control
    {
        Basic,
        Video,
        Room,
        Exit
    };

    SystemSetupWindow(SystemSetupController &controller, const TextCatalogue &catalogue,
                      const QString &photoFolder, SystemSetupHooks hooks = {}, QWidget *parent = nullptr);

    HubButton *button(Control control) const;
    BasicSettingsPage *basicPage() const { return m_basic; }
    SeatMapView *seatView() const { return m_seatView; }
    SeatEditorBar *editorBar() const { return m_editorBar; }
    QWidget *videoPage() const { return m_videoPage; }
    QLabel *pageTitle() const { return m_title; }

protected:
    void reject() override;

private:
    void press(Control control);
    void showPage(Page page);

    SystemSetupController &m_controller;
    WindowTexts m_texts;
    QList<QPair<Control, HubButton *>> m_buttons;
    QLabel *m_title;
    BasicSettingsPage *m_basic = nullptr;
    SeatMapView *m_seatView = nullptr;
    SeatEditorBar *m_editorBar = nullptr;
    QWidget *m_videoPage = nullptr;
};
