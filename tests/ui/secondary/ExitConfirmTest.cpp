#include "ui/main/PictureButton.h"
#include "ui/secondary/ExitConfirmWindow.h"

#include "app/Gbk.h"
#include "app/Globals.h"
#include "app/Shutdown.h"
#include "support/UiTestSupport.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

using namespace kivola;

namespace {
struct Ending {
    int code;
    int routineRuns;
};

// Clicks a button of the modal window as soon as the modal loop runs.
void ClickInModalLoop(const char* buttonName, bool* seen) {
    QTimer::singleShot(0, [buttonName, seen] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr) {
            return;
        }
        auto* button = window->findChild<PictureButton*>(QString::fromUtf8(buttonName));
        if (button == nullptr) {
            return;
        }
        *seen = true;
        QTest::mouseClick(button, Qt::LeftButton);
    });
}
} // namespace

class ExitConfirmTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_endings.clear();
        SetProcessEnder([this](int code) { m_endings.push_back({code, ExitRoutineRuns()}); });
    }
    void cleanup() { SetProcessEnder({}); }

    void layout() {
        ExitConfirmWindow window;
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window.windowTitle().isEmpty());
        QCOMPARE(window.size(), QSize(400, 300));
        QCOMPARE(window.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
        auto* yes = window.findChild<PictureButton*>(QStringLiteral("按钮1"));
        auto* no = window.findChild<PictureButton*>(QStringLiteral("按钮2"));
        QVERIFY(yes && no);
        QCOMPARE(yes->geometry(), QRect(80, 160, 60, 60));
        QCOMPARE(no->geometry(), QRect(200, 160, 60, 60));
    }

    void keysAndCloseRequestsChangeNothing_data() {
        testing::AddClosingKeyRows();
        QTest::newRow("Y") << int(Qt::Key_Y) << int(Qt::NoModifier);
    }
    void keysAndCloseRequestsChangeNothing() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        ExitConfirmWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(window.isVisible());
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QVERIFY(m_endings.empty());
        QCOMPARE(ExitRoutineRuns(), 0);
    }

    void noReturnsAndLeavesEverythingAsItWas() {
        QWidget mainWindow;
        mainWindow.show();
        CurrentLesson = G("学习");
        bool seen = false;
        bool ownerless = false;
        QTimer::singleShot(0, [&ownerless] {
            QWidget* window = QApplication::activeModalWidget();
            ownerless = window != nullptr && window->parentWidget() == nullptr;
        });
        ClickInModalLoop("按钮2", &seen);
        ConfirmExit();
        QVERIFY(seen);
        QVERIFY(ownerless);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(mainWindow.isVisible());
        QCOMPARE(CurrentLesson, G("学习"));
        QVERIFY(m_endings.empty());
        QCOMPARE(ExitRoutineRuns(), 0);
    }

    // Runs the exit routine for this process, so it comes after every test that needs it not run.
    void yesRunsTheExitRoutineOnceThenEndsWithZero() {
        CurrentLesson = G("学习");
        bool seen = false;
        ClickInModalLoop("按钮1", &seen);
        ConfirmExit();
        QVERIFY(seen);
        QCOMPARE(m_endings.size(), std::size_t(1));
        QCOMPARE(m_endings[0].code, 0);
        QCOMPARE(m_endings[0].routineRuns, 1);
        QVERIFY(CurrentLesson.empty());
    }

    void yesEndsARealProcessWithZero() {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QStringLiteral(KIVOLA_EXIT_CHILD), {});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(out.count(QStringLiteral("engine destroyed")), 1);
        QVERIFY2(out.contains(QStringLiteral("ending code=0 runs=1")), qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("returned")), qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("event loop ended")), qPrintable(out));
    }

private:
    std::vector<Ending> m_endings;
};

QTEST_MAIN(ExitConfirmTest)
#include "ExitConfirmTest.moc"
