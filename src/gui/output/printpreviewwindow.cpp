#include "gui/output/printpreviewwindow.h"

#include "core/output/reportfiles.h"
#include "core/base/operatornotifier.h"
#include "gui/output/gotopagedialog.h"
#include "gui/output/reportprinting.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace {
// The screen's resolution, so the preview's millimetres are the screen's.
double screenDpi(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}
} // namespace

PrintPreviewWindow::PrintPreviewWindow(ReportDocument document, QString title, const TextCatalogue &catalogue,
                                       OperatorNotifier &notifier, QWidget *parent)
    : QDialog(parent, Qt::Window), m_texts(catalogue, QStringLiteral("FrmSysPre")), m_notifier(notifier),
      m_renderer(std::move(document)), m_title(std::move(title)), m_pages(m_renderer.pageCount()),
      m_pageNumber(new QLabel(this)), m_view(new QScrollArea(this)), m_page(new QLabel)
{
    setObjectName(QStringLiteral("FrmSysPre"));
    setWindowTitle(m_texts.text(QStringLiteral("DlgText")) + u" - " + m_title);
    askPage = [this](int current) { return GoToPageDialog::ask(m_texts.catalogue(), current, this); };
    askPdfPath = [this](const QString &suggested) {
        QFileDialog dialog(this, m_texts.text(QStringLiteral("BtnPdf")));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(m_texts.text(QStringLiteral("FilterPdf")) + u" (*.pdf)");
        // A name typed without a suffix takes .pdf, and the dialog asks before replacing that file.
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.selectFile(suggested);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };

    auto *bar = new QHBoxLayout;
    const QString keys[] = {QStringLiteral("BtnFirst"), QStringLiteral("BtnPrevious"),
                            QStringLiteral("BtnGoTo"),  QStringLiteral("BtnNext"),
                            QStringLiteral("BtnLast"),  QStringLiteral("BtnPrint"),
                            QStringLiteral("BtnPdf"),   QStringLiteral("BtnClose")};
    for (int i = 0; i < 8; ++i) {
        auto *button = new QPushButton(m_texts.text(keys[i]), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { command(Command(i)); });
        m_buttons.append(button);
        bar->addWidget(button);
        if (Command(i) == Command::Last) {
            bar->addWidget(m_pageNumber);
            bar->addStretch();
        }
    }

    // The page view: the sheet on a grey ground, scrolling both ways.
    m_view->setObjectName(QStringLiteral("FrmPreView"));
    m_view->setBackgroundRole(QPalette::Dark);
    m_view->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_page->setContentsMargins(48, 48, 48, 48);
    m_view->setWidget(m_page);
    m_view->verticalScrollBar()->setSingleStep(15);
    m_view->horizontalScrollBar()->setSingleStep(15);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    resize(980, 700);
    showPage();
}

QPushButton *PrintPreviewWindow::button(Command command) const
{
    return m_buttons[int(command)];
}

void PrintPreviewWindow::command(Command command)
{
    switch (command) {
    case Command::First:
        m_pages.first();
        break;
    case Command::Previous:
        m_pages.previous();
        break;
    case Command::GoTo:
        if (const std::optional<int> page = askPage(m_pages.current()))
            m_pages.goTo(*page);
        break;
    case Command::Next:
        m_pages.next();
        break;
    case Command::Last:
        m_pages.last();
        break;
    case Command::Print:
        print();
        return;
    case Command::Pdf:
        savePdf();
        return;
    case Command::Close:
        accept();
        return;
    }
    showPage();
}

void PrintPreviewWindow::goTo(int page)
{
    m_pages.goTo(page);
    showPage();
}

void PrintPreviewWindow::showPage()
{
    const double dpi = screenDpi(this);
    const QPageLayout layout = ReportPageRenderer::pageLayout();
    const QSize sheet = layout.fullRectPixels(int(std::lround(dpi))).size();
    m_image = QImage(sheet, QImage::Format_RGB32);
    m_image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    m_image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    m_image.fill(Qt::white);
    {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        m_renderer.drawPage(painter, layout.paintRectPixels(int(std::lround(dpi))), m_pages.current());
    }
    m_page->setPixmap(QPixmap::fromImage(m_image));
    m_page->adjustSize();
    m_pageNumber->setText(m_texts.catalogue().resolve(
        OperatorText::catalogue(QStringLiteral("FrmSysPre"), QStringLiteral("MsgPageOf"),
                                {QString::number(m_pages.current()), QString::number(m_pages.count())})));
    button(Command::First)->setEnabled(m_pages.canGoBack());
    button(Command::Previous)->setEnabled(m_pages.canGoBack());
    button(Command::Next)->setEnabled(m_pages.canGoForward());
    button(Command::Last)->setEnabled(m_pages.canGoForward());
}

void PrintPreviewWindow::print()
{
    if (!m_notifier.question(
            OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("Clew")),
            OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("MsgClew1"))))
        return;
    ReportPrinting::print(m_renderer, m_title, m_notifier);
}

void PrintPreviewWindow::savePdf()
{
    const QString path = askPdfPath(m_title + u".pdf");
    if (path.isEmpty())
        return;
    ReportFiles::savePdf(path, m_renderer, m_title, m_notifier);
}
