#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPdfDocument;
class QPdfSearchModel;
class QPdfView;
class QPushButton;
class QSpinBox;

// The operator's manual inside the console (FrmHelp): its pages, zoom and search, so Help works on a
// machine without a PDF program.
class ManualViewer final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ManualViewer)

public:
    enum class Command
    {
        Previous,
        Next,
        ZoomOut,
        ZoomIn,
        FitWidth
    };

    explicit ManualViewer(const TextCatalogue &catalogue, QWidget *parent = nullptr);
    ~ManualViewer() override;

    // Loads the manual; false, with nothing shown, when the file is not a readable PDF.
    bool open(const QString &path);

    QPushButton *button(Command command) const;
    QLineEdit *findField() const { return m_find; }
    QListWidget *hits() const { return m_hits; }
    QPdfView *view() const { return m_view; }
    int pageCount() const;
    // 0-based, as the document counts.
    int currentPage() const;
    qreal zoomFactor() const;

    void goToPage(int page);
    void showHit(int row);

private:
    void command(Command command);
    void fillHits();
    void showPageNumber();

    WindowTexts m_texts;
    QPdfDocument *m_document;
    QPdfSearchModel *m_search;
    QPdfView *m_view;
    QList<QPushButton *> m_buttons;
    QSpinBox *m_page;
    QLabel *m_pageCount;
    QLineEdit *m_find;
    QListWidget *m_hits;
};
