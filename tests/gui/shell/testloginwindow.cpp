#include "recordingnotifier.h"

#include "core/base/dataroot.h"
#include "core/shell/logincontroller.h"
#include "core/store/systemdatabase.h"
#include "gui/shell/loginwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestLoginWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void wrongPasswordWarnsAndEmptiesTheField();
    void rightPasswordCloses();
    void exitRejects();
    void fieldTakesFiftyCharacters();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingNotifier m_notifier;
    std::unique_ptr<SystemDatabase> m_database;
};

void TestLoginWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_notifier.clear();
    m_database = std::make_unique<SystemDatabase>(DataRoot(m_dir->path()), m_notifier);
    QVERIFY(m_database->ensureExists());
}

void TestLoginWindow::wrongPasswordWarnsAndEmptiesTheField()
{
    LoginController controller(*m_database);
    LoginWindow window(controller, m_notifier, TextCatalogue(), m_dir->path());
    window.show();
    for (int attempt = 0; attempt < 3; ++attempt) { // no limit on attempts
        QTest::keyClicks(window.passwordField(), "wrong");
        window.findChild<QPushButton *>("BtnOK")->click();
        QVERIFY(window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(window.passwordField()->text(), QString());
    }
    QCOMPARE(m_notifier.count(), 3);
    QCOMPARE(m_notifier.entries().last().kind, RecordingNotifier::Kind::Information);
    QCOMPARE(m_notifier.entries().last().text, OperatorText::catalogue("FrmPass", "PassErr"));
    QCOMPARE(m_notifier.entries().last().caption, OperatorText::catalogue("FrmPass", "clew"));
}

void TestLoginWindow::rightPasswordCloses()
{
    LoginController controller(*m_database);
    LoginWindow window(controller, m_notifier, TextCatalogue(), m_dir->path());
    window.show();
    QTest::keyClicks(window.passwordField(), SystemDatabase::factoryPassword());
    QTest::keyClick(window.passwordField(), Qt::Key_Return);
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QVERIFY(!window.isVisible());
    QCOMPARE(m_notifier.count(), 0);
}

void TestLoginWindow::exitRejects()
{
    LoginController controller(*m_database);
    LoginWindow window(controller, m_notifier, TextCatalogue(), m_dir->path());
    window.show();
    QTest::keyClicks(window.passwordField(), SystemDatabase::factoryPassword());
    window.findChild<QPushButton *>("BtnExit")->click();
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(m_notifier.count(), 0);
}

void TestLoginWindow::fieldTakesFiftyCharacters()
{
    LoginController controller(*m_database);
    LoginWindow window(controller, m_notifier, TextCatalogue(), m_dir->path());
    QTest::keyClicks(window.passwordField(), QString(60, QLatin1Char('x')));
    QCOMPARE(window.passwordField()->text().size(), 50);
}

QTEST_MAIN(TestLoginWindow)
#include "testloginwindow.moc"
