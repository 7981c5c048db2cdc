#include "gui/shell/systemsetupwindow.h"

#include "core/shell/seatplancontroller.h"
#include "core/shell/windowplacement.h"
#include "gui/shell/basicsettingspage.h"
#include "gui/shell/seateditorbar.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/picturebackground.h"
#include "gui/ui/seatmapview.h"

#include <QLabel>

namespace {
struct Place
{
    SystemSetupWindow::Control control;
    const char *key;
    int y;
};

constexpr Place Places[] = {
    {SystemSetupWindow::Control::Basic, "IDC_BASIC_SETUP", 60},
    {SystemSetupWindow::Control::Video, "IDC_VIDEO_SETUP", 160},
    {SystemSetupWindow::Control::Room, "IDC_AROOM_SETUP", 260},
    {SystemSetupWindow::Control::Exit, "IDC_SYSTEM_EXIT", 550},
};

QLabel *whiteLabel(QWidget *parent, const QFont &font)
{
    auto *label = new QLabel(parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setFont(font);
    return label;
}
} // namespace

SystemSetupWindow::SystemSetupWindow(SystemSetupController &controller, const TextCatalogue &catalogue,
                                     const QString &photoFolder, SystemSetupHooks hooks, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_controller(controller), m_texts(catalogue, QStringLiteral("FrmSysset"))
{
    setObjectName(QStringLiteral("FrmSysset"));
    setFixedSize(WindowPlacement::HubSize);
    setPictureBackground(this, photoFolder + QStringLiteral("/SyssetBmp.bmp"));

    QFont titleFont = font();
    titleFont.setPointSize(13);
    titleFont.setBold(true);
    QLabel *frameTitle = whiteLabel(this, titleFont);
    frameTitle->setObjectName(QStringLiteral("IDC_STATIC_SYSSET"));
    frameTitle->setGeometry(10, 8, 180, 28);
    frameTitle->setAlignment(Qt::AlignCenter);
    m_title = whiteLabel(this, titleFont);
    m_title->setGeometry(213, 8, 790, 28);

    for (const Place &place : Places) {
        auto *button = new HubButton(this);
        button->setObjectName(QLatin1String(place.key));
        button->setGeometry(10, place.y, 180, 50);
        m_buttons.append({place.control, button});
        const Control c = place.control;
        connect(button, &HubButton::clicked, this, [this, c] { press(c); });
    }

    // The frame's own texts go on before the pages exist: the pages carry texts of their own sections.
    m_texts.apply(this);

    const bool votingOnly = m_controller.type() == SystemType::VotingOnly;
    if (m_controller.hasPage(Page::Basic)) {
        m_basic = new BasicSettingsPage(m_controller.basic(), catalogue, this);
        m_basic->setGeometry(votingOnly ? QRect(250, 40, 770, 660) : QRect(205, 40, 810, 660));
    }
    if (SeatPlanController *seatPlan = m_controller.seatPlan()) {
        m_seatView = new SeatMapView(seatPlan->model(), photoFolder, this);
        m_seatView->setGeometry(205, 40, 810, 550);
        m_editorBar = new SeatEditorBar(*seatPlan, catalogue, this);
        m_editorBar->setGeometry(205, 590, 810, 106);
    }
    if (m_controller.hasPage(Page::Video) && hooks.createVideoPage) {
        m_videoPage = hooks.createVideoPage(this);
        m_videoPage->setGeometry(205, 40, 810, 672);
    }
    // The pages cover the faint drawing of the page area.
    for (QWidget *page :
         {static_cast<QWidget *>(m_basic), static_cast<QWidget *>(m_editorBar), m_videoPage}) {
        if (!page)
            continue;
        QPalette palette = page->palette();
        palette.setColor(QPalette::Window, QColor(0xf7, 0xf9, 0xfb));
        page->setPalette(palette);
        page->setAutoFillBackground(true);
    }
    button(Control::Video)->setVisible(!votingOnly);
    button(Control::Room)->setVisible(!votingOnly);
    button(Control::Video)->setEnabled(m_videoPage != nullptr);
    button(Control::Room)->setEnabled(m_seatView != nullptr);
    button(Control::Basic)->setEnabled(m_basic != nullptr);

    connect(&m_controller, &SystemSetupController::pageChanged, this, &SystemSetupWindow::showPage);
    showPage(m_controller.currentPage());
}

HubButton *SystemSetupWindow::button(Control control) const
{
    for (const auto &[c, button] : m_buttons)
        if (c == control)
            return button;
    return nullptr;
}

void SystemSetupWindow::press(Control control)
{
    switch (control) {
    case Control::Basic:
        m_controller.show(Page::Basic);
        break;
    case Control::Video:
        if (m_videoPage)
            m_controller.show(Page::Video);
        break;
    case Control::Room:
        m_controller.show(Page::Room);
        break;
    case Control::Exit:
        if (m_controller.mayClose())
            QDialog::accept();
        break;
    }
}

void SystemSetupWindow::showPage(Page page)
{
    if (m_basic) {
        m_basic->setVisible(page == Page::Basic);
        if (page == Page::Basic)
            m_basic->showFields();
    }
    if (m_videoPage)
        m_videoPage->setVisible(page == Page::Video);
    if (m_seatView) {
        m_seatView->setVisible(page == Page::Room);
        m_editorBar->setVisible(page == Page::Room);
    }
    const std::pair<Page, Control> buttons[] = {
        {Page::Basic, Control::Basic}, {Page::Video, Control::Video}, {Page::Room, Control::Room}};
    for (const auto &[p, c] : buttons) {
        const bool exists = (c == Control::Basic && m_basic) || (c == Control::Video && m_videoPage) ||
                            (c == Control::Room && m_seatView);
        button(c)->setEnabled(exists && p != page);
    }
    const char *title = page == Page::Basic ? "MsgClew1" : page == Page::Video ? "MsgClew2" : "MsgClew3";
    m_title->setText(page == Page::None ? QString() : m_texts.text(QLatin1String(title)));
}

// Escape and the close box are refused like the exit button while seats are being moved.
void SystemSetupWindow::reject()
{
    if (m_controller.mayClose())
        QDialog::reject();
}
