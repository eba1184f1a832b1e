// Learning: a click on a character reads it aloud, the pinyin switch, help, the about window
// and hiding the program in the tray.
#include "ShownWindow.h"

#include "assets/Assets.h"
#include "speech/AudioOutput.h"
#include "speech/SpeechEngine.h"
#include "ui/main/Canvas.h"
#include "ui/main/Timers.h"
#include "ui/panels/FunctionPanel.h"
#include "ui/panels/LessonPanel.h"
#include "ui/secondary/AboutWindow.h"
#include "ui/secondary/TrayIcon.h"

#include <QFile>
#include <QScreen>

#include <algorithm>
#include <mutex>
#include <vector>

using namespace kivola;
using namespace kivola::testing;

namespace {

using Pcm = std::vector<std::int16_t>;

// What reached the speech output, cut where the engine discarded what was not yet heard:
// the last piece is what a listener hears after the last Stop.
struct Capture {
    std::mutex mutex;
    std::vector<Pcm> pieces{Pcm()};
    int discards = 0;

    Pcm Last() {
        std::lock_guard<std::mutex> lock(mutex);
        return pieces.back();
    }
    int Discards() {
        std::lock_guard<std::mutex> lock(mutex);
        return discards;
    }
};

class CaptureOutput : public AudioOutput {
public:
    explicit CaptureOutput(std::shared_ptr<Capture> capture) : m_capture(std::move(capture)) {}
    void Write(const std::int16_t* samples, std::size_t count, int) override {
        std::lock_guard<std::mutex> lock(m_capture->mutex);
        m_capture->pieces.back().insert(m_capture->pieces.back().end(), samples, samples + count);
    }
    void Discard() override {
        std::lock_guard<std::mutex> lock(m_capture->mutex);
        ++m_capture->discards;
        m_capture->pieces.emplace_back();
    }

private:
    std::shared_ptr<Capture> m_capture;
};

int Peak(const Pcm& pcm) {
    int peak = 0;
    for (std::int16_t s : pcm) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
}

// espeak-ng adds a little flutter: two readings of one text match in length and peak within
// a small tolerance.
bool Similar(const Pcm& a, const Pcm& b) {
    const double size = static_cast<double>(a.size()) / std::max<std::size_t>(b.size(), 1);
    const double peak = static_cast<double>(Peak(a)) / std::max(Peak(b), 1);
    return !a.empty() && size > 0.98 && size < 1.02 && peak > 0.9 && peak < 1.1;
}

QString Describe(const Pcm& a, const Pcm& b) {
    return QStringLiteral("%1 samples (peak %2) against %3 (peak %4)")
        .arg(a.size())
        .arg(Peak(a))
        .arg(b.size())
        .arg(Peak(b));
}

bool SamePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

} // namespace

class LearningTest : public QObject {
    Q_OBJECT

private:
    World m_world;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<SpeechEngine> m_engine;
    std::shared_ptr<Capture> m_capture;

    void InstallCapturingEngine() {
        m_capture = std::make_shared<Capture>();
        m_engine = std::make_unique<SpeechEngine>(std::make_unique<CaptureOutput>(m_capture));
        m_engine->Create();
        TheSpeechEngine = m_engine.get();
    }

    // What the engine says for text on its own, after a Stop.
    Pcm Reading(const std::string& text) {
        m_engine->Stop();
        m_engine->Speak(text);
        if (!m_engine->WaitUntilIdle(10000)) {
            return {};
        }
        return m_capture->Last();
    }

    bool PinyinCellsVisible(bool visible) {
        for (int i = 1; i <= 10; ++i) {
            if (m_window->Cell(1000 + i)->isVisible() != visible) {
                return false;
            }
        }
        return true;
    }

private slots:
    void init() { m_world.Install(); }

    void cleanup() {
        m_window.reset();
        TheSpeechEngine = nullptr;
        m_engine.reset();
        m_world.Remove();
    }

    void characterClickSpeaksTheCaption_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("caption");
        QTest::newRow("first cell, 宝") << 1 << QString();
        QTest::newRow("学") << 4 << QString();
        QTest::newRow("last cell, 心") << 10 << QString();
        // Whatever the cell holds is read, not a text of its own.
        QTest::newRow("a longer caption") << 6 << QStringLiteral("学习汉字天天向上");
        QTest::newRow("an empty caption") << 7 << QStringLiteral("");
    }
    void characterClickSpeaksTheCaption() {
        QFETCH(int, tag);
        QFETCH(QString, caption);
        InstallCapturingEngine();
        m_window = MakeShownWindow();
        ClickLabel* cell = m_window->Cell(tag);
        if (!caption.isNull()) {
            cell->setText(caption);
        }
        const Pcm alone = Reading(FromQ(cell->text()));
        QCOMPARE(alone.empty(), cell->text().isEmpty());
        auto verifyHeard = [&] {
            const Pcm heard = m_capture->Last();
            if (alone.empty()) {
                QVERIFY(heard.empty());
            } else {
                QVERIFY2(Similar(heard, alone), qPrintable(Describe(heard, alone)));
            }
        };

        const int discards = m_capture->Discards();
        QTest::mouseClick(cell, Qt::LeftButton);
        QVERIFY(m_engine->WaitUntilIdle(10000));
        QCOMPARE(m_capture->Discards(), discards + 1);
        verifyHeard();

        // Twice quickly: the second click cuts the first reading off and starts afresh.
        QTest::mouseClick(cell, Qt::LeftButton);
        QTest::mouseClick(cell, Qt::LeftButton);
        QVERIFY(m_engine->WaitUntilIdle(10000));
        QCOMPARE(m_capture->Discards(), discards + 3);
        verifyHeard();
        QVERIFY(m_world.sounds.isEmpty());
    }

    void characterClickWithoutEngineIsSilent() {
        m_window = MakeShownWindow();
        QTest::mouseClick(m_window->Cell(3), Qt::LeftButton);
        QCOMPARE(m_window->Cell(3)->text(), QStringLiteral("爱"));
    }

    // Only a won test leaves one red cell; should there be more, one click mends one.
    void characterClickClearsOneRedMark() {
        m_window = MakeShownWindow();
        MainWindow& w = *m_window;
        const QColor characters = w.CharacterColour();
        for (int tag : {3, 7}) {
            QPalette palette = w.Cell(tag)->palette();
            palette.setColor(QPalette::WindowText, Qt::red);
            w.Cell(tag)->setPalette(palette);
        }
        QTest::mouseClick(w.Cell(9), Qt::LeftButton);
        QCOMPARE(TextOf(w.Cell(3)), characters);
        QCOMPARE(TextOf(w.Cell(7)), QColor(Qt::red));
        QCOMPARE(TextOf(w.Cell(9)), characters);
        QTest::mouseClick(w.Cell(9), Qt::LeftButton);
        QCOMPARE(TextOf(w.Cell(7)), characters);
    }

    void pinyinSwitch() {
        m_window = MakeShownWindow();
        MainWindow& w = *m_window;
        const QPixmap shownHover = AssetPixmap(QStringLiteral("pinyin_hover_shown"));
        const QPixmap hiddenHover = AssetPixmap(QStringLiteral("pinyin_hover_hidden"));
        // Until the first switch the button keeps its own hover picture.
        QVERIFY(SamePicture(w.按钮显隐拼音->HoverPicture(),
                            AssetPixmap(QStringLiteral("pinyin_hover"))));
        QVERIFY(PinyinCellsVisible(true));

        QTest::mouseClick(w.按钮显隐拼音, Qt::LeftButton);
        QVERIFY(PinyinCellsVisible(false));
        QVERIFY(!w.PinyinShown());
        QVERIFY(SamePicture(w.按钮显隐拼音->HoverPicture(), hiddenHover));

        QTest::mouseClick(w.按钮显隐拼音, Qt::LeftButton);
        QVERIFY(PinyinCellsVisible(true));
        QVERIFY(w.PinyinShown());
        QVERIFY(SamePicture(w.按钮显隐拼音->HoverPicture(), shownHover));
        QCOMPARE(TextOf(w.Cell(1004)), w.PinyinColour());
        QCOMPARE(w.Cell(1004)->text(), QStringLiteral("xué"));

        w.StartTest();
        QVERIFY(PinyinCellsVisible(false));
        QVERIFY(SamePicture(w.按钮显隐拼音->HoverPicture(), hiddenHover));
        QTest::mouseClick(w.按钮复位, Qt::LeftButton);
        QVERIFY(PinyinCellsVisible(true));
        QVERIFY(SamePicture(w.按钮显隐拼音->HoverPicture(), shownHover));
        // Hidden by the switch, then back to learning: shown again.
        QTest::mouseClick(w.按钮显隐拼音, Qt::LeftButton);
        w.ReturnToLearning();
        QVERIFY(PinyinCellsVisible(true));
        QVERIFY(w.PinyinShown());
    }

    void helpOpensTheHelpFile_data() {
        QTest::addColumn<bool>("present");
        QTest::newRow("Help.chm beside the program") << true;
        QTest::newRow("no help file") << false;
    }
    void helpOpensTheHelpFile() {
        QFETCH(bool, present);
        const QString path = m_world.dir->filePath(QStringLiteral("Help.chm"));
        if (present) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("ITSF");
        }
        m_window = MakeShownWindow();
        QTest::mouseClick(m_window->按钮帮助, Qt::LeftButton);
        if (present) {
            QCOMPARE(m_world.opened, QList<QUrl>{QUrl::fromLocalFile(path)});
        } else {
            QVERIFY(m_world.opened.isEmpty());
        }
        QVERIFY(m_window->isVisible());
    }

    void aboutButtonShowsTheAboutWindow() {
        m_window = MakeShownWindow();
        bool seen = false;
        ActInModalLoop(QStringLiteral("图形按钮关于"), [&seen](QWidget* window) {
            seen =
                qobject_cast<AboutWindow*>(window) != nullptr && window->parentWidget() == nullptr;
        });
        QTest::mouseClick(m_window->按钮关于, Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(m_window->isVisible());
    }

    void minimiseToTheTray() {
        m_world.trayAvailable = true;
        m_window = MakeShownWindow();
        MainWindow& w = *m_window;
        const QRect screen = w.ScreenRect();
        const QPoint functionDock = w.FunctionPanelWindow()->pos();
        const QPoint lessonDock = w.LessonPanelWindow()->pos();

        QTest::mouseClick(w.按钮最小化, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(w.isMinimized());
        QVERIFY(!w.FunctionPanelWindow()->isVisible());
        QVERIFY(!w.LessonPanelWindow()->isVisible());
        QVERIFY(w.Tray()->Exists());
        QCOMPARE(w.Tray()->Tip(), QStringLiteral("宝宝快乐识字"));

        for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context}) {
            w.Tray()->Activate(reason);
            QVERIFY(!w.isVisible());
            QVERIFY(w.Tray()->Exists());
        }

        // Whatever moved meanwhile, the double-click brings everything back in place.
        w.FunctionPanelWindow()->move(3, 3);
        w.Tray()->Activate(QSystemTrayIcon::DoubleClick);
        QVERIFY(w.isVisible());
        QVERIFY(!w.isMinimized());
        QVERIFY(!w.Tray()->Exists());
        QCOMPARE(w.geometry(), screen);
        QVERIFY(w.FunctionPanelWindow()->isVisible());
        QVERIFY(w.LessonPanelWindow()->isVisible());
        QCOMPARE(w.FunctionPanelWindow()->pos(), functionDock);
        QCOMPARE(w.LessonPanelWindow()->pos(), lessonDock);

        // Once back, a further double-click on an icon that is gone does nothing.
        w.Tray()->Activate(QSystemTrayIcon::DoubleClick);
        QVERIFY(w.isVisible());
    }

    // With no notification area a hidden window could never be found again: the window is
    // only minimised, and restoring it from the task bar puts everything in place.
    void minimiseWithoutATray() {
        m_window = MakeShownWindow();
        MainWindow& w = *m_window;
        const QRect screen = w.ScreenRect();
        const QPoint functionDock = w.FunctionPanelWindow()->pos();

        QTest::mouseClick(w.按钮最小化, Qt::LeftButton);
        QVERIFY(w.isMinimized());
        QVERIFY(w.isVisible());
        QVERIFY(!w.Tray()->Exists());

        w.FunctionPanelWindow()->move(3, 3);
        w.setWindowState(Qt::WindowNoState);
        QVERIFY(!w.isMinimized());
        QVERIFY(w.isVisible());
        QCOMPARE(w.geometry(), screen);
        QCOMPARE(w.FunctionPanelWindow()->pos(), functionDock);
    }
};

QTEST_MAIN(LearningTest)
#include "LearningTest.moc"
