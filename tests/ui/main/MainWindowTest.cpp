// MainWindow at start-up: the creation sequence, the cells, the stored settings applied,
// the clock, keys, the splash window.
#include "ui/main/MainWindow.h"
#include "app/Gbk.h"
#include "app/Globals.h"
#include "speech/AudioOutput.h"
#include "speech/SpeechEngine.h"
#include "support/UiTestSupport.h"
#include "ui/main/Canvas.h"
#include "ui/main/ClickLabel.h"
#include "ui/main/PictureButton.h"
#include "ui/main/SplashWindow.h"
#include "ui/main/TimeBar.h"
#include "ui/main/Timers.h"
#include "ui/panels/FunctionPanel.h"
#include "ui/panels/LessonPanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kivola;
using kivola::testing::WriteSettingsFile;

namespace {

class SilentOutput : public AudioOutput {
public:
    void Write(const std::int16_t*, std::size_t, int) override {}
    void Discard() override {}
};

const QStringList kGreetingCharacters = {"宝", "宝", "爱", "学", "习",
                                         "爸", "妈", "好", "开", "心"};
const QStringList kGreetingPinyin = {"bǎo", "bǎo", "ài",  "xué", "xí",
                                     "bà",  "mā",  "hǎo", "kāi", "xīn"};

QColor TextOf(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}
QColor BackOf(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<SpeechEngine> m_engine;
    int m_asked = 0;
    QList<QUrl> m_opened;
    bool m_answerYes = false;

    void MakeWindow() {
        m_window = std::make_unique<MainWindow>();
        QVERIFY(SettingsPath.find(m_dir->path().toStdString()) == 0);
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_asked = 0;
        m_opened.clear();
        m_answerYes = false;
        ClockPhase = 0;
        MainWindow::Hooks& hooks = MainWindow::StartupHooks();
        hooks.askInstallVoice = [this] {
            ++m_asked;
            return m_answerYes;
        };
        hooks.openUrl = [this](const QUrl& url) { m_opened.append(url); };
        hooks.clockTime = [] { return QTime(9, 5, 5); };
        hooks.programDirectory = m_dir->path().toStdString();
    }

    void cleanup() {
        m_window.reset();
        TheSpeechEngine = nullptr;
        m_engine.reset();
        MainWindow::ResetStartupHooks();
        m_dir.reset();
    }

    void startupWithoutSettingsFile() {
        MakeWindow();
        MainWindow& w = *m_window;
        QVERIFY(!w.isVisible());
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(w.Cell(i)->text(), kGreetingCharacters[i - 1]);
            QCOMPARE(w.Cell(1000 + i)->text(), kGreetingPinyin[i - 1]);
            QVERIFY(!w.Cell(i)->isHidden());
            QVERIFY(!w.Cell(1000 + i)->isHidden());
            QVERIFY(w.Cell(2000 + i)->isHidden());
            QCOMPARE(w.Cell(2000 + i)->text(), QString());
        }
        QCOMPARE(w.课程标签->text(), QStringLiteral("亲爱的宝宝，我们来学习啦！"));
        QCOMPARE(w.标题标签->text(), QStringLiteral("宝宝快乐识字"));
        QCOMPARE(w.BlackboardColour(), QColor(0, 0, 0));
        QCOMPARE(w.CharacterColour(), QColor(192, 192, 192));
        QCOMPARE(w.PinyinColour(), QColor(128, 128, 0));
        QCOMPARE(w.找字目标->text(), QString());
        QCOMPARE(w.测试计时组合框->currentIndex(), 0);
        QCOMPARE(w.测试计时进度->maximum(), 100);
        QCOMPARE(w.测试计时进度->value(), 100);
        QCOMPARE(TimerPeriod(w.时钟时间), 500);
        QCOMPARE(TimerPeriod(w.测试计时时钟), 0);
        QCOMPARE(w.标签时间->text(), QStringLiteral("09 05 05"));
        QCOMPARE(QString::fromStdString(gbk::ToUtf8(CurrentLesson)),
                 QStringLiteral("宝宝爱学习爸妈好开心*^*bǎo&*&bǎo&*&ài&*&xué&*&xí&*&bà&*&mā&*&"
                                "hǎo&*&kāi&*&xīn&*&"));
        // Nothing is written at start-up.
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("USERdat.ini"))));
        // The characters are drawn in a Kai face, the pinyin in a Song face.
        QCOMPARE(w.Cell(1)->font().pixelSize(), 96);
        QCOMPARE(w.Cell(1001)->font().pixelSize(), 29);
        QCOMPARE(QFontInfo(w.Cell(7)->font()).family(), QStringLiteral("AR PL UKai CN"));
        QCOMPARE(QFontInfo(w.Cell(1007)->font()).family(), QStringLiteral("AR PL UMing CN"));
        QCOMPARE(w.Cell(3)->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    }

    void voiceCheck_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void voiceCheck() {
        QFETCH(bool, yes);
        m_answerYes = yes;
        MakeWindow();
        QCOMPARE(m_asked, 1);
        if (yes) {
            QCOMPARE(m_opened.size(), 1);
            QCOMPARE(m_opened.front(),
                     QUrl::fromLocalFile(m_dir->path() +
                                         QStringLiteral("/SimpChinese Speech Package.msi")));
        } else {
            QVERIFY(m_opened.isEmpty());
        }
        // Start-up goes on either way.
        QCOMPARE(m_window->Cell(1)->text(), QStringLiteral("宝"));
    }

    void voiceQuestionBox() {
        // The real question box in place of the recording one, answered No.
        MainWindow::Hooks& hooks = MainWindow::StartupHooks();
        const MainWindow::Hooks recording = hooks;
        MainWindow::ResetStartupHooks();
        const auto realQuestion = hooks.askInstallVoice;
        hooks = recording;
        hooks.askInstallVoice = realQuestion;
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen =
                box->windowTitle() == QStringLiteral("系统提示") &&
                box->icon() == QMessageBox::Warning &&
                box->text() == QStringLiteral("您的系统中没有安装中文语音库，您将无法使用　　\r\n"
                                              "部分功能。现在将安装中文语音库，您也可以手\r\n"
                                              "动安装。\r\n\r\n"
                                              "自动安装请按“是”，否则请按“否”") &&
                box->button(QMessageBox::Yes)->text() == QStringLiteral("是(&Y)") &&
                box->button(QMessageBox::No)->text() == QStringLiteral("否(&N)");
            box->button(QMessageBox::No)->click();
        });
        MakeWindow();
        QVERIFY(seen);
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(m_window->Cell(1)->text(), QStringLiteral("宝"));
    }

    void hasVoiceWithEspeakVoices() {
        m_engine = std::make_unique<SpeechEngine>(std::make_unique<SilentOutput>());
        m_engine->Create();
        TheSpeechEngine = m_engine.get();
        const std::vector<std::string> voices = m_engine->ListVoices();
        QVERIFY(!voices.empty());
        QVERIFY(HasVoice(voices.front()));
        const QString name = QString::fromStdString(voices.front());
        const QString otherCase = name.toUpper() == name ? name.toLower() : name.toUpper();
        QVERIFY(!HasVoice(otherCase.toStdString()));
        QVERIFY(!HasVoice(voices.front() + " "));
        QVERIFY(!HasVoice("Microsoft Simplified Chinese"));
        // Only Chinese voices of other names: the installer is still offered.
        MakeWindow();
        QCOMPARE(m_asked, 1);
    }

    void storedSettings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QColor>("board");
        QTest::addColumn<QColor>("characters");
        QTest::addColumn<QColor>("pinyin");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("greeting");
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("bottom");

        const QColor black(0, 0, 0), grey(192, 192, 192), olive(128, 128, 0);
        const QString babyTitle = QStringLiteral("宝宝快乐识字");
        const QString babyGreeting = QStringLiteral("亲爱的宝宝，我们来学习啦！");
        const QString kai = QStringLiteral("楷体_GB2312");
        const QString colours = QStringLiteral("[自定义颜色]\n黑板颜色=32768\n文字颜色=65535\n"
                                               "拼音颜色=16711935\n");
        QTest::newRow("name") << QStringLiteral("[用户信息]\n用户姓名=小明\n") << black << grey
                              << olive << QStringLiteral("小明快乐识字")
                              << QStringLiteral("亲爱的小明，我们来学习啦！") << kai << false;
        QTest::newRow("stored colours")
            << colours + QStringLiteral("使用系统色=NO\n") << QColor(0, 128, 0)
            << QColor(255, 255, 0) << QColor(255, 0, 255) << babyTitle << babyGreeting << kai
            << false;
        QTest::newRow("no in lower case")
            << colours + QStringLiteral("使用系统色=no\n") << black << grey << olive << babyTitle
            << babyGreeting << kai << false;
        QTest::newRow("one colour missing")
            << QStringLiteral("[自定义颜色]\n使用系统色=NO\n黑板颜色=32768\n文字颜色=65535\n")
            << black << grey << olive << babyTitle << babyGreeting << kai << false;
        QTest::newRow("one colour empty")
            << QStringLiteral("[自定义颜色]\n使用系统色=NO\n黑板颜色=32768\n文字颜色=\n"
                              "拼音颜色=255\n")
            << black << grey << olive << babyTitle << babyGreeting << kai << false;
        QTest::newRow("colour not a number")
            << QStringLiteral("[自定义颜色]\n使用系统色=NO\n黑板颜色=abc\n文字颜色=255.9\n"
                              "拼音颜色=-1\n")
            << black << QColor(255, 0, 0) << QColor(255, 255, 255) << babyTitle << babyGreeting
            << kai << false;
        QTest::newRow("wending font")
            << QStringLiteral("[系统字体]\n显示字体=文鼎习字体\n") << black << grey << olive
            << babyTitle << babyGreeting << QStringLiteral("文鼎习字体") << true;
        QTest::newRow("other font")
            << QStringLiteral("[系统字体]\n显示字体=宋体\n") << black << grey << olive << babyTitle
            << babyGreeting << QStringLiteral("宋体") << false;
    }
    void storedSettings() {
        QFETCH(QString, file);
        QFETCH(QColor, board);
        QFETCH(QColor, characters);
        QFETCH(QColor, pinyin);
        QFETCH(QString, title);
        QFETCH(QString, greeting);
        QFETCH(QString, face);
        QFETCH(bool, bottom);
        WriteSettingsFile(m_dir->path(), file);
        MakeWindow();
        MainWindow& w = *m_window;

        QCOMPARE(w.标题标签->text(), title);
        QCOMPARE(w.课程标签->text(), greeting);

        QCOMPARE(w.黑板->BackgroundColour(), board);
        QCOMPARE(w.画板背景->BackgroundColour(), board);
        QCOMPARE(BackOf(w.课程标签), board);
        QCOMPARE(BackOf(w.标签时间), board);
        QCOMPARE(TextOf(w.课程标签), pinyin);
        QCOMPARE(TextOf(w.标签时间), characters);
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(TextOf(w.Cell(i)), characters);
            QCOMPARE(BackOf(w.Cell(i)), board);
            QCOMPARE(TextOf(w.Cell(1000 + i)), pinyin);
            QCOMPARE(BackOf(w.Cell(1000 + i)), board);
            QCOMPARE(BackOf(w.Cell(2000 + i)), characters);
            QVERIFY(w.Cell(2000 + i)->isHidden());
        }

        const Qt::Alignment expected =
            Qt::AlignHCenter | (bottom ? Qt::AlignBottom : Qt::AlignVCenter);
        for (QLabel* label :
             {static_cast<QLabel*>(w.Cell(1)), static_cast<QLabel*>(w.Cell(10)), w.找字目标}) {
            QCOMPARE(label->font().family(), face);
            QCOMPARE(label->alignment(), expected);
        }
        // Sizes stay as designed; the pinyin keeps its own face.
        QCOMPARE(w.Cell(10)->font().pixelSize(), 96);
        QCOMPARE(w.找字目标->font().pixelSize(), 64);
        QCOMPARE(w.Cell(1010)->font().family(), QStringLiteral("宋体"));
        // The stored settings are only read.
        QFile stored(m_dir->filePath(QStringLiteral("USERdat.ini")));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QString expectedText = file;
        expectedText.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QCOMPARE(stored.readAll(),
                 QByteArray::fromStdString(gbk::FromUtf8(expectedText.toStdString())));
    }

    void cellGeometry_data() {
        QTest::addColumn<int>("i");
        QTest::addColumn<QPoint>("character");
        QTest::addColumn<QPoint>("pinyin");
        const QPoint places[][2] = {{{25, 45}, {25, 15}},     {{165, 45}, {165, 15}},
                                    {{305, 45}, {305, 15}},   {{445, 45}, {445, 15}},
                                    {{585, 45}, {585, 15}},   {{25, 215}, {25, 185}},
                                    {{165, 215}, {165, 185}}, {{305, 215}, {305, 185}},
                                    {{445, 215}, {445, 185}}, {{585, 215}, {585, 185}}};
        for (int i = 1; i <= 10; ++i) {
            QTest::addRow("cell %d", i) << i << places[i - 1][0] << places[i - 1][1];
        }
    }
    void cellGeometry() {
        QFETCH(int, i);
        QFETCH(QPoint, character);
        QFETCH(QPoint, pinyin);
        MakeWindow();
        MainWindow& w = *m_window;
        ClickLabel* c = w.Cell(i);
        ClickLabel* p = w.Cell(1000 + i);
        ClickLabel* card = w.Cell(2000 + i);
        QVERIFY(c && p && card);
        QCOMPARE(c->parentWidget(), static_cast<QWidget*>(w.黑板));
        QCOMPARE(c->geometry(), QRect(character, QSize(120, 120)));
        QCOMPARE(p->geometry(), QRect(pinyin, QSize(120, 30)));
        QCOMPARE(card->geometry(), QRect(character, QSize(120, 120)));
        QVERIFY(w.黑板->rect().contains(c->geometry()));
        // The card is drawn above its character.
        const QList<QObject*> order = w.黑板->children();
        QVERIFY(order.indexOf(card) > order.indexOf(c));
        QCOMPARE(c->font().pixelSize(), 96);
        QCOMPARE(c->cursor().shape(), w.学习文字->cursor().shape());
        // Exactly one cell of each group carries the tag.
        int carriers = 0;
        for (QObject* child : order) {
            const QVariant tag = child->property("tag");
            carriers += tag.toString() == QString::number(i) ||
                        tag.toString() == QString::number(1000 + i) ||
                        tag.toString() == QString::number(2000 + i);
        }
        QCOMPARE(carriers, 3);
    }

    void malformedStoredLesson_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("characters");
        QTest::addColumn<QStringList>("pinyin");
        const QStringList third = {"爷", "奶", "爸", "妈", "儿", "女", "叔", "伯", "姑", "姨"};
        QTest::newRow("two syllables")
            << QStringLiteral("爷奶爸妈儿女叔伯姑姨*^*yé&*&nǎi&*&") << third
            << QStringList{"yé", "nǎi", "", "", "", "", "", "", "", ""};
        QTest::newRow("no final separator")
            << QStringLiteral("爷奶爸妈儿女叔伯姑姨*^*yé&*&nǎi&*&bà&*&mā&*&ér&*&nǚ&*&shū&*&bó&*&"
                              "ɡū&*&yí")
            << third << QStringList{"yé", "nǎi", "bà", "mā", "ér", "nǚ", "shū", "bó", "ɡū", "yí"};
        QTest::newRow("twelve syllables")
            << QStringLiteral("爷奶爸妈儿女叔伯姑姨*^*a&*&b&*&c&*&d&*&e&*&f&*&h&*&i&*&j&*&k&*&l&*&"
                              "m&*&")
            << third << QStringList{"a", "b", "c", "d", "e", "f", "h", "i", "j", "k"};
        QTest::newRow("too short")
            << QStringLiteral("爷奶爸") << QStringList{"爷", "奶", "爸", "", "", "", "", "", "", ""}
            << QStringList{"", "", "", "", "", "", "", "", "", ""};
    }
    void malformedStoredLesson() {
        QFETCH(QString, stored);
        QFETCH(QStringList, characters);
        QFETCH(QStringList, pinyin);
        WriteSettingsFile(m_dir->path(), QStringLiteral("[学习数据]\n第三课=") + stored + "\n");
        MakeWindow();
        MainWindow& w = *m_window;
        // A test was running: the cards show, the pinyin is hidden, the controls are off.
        w.SetCellGroup(2000, Qt::white, Qt::white, true);
        w.SetCellGroup(1000, Qt::white, Qt::black, false);
        w.Cell(4)->setPalette(QPalette(Qt::red));
        w.SetPinyinShown(false);
        w.按钮测试->setEnabled(false);
        w.按钮显隐拼音->setEnabled(false);
        w.测试计时组合框->setEnabled(false);
        w.找字目标->setText(QStringLiteral("爸"));
        w.SetSettingsButtonsDisabled(true);
        w.测试计时时钟->start(1000);

        w.LoadLesson(3);
        QCOMPARE(w.课程标签->text(), QStringLiteral("第三课"));
        w.ReturnToLearning();
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(w.Cell(i)->text(), characters[i - 1]);
            QCOMPARE(w.Cell(1000 + i)->text(), pinyin[i - 1]);
            QVERIFY(!w.Cell(i)->isHidden());
            QVERIFY(!w.Cell(1000 + i)->isHidden());
            QVERIFY(w.Cell(2000 + i)->isHidden());
            QCOMPARE(TextOf(w.Cell(i)), QColor(192, 192, 192));
            QCOMPARE(TextOf(w.Cell(1000 + i)), QColor(128, 128, 0));
        }
        QCOMPARE(w.找字目标->text(), QString());
        QVERIFY(w.PinyinShown());
        QVERIFY(w.按钮测试->isEnabled());
        QVERIFY(w.按钮显隐拼音->isEnabled());
        QVERIFY(w.测试计时组合框->isEnabled());
        QVERIFY(!w.测试计时时钟->isActive());
        QCOMPARE(w.测试计时进度->maximum(), 0);
        for (int tag = 1; tag <= 6; ++tag) {
            QVERIFY(w.FunctionPanelWindow()->Button(tag)->isEnabled());
        }

        // ShowLesson alone writes the same captions and clears a red mark.
        w.Cell(2)->setPalette(QPalette(Qt::red));
        w.ShowLesson();
        QCOMPARE(TextOf(w.Cell(2)), QColor(192, 192, 192));
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(w.Cell(i)->text(), characters[i - 1]);
            QCOMPARE(w.Cell(1000 + i)->text(), pinyin[i - 1]);
        }
    }

    void timeLimitRefillsBar() {
        MakeWindow();
        MainWindow& w = *m_window;
        w.测试计时组合框->setCurrentIndex(5);
        QCOMPARE(w.测试计时组合框->currentText(), QStringLiteral("1分钟"));
        QCOMPARE(w.测试计时进度->maximum(), 60);
        QCOMPARE(w.测试计时进度->value(), 60);
        w.测试计时组合框->setCurrentIndex(9);
        QCOMPARE(w.测试计时进度->maximum(), 300);
        const int values[] = {0, 10, 20, 30, 40, 60, 90, 120, 180, 300};
        QCOMPARE(w.测试计时组合框->count(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(w.测试计时组合框->itemData(i).toInt(), values[i]);
        }
    }

    void clockSeparators_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("9:05:05") << QTime(9, 5, 5)
                                 << QStringList{"09 05 05", "09:05:05", "09 05 05", "09:05:05"};
        QTest::newRow("23:59:59") << QTime(23, 59, 59)
                                  << QStringList{"23 59 59", "23:59:59", "23 59 59", "23:59:59"};
        QTest::newRow("midnight") << QTime(0, 0, 0)
                                  << QStringList{"00 00 00", "00:00:00", "00 00 00", "00:00:00"};
    }
    void clockSeparators() {
        QFETCH(QTime, time);
        QFETCH(QStringList, captions);
        MainWindow::StartupHooks().clockTime = [time] { return time; };
        MakeWindow();
        MainWindow& w = *m_window;
        QCOMPARE(w.标签时间->text(), captions.front().left(2) + " " + captions.front().mid(3));
        ClockPhase = 0;
        for (const QString& expected : captions) {
            w.OnClockTick();
            QCOMPARE(w.标签时间->text(), expected);
        }
    }

    void keysChangeNothing_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier);
        QTest::newRow("tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
        QTest::newRow("down") << int(Qt::Key_Down) << int(Qt::NoModifier);
        QTest::newRow("alt+f4") << int(Qt::Key_F4) << int(Qt::AltModifier);
    }
    void keysChangeNothing() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        MakeWindow();
        MainWindow& w = *m_window;
        w.ShowAllWindows();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto snapshot = [&w] {
            QStringList state;
            for (int tag : {1, 5, 10, 1001, 1010, 2001, 2010}) {
                ClickLabel* cell = w.Cell(tag);
                state << cell->text() << QString::number(cell->isVisible()) << TextOf(cell).name();
            }
            state << w.课程标签->text() << w.标题标签->text() << w.找字目标->text()
                  << QString::number(w.测试计时组合框->currentIndex())
                  << QString::number(w.测试计时进度->value()) << QString::number(w.PinyinShown())
                  << QString::number(w.isVisible()) << QString::number(w.黑板->isEnabled())
                  << QString::number(w.FunctionPanelWindow()->x())
                  << QString::number(w.LessonPanelWindow()->x()) << QString::number(w.width());
            return state;
        };
        const QStringList before = snapshot();
        for (QWidget* target :
             {static_cast<QWidget*>(&w), static_cast<QWidget*>(w.黑板),
              static_cast<QWidget*>(w.主窗口底板), static_cast<QWidget*>(w.FunctionPanelWindow()),
              static_cast<QWidget*>(w.LessonPanelWindow()), static_cast<QWidget*>(w.按钮测试)}) {
            QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        }
        w.黑板->setFocus();
        QTest::keyClick(&w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCoreApplication::processEvents();
        QCOMPARE(snapshot(), before);
        QCOMPARE(w.测试计时组合框->currentIndex(), 0);
    }

    void closeFromOutsideIsIgnored() {
        MakeWindow();
        MainWindow& w = *m_window;
        w.ShowAllWindows();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        w.AllowClose();
        QVERIFY(w.close());
    }

    void noticeLineOpensHomePage() {
        MakeWindow();
        MainWindow& w = *m_window;
        w.ShowAllWindows();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.透明标签_通知, Qt::RightButton);
        QVERIFY(m_opened.isEmpty());
        QTest::mouseClick(w.透明标签_通知, Qt::LeftButton);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.front(), QUrl(QString::fromLatin1(kHomePage)));
    }

    void mainButtons() {
        MakeWindow();
        MainWindow& w = *m_window;
        struct Row {
            PictureButton* button;
            QRect place;
            int tag;
        } rows[] = {
            {w.按钮帮助, {0, 0, 136, 96}, 991},      {w.按钮关于, {664, 0, 136, 96}, 992},
            {w.按钮测试, {720, 488, 80, 112}, 993},  {w.按钮显隐拼音, {446, 536, 128, 56}, 994},
            {w.按钮复位, {200, 496, 136, 104}, 995}, {w.按钮退出, {0, 488, 96, 112}, 996},
            {w.按钮最小化, {664, 2, 16, 16}, 997},
        };
        for (const Row& row : rows) {
            QCOMPARE(row.button->parentWidget(), static_cast<QWidget*>(w.主窗口底板));
            QCOMPARE(row.button->geometry(), row.place);
            QCOMPARE(row.button->property("tag").toString(), QString::number(row.tag));
        }
        // The minimise symbol is drawn above the about button.
        const QList<QObject*> order = w.主窗口底板->children();
        QVERIFY(order.indexOf(w.按钮最小化) > order.indexOf(w.按钮关于));
        QCOMPARE(w.找字目标->geometry(), QRect(625, 510, 90, 90));
        QCOMPARE(w.测试计时组合框->geometry(), QRect(625, 490, 90, 20));
        QCOMPARE(w.测试计时进度->geometry(), QRect(0, 473, 800, 10));
        QCOMPARE(w.画板背景->geometry(), QRect(15, 86, 770, 386));
        QCOMPARE(w.黑板->geometry(), QRect(30, 122, 740, 350));
        QCOMPARE(w.课程标签->geometry(), QRect(5, 0, 655, 30));
        QCOMPARE(w.标签时间->geometry(), QRect(680, 0, 90, 20));
        QCOMPARE(w.标题标签->geometry(), QRect(136, 25, 528, 48));
        QCOMPARE(w.透明标签_通知->geometry(), QRect(128, 16, 448, 16));
    }

    // The splash closes on the first tick at which its caption is complete and all three
    // windows exist.
    void splashCloses_data() {
        QTest::addColumn<int>("windowsFrom");
        QTest::addColumn<int>("closingTick");
        QTest::newRow("windows ready") << 0 << 9;
        QTest::newRow("windows after tick 4") << 4 << 9;
        QTest::newRow("windows after tick 9") << 9 << 10;
        QTest::newRow("windows after tick 15") << 15 << 16;
    }
    void splashCloses() {
        QFETCH(int, windowsFrom);
        QFETCH(int, closingTick);
        MakeWindow();
        MainWindow& w = *m_window;
        delete w.Splash();
        QVERIFY(!w.isVisible());

        QPointer<SplashWindow> splash = new SplashWindow(windowsFrom == 0 ? &w : nullptr);
        QVERIFY(splash->isVisible());
        QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash->size(), QSize(400, 300));
        QCOMPARE(TimerPeriod(splash->时钟1), 100);
        QCOMPARE(splash->封面标签->text(), QStringLiteral("载入中 "));
        QCOMPARE(splash->封面标签->property("tag").toString(), QStringLiteral("载入中 ........"));
        QCOMPARE(splash->标签1->text(), QStringLiteral("v1.2"));
        QVERIFY(splash->透明标签1->isHidden());

        int tick = 0;
        while (splash != nullptr && splash->isVisible() && tick < 30) {
            if (tick == windowsFrom) {
                splash->SetMainWindow(&w);
            }
            ++tick;
            QVERIFY(!w.isVisible());
            splash->OnTick();
            if (tick <= 8) {
                QCOMPARE(splash->封面标签->text(),
                         QStringLiteral("载入中 ") + QString(tick, QLatin1Char('.')));
            }
        }
        QCOMPARE(tick, closingTick);
        QVERIFY(splash == nullptr || !splash->isVisible());
        QVERIFY(w.isVisible());
        QVERIFY(w.FunctionPanelWindow()->isVisible());
        QVERIFY(w.LessonPanelWindow()->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(splash == nullptr);
    }

    void splashOfStartup() {
        MakeWindow();
        MainWindow& w = *m_window;
        SplashWindow* splash = w.Splash();
        QVERIFY(splash != nullptr);
        QVERIFY(splash->isVisible());
        QVERIFY(splash->parentWidget() == nullptr);
        // The windows were laid out while the splash was up; MainWindow waits hidden.
        QVERIFY(w.FunctionPanelWindow() != nullptr);
        QVERIFY(w.LessonPanelWindow() != nullptr);
        QVERIFY(!w.isVisible());
        QPointer<SplashWindow> watch = splash;
        // Alt+F4 or a close request of the window manager would leave the program hidden for
        // good: only the splash's own tick ends it.
        QTest::keyClick(splash, Qt::Key_F4, Qt::AltModifier);
        QTest::keyClick(splash, Qt::Key_Escape);
        QVERIFY(!splash->close());
        QVERIFY(splash->isVisible());
        for (int tick = 1; tick <= 8; ++tick) {
            splash->OnTick();
            QVERIFY(splash->isVisible());
        }
        splash->OnTick();
        QVERIFY(!splash->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch == nullptr);
        QVERIFY(w.Splash() == nullptr);
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
