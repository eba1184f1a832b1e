#include "ui/main/Canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace kivola {

Canvas::Canvas(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void Canvas::SetPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void Canvas::SetBackgroundColour(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
}

QColor Canvas::BackgroundColour() const {
    return palette().color(QPalette::Window);
}

void Canvas::paintEvent(QPaintEvent*) {
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture);
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    // Movements over an enabled child do not count. A disabled child passes the pointer's
    // movements on to the canvas beneath it, so they count as movements over the canvas.
    const QWidget* child = childAt(at);
    if (rect().contains(at) && (child == nullptr || !child->isEnabled())) {
        emit BareMouseMoved(at.x(), at.y());
    }
    event->accept();
}

} // namespace kivola
