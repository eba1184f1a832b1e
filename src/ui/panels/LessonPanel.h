#pragma once
// The lesson panel on the right of the board: ten plaques "第一课" to "第十课", sliding out at
// the board's right edge. The lesson last chosen shows its button disabled.

#include "ui/main/Canvas.h"

class QTimer;

namespace kivola {

class MainWindow;
class PictureButton;

class LessonPanel : public Canvas {
    Q_OBJECT
public:
    // Made by PlaceWindows as a hidden child of mainWindow; builds its ten buttons.
    explicit LessonPanel(MainWindow* mainWindow);

    // The lesson button with this tag (1..10), or null.
    PictureButton* Button(int tag) const;

    void OnShowTick();
    void OnHideTick();

    PictureButton* 按钮课程 = nullptr;
    QTimer* 时钟显示课程面板 = nullptr;
    QTimer* 时钟隐藏课程面板 = nullptr;

public slots:
    // A click on any lesson button: loads that lesson onto the blackboard.
    void OnLessonButtonClicked();

private:
    MainWindow* m_mainWindow;
};

} // namespace kivola
