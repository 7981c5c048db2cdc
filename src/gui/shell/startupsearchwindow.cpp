#include "gui/shell/startupsearchwindow.h"

#include "gui/shell/linkerrordialog.h"
#include "gui/ui/picturebackground.h"
#include "gui/ui/windowtexts.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

StartupSearchWindow::StartupSearchWindow(StartupSearchController &controller, const TextCatalogue &catalogue,
                                         const QString &photoFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint), m_controller(controller),
      m_catalogue(catalogue), m_progress(new QProgressBar(this)), m_searchAgain(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmLogo"));
    setFixedSize(510, 480);
    setPictureBackground(this, photoFolder + QStringLiteral("/LogoBmp.bmp"));

    auto *status = new QLabel(this);
    status->setObjectName(QStringLiteral("IDC_STATIC_NETLINK"));
    status->setGeometry(40, 332, 430, 24);
    status->setAlignment(Qt::AlignCenter);
    // What the search does now: the port tried, or the keypads that answered the roll call.
    auto *detail = new QLabel(this);
    detail->setObjectName(QStringLiteral("searchDetail"));
    detail->setGeometry(40, 360, 430, 24);
    detail->setAlignment(Qt::AlignCenter);
    detail->setText(catalogue.resolve(controller.status()));
    m_progress->setGeometry(40, 392, 430, 18);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_searchAgain->setGeometry(195, 424, 120, 32);
    m_searchAgain->setText(WindowTexts(catalogue, QStringLiteral("FrmLogo")).text(QStringLiteral("Clew")));
    m_searchAgain->setEnabled(false);
    WindowTexts(catalogue, QStringLiteral("FrmLogo")).apply(this);

    m_errorPrompt = [this] {
        LinkErrorDialog dialog(m_catalogue, m_controller.portsInUse(), this);
        const int result = dialog.exec();
        using Choice = StartupSearchController::ErrorChoice;
        if (dialog.goOnWithout())
            return Choice::GoOnWithout;
        return result == QDialog::Accepted ? Choice::SearchAgainLater : Choice::Dismissed;
    };

    connect(&controller, &StartupSearchController::progressChanged, m_progress, &QProgressBar::setValue);
    connect(&controller, &StartupSearchController::statusChanged, detail,
            [this, detail] { detail->setText(m_catalogue.resolve(m_controller.status())); });
    connect(&controller, &StartupSearchController::searchAgainEnabledChanged, m_searchAgain,
            &QPushButton::setEnabled);
    connect(&controller, &StartupSearchController::linkErrorRaised, this, &StartupSearchWindow::onLinkError,
            Qt::QueuedConnection);
    connect(&controller, &StartupSearchController::hideRequested, this, &QWidget::hide);
    connect(m_searchAgain, &QPushButton::clicked, &controller, &StartupSearchController::searchAgain);
}

void StartupSearchWindow::onLinkError()
{
    m_controller.onErrorChoice(m_errorPrompt());
}

void StartupSearchWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void StartupSearchWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
