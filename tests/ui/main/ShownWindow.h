#pragma once
// A MainWindow as the child meets it once the splash has gone, in a fresh program directory,
// with what it does to the world recorded: sounds, opened files, loss messages.

#include "app/Gbk.h"
#include "app/GbkQt.h"
#include "app/Globals.h"
#include "ui/main/ClickLabel.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/main/SplashWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace kivola::testing {

struct World {
    std::unique_ptr<QTemporaryDir> dir;
    // "play <resource path>" and "stop", in order.
    QStringList sounds;
    QList<QUrl> opened;
    int lossMessages = 0;
    // Runs inside the loss message, while it is up.
    std::function<void()> duringLossMessage;
    bool trayAvailable = false;

    void Install() {
        dir = std::make_unique<QTemporaryDir>();
        sounds.clear();
        opened.clear();
        lossMessages = 0;
        duringLossMessage = nullptr;
        trayAvailable = false;
        MainWindow::Hooks& hooks = MainWindow::StartupHooks();
        hooks.askInstallVoice = [] { return false; };
        hooks.openUrl = [this](const QUrl& url) { opened.append(url); };
        hooks.programDirectory = dir->path().toStdString();
        hooks.playSound = [this](const QString& path) { sounds << QStringLiteral("play ") + path; };
        hooks.stopSound = [this] { sounds << QStringLiteral("stop"); };
        hooks.showLossMessage = [this] {
            ++lossMessages;
            if (duringLossMessage) {
                duringLossMessage();
            }
        };
        hooks.trayAvailable = [this] { return trayAvailable; };
    }

    void Remove() {
        MainWindow::ResetStartupHooks();
        dir.reset();
    }
};

// Makes MainWindow and ticks the splash away, as start-up does.
inline std::unique_ptr<MainWindow> MakeShownWindow() {
    auto window = std::make_unique<MainWindow>();
    QPointer<SplashWindow> splash = window->Splash();
    for (int tick = 0; tick < 20 && splash != nullptr && splash->isVisible(); ++tick) {
        splash->OnTick();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!QTest::qWaitForWindowExposed(window.get())) {
        qWarning("MainWindow is not shown");
    }
    return window;
}

inline QColor TextOf(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

inline QColor BackOf(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

// Clicks the button named buttonName of the modal window as soon as the modal loop runs;
// check runs first with the window (may be null).
inline void ActInModalLoop(const QString& buttonName, std::function<void(QWidget*)> check = {}) {
    QTimer::singleShot(0, [buttonName, check] {
        QWidget* window = QApplication::activeModalWidget();
        if (check) {
            check(window);
        }
        if (window == nullptr) {
            return;
        }
        if (auto* button = window->findChild<QAbstractButton*>(buttonName)) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    });
}

} // namespace kivola::testing
