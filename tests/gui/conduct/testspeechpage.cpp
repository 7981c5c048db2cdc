#include "linkup.h"
#include "meetingfixture.h"

#include "core/conduct/speechcontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "gui/conduct/speakingtimewindow.h"
#include "gui/conduct/speechpage.h"
#include "gui/ui/seatmapview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {
// The discussion page over a fake line with keypads 1..12 and the roster's delegates on them; no seat
// plan, so the map is the grid of keypads.
struct Fixture
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    std::unique_ptr<SpeechController> speech;
    QWidget cameraWindow;
    std::unique_ptr<SpeechPage> page;

    Fixture()
    {
        link.applySettings({12, 1, 1, 1});
        if (!meeting.create(12, 12))
            qFatal("meeting set-up failed");
        QFile language(meeting.dir.filePath("menu.ini"));
        language.open(QIODevice::WriteOnly);
        language.write("[FrmMootset]\nBtnOpenvid=Camera\nBtnClosevid=Close camera\nBtnOpenTemiDlg=Time\n"
                       "BtnCloseTemiDlg=Close time\nMsgSpeaking=\" speaks\"\n");
        language.close();
        bringUp(link, *port);
        for (int n = 1; n <= 12; ++n)
            link.table().entry(n)->answered = 1;
        const TextCatalogue catalogue(language.fileName());
        context = meeting.conference(link, hall, catalogue);
        speech = std::make_unique<SpeechController>(*context);
        page = std::make_unique<SpeechPage>(*speech, catalogue, QString(), &cameraWindow);
        page->show();
        page->setRunning(true);
    }
    QList<quint32> sent()
    {
        port->sent.clear();
        for (int i = 0; i < 10; ++i)
            link.sequencer().tick();
        QList<quint32> commands;
        for (const LinkFrame &frame : std::as_const(port->sent))
            commands.append(frame.commandValue());
        return commands;
    }
    // The middle of seat `index` in the map's viewport.
    QPoint seatCentre(int index) const
    {
        return speech->seats().table().at(index).button.center() - page->seatMap()->contentOffset();
    }
};
} // namespace

class TestSpeechPage : public QObject
{
    Q_OBJECT

private slots:
    void seatClickFillsTheFieldUnlessTheSeatIsOff();
    void buttonsAndListsPostTheirCommands();
    void nameDisplayPutsTheSpeakerOnTheHall();
    void companionWindowsToggleAndCloseWithThePage();
    void speakingTimeWindowListsNewestFirst();
};

void TestSpeechPage::seatClickFillsTheFieldUnlessTheSeatIsOff()
{
    Fixture f;
    QWidget *viewport = f.page->seatMap()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.seatCentre(6));
    QCOMPARE(f.page->keypadField()->text(), QStringLiteral("7"));
    f.link.table().entry(8)->answered = 0;
    f.speech->refreshSeats();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.seatCentre(7));
    QCOMPARE(f.page->keypadField()->text(), QStringLiteral("7"));
    // Typing keeps digits only.
    f.page->keypadField()->clear();
    QTest::keyClicks(f.page->keypadField(), "1x1");
    QCOMPARE(f.speech->keypadText(), QStringLiteral("11"));
}

void TestSpeechPage::buttonsAndListsPostTheirCommands()
{
    Fixture f;
    QVERIFY(!f.page->countList()->isEnabled());
    f.page->modeList()->activated(2);
    QVERIFY(f.page->countList()->isEnabled());
    f.page->countList()->activated(3);
    QTest::keyClicks(f.page->keypadField(), "5");
    for (const char *key : {"IDC_APPSPEK_BUTTON1", "IDC_ENDSPEK_BUTTON", "IDC_FORBID_BUTTON",
                            "IDC_UNTIE_BUTTON", "IDC_CLOSEALL_BUTTON"})
        QTest::mouseClick(f.page->button(QLatin1String(key)), Qt::LeftButton);
    QCOMPARE(f.sent(),
             (QList<quint32>{0xFE0201, 0xFE0204, 0xFC0005, 0xFB0005, 0xF20005, 0xF20805, 0xFBFFFF}));
}

void TestSpeechPage::nameDisplayPutsTheSpeakerOnTheHall()
{
    Fixture f;
    f.page->nameDisplay()->click();
    f.link.table().entry(4)->request = 1;
    f.speech->scan();
    QCOMPARE(f.hall.chart().messageLines().value(0), QStringLiteral("Delegate 4 speaks"));
}

void TestSpeechPage::companionWindowsToggleAndCloseWithThePage()
{
    Fixture f;
    QCOMPARE(f.page->cameraButton()->text(), QStringLiteral("Camera"));
    f.page->cameraButton()->click();
    QVERIFY(f.cameraWindow.isVisible());
    QCOMPARE(f.page->cameraButton()->text(), QStringLiteral("Close camera"));
    f.page->speakingTimeButton()->click();
    QVERIFY(f.page->speakingTimeWindow()->isVisible());
    QVERIFY(f.speech->isSpeakingTimeOpen());
    QCOMPARE(f.page->speakingTimeButton()->text(), QStringLiteral("Close time"));
    f.page->setRunning(false);
    QVERIFY(!f.cameraWindow.isVisible());
    QVERIFY(!f.page->speakingTimeWindow()->isVisible());
    QVERIFY(!f.speech->isSpeakingTimeOpen());
    QCOMPARE(f.page->cameraButton()->text(), QStringLiteral("Camera"));
    QCOMPARE(f.page->speakingTimeButton()->text(), QStringLiteral("Time"));
}

void TestSpeechPage::speakingTimeWindowListsNewestFirst()
{
    Fixture f;
    f.page->speakingTimeButton()->click();
    SpeakingTimeWindow *window = f.page->speakingTimeWindow();
    f.link.table().entry(3)->request = 1;
    f.speech->scan();
    f.link.table().entry(9)->request = 1;
    f.link.table().entry(2)->waiting = 1;
    f.speech->scan();
    f.speech->onSpeakingTick();
    QTableWidget *speaking = window->speakingList();
    QCOMPARE(speaking->rowCount(), 2);
    QCOMPARE(speaking->item(0, 0)->text(), QStringLiteral("9"));
    QCOMPARE(speaking->item(0, 1)->text(), QStringLiteral("Delegate 9"));
    QCOMPARE(speaking->item(0, 2)->text(), QStringLiteral("1:58"));
    QCOMPARE(window->waitingList()->rowCount(), 1);
    QCOMPARE(window->waitingList()->item(0, 0)->text(), QStringLiteral("2"));
    // OK holds the fields to 0..60.
    window->minutesField()->clear();
    QTest::keyClicks(window->minutesField(), "99");
    window->accept();
    QCOMPARE(window->minutesField()->text(), QStringLiteral("60"));
}

QTEST_MAIN(TestSpeechPage)
#include "testspeechpage.moc"
