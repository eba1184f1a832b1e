#include "ui/main/MainWindow.h"

#include "app/Gbk.h"
#include "app/GbkQt.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "assets/Assets.h"
#include "lessons/LessonText.h"
#include "speech/SoundPlayer.h"
#include "speech/SpeechEngine.h"
#include "ui/main/Canvas.h"
#include "ui/main/ClickLabel.h"
#include "ui/main/KeyFilter.h"
#include "ui/main/PictureButton.h"
#include "ui/main/SplashWindow.h"
#include "ui/main/Tags.h"
#include "ui/main/TestRules.h"
#include "ui/main/TimeBar.h"
#include "ui/main/Timers.h"
#include "ui/panels/FunctionPanel.h"
#include "ui/panels/LessonPanel.h"
#include "ui/secondary/TrayIcon.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

namespace kivola {
namespace {

const QString kKaiFace = QStringLiteral("楷体_GB2312");
const QString kSongFace = QStringLiteral("宋体");

QFont PixelFont(const QString& face, int pixels) {
    QFont font(face);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    return font;
}

// Text and background colours of a label; the background is painted only where asked.
void SetLabelColours(QLabel* label, const QColor& text, const QColor* background) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background != nullptr) {
        palette.setColor(QPalette::Window, *background);
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
}

QColor ColourFromNumber(int number) {
    return QColor(ColourRed(number), ColourGreen(number), ColourBlue(number));
}

bool AskInstallVoiceBox() {
    const QString text = QStringLiteral("您的系统中没有安装中文语音库，您将无法使用　　\r\n"
                                        "部分功能。现在将安装中文语音库，您也可以手\r\n"
                                        "动安装。\r\n"
                                        "\r\n"
                                        "自动安装请按“是”，否则请按“否”");
    QMessageBox box(QMessageBox::Warning, QStringLiteral("系统提示"), text,
                    QMessageBox::Yes | QMessageBox::No);
    // The text asks for "是" or "否": the buttons say so, whatever the desktop's language.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    return box.exec() == QMessageBox::Yes;
}

void ShowLossMessageBox() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("努力！别灰心。"),
                    QStringLiteral("对不起，你输了。下次再努力吧！"), QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

} // namespace

bool HasVoice(const std::string& name) {
    if (TheSpeechEngine == nullptr) {
        return false;
    }
    for (const std::string& voice : TheSpeechEngine->ListVoices()) {
        if (voice == name) {
            return true;
        }
    }
    return false;
}

void ApplySpeechSettings() {
    if (TheSpeechEngine == nullptr) {
        return;
    }
    const std::string section = G("语音设置");
    TheSpeechEngine->SetVolume(SettingToNumber(ReadSetting(section, G("朗读音量"), "100")));
    TheSpeechEngine->SetRate(SettingToNumber(ReadSetting(section, G("朗读语速"), "-2")));
    TheSpeechEngine->SelectVoice(
        ReadSetting(section, G("现行语音库"), "Microsoft Simplified Chinese"));
}

void InstallFontSubstitutes() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    QFont::insertSubstitutions(
        kKaiFace, {QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(
        kSongFace, {QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")});
}

MainWindow::Hooks& MainWindow::StartupHooks() {
    static Hooks hooks;
    static bool filled = false;
    if (!filled) {
        filled = true;
        ResetStartupHooks();
    }
    return hooks;
}

void MainWindow::ResetStartupHooks() {
    Hooks& hooks = StartupHooks();
    hooks.askInstallVoice = AskInstallVoiceBox;
    hooks.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    hooks.clockTime = [] { return QTime::currentTime(); };
    hooks.programDirectory.clear();
    hooks.playSound = [](const QString& path) { PlaySound(path); };
    hooks.stopSound = [] { StopSound(); };
    hooks.showLossMessage = ShowLossMessageBox;
    hooks.trayAvailable = [] { return TrayIcon::Available(); };
}

std::string MainWindow::ProgramFolder() {
    const std::string& dir = StartupHooks().programDirectory;
    return dir.empty() ? ProgramDirectory() : dir;
}

void PlayProgramSound(const QString& resourcePath) {
    const MainWindow::Hooks& hooks = MainWindow::StartupHooks();
    if (hooks.playSound) {
        hooks.playSound(resourcePath);
    }
}

void StopProgramSound() {
    const MainWindow::Hooks& hooks = MainWindow::StartupHooks();
    if (hooks.stopSound) {
        hooks.stopSound();
    }
}

MainWindow::MainWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    InstallFontSubstitutes();
    CreateControls();
    m_tray = new TrayIcon(this);
    connect(m_tray, &TrayIcon::TrayEvent, this, &MainWindow::OnTrayEvent);
    RunCreationSequence();
}

MainWindow::~MainWindow() {
    if (m_splash != nullptr) {
        delete m_splash.data();
    }
}

void MainWindow::CreateControls() {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Kivola"));
    setWindowIcon(AppIcon());
    resize(800, 600);
    m_tile = AssetPixmap(QStringLiteral("tile"));
    DiscardKeys(this);

    主窗口底板 = new Canvas(this);
    主窗口底板->setObjectName(QStringLiteral("主窗口底板"));
    主窗口底板->setGeometry(0, 0, 800, 600);
    主窗口底板->SetBackgroundColour(QColor(188, 224, 140));
    主窗口底板->SetPicture(AssetPixmap(QStringLiteral("canvas")));
    主窗口底板->setMouseTracking(true);
    DiscardKeys(主窗口底板);
    connect(主窗口底板, &Canvas::BareMouseMoved, this, [this](int x, int) { MouseTrigger(x); });

    标题标签 = new QLabel(QStringLiteral("Kivola V1.2"), 主窗口底板);
    标题标签->setObjectName(QStringLiteral("标题标签"));
    标题标签->setGeometry(136, 25, 528, 48);
    标题标签->setFont(PixelFont(kKaiFace, 29));
    标题标签->setAlignment(Qt::AlignCenter);
    SetLabelColours(标题标签, QColor(192, 96, 0), nullptr);

    透明标签_通知 = new ClickLabel(主窗口底板);
    透明标签_通知->setObjectName(QStringLiteral("透明标签_通知"));
    透明标签_通知->setText(QStringLiteral("kivola.example"));
    透明标签_通知->setGeometry(128, 16, 448, 16);
    透明标签_通知->setAlignment(Qt::AlignCenter);
    SetLabelColours(透明标签_通知, QColor(255, 0, 0), nullptr);
    connect(透明标签_通知, &ClickLabel::clicked, this, &MainWindow::OnNoticeLineClicked);

    画板背景 = new Canvas(主窗口底板);
    画板背景->setObjectName(QStringLiteral("画板背景"));
    画板背景->setGeometry(15, 86, 770, 386);

    课程标签 = new QLabel(QStringLiteral("欢迎使用Kivola！"), 画板背景);
    课程标签->setObjectName(QStringLiteral("课程标签"));
    课程标签->setGeometry(5, 0, 655, 30);
    课程标签->setFont(PixelFont(kKaiFace, 29));
    课程标签->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    标签时间 = new QLabel(QStringLiteral("00:00:00"), 画板背景);
    标签时间->setObjectName(QStringLiteral("标签时间"));
    标签时间->setGeometry(680, 0, 90, 20);
    标签时间->setFont(PixelFont(kSongFace, 20));
    标签时间->setAlignment(Qt::AlignCenter);

    时钟时间 = new QTimer(画板背景);
    时钟时间->setObjectName(QStringLiteral("时钟时间"));
    connect(时钟时间, &QTimer::timeout, this, &MainWindow::OnClockTick);
    SetTimerPeriod(时钟时间, 1000);

    黑板 = new Canvas(主窗口底板);
    黑板->setObjectName(QStringLiteral("黑板"));
    黑板->setGeometry(30, 122, 740, 350);
    黑板->setFocusPolicy(Qt::ClickFocus);
    // While a panel is out the blackboard is disabled and passes the pointer's movements on
    // to the base canvas; that needs them delivered to it and to its cells.
    黑板->setMouseTracking(true);
    DiscardKeys(黑板);

    学习文字 = new ClickLabel(黑板);
    学习文字->setObjectName(QStringLiteral("学习文字"));
    学习文字->setGeometry(25, 45, 120, 120);
    学习文字->setFont(PixelFont(kKaiFace, 96));
    学习文字->setAlignment(Qt::AlignCenter);
    学习文字->setAutoFillBackground(true);
    学习文字->setMouseTracking(true);
    SetTag(学习文字, 1);
    connect(学习文字, &ClickLabel::clicked, this, &MainWindow::OnCharacterClicked);

    学习拼音 = new ClickLabel(黑板);
    学习拼音->setObjectName(QStringLiteral("学习拼音"));
    学习拼音->setGeometry(25, 15, 120, 30);
    学习拼音->setFont(PixelFont(kSongFace, 29));
    学习拼音->setAlignment(Qt::AlignCenter);
    学习拼音->setAutoFillBackground(true);
    学习拼音->setMouseTracking(true);
    SetTag(学习拼音, 1001);

    学习测试 = new ClickLabel(黑板);
    学习测试->setObjectName(QStringLiteral("学习测试"));
    学习测试->setGeometry(25, 45, 120, 120);
    学习测试->setAutoFillBackground(true);
    学习测试->setMouseTracking(true);
    学习测试->hide();
    SetTag(学习测试, 2001);
    connect(学习测试, &ClickLabel::clicked, this, &MainWindow::OnCardClicked);

    struct ButtonDesign {
        PictureButton** member;
        const char* name;
        const char* picture;
        QRect place;
        int tag;
        bool hasDisabled;
    };
    const ButtonDesign buttons[] = {
        {&按钮帮助, "按钮帮助", "help", QRect(0, 0, 136, 96), 991, true},
        {&按钮关于, "按钮关于", "about", QRect(664, 0, 136, 96), 992, true},
        {&按钮测试, "按钮测试", "test", QRect(720, 488, 80, 112), 993, true},
        {&按钮显隐拼音, "按钮显隐拼音", "pinyin", QRect(446, 536, 128, 56), 994, true},
        {&按钮复位, "按钮复位", "relearn", QRect(200, 496, 136, 104), 995, true},
        {&按钮退出, "按钮退出", "leave", QRect(0, 488, 96, 112), 996, true},
        {&按钮最小化, "按钮最小化", "minimise", QRect(664, 2, 16, 16), 997, false},
    };
    for (const ButtonDesign& design : buttons) {
        auto* button = new PictureButton(主窗口底板);
        const QString base = QString::fromLatin1(design.picture);
        button->setObjectName(QString::fromUtf8(design.name));
        button->setGeometry(design.place);
        button->SetPictures(AssetPixmap(base + QStringLiteral("_normal")),
                            AssetPixmap(base + QStringLiteral("_hover")),
                            AssetPixmap(base + QStringLiteral("_pressed")),
                            design.hasDisabled ? AssetPixmap(base + QStringLiteral("_disabled"))
                                               : QPixmap());
        SetTag(button, design.tag);
        DiscardKeys(button);
        *design.member = button;
    }
    // The minimise symbol lies on the about button's picture.
    按钮最小化->raise();
    // The board's frame lies over the lower edge of the help and about pictures, so the
    // greeting and the clock are never cut.
    画板背景->raise();
    黑板->raise();

    测试计时进度 = new TimeBar(主窗口底板);
    测试计时进度->setObjectName(QStringLiteral("测试计时进度"));
    测试计时进度->setGeometry(0, 473, 800, 10);

    测试计时组合框 = new QComboBox(主窗口底板);
    测试计时组合框->setObjectName(QStringLiteral("测试计时组合框"));
    测试计时组合框->setGeometry(625, 490, 90, 20);
    测试计时组合框->setEditable(false);
    for (const TimeLimit& limit : kTimeLimits) {
        测试计时组合框->addItem(QString::fromUtf8(limit.text), limit.seconds);
    }
    测试计时组合框->setCurrentIndex(0);
    {
        QPalette palette = 测试计时组合框->palette();
        const QColor brown(172, 119, 52);
        const QColor light(236, 236, 236);
        palette.setColor(QPalette::Text, brown);
        palette.setColor(QPalette::ButtonText, brown);
        palette.setColor(QPalette::WindowText, brown);
        palette.setColor(QPalette::Base, light);
        palette.setColor(QPalette::Button, light);
        测试计时组合框->setPalette(palette);
    }
    connect(测试计时组合框, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int) { ResetTestTimer(); });

    找字目标 = new QLabel(主窗口底板);
    找字目标->setObjectName(QStringLiteral("找字目标"));
    找字目标->setGeometry(625, 510, 90, 90);
    找字目标->setFont(PixelFont(kKaiFace, 64));
    找字目标->setAlignment(Qt::AlignCenter);
    找字目标->setStyleSheet(QStringLiteral(
        "QLabel#找字目标 { color: rgb(236,236,236); background-color: black;"
        " border-style: solid; border-width: 3px;"
        " border-top-color: rgb(223,196,160); border-left-color: rgb(223,196,160);"
        " border-right-color: rgb(172,119,52); border-bottom-color: rgb(172,119,52); }"));

    测试计时时钟 = new QTimer(主窗口底板);
    测试计时时钟->setObjectName(QStringLiteral("测试计时时钟"));
    connect(测试计时时钟, &QTimer::timeout, this, &MainWindow::OnTestTimerTick);
}

void MainWindow::RunCreationSequence() {
    Hooks& hooks = StartupHooks();
    const std::string directory = ProgramFolder();

    // 1. The voice check.
    if (!HasVoice("Microsoft Simplified Chinese")) {
        if (hooks.askInstallVoice && hooks.askInstallVoice()) {
            const QString installer = QString::fromStdString(directory) +
                                      QStringLiteral("/SimpChinese Speech Package.msi");
            if (hooks.openUrl) {
                hooks.openUrl(QUrl::fromLocalFile(installer));
            }
        }
    }
    // 2. The splash window; the windows are laid out while it is up.
    m_splash = new SplashWindow(this);
    PlaceWindows();
    // 3.
    hide();
    // 5.
    SettingsPath = MakeSettingsPath(directory);
    // 6.
    ApplySpeechSettings();
    // 7. One handler for the seven main buttons.
    for (PictureButton* button :
         {按钮帮助, 按钮关于, 按钮测试, 按钮显隐拼音, 按钮复位, 按钮退出, 按钮最小化}) {
        connect(button, &PictureButton::clicked, this, &MainWindow::OnMainButtonClicked);
    }
    // 8.
    SetCursors();
    // 9.
    BuildCells();
    // 10.
    ApplyDisplayFont();
    // 11.
    ApplyColours(ReadSetting(G("自定义颜色"), G("使用系统色"), "YES") != "NO");
    // 12.
    ApplyChildName();
    // 13.
    SeedTestRandom(ClockSeed());
    // 14.
    ClearTarget();
    // 15.
    CurrentLesson = GreetingLesson();
    // 16.
    const std::string name = ReadSetting(G("用户信息"), G("用户姓名"), G("宝宝"));
    课程标签->setText(ToQ(G("亲爱的") + name + G("，我们来学习啦！")));
    // 17.
    ShowLesson();
    // 18.
    UpdateClock(QStringLiteral(" "));
    SetTimerPeriod(时钟时间, 500);
}

void MainWindow::SetCursors() {
    const QCursor arrow = AppCursor(CursorId::Arrow);
    setCursor(arrow);
    主窗口底板->setCursor(arrow);
    黑板->setCursor(arrow);
    学习文字->setCursor(AppCursor(CursorId::Character));
    学习测试->setCursor(AppCursor(CursorId::Card));
    按钮帮助->setCursor(AppCursor(CursorId::Help));
    按钮退出->setCursor(AppCursor(CursorId::Leave));
    按钮关于->setCursor(AppCursor(CursorId::About));
    const QCursor button = AppCursor(CursorId::Button);
    for (PictureButton* b : {按钮最小化, 按钮测试, 按钮复位, 按钮显隐拼音}) {
        b->setCursor(button);
    }
    测试计时组合框->setCursor(AppCursor(CursorId::Hand));
}

void MainWindow::BuildCells() {
    学习文字->clear();
    学习拼音->clear();
    学习测试->clear();
    auto copyOf = [this](ClickLabel* model) {
        auto* copy = new ClickLabel(黑板);
        copy->setObjectName(model->objectName());
        copy->resize(model->size());
        copy->setFont(model->font());
        copy->setPalette(model->palette());
        copy->setAutoFillBackground(model->autoFillBackground());
        copy->setAlignment(model->alignment());
        copy->setCursor(model->cursor());
        copy->setMouseTracking(model->hasMouseTracking());
        return copy;
    };
    for (int i = 2; i <= 10; ++i) {
        const int column = (i - 1) % 5;
        const int row = (i - 1) / 5;
        ClickLabel* character = copyOf(学习文字);
        character->move(学习文字->x() + 140 * column, 学习文字->y() + 170 * row);
        SetTag(character, i);
        connect(character, &ClickLabel::clicked, this, &MainWindow::OnCharacterClicked);

        ClickLabel* pinyin = copyOf(学习拼音);
        pinyin->move(character->x(), character->y() - pinyin->height());
        SetTag(pinyin, 1000 + i);

        ClickLabel* card = copyOf(学习测试);
        card->move(character->pos());
        SetTag(card, 2000 + i);
        connect(card, &ClickLabel::clicked, this, &MainWindow::OnCardClicked);

        character->setCursor(AppCursor(CursorId::Character));
        card->setCursor(AppCursor(CursorId::Card));
        character->clear();
        pinyin->clear();
        card->clear();
        character->show();
        pinyin->show();
        card->hide();
    }
    // Each card lies above its character.
    for (int i = 1; i <= 10; ++i) {
        if (ClickLabel* card = Cell(2000 + i)) {
            card->raise();
        }
    }
}

ClickLabel* MainWindow::Cell(int tag) const {
    return FindByTag<ClickLabel>(黑板, tag);
}

void MainWindow::ShowLesson() {
    QCoreApplication::processEvents();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<std::string> pinyin = LessonPinyinList(CurrentLesson);
    const QColor characterColour = CharacterColour();
    const QColor blackboard = BlackboardColour();
    for (int i = 1; i <= 10; ++i) {
        ClickLabel* character = Cell(i);
        ClickLabel* syllable = Cell(1000 + i);
        if (character != nullptr) {
            SetLabelColours(character, characterColour, &blackboard);
            character->setText(ToQ(LessonCharacter(CurrentLesson, i)));
        }
        if (syllable != nullptr) {
            QPalette palette = syllable->palette();
            palette.setColor(QPalette::Window, blackboard);
            syllable->setPalette(palette);
            const std::size_t index = static_cast<std::size_t>(i - 1);
            syllable->setText(index < pinyin.size() ? ToQ(pinyin[index]) : QString());
        }
    }
    QApplication::restoreOverrideCursor();
}

void MainWindow::SetCellGroup(int tagOffset, const QColor& text, const QColor& background,
                              bool visible) {
    for (int i = 1; i <= 10; ++i) {
        ClickLabel* cell = Cell(tagOffset + i);
        if (cell == nullptr) {
            continue;
        }
        SetLabelColours(cell, text, &background);
        cell->setVisible(visible);
    }
}

void MainWindow::SetSettingsButtonsDisabled(bool disabled) {
    if (m_functionPanel == nullptr) {
        return;
    }
    for (int tag = 1; tag <= 5; ++tag) {
        if (PictureButton* button = m_functionPanel->Button(tag)) {
            button->setEnabled(!disabled);
        }
    }
}

void MainWindow::ClearTarget() {
    找字目标->clear();
}

void MainWindow::ReturnToLearning() {
    ShowLesson();
    ClearTarget();
    ResetTestTimer();
    测试计时组合框->setEnabled(true);
    按钮测试->setEnabled(true);
    按钮显隐拼音->setEnabled(true);
    const QColor blackboard = BlackboardColour();
    const QColor characters = CharacterColour();
    SetCellGroup(0, characters, blackboard, true);
    SetCellGroup(1000, PinyinColour(), blackboard, true);
    SetCellGroup(2000, characters, characters, false);
    SetPinyinShown(true);
    SetSettingsButtonsDisabled(false);
}

void MainWindow::ResetTestTimer() {
    黑板->setFocus();
    测试计时时钟->stop();
    const int limit = 测试计时组合框->currentData().toInt();
    测试计时进度->setMaximum(limit);
    测试计时进度->setValue(limit);
}

QColor MainWindow::BlackboardColour() const {
    return 黑板->BackgroundColour();
}

QColor MainWindow::CharacterColour() const {
    return 标签时间->palette().color(QPalette::WindowText);
}

QColor MainWindow::PinyinColour() const {
    return 课程标签->palette().color(QPalette::WindowText);
}

void MainWindow::ApplyDisplayFont() {
    const std::string face = ReadSetting(G("系统字体"), G("显示字体"), G("楷体_GB2312"));
    const Qt::Alignment vertical = face == G("文鼎习字体") ? Qt::AlignBottom : Qt::AlignVCenter;
    const QString family = ToQ(face);
    auto apply = [&](QLabel* label) {
        QFont font = label->font();
        font.setFamily(family);
        label->setFont(font);
        label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | vertical);
    };
    apply(找字目标);
    for (int i = 1; i <= 10; ++i) {
        if (ClickLabel* cell = Cell(i)) {
            apply(cell);
        }
    }
}

void MainWindow::ApplyColours(bool useSystemColours) {
    const std::string section = G("自定义颜色");
    std::string board;
    std::string characters;
    std::string pinyin;
    if (!useSystemColours) {
        board = ReadSetting(section, G("黑板颜色"));
        characters = ReadSetting(section, G("文字颜色"));
        pinyin = ReadSetting(section, G("拼音颜色"));
        if (board.empty() || characters.empty() || pinyin.empty()) {
            useSystemColours = true;
        }
    }
    if (useSystemColours) {
        board = "0";
        characters = "12632256";
        pinyin = "32896";
    }
    const QColor b = ColourFromNumber(SettingToNumber(board));
    const QColor c = ColourFromNumber(SettingToNumber(characters));
    const QColor p = ColourFromNumber(SettingToNumber(pinyin));
    黑板->SetBackgroundColour(b);
    画板背景->SetBackgroundColour(b);
    SetLabelColours(课程标签, p, &b);
    SetLabelColours(标签时间, c, &b);
    SetCellGroup(0, c, b, true);
    SetCellGroup(1000, p, b, true);
    SetCellGroup(2000, c, c, false);
}

void MainWindow::ApplyChildName() {
    标题标签->hide();
    const std::string name = ReadSetting(G("用户信息"), G("用户姓名"), G("宝宝"));
    标题标签->setText(ToQ(name + G("快乐识字")));
    标题标签->show();
}

void MainWindow::LoadLesson(int n) {
    if (n < 1 || n > kLessonCount) {
        return;
    }
    const std::string title = ::kivola::LoadLesson(n);
    课程标签->setText(ToQ(title));
}

void MainWindow::SetPinyinShown(bool shown) {
    m_pinyinShown = shown;
    按钮显隐拼音->SetHoverPicture(AssetPixmap(shown ? QStringLiteral("pinyin_hover_shown")
                                                    : QStringLiteral("pinyin_hover_hidden")));
}

void MainWindow::UpdateClock(const QString& separator) {
    const Hooks& hooks = StartupHooks();
    const QTime now = hooks.clockTime ? hooks.clockTime() : QTime::currentTime();
    auto two = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    标签时间->setText(two(now.hour()) + separator + two(now.minute()) + separator +
                      two(now.second()));
}

void MainWindow::OnClockTick() {
    ClockPhase = ClockPhase == 1 ? 2 : 1;
    UpdateClock(ClockPhase == 1 ? QStringLiteral(" ") : QStringLiteral(":"));
}

SplashWindow* MainWindow::Splash() const {
    return m_splash.data();
}

void MainWindow::OnNoticeLineClicked() {
    const Hooks& hooks = StartupHooks();
    if (hooks.openUrl) {
        hooks.openUrl(QUrl(QString::fromLatin1(kHomePage)));
    }
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_tile.isNull()) {
        painter.fillRect(rect(), QColor(224, 140, 60));
        return;
    }
    painter.drawTiledPixmap(rect(), m_tile);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    PlaceWindows();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceWindows();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        PlaceWindows();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closeAllowed) {
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace kivola
