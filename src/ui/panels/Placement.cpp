// Placing MainWindow over the screen, the board in its middle and the panels beside it.
#include "ui/main/MainWindow.h"

#include "ui/main/Canvas.h"
#include "ui/main/PictureButton.h"
#include "ui/main/Timers.h"
#include "ui/panels/FunctionPanel.h"
#include "ui/panels/LessonPanel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace kivola {

QRect MainWindow::ScreenRect() const {
    if (const QScreen* current = screen()) {
        return current->geometry();
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        return primary->geometry();
    }
    return QRect(0, 0, 800, 600);
}

void MainWindow::PlaceWindows() {
    // Moving the window raises this event again.
    if (m_placing) {
        return;
    }
    if (windowState() & Qt::WindowMinimized) {
        return;
    }
    m_placing = true;
    const QRect area = ScreenRect();
    setGeometry(area.x(), area.y(), area.width(), area.height());
    主窗口底板->setGeometry((area.width() - 800) / 2, (area.height() - 600) / 2, 800, 600);
    const QRect canvas = 主窗口底板->geometry();
    if (m_lessonPanel == nullptr) {
        m_lessonPanel = new LessonPanel(this);
    }
    m_lessonPanel->move(canvas.left() + canvas.width(), canvas.top());
    if (m_functionPanel == nullptr) {
        m_functionPanel = new FunctionPanel(this);
    }
    m_functionPanel->move(canvas.left() - m_functionPanel->width(), canvas.top());
    ShowAllWindows();
    m_placing = false;
}

void MainWindow::ShowAllWindows() {
    show();
    if (m_functionPanel != nullptr) {
        m_functionPanel->raise();
        m_functionPanel->show();
    }
    if (m_lessonPanel != nullptr) {
        m_lessonPanel->raise();
        m_lessonPanel->show();
    }
}

void MainWindow::MouseTrigger(int x) {
    if (m_functionPanel == nullptr || m_lessonPanel == nullptr) {
        return;
    }
    if (x <= 10) {
        SetTimerPeriod(m_functionPanel->时钟显示功能面板, 100);
    } else if (x >= 790) {
        SetTimerPeriod(m_lessonPanel->时钟显示课程面板, 100);
    } else {
        SetTimerPeriod(m_functionPanel->时钟隐藏功能面板, 100);
        SetTimerPeriod(m_lessonPanel->时钟隐藏课程面板, 100);
    }
}

int MainWindow::FindChosenLesson() const {
    if (m_lessonPanel == nullptr) {
        return 0;
    }
    for (int tag = 1; tag <= 10; ++tag) {
        const PictureButton* button = m_lessonPanel->Button(tag);
        if (button != nullptr && !button->isEnabled()) {
            return tag;
        }
    }
    return 0;
}

} // namespace kivola
