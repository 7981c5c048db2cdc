#include "gui/output/textplayerpage.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "core/output/hallscreen.h"
#include "core/base/textcatalogue.h"
#include "gui/ui/colourpicker.h"
#include "outputlanguagefile.h"

using namespace Qt::StringLiterals;

namespace {

// The foreground of the character at `position` (the one after the cursor position).
QColor colourAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat().foreground().color();
}

// The colours of the characters of [from, to) as one string: 'h' the player's highlight, 't' its text
// colour, '?' anything else.
QString colours(const TextPlayerController &player, const QTextDocument &document, int from, int to)
{
    QString out;
    for (int i = from; i < to; ++i) {
        const QColor c = colourAt(document, i);
        out += c == player.highlightColour() ? u'h' : c == player.textColour() ? u't' : u'?';
    }
    return out;
}

struct Fixture
{
    explicit Fixture(const TextCatalogue &catalogue) : page(hall, &screen, catalogue) {}

    HallScreen hall;
    BigScreenWindow screen{hall};
    TextPlayerPage page;

    QPushButton *button(const QString &name) { return page.findChild<QPushButton *>(name); }
    const QTextDocument &operatorCopy() const { return *page.operatorCopy()->document(); }
    const QTextDocument &screenCopy() { return hall.textDocument(); }
};

} // namespace

class TestTextPlayerPage final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void openingShowsTheTextInBothCopiesAndTheHallTextPane();
    void anUnreadableFileChangesNothing();
    void sentenceButtonsStepBothCopies();
    void pauseSymbolsApplyFromTheField();
    void automaticButtonTogglesItsLabelAndTimer_data();
    void automaticButtonTogglesItsLabelAndTimer();
    void pickedColoursReachBothCopies();
    void leavingThePageLeavesTheHallAlone();
    void pagingMovesBothCopies();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
    TextCatalogue m_catalogue;
};

void TestTextPlayerPage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_catalogue = TextCatalogue(writeOutputLanguageFile(m_dir));
}

QString TestTextPlayerPage::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

void TestTextPlayerPage::openingShowsTheTextInBothCopiesAndTheHallTextPane()
{
    Fixture f(m_catalogue);
    f.hall.setGeometry(QRect(0, 0, 800, 600), QColor(0, 0, 128), QColor(255, 255, 255));
    f.hall.show(HallScreen::Pane::Chart);
    QVERIFY(f.page.openFile(
        writeFile(u"speech.txt"_s, "\xEF\xBB\xBFGood morning, delegates.\r\n欢迎各位代表。\r\n")));

    const QString text = u"Good morning, delegates.\n欢迎各位代表。\n"_s;
    QCOMPARE(f.operatorCopy().toPlainText(), text);
    QCOMPARE(f.screenCopy().toPlainText(), text);
    QVERIFY(f.hall.isVisible());
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Text);
    QCOMPARE(f.screen.currentPane(), static_cast<QWidget *>(f.screen.textPane()));
    QCOMPARE(f.page.operatorCopy()->palette().color(QPalette::Base), QColor(0, 0, 128));
    // The hall reads from afar: its copy is set larger than the operator's.
    QVERIFY(QTextCursor(f.hall.textDocument().firstBlock()).charFormat().fontPointSize() >
            QTextCursor(f.page.operatorCopy()->document()->firstBlock()).charFormat().fontPointSize());
}

void TestTextPlayerPage::anUnreadableFileChangesNothing()
{
    Fixture f(m_catalogue);
    f.hall.textDocument().setPlainText(u"The banner"_s);
    QVERIFY(!f.page.openFile(m_dir.filePath(u"missing.txt"_s)));
    QCOMPARE(f.hall.textDocument().toPlainText(), u"The banner"_s);
    QVERIFY(f.page.operatorCopy()->document()->isEmpty());
    QVERIFY(!f.hall.isVisible());
}

void TestTextPlayerPage::sentenceButtonsStepBothCopies()
{
    Fixture f(m_catalogue);
    QVERIFY(f.page.openFile(writeFile(u"steps.txt"_s, "One, two. Three")));
    QPushButton *next = f.button(u"IDC_NEXTSENT_BUTTON"_s);
    QPushButton *previous = f.button(u"IDC_TOPSENT_BUTTON"_s);
    QVERIFY(next && previous);
    QCOMPARE(next->text(), u"Next sentence"_s);

    next->click(); // "One,"
    QCOMPARE(colours(f.page.controller(), f.operatorCopy(), 0, 15), u"hhhhttttttttttt"_s);
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 15), u"hhhhttttttttttt"_s);
    next->click(); // " two."
    QCOMPARE(colours(f.page.controller(), f.operatorCopy(), 0, 15), u"tttthhhhhtttttt"_s);
    next->click(); // " Three": no pause symbol, so to the end
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 15), u"ttttttttthhhhhh"_s);
    previous->click(); // back to " two."
    QCOMPARE(colours(f.page.controller(), f.operatorCopy(), 0, 15), u"tttthhhhhtttttt"_s);
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 15), u"tttthhhhhtttttt"_s);

    f.button(u"IDC_REVSENT_BUTTON"_s)->click();
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 15), u"ttttttttttttttt"_s);
    QCOMPARE(f.page.controller().stepper().sentenceEnd(), 0);
}

void TestTextPlayerPage::pauseSymbolsApplyFromTheField()
{
    Fixture f(m_catalogue);
    auto *field = f.page.findChild<QLineEdit *>();
    QVERIFY(field);
    // The field shows the whole default list, so Apply as it stands keeps the full-width symbols.
    QCOMPARE(field->text(), u",.;?，。；？"_s);
    QVERIFY(f.page.openFile(writeFile(u"defaults.txt"_s, "甲乙，丙丁。戊")));
    f.button(u"IDC_CLEW_SIGNOK"_s)->click();
    f.button(u"IDC_NEXTSENT_BUTTON"_s)->click();
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 7), u"hhhtttt"_s);
    f.button(u"IDC_REVSENT_BUTTON"_s)->click();
    QCOMPARE(field->maxLength(), 30);
    QVERIFY(f.page.openFile(writeFile(u"chinese.txt"_s, "甲乙，丙丁，戊")));

    field->setText(u"，"_s);
    f.button(u"IDC_CLEW_SIGNOK"_s)->click();
    QCOMPARE(f.page.controller().stepper().pauseSymbols(), QStringList{u"，"_s});
    f.button(u"IDC_NEXTSENT_BUTTON"_s)->click();
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 7), u"hhhtttt"_s);
}

void TestTextPlayerPage::automaticButtonTogglesItsLabelAndTimer_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("interval");
    QTest::newRow("three seconds") << 3 << 3000;
    QTest::newRow("speed 0 steps once a second") << 0 << 1000;
}

void TestTextPlayerPage::automaticButtonTogglesItsLabelAndTimer()
{
    QFETCH(int, speed);
    QFETCH(int, interval);
    Fixture f(m_catalogue);
    QVERIFY(f.page.openFile(writeFile(u"auto.txt"_s, "A. B.")));
    QPushButton *automatic = f.page.automaticButton();
    QCOMPARE(automatic->text(), u"Auto"_s);
    f.page.findChild<QSpinBox *>()->setValue(speed);

    automatic->click();
    QCOMPARE(automatic->text(), u"Pause"_s);
    QVERIFY(f.page.controller().isTimerActive());
    QCOMPARE(f.page.controller().timerInterval(), interval);

    // The timer's work, without waiting for it: the sentences, then the line's end; at the end of the text
    // it stops, and the label still offers to pause.
    f.page.controller().tick();
    f.page.controller().tick();
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 5), u"tthhh"_s);
    f.page.controller().tick();
    QVERIFY(f.page.controller().stepper().atEnd());
    QVERIFY(f.page.controller().isTimerActive());
    f.page.controller().tick();
    QVERIFY(!f.page.controller().isTimerActive());
    QCOMPARE(automatic->text(), u"Pause"_s);

    automatic->click();
    QCOMPARE(automatic->text(), u"Auto"_s);
}

void TestTextPlayerPage::pickedColoursReachBothCopies()
{
    Fixture f(m_catalogue);
    QVERIFY(f.page.openFile(writeFile(u"colours.txt"_s, "One. Two.")));
    const QList<ColourPicker *> pickers = f.page.findChildren<ColourPicker *>();
    QCOMPARE(pickers.size(), 2);
    // Highlight first, text second, in the order the page lays them out.
    ColourPicker *highlight = pickers[0];
    ColourPicker *text = pickers[1];
    // On the factory hall, white on blue: the hall's white for the text and yellow (0x00FFFF in the
    // stored order) for the highlight, not black and red.
    QCOMPARE(f.hall.background(), QColor(0, 0, 255));
    QCOMPARE(text->colour(), 0xFFFFFFu);
    QCOMPARE(highlight->colour(), 0x00FFFFu);
    QCOMPARE(colourAt(f.screenCopy(), 0), QColor(255, 255, 255));

    const int green = 10; // 0x00FF00
    highlight->setCurrentIndex(green);
    emit highlight->activated(green);
    f.button(u"IDC_NEXTSENT_BUTTON"_s)->click();
    QCOMPARE(colourAt(f.screenCopy(), 0), QColor(0, 255, 0));

    const int navy = 4; // 0x800000: blue 128 in the stored order
    text->setCurrentIndex(navy);
    emit text->activated(navy);
    // The whole text takes the new colour at once.
    QCOMPARE(colourAt(f.screenCopy(), 0), QColor(0, 0, 128));
    QCOMPARE(colourAt(f.operatorCopy(), 7), QColor(0, 0, 128));
}

// The page left with its timer running: the timer stops, and what the hall shows next is not touched;
// back on the page, the hall gets the player's text again where the operator left it.
void TestTextPlayerPage::leavingThePageLeavesTheHallAlone()
{
    Fixture f(m_catalogue);
    f.page.show();
    QVERIFY(f.page.openFile(writeFile(u"leave.txt"_s, "One. Two. Three.")));
    f.page.automaticButton()->click();
    f.page.controller().tick();
    QVERIFY(f.page.controller().isTimerActive());

    f.page.hide();
    QVERIFY(!f.page.controller().isTimerActive());
    QCOMPARE(f.page.automaticButton()->text(), u"Auto"_s);
    // Another page puts a motion's title on the hall; a stray step must not recolour it.
    QTextDocument &hall = f.hall.clearText();
    QTextCursor(&hall).insertText(u"Motion 4. Budget."_s);
    f.hall.show(HallScreen::Pane::Chart);
    const QColor before = colourAt(hall, 2);
    f.page.controller().nextSentence();
    QCOMPARE(colourAt(hall, 2), before);
    QCOMPARE(hall.toPlainText(), u"Motion 4. Budget."_s);

    f.page.show();
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Text);
    QCOMPARE(f.screenCopy().toPlainText(), u"One. Two. Three.\n"_s);
    // "Two." was the sentence read when the page was left (the step above went to the operator's copy).
    QCOMPARE(colours(f.page.controller(), f.screenCopy(), 0, 16),
             colours(f.page.controller(), f.operatorCopy(), 0, 16));
    QVERIFY(colours(f.page.controller(), f.screenCopy(), 0, 16).contains(u'h'));
}

void TestTextPlayerPage::pagingMovesBothCopies()
{
    Fixture f(m_catalogue);
    f.hall.setGeometry(QRect(0, 0, 400, 300), QColor(255, 255, 255), QColor(0, 0, 0));
    QByteArray lines;
    for (int i = 0; i < 300; ++i)
        lines += "Line " + QByteArray::number(i) + ".\n";
    QVERIFY(f.page.openFile(writeFile(u"long.txt"_s, lines)));
    f.page.resize(818, 682);
    f.page.show();
    QScrollBar *mine = f.page.operatorCopy()->verticalScrollBar();
    QScrollBar *hall = f.screen.textPane()->verticalScrollBar();
    QTRY_VERIFY(mine->maximum() > 0 && hall->maximum() > 0);

    f.button(u"IDC_TAILSCREEN_BUTTON"_s)->click();
    QCOMPARE(mine->value(), mine->maximum());
    QCOMPARE(hall->value(), hall->maximum());
    f.button(u"IDC_TOPSCREEN_BUTTON"_s)->click();
    QCOMPARE(hall->value(), hall->maximum() - hall->pageStep());
    f.button(u"IDC_HEADSCREEN_BUTTON"_s)->click();
    QCOMPARE(mine->value(), 0);
    QCOMPARE(hall->value(), 0);
    f.button(u"IDC_NEXTSCREEN_BUTTON"_s)->click();
    QCOMPARE(mine->value(), mine->pageStep());
    QCOMPARE(hall->value(), hall->pageStep());
}

QTEST_MAIN(TestTextPlayerPage)
#include "testtextplayerpage.moc"
