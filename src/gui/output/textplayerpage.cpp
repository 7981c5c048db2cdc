#include "gui/output/textplayerpage.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/output/colourlist.h"
#include "core/output/hallscreen.h"
#include "core/output/screengeometry.h"
#include "core/output/sentencestepper.h"
#include "gui/output/bigscreenwindow.h"
#include "gui/ui/colourpicker.h"
#include "gui/ui/filefilters.h"
#include "gui/ui/richtextmenu.h"
#include "gui/ui/windowtexts.h"

namespace {

QPushButton *button(const QString &key, QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(key);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QLabel *caption(const QString &key, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(key);
    return l;
}

} // namespace

TextPlayerPage::TextPlayerPage(HallScreen &hall, BigScreenWindow *bigScreen, const TextCatalogue &catalogue,
                               QWidget *parent)
    : QWidget(parent), m_hall(hall), m_bigScreen(bigScreen), m_operatorCopy(new QTextEdit(this)),
      m_controller(m_operatorCopy->document(), &hall.textDocument()),
      m_automatic(button(QStringLiteral("BtnAuto"), this)), m_pauseSymbols(new QLineEdit(this)),
      m_speed(new QSpinBox(this)), m_highlightColour(new ColourPicker(this)),
      m_textColour(new ColourPicker(this))
{
    connect(&hall, &HallScreen::textDocumentReplaced, this,
            [this] { m_controller.setScreenCopy(&m_hall.textDocument()); });
    setObjectName(QStringLiteral("FrmFile"));
    const WindowTexts texts(catalogue, QStringLiteral("FrmFile"));
    m_autoText = texts.text(QStringLiteral("BtnAuto"));
    m_fileFilter = FileFilters::textFiles(catalogue);
    m_pauseText = texts.text(QStringLiteral("BtnPause"));

    // The operator follows the hall's text here; it is read, not edited.
    m_operatorCopy->setReadOnly(true);
    m_operatorCopy->setFixedWidth(800);
    m_operatorCopy->setMinimumHeight(300);
    installRichTextMenu(m_operatorCopy, catalogue);

    auto *open = button(QStringLiteral("IDC_OPENTEXT_BUTTON"), this);
    auto *previousSentence = button(QStringLiteral("IDC_TOPSENT_BUTTON"), this);
    auto *nextSentence = button(QStringLiteral("IDC_NEXTSENT_BUTTON"), this);
    auto *restore = button(QStringLiteral("IDC_REVSENT_BUTTON"), this);
    auto *firstScreen = button(QStringLiteral("IDC_HEADSCREEN_BUTTON"), this);
    auto *previousScreen = button(QStringLiteral("IDC_TOPSCREEN_BUTTON"), this);
    auto *nextScreen = button(QStringLiteral("IDC_NEXTSCREEN_BUTTON"), this);
    auto *lastScreen = button(QStringLiteral("IDC_TAILSCREEN_BUTTON"), this);
    auto *font = button(QStringLiteral("IDC_TEXT_FONT"), this);
    auto *applySymbols = button(QStringLiteral("IDC_CLEW_SIGNOK"), this);

    m_pauseSymbols->setMaxLength(SentenceStepper::MaxEntryLength);
    m_pauseSymbols->setText(SentenceStepper::defaultEntry());
    m_pauseSymbols->setFixedWidth(110);
    m_speed->setRange(0, 3600);
    m_speed->setValue(1);
    followHallColours();

    // Three rows under the text: reading, the screen and its colours, the stepping rules.
    auto *reading = new QHBoxLayout;
    for (QPushButton *b : {open, previousSentence, nextSentence, m_automatic, restore})
        reading->addWidget(b);
    reading->addStretch(1);
    reading->addWidget(font);

    auto *screen = new QHBoxLayout;
    for (QPushButton *b : {firstScreen, previousScreen, nextScreen, lastScreen})
        screen->addWidget(b);
    screen->addStretch(1);
    screen->addWidget(caption(QStringLiteral("IDC_STATIC_CLEWCOLOR"), this));
    screen->addWidget(m_highlightColour);
    screen->addSpacing(12);
    screen->addWidget(caption(QStringLiteral("IDC_STATIC_TEXTCOLOR"), this));
    screen->addWidget(m_textColour);

    auto *rules = new QHBoxLayout;
    rules->addWidget(caption(QStringLiteral("IDC_STATIC_CLEWSIGN"), this));
    rules->addWidget(m_pauseSymbols);
    rules->addWidget(applySymbols);
    rules->addSpacing(24);
    rules->addWidget(caption(QStringLiteral("IDC_STATIC_SETCLEWRATE"), this));
    rules->addWidget(m_speed);
    rules->addWidget(caption(QStringLiteral("IDC_STATIC_TIMELSCR"), this));
    rules->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 0, 8, 6);
    layout->setSpacing(5);
    layout->addWidget(m_operatorCopy, 1);
    for (QHBoxLayout *row : {reading, screen, rules}) {
        row->setSpacing(5);
        layout->addLayout(row);
    }

    texts.apply(this, QString());
    showAutomatic(false);

    connect(open, &QPushButton::clicked, this, &TextPlayerPage::chooseFile);
    connect(nextSentence, &QPushButton::clicked, &m_controller, &TextPlayerController::nextSentence);
    connect(previousSentence, &QPushButton::clicked, &m_controller, &TextPlayerController::previousSentence);
    connect(restore, &QPushButton::clicked, &m_controller, &TextPlayerController::restore);
    connect(m_automatic, &QPushButton::clicked, this, &TextPlayerPage::toggleAutomatic);
    connect(&m_controller, &TextPlayerController::automaticChanged, this, &TextPlayerPage::showAutomatic);
    connect(firstScreen, &QPushButton::clicked, this, [this] { page(BigScreenWindow::Scroll::Top); });
    connect(previousScreen, &QPushButton::clicked, this, [this] { page(BigScreenWindow::Scroll::PageUp); });
    connect(nextScreen, &QPushButton::clicked, this, [this] { page(BigScreenWindow::Scroll::PageDown); });
    connect(lastScreen, &QPushButton::clicked, this, [this] { page(BigScreenWindow::Scroll::Bottom); });
    connect(font, &QPushButton::clicked, this, &TextPlayerPage::chooseFont);
    connect(applySymbols, &QPushButton::clicked, this,
            [this] { m_controller.applyPauseSymbols(m_pauseSymbols->text()); });
    connect(m_textColour, &ColourPicker::colourPicked, this, [this](quint32 bgr) {
        m_coloursPicked = true;
        m_controller.setTextColour(ScreenGeometry::colourFromBgr(bgr));
    });
    connect(m_highlightColour, &ColourPicker::colourPicked, this, [this](quint32 bgr) {
        m_coloursPicked = true;
        m_controller.setHighlightColour(ScreenGeometry::colourFromBgr(bgr));
    });
}

// Until the operator picks colours, the player reads in the hall's own text colour with a highlight that
// stands out from the hall's background (black on red was unreadable on the factory blue).
void TextPlayerPage::followHallColours()
{
    if (m_coloursPicked)
        return;
    const QColor text = m_hall.textColour();
    const quint32 highlight = ColourList::highlightFor(m_hall.background(), text);
    m_textColour->setColour(ScreenGeometry::bgrFromColour(text));
    m_highlightColour->setColour(highlight);
    m_controller.setHighlightColour(ScreenGeometry::colourFromBgr(highlight));
    if (m_controller.textColour() != text)
        m_controller.setTextColour(text);
}

void TextPlayerPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    followHallColours();
    // Whatever took the hall while the page was away, the text being read comes back to it.
    if (m_controller.reclaimScreen())
        m_hall.show(HallScreen::Pane::Text);
}

void TextPlayerPage::hideEvent(QHideEvent *event)
{
    // A timer left running would go on stepping through whatever the hall shows next.
    m_controller.stopAutomatic();
    QWidget::hideEvent(event);
}

void TextPlayerPage::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), m_fileFilter);
    if (!path.isEmpty())
        openFile(path);
}

bool TextPlayerPage::openFile(const QString &path)
{
    if (!m_controller.openFile(path))
        return false;
    m_hall.show(HallScreen::Pane::Text);
    // Both copies on the hall's background, so the operator sees the colours the hall sees.
    QPalette palette = m_operatorCopy->palette();
    palette.setColor(QPalette::Base, m_hall.background());
    m_operatorCopy->setPalette(palette);
    BigScreenWindow::scroll(m_operatorCopy, BigScreenWindow::Scroll::Top);
    if (m_bigScreen)
        m_bigScreen->scrollText(BigScreenWindow::Scroll::Top);
    return true;
}

void TextPlayerPage::toggleAutomatic()
{
    m_controller.toggleAutomatic(m_speed->value());
}

void TextPlayerPage::showAutomatic(bool automatic)
{
    m_automatic->setText(automatic ? m_pauseText : m_autoText);
}

void TextPlayerPage::chooseFont()
{
    bool ok = false;
    QTextCursor cursor(m_operatorCopy->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    const QFont chosen = QFontDialog::getFont(&ok, cursor.charFormat().font(), this);
    if (ok)
        m_controller.applyFont(chosen);
}

void TextPlayerPage::page(BigScreenWindow::Scroll where)
{
    BigScreenWindow::scroll(m_operatorCopy, where);
    if (m_bigScreen)
        m_bigScreen->scrollText(where);
}
