#pragma once
// MainWindow: the full-screen window with the 800x600 board, the blackboard and its thirty
// cells, the title, the clock, the main buttons and the test's controls. Its constructor runs
// the creation sequence of start-up; it stays hidden until the splash window goes.

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QTime>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QTimer;

namespace kivola {

class Canvas;
class ClickLabel;
class FunctionPanel;
class LessonPanel;
class PictureButton;
class SplashWindow;
class TimeBar;
class TrayIcon;

// Whether the speech engine lists an installed voice named exactly name (GBK), byte for byte.
// False without an engine.
bool HasVoice(const std::string& name);

// Gives the stored volume, rate and voice to the speech engine.
void ApplySpeechSettings();

// Maps the face names the program asks for ("楷体_GB2312", "宋体") to installed CJK fonts.
// Runs once; later calls do nothing.
void InstallFontSubstitutes();

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // What the window asks of the world. Tests replace these before making a MainWindow.
    struct Hooks {
        // Asks whether to install the Chinese voice; true for Yes.
        std::function<bool()> askInstallVoice;
        // Opens a file or a web page with its default program; the result is ignored.
        std::function<void(const QUrl&)> openUrl;
        // The local time the clock shows.
        std::function<QTime()> clockTime;
        // The program's directory, where USERdat.ini and the voice installer lie;
        // empty means the directory of the running program.
        std::string programDirectory;
        // Plays an embedded sound once (stopping the one playing), and stops it.
        std::function<void(const QString& resourcePath)> playSound;
        std::function<void()> stopSound;
        // Tells the child that the time ran out; returns when the message is closed.
        std::function<void()> showLossMessage;
        // Whether the desktop shows a notification area for the tray icon.
        std::function<bool()> trayAvailable;
    };
    static Hooks& StartupHooks();
    // Puts the real dialogs, browser, clock, directory, sounds and tray back.
    static void ResetStartupHooks();
    // The program's directory: the hooks' one, else that of the running program.
    static std::string ProgramFolder();

    // Makes the window and its controls hidden, then runs the creation sequence.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- blackboard ---
    // Makes character cells 2..10, pinyin cells 1002..1010 and cards 2002..2010 from the
    // templates.
    void BuildCells();
    // Writes CurrentLesson into the character and pinyin cells.
    void ShowLesson();
    // Colours and visibility of the ten cells with tags offset+1..offset+10
    // (offset 0 characters, 1000 pinyin, 2000 cards).
    void SetCellGroup(int tagOffset, const QColor& text, const QColor& background, bool visible);
    // Disables or enables function buttons 1..5 (never the exit button 6).
    void SetSettingsButtonsDisabled(bool disabled);
    // Empties the target box.
    void ClearTarget();
    // Back to learning: shows the lesson, ends any test, enables the test controls.
    void ReturnToLearning();
    // Stops the test timer and refills the time bar to the selected limit.
    void ResetTestTimer();
    // The cell with this tag (1..10, 1001..1010, 2001..2010), or null.
    ClickLabel* Cell(int tag) const;

    // The three display colours, read from where they live.
    QColor BlackboardColour() const;
    QColor CharacterColour() const;
    QColor PinyinColour() const;

    // --- stored settings onto the window ---
    void ApplyDisplayFont();
    void ApplyColours(bool useSystemColours);
    void ApplyChildName();
    // Makes lesson n (1..10) current and shows its title in the lesson label; the caller
    // shows the lesson with ReturnToLearning.
    void LoadLesson(int n);

    // --- pinyin switch ---
    // Whether the switch says the pinyin is shown; setting it changes the hover picture.
    bool PinyinShown() const { return m_pinyinShown; }
    void SetPinyinShown(bool shown);

    // --- learning ---
    // What the main button with this tag (991..997) does; other tags do nothing.
    void RunMainCommand(int tag);
    // Help: opens Help.chm from the program's directory, when it is there.
    void OpenHelp();
    // The pinyin switch: hides the pinyin when it is shown, shows it when hidden.
    void SwitchPinyin();
    // Puts the icon into the tray and hides the window with its panels. Without a
    // notification area the window is only minimised, so the task bar brings it back.
    void MinimiseToTray();
    // A pointer action on the tray icon (1 click, 2 double-click, 3 right click): a
    // double-click brings the window back full-screen and removes the icon.
    void OnTrayEvent(int kind);
    TrayIcon* Tray() const { return m_tray; }

    // --- the test ---
    // Covers the characters with cards and shows a randomly drawn one as the target.
    void StartTest();
    // Whether the character under a turned card is the target; a found target wins.
    void CheckAnswer(ClickLabel* cell);
    // One second of a limited test: the bar shrinks; when it is empty the child has lost.
    void OnTestTimerTick();

    // --- frame ---
    // Writes the local time into the clock label with separator between the fields.
    void UpdateClock(const QString& separator);
    // One tick of the clock timer: the separators blink.
    void OnClockTick();
    // Lets the next close event through (the program's own exit); others are ignored.
    void AllowClose() { m_closeAllowed = true; }
    SplashWindow* Splash() const;

    // --- placement and panels ---
    // Covers the screen, centres the board, makes and docks both panels, shows all windows.
    void PlaceWindows();
    void ShowAllWindows();
    // The base canvas's mouse trigger: x relative to the canvas.
    void MouseTrigger(int x);
    // The tag of the lesson button marked as chosen (disabled), or 0.
    int FindChosenLesson() const;
    FunctionPanel* FunctionPanelWindow() const { return m_functionPanel; }
    LessonPanel* LessonPanelWindow() const { return m_lessonPanel; }
    // The geometry of the screen the window is on.
    QRect ScreenRect() const;

    // --- controls (design names) ---
    Canvas* 主窗口底板 = nullptr;
    QLabel* 标题标签 = nullptr;
    ClickLabel* 透明标签_通知 = nullptr;
    Canvas* 画板背景 = nullptr;
    QLabel* 课程标签 = nullptr;
    QLabel* 标签时间 = nullptr;
    QTimer* 时钟时间 = nullptr;
    Canvas* 黑板 = nullptr;
    ClickLabel* 学习文字 = nullptr;
    ClickLabel* 学习拼音 = nullptr;
    ClickLabel* 学习测试 = nullptr;
    PictureButton* 按钮帮助 = nullptr;
    PictureButton* 按钮关于 = nullptr;
    PictureButton* 按钮测试 = nullptr;
    PictureButton* 按钮显隐拼音 = nullptr;
    PictureButton* 按钮复位 = nullptr;
    PictureButton* 按钮退出 = nullptr;
    PictureButton* 按钮最小化 = nullptr;
    QLabel* 找字目标 = nullptr;
    QComboBox* 测试计时组合框 = nullptr;
    TimeBar* 测试计时进度 = nullptr;
    QTimer* 测试计时时钟 = nullptr;

public slots:
    // A click on one of the seven main buttons; the button's tag (991..997) says which.
    void OnMainButtonClicked();
    // A click on a character cell (tags 1..10).
    void OnCharacterClicked();
    // A click on a card (tags 2001..2010).
    void OnCardClicked();
    // A click on the notice line: the maker's home page.
    void OnNoticeLineClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void RunCreationSequence();
    void SetCursors();

    QPixmap m_tile;
    QPointer<SplashWindow> m_splash;
    FunctionPanel* m_functionPanel = nullptr;
    LessonPanel* m_lessonPanel = nullptr;
    bool m_placing = false;
    bool m_pinyinShown = true;
    bool m_closeAllowed = false;
    TrayIcon* m_tray = nullptr;
};

// The program's one playback of embedded sounds, through MainWindow's hooks.
void PlayProgramSound(const QString& resourcePath);
void StopProgramSound();

// The maker's home page, opened by a click on the notice line.
inline const char* const kHomePage = "http://kivola.example/";

} // namespace kivola
