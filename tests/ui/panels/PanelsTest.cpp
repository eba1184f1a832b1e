// Placement of MainWindow and its two panels, the slides, and the panels' buttons.
// Built twice: on an 800x600 and on a 1024x768 offscreen screen.
#include "app/Gbk.h"
#include "app/Globals.h"
#include "assets/Assets.h"
#include "support/UiTestSupport.h"
#include "ui/main/Canvas.h"
#include "ui/main/ClickLabel.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/main/SplashWindow.h"
#include "ui/main/Timers.h"
#include "ui/panels/FunctionPanel.h"
#include "ui/panels/LessonPanel.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace kivola;
using kivola::testing::WriteSettingsFile;

namespace {

// Runs the ticks of timer through tick until the timer stops itself; returns how many of
// them moved the panel.
int SlideSteps(QTimer* timer, QWidget* panel, const std::function<void()>& tick) {
    int steps = 0;
    for (int guard = 0; timer->isActive() && guard < 100; ++guard) {
        const int before = panel->x();
        tick();
        if (panel->x() != before) {
            ++steps;
            if (std::abs(panel->x() - before) != 10) {
                return -1;
            }
        }
    }
    return timer->isActive() ? -1 : steps;
}

QStringList Captions(MainWindow& w, int first) {
    QStringList captions;
    for (int i = first; i < first + 10; ++i) {
        captions << w.Cell(i)->text();
    }
    return captions;
}

// Leaves the modal window that a click opens as soon as its loop runs: the exit
// confirmation through its no button, any other dialog by rejecting it.
void LeaveModalWindowSoon() {
    QTimer::singleShot(0, [] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr) {
            return;
        }
        if (auto* no = window->findChild<QAbstractButton*>(QStringLiteral("按钮2"))) {
            QTest::mouseClick(no, Qt::LeftButton);
        } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        }
    });
}

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    int m_width = 0;
    int m_height = 0;
    // "play <resource path>" and "stop", in order.
    QStringList m_sounds;

    int CanvasLeft() const { return (m_width - 800) / 2; }
    int CanvasTop() const { return (m_height - 600) / 2; }

    // A MainWindow as it is once the splash has gone.
    MainWindow& MakeShownWindow() {
        m_window = std::make_unique<MainWindow>();
        QPointer<SplashWindow> splash = m_window->Splash();
        for (int tick = 0; tick < 9 && splash != nullptr && splash->isVisible(); ++tick) {
            splash->OnTick();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (splash != nullptr || !QTest::qWaitForWindowExposed(m_window.get())) {
            qWarning("the splash is still up or MainWindow is not shown");
        }
        return *m_window;
    }

    void BringLessonPanelOut(MainWindow& w) {
        w.MouseTrigger(795);
        LessonPanel* panel = w.LessonPanelWindow();
        SlideSteps(panel->时钟显示课程面板, panel, [panel] { panel->OnShowTick(); });
    }

private slots:
    void initTestCase() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        m_width = screen.width();
        m_height = screen.height();
        QVERIFY((m_width == 800 && m_height == 600) || (m_width == 1024 && m_height == 768));
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        MainWindow::Hooks& hooks = MainWindow::StartupHooks();
        hooks.askInstallVoice = [] { return false; };
        hooks.openUrl = [](const QUrl&) {};
        hooks.programDirectory = m_dir->path().toStdString();
        m_sounds.clear();
        hooks.playSound = [this](const QString& path) {
            m_sounds << QStringLiteral("play ") + path;
        };
        hooks.stopSound = [this] { m_sounds << QStringLiteral("stop"); };
    }

    void cleanup() {
        m_window.reset();
        MainWindow::ResetStartupHooks();
        m_dir.reset();
    }

    void placement() {
        MainWindow& w = MakeShownWindow();
        const QPoint canvas(CanvasLeft(), CanvasTop());
        QCOMPARE(canvas, m_width == 800 ? QPoint(0, 0) : QPoint(112, 84));
        QCOMPARE(w.geometry(), QRect(0, 0, m_width, m_height));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w.主窗口底板->geometry(), QRect(canvas, QSize(800, 600)));
        FunctionPanel* functions = w.FunctionPanelWindow();
        LessonPanel* lessons = w.LessonPanelWindow();
        QCOMPARE(functions->parentWidget(), static_cast<QWidget*>(&w));
        QCOMPARE(lessons->parentWidget(), static_cast<QWidget*>(&w));
        QCOMPARE(functions->geometry(), QRect(canvas.x() - 112, canvas.y(), 112, 600));
        QCOMPARE(lessons->geometry(), QRect(canvas.x() + 800, canvas.y(), 112, 600));
        QVERIFY(functions->isVisible());
        QVERIFY(lessons->isVisible());
        // Both panels lie above the canvas.
        const QList<QObject*> order = w.children();
        QVERIFY(order.indexOf(functions) > order.indexOf(w.主窗口底板));
        QVERIFY(order.indexOf(lessons) > order.indexOf(w.主窗口底板));

        // Any move or resize snaps everything back; the panels are docked again.
        functions->move(-40, canvas.y());
        w.move(30, 40);
        QCOMPARE(w.geometry(), QRect(0, 0, m_width, m_height));
        QCOMPARE(functions->pos(), QPoint(canvas.x() - 112, canvas.y()));
        w.resize(300, 200);
        QCOMPARE(w.geometry(), QRect(0, 0, m_width, m_height));
        QCOMPARE(w.主窗口底板->geometry(), QRect(canvas, QSize(800, 600)));
        QCOMPARE(w.findChildren<FunctionPanel*>().size(), 1);
        QCOMPARE(w.findChildren<LessonPanel*>().size(), 1);
    }

    void slides() {
        MainWindow& w = MakeShownWindow();
        FunctionPanel* functions = w.FunctionPanelWindow();
        LessonPanel* lessons = w.LessonPanelWindow();
        const bool small = m_width == 800;
        const int docked = CanvasLeft() - 112;
        const int lessonDocked = CanvasLeft() + 800;

        // Over the enabled blackboard and its characters the pointer is not over the canvas.
        QTest::mouseMove(w.主窗口底板, QPoint(400, 300));
        QTest::mouseMove(w.主窗口底板, QPoint(400, 230));
        QCOMPARE(TimerPeriod(functions->时钟隐藏功能面板), 0);
        QCOMPARE(TimerPeriod(lessons->时钟隐藏课程面板), 0);

        // The pointer on the bare left strip of the canvas.
        QTest::mouseMove(w.主窗口底板, QPoint(10, 300));
        QCOMPARE(TimerPeriod(functions->时钟显示功能面板), 100);
        QCOMPARE(TimerPeriod(functions->时钟隐藏功能面板), 0);
        QCOMPARE(SlideSteps(functions->时钟显示功能面板, functions,
                            [functions] { functions->OnShowTick(); }),
                 small ? 12 : 0);
        QCOMPARE(functions->pos(), QPoint(small ? 8 : 0, CanvasTop()));
        QVERIFY(!w.黑板->isEnabled());

        // Out on a small screen, the panel covers the strip: the pointer is over the panel.
        QTest::mouseMove(w.主窗口底板, QPoint(11, 300));
        QCOMPARE(TimerPeriod(functions->时钟隐藏功能面板), small ? 0 : 100);
        // The disabled blackboard passes the pointer on to the canvas: moving over one of its
        // characters brings the panels back.
        QTest::mouseMove(w.主窗口底板, QPoint(400, 230));
        QCOMPARE(TimerPeriod(functions->时钟隐藏功能面板), 100);
        QCOMPARE(TimerPeriod(lessons->时钟隐藏课程面板), 100);
        QCOMPARE(SlideSteps(functions->时钟隐藏功能面板, functions,
                            [functions] { functions->OnHideTick(); }),
                 small ? 12 : 0);
        QCOMPARE(functions->pos(), QPoint(docked, CanvasTop()));
        QVERIFY(w.黑板->isEnabled());
        QCOMPARE(
            SlideSteps(lessons->时钟隐藏课程面板, lessons, [lessons] { lessons->OnHideTick(); }),
            0);

        QTest::mouseMove(w.主窗口底板, QPoint(790, 300));
        QCOMPARE(TimerPeriod(lessons->时钟显示课程面板), 100);
        QCOMPARE(
            SlideSteps(lessons->时钟显示课程面板, lessons, [lessons] { lessons->OnShowTick(); }),
            small ? 12 : 0);
        QCOMPARE(lessons->pos(), QPoint(small ? 680 : 912, CanvasTop()));
        QVERIFY(!w.黑板->isEnabled());

        w.MouseTrigger(789);
        QCOMPARE(
            SlideSteps(lessons->时钟隐藏课程面板, lessons, [lessons] { lessons->OnHideTick(); }),
            small ? 12 : 0);
        QCOMPARE(lessons->pos(), QPoint(lessonDocked, CanvasTop()));
        QVERIFY(w.黑板->isEnabled());
    }

    void hideTickStopsShowTimer() {
        MainWindow& w = MakeShownWindow();
        FunctionPanel* functions = w.FunctionPanelWindow();
        LessonPanel* lessons = w.LessonPanelWindow();
        w.MouseTrigger(0);
        w.MouseTrigger(500);
        QVERIFY(functions->时钟显示功能面板->isActive());
        functions->OnHideTick();
        QVERIFY(!functions->时钟显示功能面板->isActive());
        w.MouseTrigger(799);
        w.MouseTrigger(500);
        lessons->OnHideTick();
        QVERIFY(!lessons->时钟显示课程面板->isActive());
        w.MouseTrigger(799);
        lessons->OnShowTick();
        QVERIFY(!lessons->时钟隐藏课程面板->isActive());
    }

    void functionButtons() {
        MainWindow& w = MakeShownWindow();
        FunctionPanel* panel = w.FunctionPanelWindow();
        const QStringList captions = {"更改用户名", "语音设置", "字体设置",
                                      "颜色设置",   "课程设置", "退出"};
        for (int k = 1; k <= 6; ++k) {
            PictureButton* button = panel->Button(k);
            QLabel* caption = panel->Caption(k);
            QVERIFY(button && caption);
            QCOMPARE(button->geometry(), QRect(26, 20 + 95 * (k - 1), 60, 60));
            QCOMPARE(caption->geometry(), QRect(16, 80 + 95 * (k - 1), 80, 25));
            QCOMPARE(caption->text(), captions[k - 1]);
            QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(128, 0, 0));
            QVERIFY(button->isVisible());
            QVERIFY(caption->isVisible());
        }
        QCOMPARE(panel->Button(1), panel->功能按钮);
        QVERIFY(panel->Button(7) == nullptr);

        w.SetSettingsButtonsDisabled(true);
        for (int k = 1; k <= 5; ++k) {
            QVERIFY(!panel->Button(k)->isEnabled());
        }
        QVERIFY(panel->Button(6)->isEnabled());
        w.SetSettingsButtonsDisabled(false);
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(panel->Button(k)->isEnabled());
        }
    }

    // Every panel click first stops the sound that is playing; the exit button starts none.
    void clickSounds_data() {
        QTest::addColumn<bool>("lessonPanel");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QStringList>("sounds");
        const QString stop = QStringLiteral("stop");
        const QString function = QStringLiteral("play ") + QString::fromLatin1(kSoundFunctionClick);
        const QString lesson = QStringLiteral("play ") + QString::fromLatin1(kSoundLessonClick);
        for (int k = 1; k <= 5; ++k) {
            QTest::addRow("function button %d", k) << false << k << QStringList{stop, function};
        }
        QTest::newRow("function button 6") << false << 6 << QStringList{stop};
        for (int k : {1, 4, 10}) {
            QTest::addRow("lesson button %d", k) << true << k << QStringList{stop, lesson};
        }
    }
    void clickSounds() {
        QFETCH(bool, lessonPanel);
        QFETCH(int, tag);
        QFETCH(QStringList, sounds);
        MainWindow& w = MakeShownWindow();
        if (lessonPanel) {
            BringLessonPanelOut(w);
        }
        PictureButton* button =
            lessonPanel ? w.LessonPanelWindow()->Button(tag) : w.FunctionPanelWindow()->Button(tag);
        QVERIFY(button != nullptr);
        m_sounds.clear();
        LeaveModalWindowSoon();
        QTest::mouseClick(button, Qt::LeftButton);
        // A click that opened no window leaves the helper nothing to do.
        QCoreApplication::processEvents();
        QCOMPARE(m_sounds, sounds);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void allLessonsLoad_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("lastPinyin");
        const char* const rows[][3] = {
            {"第一课", "一二三四五六七八九十", "shí"}, {"第二课", "东南西北上下左右前后", "hòu"},
            {"第三课", "爷奶爸妈儿女叔伯姑姨", "yí"},  {"第四课", "桌椅凳柜门窗电脑玩具", "jù"},
            {"第五课", "学校幼儿园游戏场唱歌", "ɡē"},  {"第六课", "你我他大家都要爱学习", "xí"},
            {"第七课", "年月日历史时分秒现在", "zài"}, {"第八课", "阴晴雨雪雾雷风云冰霜", "shuānɡ"},
            {"第九课", "开心快乐勇敢诚实努力", "lì"},  {"第十课", "人口手足眼耳鼻舌脑心", "xīn"},
        };
        for (int n = 1; n <= 10; ++n) {
            QTest::addRow("lesson %d", n)
                << n << QString::fromUtf8(rows[n - 1][0]) << QString::fromUtf8(rows[n - 1][1])
                << QString::fromUtf8(rows[n - 1][2]);
        }
    }
    void allLessonsLoad() {
        QFETCH(int, n);
        QFETCH(QString, title);
        QFETCH(QString, characters);
        QFETCH(QString, lastPinyin);
        MainWindow& w = MakeShownWindow();
        BringLessonPanelOut(w);
        PictureButton* button = w.LessonPanelWindow()->Button(n);
        QVERIFY(button != nullptr);
        QCOMPARE(button->geometry(), QRect(11, 20 + 57 * (n - 1), 90, 40));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.课程标签->text(), title);
        QCOMPARE(Captions(w, 1).join(QString()), characters);
        QCOMPARE(w.Cell(1010)->text(), lastPinyin);
        QVERIFY(!button->isEnabled());
        QCOMPARE(w.FindChosenLesson(), n);
    }

    void lessonButtons() {
        MainWindow& w = MakeShownWindow();
        LessonPanel* panel = w.LessonPanelWindow();
        QCOMPARE(w.FindChosenLesson(), 0);
        BringLessonPanelOut(w);
        // A test is running when the lesson is chosen.
        w.SetCellGroup(2000, Qt::gray, Qt::gray, true);
        w.SetCellGroup(1000, Qt::gray, Qt::black, false);
        w.SetSettingsButtonsDisabled(true);
        w.按钮测试->setEnabled(false);

        QTest::mouseClick(panel->Button(3), Qt::LeftButton);
        QCOMPARE(w.课程标签->text(), QStringLiteral("第三课"));
        QCOMPARE(Captions(w, 1),
                 (QStringList{"爷", "奶", "爸", "妈", "儿", "女", "叔", "伯", "姑", "姨"}));
        QCOMPARE(Captions(w, 1001),
                 (QStringList{"yé", "nǎi", "bà", "mā", "ér", "nǚ", "shū", "bó", "ɡū", "yí"}));
        QVERIFY(w.Cell(2003)->isHidden());
        QVERIFY(w.Cell(1003)->isVisible());
        QVERIFY(w.按钮测试->isEnabled());
        QVERIFY(w.FunctionPanelWindow()->Button(2)->isEnabled());
        QVERIFY(!panel->Button(3)->isEnabled());
        QCOMPARE(w.FindChosenLesson(), 3);

        QTest::mouseClick(panel->Button(5), Qt::LeftButton);
        QCOMPARE(w.课程标签->text(), QStringLiteral("第五课"));
        QVERIFY(panel->Button(3)->isEnabled());
        QVERIFY(!panel->Button(5)->isEnabled());
        QCOMPARE(w.FindChosenLesson(), 5);

        // The chosen lesson's button does nothing.
        w.课程标签->setText(QStringLiteral("unchanged"));
        w.Cell(1)->setText(QStringLiteral("x"));
        QTest::mouseClick(panel->Button(5), Qt::LeftButton);
        QCOMPARE(w.课程标签->text(), QStringLiteral("unchanged"));
        QCOMPARE(w.Cell(1)->text(), QStringLiteral("x"));
        for (int tag = 1; tag <= 10; ++tag) {
            QCOMPARE(panel->Button(tag)->isEnabled(), tag != 5);
        }
    }

    void storedLessonShown() {
        WriteSettingsFile(m_dir->path(),
                          QStringLiteral("[学习数据]\n第三课=人口手足眼耳鼻舌脑心*^*rén&*&kǒu&*&"
                                         "shǒu&*&zú&*&yǎn&*&ěr&*&bí&*&shé&*&nǎo&*&xīn&*&\n"
                                         "第四课=\n"));
        MainWindow& w = MakeShownWindow();
        BringLessonPanelOut(w);
        QTest::mouseClick(w.LessonPanelWindow()->Button(3), Qt::LeftButton);
        QCOMPARE(w.课程标签->text(), QStringLiteral("第三课"));
        QCOMPARE(Captions(w, 1).join(QString()), QStringLiteral("人口手足眼耳鼻舌脑心"));
        QCOMPARE(w.Cell(1002)->text(), QStringLiteral("kǒu"));
        // An empty stored lesson stands for the built-in one.
        QTest::mouseClick(w.LessonPanelWindow()->Button(4), Qt::LeftButton);
        QCOMPARE(Captions(w, 1).join(QString()), QStringLiteral("桌椅凳柜门窗电脑玩具"));
    }

    void panelsTakeNoKeys() {
        MainWindow& w = MakeShownWindow();
        BringLessonPanelOut(w);
        PictureButton* button = w.LessonPanelWindow()->Button(2);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(w.FunctionPanelWindow()->Button(6), Qt::Key_Space);
        QVERIFY(button->isEnabled());
        QCOMPARE(w.FindChosenLesson(), 0);
        QCOMPARE(w.课程标签->text(), QStringLiteral("亲爱的宝宝，我们来学习啦！"));
    }
};

QTEST_MAIN(PanelsTest)
#include "PanelsTest.moc"
