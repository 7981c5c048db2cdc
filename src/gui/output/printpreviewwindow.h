#pragma once

#include "core/output/previewpages.h"
#include "core/output/reportpagerenderer.h"
#include "gui/ui/windowtexts.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>

class OperatorNotifier;
class QLabel;
class QPushButton;
class QScrollArea;

// The print preview (FrmSysPre) with its page view (FrmPreView): the report's pages one at a time, drawn by
// the same renderer that prints them and writes the PDF, at the screen's resolution.
class PrintPreviewWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrintPreviewWindow)

public:
    enum class Command
    {
        First,
        Previous,
        GoTo,
        Next,
        Last,
        Print,
        Pdf,
        Close
    };

    // `title` names the PDF and the print job.
    PrintPreviewWindow(ReportDocument document, QString title, const TextCatalogue &catalogue,
                       OperatorNotifier &notifier, QWidget *parent = nullptr);

    QPushButton *button(Command command) const;
    const PreviewPages &pages() const { return m_pages; }
    // The page on show, as drawn.
    const QImage &pageImage() const { return m_image; }

    // The questions the commands ask, replaceable so the navigation runs without a modal dialog.
    std::function<std::optional<int>(int current)> askPage;
    std::function<QString(const QString &suggested)> askPdfPath;

    void goTo(int page);
    void print();
    void savePdf();

private:
    void command(Command command);
    void showPage();

    WindowTexts m_texts;
    OperatorNotifier &m_notifier;
    ReportPageRenderer m_renderer;
    QString m_title;
    PreviewPages m_pages;
    QList<QPushButton *> m_buttons;
    QLabel *m_pageNumber;
    QScrollArea *m_view;
    QLabel *m_page;
    QImage m_image;
};
