// The find-the-character test: cards, target, the turned card, the time limit and its bar,
// the sounds, the loss message, and leaving (or not) in the middle of a test.
#include "ShownWindow.h"

#include "assets/Assets.h"
#include "lessons/LessonText.h"
#include "ui/main/Canvas.h"
#include "ui/main/TestRules.h"
#include "ui/main/TimeBar.h"
#include "ui/main/Timers.h"
#include "ui/panels/FunctionPanel.h"
#include "ui/secondary/ExitConfirmWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>

using namespace kivola;
using namespace kivola::testing;

namespace {

const QString kWrong = QStringLiteral("play ") + QString::fromLatin1(kSoundWrongPick);
const QString kRight = QStringLiteral("play ") + QString::fromLatin1(kSoundRightPick);

// Seeds the draw so that the next test's target is character number r.
bool SeedForTarget(int r) {
    for (std::uint32_t seed = 1; seed < 10000; ++seed) {
        SeedTestRandom(seed);
        if (DrawTargetNumber() == r) {
            SeedTestRandom(seed);
            return true;
        }
    }
    return false;
}

} // namespace

class TestModeTest : public QObject {
    Q_OBJECT

private:
    World m_world;
    std::unique_ptr<MainWindow> m_window;

    // Starts a test with the test button, with the limit at index limit and the target r.
    MainWindow& StartTestOn(int r, int limit = 0) {
        if (!m_window) {
            m_window = MakeShownWindow();
        }
        m_window->测试计时组合框->setCurrentIndex(limit);
        if (!SeedForTarget(r)) {
            qWarning("no seed draws %d", r);
        }
        QTest::mouseClick(m_window->按钮测试, Qt::LeftButton);
        return *m_window;
    }

    // Whether the board is in the learning look with the controls of a test usable.
    void VerifyTestControlsEnabled(bool enabled) {
        MainWindow& w = *m_window;
        QCOMPARE(w.按钮测试->isEnabled(), enabled);
        QCOMPARE(w.按钮显隐拼音->isEnabled(), enabled);
        QCOMPARE(w.测试计时组合框->isEnabled(), enabled);
        for (int tag = 1; tag <= 5; ++tag) {
            QCOMPARE(w.FunctionPanelWindow()->Button(tag)->isEnabled(), enabled);
        }
        // Ways out stay usable throughout.
        QVERIFY(w.FunctionPanelWindow()->Button(6)->isEnabled());
        QVERIFY(w.按钮退出->isEnabled());
        QVERIFY(w.按钮复位->isEnabled());
    }

    QList<int> OpenCards() {
        QList<int> open;
        for (int i = 1; i <= 10; ++i) {
            if (m_window->Cell(2000 + i)->isHidden()) {
                open << i;
            }
        }
        return open;
    }

    // Everything a child could see or that keeps running, for before/after comparisons.
    QStringList Snapshot() {
        MainWindow& w = *m_window;
        QStringList state;
        for (int tag = 1; tag <= 10; ++tag) {
            for (int offset : {0, 1000, 2000}) {
                ClickLabel* cell = w.Cell(offset + tag);
                state << cell->text() << QString::number(cell->isVisible()) << TextOf(cell).name()
                      << BackOf(cell).name();
            }
        }
        state << w.找字目标->text() << QString::number(w.测试计时进度->maximum())
              << QString::number(w.测试计时进度->value())
              << QString::number(TimerPeriod(w.测试计时时钟))
              << QString::number(w.测试计时组合框->currentIndex())
              << QString::number(w.按钮测试->isEnabled())
              << QString::number(w.FunctionPanelWindow()->Button(1)->isEnabled())
              << QString::number(w.PinyinShown()) << QString::number(w.isVisible())
              << w.课程标签->text();
        return state;
    }

private slots:
    void init() { m_world.Install(); }

    void cleanup() {
        m_window.reset();
        m_world.Remove();
    }

    void startCoversEveryCharacter_data() {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("period");
        QTest::newRow("无时间限制") << 0 << 0;
        QTest::newRow("10秒钟") << 1 << 1000;
        QTest::newRow("5分钟") << 9 << 1000;
    }
    void startCoversEveryCharacter() {
        QFETCH(int, limit);
        QFETCH(int, period);
        MainWindow& w = StartTestOn(4, limit);
        QCOMPARE(w.找字目标->text(), QStringLiteral("学"));
        QCOMPARE(TimerPeriod(w.测试计时时钟), period);
        const int seconds = kTimeLimits[limit].seconds;
        QCOMPARE(w.测试计时进度->maximum(), seconds);
        QCOMPARE(w.测试计时进度->value(), seconds);
        const QColor characters = w.CharacterColour();
        const QList<QObject*> order = w.黑板->children();
        for (int i = 1; i <= 10; ++i) {
            ClickLabel* card = w.Cell(2000 + i);
            ClickLabel* character = w.Cell(i);
            QVERIFY(card->isVisible());
            QCOMPARE(card->geometry(), character->geometry());
            QVERIFY(order.indexOf(card) > order.indexOf(character));
            QCOMPARE(BackOf(card), characters);
            QCOMPARE(TextOf(character), characters);
            QVERIFY(!w.Cell(1000 + i)->isVisible());
        }
        QVERIFY(!w.PinyinShown());
        VerifyTestControlsEnabled(false);
        QVERIFY(m_world.sounds.isEmpty());
    }

    // Every number 1..10 can be drawn, and the target is always that character.
    void targetsComeFromTheWholeLesson() {
        m_window = MakeShownWindow();
        CurrentLesson = BuiltInLesson(3);
        m_window->ReturnToLearning();
        SeedTestRandom(2024);
        QSet<QString> targets;
        for (int round = 0; round < 200; ++round) {
            m_window->StartTest();
            const QString target = m_window->找字目标->text();
            bool onBoard = false;
            for (int i = 1; i <= 10; ++i) {
                onBoard = onBoard || m_window->Cell(i)->text() == target;
            }
            QVERIFY2(onBoard, qPrintable(target));
            targets.insert(target);
            m_window->ReturnToLearning();
        }
        QSet<QString> lesson;
        for (int i = 1; i <= 10; ++i) {
            lesson.insert(ToQ(LessonCharacter(CurrentLesson, i)));
        }
        QCOMPARE(targets, lesson);
    }

    void wrongCardStaysOpenUntilTheNext() {
        MainWindow& w = StartTestOn(4, 1);
        QTest::mouseClick(w.Cell(2001), Qt::LeftButton);
        QCOMPARE(OpenCards(), QList<int>{1});
        QCOMPARE(m_world.sounds, QStringList{kWrong});
        QCOMPARE(TimerPeriod(w.测试计时时钟), 1000);
        VerifyTestControlsEnabled(false);

        // A click on the uncovered character reads it; it is no pick.
        QTest::mouseClick(w.Cell(1), Qt::LeftButton);
        QCOMPARE(OpenCards(), QList<int>{1});
        QCOMPARE(m_world.sounds, QStringList{kWrong});

        QTest::mouseClick(w.Cell(2006), Qt::LeftButton);
        QCOMPARE(OpenCards(), QList<int>{6});
        QCOMPARE(m_world.sounds, (QStringList{kWrong, kWrong}));
        QCOMPARE(w.找字目标->text(), QStringLiteral("学"));
        QVERIFY(!w.PinyinShown());
        VerifyTestControlsEnabled(false);
    }

    // The greeting lesson begins with 宝宝: either card of 宝 wins.
    void foundTargetWins_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("card");
        QTest::addColumn<QList<int>>("wrongFirst");
        QTest::newRow("学 at once") << 4 << 4 << QList<int>{};
        QTest::newRow("学 after two wrong cards") << 4 << 4 << QList<int>{10, 1};
        QTest::newRow("宝 drawn as 1, first card") << 1 << 1 << QList<int>{3};
        QTest::newRow("宝 drawn as 1, second card") << 1 << 2 << QList<int>{3};
        QTest::newRow("宝 drawn as 2, first card") << 2 << 1 << QList<int>{};
        QTest::newRow("宝 drawn as 2, second card") << 2 << 2 << QList<int>{};
    }
    void foundTargetWins() {
        QFETCH(int, r);
        QFETCH(int, card);
        QFETCH(QList<int>, wrongFirst);
        MainWindow& w = StartTestOn(r, 1);
        const QString target = w.找字目标->text();
        w.OnTestTimerTick();
        for (int wrong : wrongFirst) {
            QTest::mouseClick(w.Cell(2000 + wrong), Qt::LeftButton);
        }
        m_world.sounds.clear();
        QTest::mouseClick(w.Cell(2000 + card), Qt::LeftButton);

        QCOMPARE(m_world.sounds, QStringList{kRight});
        QCOMPARE(TimerPeriod(w.测试计时时钟), 0);
        QCOMPARE(OpenCards().size(), 10);
        const QColor characters = w.CharacterColour();
        for (int i = 1; i <= 10; ++i) {
            QVERIFY(w.Cell(i)->isVisible());
            QCOMPARE(TextOf(w.Cell(i)), i == card ? QColor(255, 0, 0) : characters);
            // The pinyin stays hidden after a win.
            QVERIFY(!w.Cell(1000 + i)->isVisible());
        }
        QCOMPARE(w.找字目标->text(), target);
        QVERIFY(!w.PinyinShown());
        QCOMPARE(w.测试计时进度->value(), 10);
        VerifyTestControlsEnabled(true);

        // The time runs no more; a new test clears the red mark.
        SeedTestRandom(5);
        QTest::mouseClick(w.按钮测试, Qt::LeftButton);
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(TextOf(w.Cell(i)), characters);
        }
        QCOMPARE(OpenCards().size(), 0);
    }

    void wonTestThenCharacterClick() {
        MainWindow& w = StartTestOn(8);
        QTest::mouseClick(w.Cell(2008), Qt::LeftButton);
        QCOMPARE(TextOf(w.Cell(8)), QColor(255, 0, 0));
        QTest::mouseClick(w.Cell(2), Qt::LeftButton);
        QCOMPARE(TextOf(w.Cell(8)), w.CharacterColour());
        // The pinyin switch shows the pinyin that the test hid.
        QTest::mouseClick(w.按钮显隐拼音, Qt::LeftButton);
        QVERIFY(w.Cell(1008)->isVisible());
    }

    void timeRunsOut_data() {
        QTest::addColumn<int>("limit");
        QTest::newRow("10秒钟") << 1;
        QTest::newRow("1分30秒") << 6;
    }
    void timeRunsOut() {
        QFETCH(int, limit);
        const int seconds = kTimeLimits[limit].seconds;
        MainWindow& w = StartTestOn(5, limit);
        QTest::mouseClick(w.Cell(2003), Qt::LeftButton);
        for (int tick = 1; tick < seconds; ++tick) {
            w.OnTestTimerTick();
            QCOMPARE(w.测试计时进度->value(), seconds - tick);
            QCOMPARE(w.测试计时进度->maximum(), seconds);
            QCOMPARE(m_world.lossMessages, 0);
        }
        QCOMPARE(TimerPeriod(w.测试计时时钟), 1000);
        QStringList whileShown;
        m_world.duringLossMessage = [this, &whileShown] {
            MainWindow& w = *m_window;
            whileShown << QString::number(TimerPeriod(w.测试计时时钟))
                       << QString::number(w.测试计时进度->value()) << w.找字目标->text();
        };
        w.OnTestTimerTick();
        QCOMPARE(m_world.lossMessages, 1);
        // The message came with the timer stopped and the bar empty, the test still shown.
        QCOMPARE(whileShown, (QStringList{"0", "0", "习"}));
        // Then back to learning.
        QCOMPARE(w.找字目标->text(), QString());
        QCOMPARE(OpenCards().size(), 10);
        for (int i = 1; i <= 10; ++i) {
            QVERIFY(w.Cell(1000 + i)->isVisible());
        }
        QVERIFY(w.PinyinShown());
        QCOMPARE(w.测试计时进度->value(), seconds);
        QCOMPARE(TimerPeriod(w.测试计时时钟), 0);
        VerifyTestControlsEnabled(true);
    }

    // The timer itself drives the ticks: with a short period the loss arrives on its own.
    void timerDrivesTheBar() {
        MainWindow& w = StartTestOn(5, 1);
        w.测试计时时钟->setInterval(1);
        QTRY_COMPARE_WITH_TIMEOUT(m_world.lossMessages, 1, 5000);
        QCOMPARE(w.找字目标->text(), QString());
    }

    void lossMessageBox() {
        // The real message box in place of the recording one.
        MainWindow::Hooks& hooks = MainWindow::StartupHooks();
        const MainWindow::Hooks recording = hooks;
        MainWindow::ResetStartupHooks();
        const auto realMessage = hooks.showLossMessage;
        hooks = recording;
        hooks.showLossMessage = realMessage;
        MainWindow& w = StartTestOn(5, 1);
        for (int tick = 1; tick < 10; ++tick) {
            w.OnTestTimerTick();
        }
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen = box->windowTitle() == QStringLiteral("努力！别灰心。") &&
                   box->text() == QStringLiteral("对不起，你输了。下次再努力吧！") &&
                   box->icon() == QMessageBox::Information &&
                   box->standardButtons() == QMessageBox::Ok &&
                   box->button(QMessageBox::Ok)->text() == QStringLiteral("确定");
            box->button(QMessageBox::Ok)->click();
        });
        w.OnTestTimerTick();
        QVERIFY(seen);
        QCOMPARE(w.找字目标->text(), QString());
    }

    void relearnEndsTheTest() {
        MainWindow& w = StartTestOn(5, 2);
        w.OnTestTimerTick();
        QTest::mouseClick(w.Cell(2002), Qt::LeftButton);
        QTest::mouseClick(w.按钮复位, Qt::LeftButton);
        QCOMPARE(OpenCards().size(), 10);
        QCOMPARE(TimerPeriod(w.测试计时时钟), 0);
        QCOMPARE(w.测试计时进度->value(), 20);
        QCOMPARE(w.找字目标->text(), QString());
        VerifyTestControlsEnabled(true);
    }

    // Choosing no in the exit confirmation, from either way out, leaves the test running just
    // as it was.
    void noLeavesTheTestAsItWas_data() {
        QTest::addColumn<bool>("fromFunctionPanel");
        QTest::newRow("leave button") << false;
        QTest::newRow("function button 6") << true;
    }
    void noLeavesTheTestAsItWas() {
        QFETCH(bool, fromFunctionPanel);
        int ended = 0;
        SetProcessEnder([&ended](int) { ++ended; });
        MainWindow& w = StartTestOn(5, 3);
        w.OnTestTimerTick();
        w.OnTestTimerTick();
        QTest::mouseClick(w.Cell(2007), Qt::LeftButton);
        const QStringList before = Snapshot();
        m_world.sounds.clear();

        bool ownerless = false;
        ActInModalLoop(QStringLiteral("按钮2"), [&ownerless](QWidget* window) {
            ownerless = qobject_cast<ExitConfirmWindow*>(window) != nullptr &&
                        window->parentWidget() == nullptr;
        });
        QTest::mouseClick(fromFunctionPanel ? w.FunctionPanelWindow()->Button(6) : w.按钮退出,
                          Qt::LeftButton);
        SetProcessEnder({});
        QVERIFY(ownerless);
        QCOMPARE(ended, 0);
        QCOMPARE(Snapshot(), before);
        QCOMPARE(OpenCards(), QList<int>{7});
        // Function button 6 stops the playing sound and plays none of its own.
        QCOMPARE(m_world.sounds, fromFunctionPanel ? QStringList{"stop"} : QStringList{});
        // The test goes on.
        w.OnTestTimerTick();
        QCOMPARE(w.测试计时进度->value(), 27);
    }
};

QTEST_MAIN(TestModeTest)
#include "TestModeTest.moc"
