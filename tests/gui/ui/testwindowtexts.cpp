#include "gui/ui/windowtexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

// A window laid out with its default captions, as a form would have them.
struct SignInWindow
{
    QWidget window;
    QPushButton *start = new QPushButton(u"Start (layout)"_s, &window);
    QCheckBox *countDown = new QCheckBox(u"Count down (layout)"_s, &window);
    QGroupBox *frame = new QGroupBox(u"Frame (layout)"_s, &window);
    QLabel *due = new QLabel(u"Due (layout)"_s, frame);
    QPushButton *ok = new QPushButton(u"OK (layout)"_s, frame);
    QLabel *count = new QLabel(u"50"_s, &window);
    QLineEdit *keypad = new QLineEdit(u"17"_s, &window);

    SignInWindow()
    {
        window.setObjectName(u"FrmManChe"_s);
        window.setWindowTitle(u"Title (layout)"_s);
        start->setObjectName(u"IDC_SIGNIN_START"_s);
        countDown->setObjectName(u"IDC_VIEWLEG_CHECK"_s);
        frame->setObjectName(u"IDC_STATIC_FRAME"_s);
        due->setObjectName(u"IDC_STATIC_YDAO"_s);
        ok->setObjectName(u"IDOK"_s);
        count->setObjectName(u"dueCount"_s);
        keypad->setObjectName(u"IDC_KEYPAD_EDIT"_s);
    }
};

} // namespace

class TestWindowTexts final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void applySetsTitleAndEveryKeyedCaption();
    void missingKeyEmptiesTheCaption();
    void titleKeyIsChosenByTheWindow();
    void editedFileShowsAtTheNextApply();
    void textsKeepTheOrderOfTheKeys();
    void controlKeysAreRecognised_data();
    void controlKeysAreRecognised();

private:
    QString m_path;
    QTemporaryDir m_dir;
};

void TestWindowTexts::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(u"menu_e.ini"_s);
    QVERIFY(writeText(m_path, u"[FrmManChe]\n"
                              "DlgName=Sign-in\n"
                              "IDC_SIGNIN_START=Start sign-in\n"
                              "IDC_VIEWLEG_CHECK=Count down\n"
                              "IDC_STATIC_FRAME=Time limit\n"
                              "IDC_STATIC_YDAO=Due\n"
                              "IDOK=OK\n"
                              "IDC_KEYPAD_EDIT=not a caption\n"
                              "MsgClew1=Keypad\n"
                              "MsgClew2=Name\n"
                              "[FrmError]\n"
                              "DlgError=No base station found\n"_s));
}

void TestWindowTexts::applySetsTitleAndEveryKeyedCaption()
{
    SignInWindow w;
    WindowTexts(TextCatalogue(m_path), u"FrmManChe"_s).apply(&w.window);
    QCOMPARE(w.window.windowTitle(), u"Sign-in"_s);
    QCOMPARE(w.start->text(), u"Start sign-in"_s);
    QCOMPARE(w.countDown->text(), u"Count down"_s);
    QCOMPARE(w.frame->title(), u"Time limit"_s);
    QCOMPARE(w.due->text(), u"Due"_s); // inside the group box
    QCOMPARE(w.ok->text(), u"OK"_s);
    // Neither a control without a key nor an entry field is touched.
    QCOMPARE(w.count->text(), u"50"_s);
    QCOMPARE(w.keypad->text(), u"17"_s);
}

void TestWindowTexts::missingKeyEmptiesTheCaption()
{
    SignInWindow w;
    w.start->setObjectName(u"IDC_SIGNIN_FILL"_s);
    WindowTexts(TextCatalogue(m_path), u"FrmManChe"_s).apply(&w.window);
    QCOMPARE(w.start->text(), QString());

    // Without a language file every caption and the title are empty, not the layout's.
    SignInWindow none;
    WindowTexts(TextCatalogue(), u"FrmManChe"_s).apply(&none.window);
    QCOMPARE(none.window.windowTitle(), QString());
    QCOMPARE(none.start->text(), QString());
    QCOMPARE(none.frame->title(), QString());
}

void TestWindowTexts::titleKeyIsChosenByTheWindow()
{
    QWidget error;
    WindowTexts(TextCatalogue(m_path), u"FrmError"_s).apply(&error, u"DlgError"_s);
    QCOMPARE(error.windowTitle(), u"No base station found"_s);

    QWidget page;
    page.setWindowTitle(u"kept"_s);
    WindowTexts(TextCatalogue(m_path), u"FrmManChe"_s).apply(&page, QString());
    QCOMPARE(page.windowTitle(), u"kept"_s);
}

void TestWindowTexts::editedFileShowsAtTheNextApply()
{
    const QString path = m_dir.filePath(u"edited.ini"_s);
    QVERIFY(writeText(path, u"[FrmManChe]\nIDC_SIGNIN_START=Start\n"_s));
    const WindowTexts texts(TextCatalogue(path), u"FrmManChe"_s);
    SignInWindow w;
    texts.apply(&w.window);
    QCOMPARE(w.start->text(), u"Start"_s);
    QVERIFY(writeText(path, u"[FrmManChe]\nIDC_SIGNIN_START=Begin the sign-in\n"_s));
    texts.apply(&w.window);
    QCOMPARE(w.start->text(), u"Begin the sign-in"_s);
}

void TestWindowTexts::textsKeepTheOrderOfTheKeys()
{
    const WindowTexts texts(TextCatalogue(m_path), u"FrmManChe"_s);
    QCOMPARE(texts.texts({u"MsgClew2"_s, u"MsgClew9"_s, u"MsgClew1"_s}),
             QStringList({u"Name"_s, QString(), u"Keypad"_s}));
    QCOMPARE(texts.text(u"MsgClew1"_s), u"Keypad"_s);
    QCOMPARE(texts.section(), u"FrmManChe"_s);
}

void TestWindowTexts::controlKeysAreRecognised_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("control");
    QTest::newRow("resource name") << u"IDC_SIGNIN_START"_s << true;
    QTest::newRow("resource name with a blank") << u"IDC_SAVEMEE_BUTTON "_s << true;
    QTest::newRow("IDOK") << u"IDOK"_s << true;
    QTest::newRow("IDCANCEL") << u"IDCANCEL"_s << true;
    QTest::newRow("preview button") << u"BTN_OK"_s << true;
    QTest::newRow("caption set from code") << u"BtnOK"_s << false;
    QTest::newRow("message") << u"MsgClew1"_s << false;
    QTest::newRow("plain object name") << u"dueCount"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestWindowTexts::controlKeysAreRecognised()
{
    QFETCH(QString, name);
    QFETCH(bool, control);
    QCOMPARE(WindowTexts::isControlKey(name), control);
}

QTEST_MAIN(TestWindowTexts)
#include "testwindowtexts.moc"
