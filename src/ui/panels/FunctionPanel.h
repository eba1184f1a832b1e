#pragma once
// The function panel on the left of the board: six ball buttons with their captions (the
// child's name, speech, font, colours, lessons, leave), sliding out at the board's left edge.

#include "ui/main/Canvas.h"

class QLabel;
class QTimer;

namespace kivola {

class MainWindow;
class PictureButton;

class FunctionPanel : public Canvas {
    Q_OBJECT
public:
    // Made by PlaceWindows as a hidden child of mainWindow; builds its six buttons.
    explicit FunctionPanel(MainWindow* mainWindow);

    // The function button with this tag (1..6), or null.
    PictureButton* Button(int tag) const;
    // The caption label under the button with this tag (1..6), or null.
    QLabel* Caption(int tag) const;

    // Ticks of the show and hide timers.
    void OnShowTick();
    void OnHideTick();

    PictureButton* 功能按钮 = nullptr;
    QLabel* 功能标题标签 = nullptr;
    QTimer* 时钟显示功能面板 = nullptr;
    QTimer* 时钟隐藏功能面板 = nullptr;

public slots:
    // A click on any function button; its tag says which.
    void OnFunctionButtonClicked();

private:
    MainWindow* m_mainWindow;
};

} // namespace kivola
