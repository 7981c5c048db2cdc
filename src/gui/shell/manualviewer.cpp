#include "gui/shell/manualviewer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
constexpr qreal ZoomStep = 1.25;
constexpr qreal SmallestZoom = 0.25;
constexpr qreal LargestZoom = 6.0;
} // namespace

ManualViewer::ManualViewer(const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent, Qt::Window), m_texts(catalogue, QStringLiteral("FrmHelp")),
      m_document(new QPdfDocument(this)), m_search(new QPdfSearchModel(this)), m_view(new QPdfView(this)),
      m_page(new QSpinBox(this)), m_pageCount(new QLabel(this)), m_find(new QLineEdit(this)),
      m_hits(new QListWidget(this))
{
    setObjectName(QStringLiteral("FrmHelp"));
    setWindowTitle(m_texts.text(QStringLiteral("DlgName")));

    auto *bar = new QHBoxLayout;
    const QString keys[] = {QStringLiteral("BtnPrevious"), QStringLiteral("BtnNext"), QStringLiteral("BtnZoomOut"),
                            QStringLiteral("BtnZoomIn"), QStringLiteral("BtnFitWidth")};
    for (int i = 0; i < 5; ++i) {
        auto *button = new QPushButton(m_texts.text(keys[i]), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { command(Command(i)); });
        m_buttons.append(button);
        bar->addWidget(button);
        if (Command(i) == Command::Next) {
            bar->addWidget(m_page);
            bar->addWidget(m_pageCount);
            bar->addSpacing(16);
        }
    }
    bar->addStretch();
    bar->addWidget(new QLabel(m_texts.text(QStringLiteral("LblFind")), this));
    m_find->setClearButtonEnabled(true);
    m_find->setMinimumWidth(200);
    bar->addWidget(m_find);

    m_view->setDocument(m_document);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_search->setDocument(m_document);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_view);
    splitter->addWidget(m_hits);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    m_hits->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    resize(1000, 760);

    connect(m_page, &QSpinBox::editingFinished, this, [this] { goToPage(m_page->value() - 1); });
    connect(m_view->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            [this] { showPageNumber(); });
    connect(m_find, &QLineEdit::textChanged, m_search, &QPdfSearchModel::setSearchString);
    connect(m_find, &QLineEdit::returnPressed, this, [this] {
        if (m_hits->count() > 0)
            showHit((m_hits->currentRow() + 1) % m_hits->count());
    });
    // The search runs page by page in the background; its list grows as pages are searched.
    connect(m_search, &QAbstractItemModel::modelReset, this, &ManualViewer::fillHits);
    connect(m_search, &QAbstractItemModel::rowsInserted, this, &ManualViewer::fillHits);
    connect(m_search, &QAbstractItemModel::rowsRemoved, this, &ManualViewer::fillHits);
    connect(m_hits, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { showHit(m_hits->row(item)); });
    connect(m_hits, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { showHit(m_hits->row(item)); });
}

ManualViewer::~ManualViewer()
{
    // The view and the search tell of their changes while QWidget tears the children down, after this
    // object has stopped being a ManualViewer.
    m_view->pageNavigator()->disconnect(this);
    m_search->disconnect(this);
}

bool ManualViewer::open(const QString &path)
{
    if (m_document->load(path) != QPdfDocument::Error::None || m_document->pageCount() <= 0) {
        m_document->close();
        return false;
    }
    setWindowTitle(m_texts.text(QStringLiteral("DlgName")) + u" - " + path.section(QLatin1Char('/'), -1));
    m_page->setRange(1, m_document->pageCount());
    showPageNumber();
    return true;
}

QPushButton *ManualViewer::button(Command command) const
{
    return m_buttons.value(int(command));
}

int ManualViewer::pageCount() const
{
    return m_document->pageCount();
}

int ManualViewer::currentPage() const
{
    return m_view->pageNavigator()->currentPage();
}

qreal ManualViewer::zoomFactor() const
{
    return m_view->zoomFactor();
}

void ManualViewer::goToPage(int page)
{
    if (pageCount() <= 0)
        return;
    m_view->pageNavigator()->jump(qBound(0, page, pageCount() - 1), {}, m_view->zoomFactor());
    showPageNumber();
}

void ManualViewer::showHit(int row)
{
    if (row < 0 || row >= m_search->rowCount({}))
        return;
    const QModelIndex index = m_search->index(row);
    const int page = index.data(int(QPdfSearchModel::Role::Page)).toInt();
    const QPointF location = index.data(int(QPdfSearchModel::Role::Location)).toPointF();
    m_view->pageNavigator()->jump(page, location, m_view->zoomFactor());
    m_hits->setCurrentRow(row);
    showPageNumber();
}

void ManualViewer::command(Command command)
{
    switch (command) {
    case Command::Previous:
        goToPage(currentPage() - 1);
        break;
    case Command::Next:
        goToPage(currentPage() + 1);
        break;
    case Command::ZoomOut:
    case Command::ZoomIn: {
        // From a fitted view the zoom starts at what the operator sees.
        const qreal now = m_view->zoomFactor();
        const qreal next = command == Command::ZoomIn ? now * ZoomStep : now / ZoomStep;
        m_view->setZoomMode(QPdfView::ZoomMode::Custom);
        m_view->setZoomFactor(qBound(SmallestZoom, next, LargestZoom));
        break;
    }
    case Command::FitWidth:
        m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
        break;
    }
}

void ManualViewer::fillHits()
{
    m_hits->clear();
    const int rows = m_search->rowCount({});
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = m_search->index(row);
        const int page = index.data(int(QPdfSearchModel::Role::Page)).toInt();
        const QString context = index.data(int(QPdfSearchModel::Role::ContextBefore)).toString() +
                                m_search->searchString() +
                                index.data(int(QPdfSearchModel::Role::ContextAfter)).toString();
        m_hits->addItem(m_texts.text(QStringLiteral("LblHit")).arg(QString::number(page + 1), context.simplified()));
    }
    m_hits->setVisible(!m_search->searchString().isEmpty());
}

void ManualViewer::showPageNumber()
{
    const int page = currentPage() + 1;
    if (!m_page->hasFocus())
        m_page->setValue(page);
    m_pageCount->setText(QStringLiteral("/ %1").arg(pageCount()));
    m_buttons.at(int(Command::Previous))->setEnabled(page > 1);
    m_buttons.at(int(Command::Next))->setEnabled(page < pageCount());
}
