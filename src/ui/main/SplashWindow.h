#pragma once
// The splash window: covers start-up with the program's picture and a loading caption that
// gains one dot a tick. It goes once the caption is complete and MainWindow and both panels
// exist, showing those three windows just before.

#include "ui/main/Canvas.h"

#include <QPointer>

class QLabel;
class QTimer;

namespace kivola {

class MainWindow;

class SplashWindow : public Canvas {
    Q_OBJECT
public:
    // Made without an owner; shows itself at once, always on top.
    explicit SplashWindow(MainWindow* mainWindow = nullptr);

    // The window whose panels the splash waits for.
    void SetMainWindow(MainWindow* mainWindow);

    // One tick of 时钟1.
    void OnTick();

    QLabel* 标签1 = nullptr;
    QLabel* 透明标签1 = nullptr;
    QLabel* 封面标签 = nullptr;
    QTimer* 时钟1 = nullptr;

protected:
    // Close requests from outside (Alt+F4, the window manager) are ignored: only the tick
    // that shows the other windows closes the splash, else the program would stay hidden.
    void closeEvent(QCloseEvent* event) override;

private:
    bool WindowsExist() const;

    QPointer<MainWindow> m_mainWindow;
    bool m_closing = false;
};

} // namespace kivola
