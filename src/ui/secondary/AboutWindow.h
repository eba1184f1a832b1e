#pragma once
// AboutWindow: the program's name on a scroll, cut to the outline of its shape picture.
// It closes only through its picture button or a double-click inside the shape; every key
// and every close request from outside (Escape, Enter, Alt+F4, the window manager) is
// discarded.

#include "ui/secondary/GuardedDialog.h"

#include <QImage>
#include <QPixmap>
#include <QRegion>

class QLabel;

namespace kivola {

class PictureButton;

// The region of the shape picture that belongs to the window: every pixel that is not pure
// white (RGB 255,255,255). A null picture gives an empty region.
QRegion ShapeRegion(const QImage& shape);

class AboutWindow : public GuardedDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Cuts the window's outline to shape (white lies outside). A null or all-white picture
    // leaves the window an unshaped rectangle.
    void ApplyShape(const QImage& shape);

    // Whether a point in window coordinates lies inside the window's shape.
    bool InsideShape(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap m_background;
    QRegion m_shape;
    QLabel* 透明标签2 = nullptr;
    PictureButton* 图形按钮关于 = nullptr;
};

// Shows AboutWindow modal and without an owner; returns when it has closed.
void ShowAboutWindow();

} // namespace kivola
