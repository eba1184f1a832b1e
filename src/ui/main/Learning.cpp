// Learning: the click on a character, the seven main buttons, help, the pinyin switch and
// hiding the window in the tray.
#include "ui/main/MainWindow.h"

#include "app/GbkQt.h"
#include "app/Globals.h"
#include "speech/SpeechEngine.h"
#include "ui/main/Canvas.h"
#include "ui/main/ClickLabel.h"
#include "ui/main/Tags.h"
#include "ui/secondary/AboutWindow.h"
#include "ui/secondary/ExitConfirmWindow.h"
#include "ui/secondary/TrayIcon.h"

#include <QFileInfo>
#include <QLabel>

namespace kivola {

void MainWindow::OnMainButtonClicked() {
    RunMainCommand(TagOf(sender()));
}

void MainWindow::RunMainCommand(int tag) {
    switch (tag) {
    case 991:
        OpenHelp();
        break;
    case 992:
        ShowAboutWindow();
        break;
    case 993:
        StartTest();
        break;
    case 994:
        SwitchPinyin();
        break;
    case 995:
        ReturnToLearning();
        break;
    case 996:
        ConfirmExit();
        break;
    case 997:
        MinimiseToTray();
        break;
    default:
        break;
    }
}

void MainWindow::OnCharacterClicked() {
    auto* clicked = qobject_cast<ClickLabel*>(sender());
    if (clicked == nullptr) {
        return;
    }
    // The red answer of the last won test goes back to the character colour.
    const QColor characters = CharacterColour();
    for (int i = 1; i <= 10; ++i) {
        ClickLabel* cell = Cell(i);
        if (cell != nullptr && cell->palette().color(QPalette::WindowText) != characters) {
            QPalette palette = cell->palette();
            palette.setColor(QPalette::WindowText, characters);
            cell->setPalette(palette);
            break;
        }
    }
    if (TheSpeechEngine != nullptr) {
        TheSpeechEngine->Stop();
        TheSpeechEngine->Speak(FromQ(clicked->text()));
    }
}

void MainWindow::OpenHelp() {
    const QString path = QString::fromStdString(ProgramFolder()) + QStringLiteral("/Help.chm");
    if (!QFileInfo(path).isFile()) {
        return;
    }
    const Hooks& hooks = StartupHooks();
    if (hooks.openUrl) {
        hooks.openUrl(QUrl::fromLocalFile(path));
    }
}

void MainWindow::SwitchPinyin() {
    SetPinyinShown(!PinyinShown());
    SetCellGroup(1000, PinyinColour(), BlackboardColour(), PinyinShown());
}

void MainWindow::MinimiseToTray() {
    const Hooks& hooks = StartupHooks();
    const bool trayAvailable = hooks.trayAvailable && hooks.trayAvailable();
    if (!trayAvailable) {
        // With nowhere to show the icon, a hidden window could never come back: stay in the
        // task bar, from where restoring runs PlaceWindows through the state change.
        setWindowState(windowState() | Qt::WindowMinimized);
        return;
    }
    m_tray->Show(标题标签->text());
    setWindowState(windowState() | Qt::WindowMinimized);
    hide();
}

void MainWindow::OnTrayEvent(int kind) {
    if (kind != 2) {
        return;
    }
    // Leaving the minimised state runs PlaceWindows, which shows the window and its panels.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    PlaceWindows();
    m_tray->Remove();
    raise();
    activateWindow();
}

} // namespace kivola
