#include "ui/main/PictureButton.h"

#include <QKeyEvent>
#include <QPainter>

namespace kivola {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void PictureButton::SetPictures(const QPixmap& normal, const QPixmap& hover,
                                const QPixmap& pressed, const QPixmap& disabled) {
    m_normal = normal;
    m_hover = hover;
    m_pressed = pressed;
    m_disabled = disabled;
    update();
}

void PictureButton::SetNormalPicture(const QPixmap& picture) {
    m_normal = picture;
    update();
}

void PictureButton::SetHoverPicture(const QPixmap& picture) {
    m_hover = picture;
    update();
}

void PictureButton::SetPressedPicture(const QPixmap& picture) {
    m_pressed = picture;
    update();
}

void PictureButton::SetDisabledPicture(const QPixmap& picture) {
    m_disabled = picture;
    update();
}

const QPixmap& PictureButton::CurrentPicture() const {
    if (!isEnabled()) {
        return m_disabled.isNull() ? m_normal : m_disabled;
    }
    if (isDown() && !m_pressed.isNull()) {
        return m_pressed;
    }
    if (m_under && !m_hover.isNull()) {
        return m_hover;
    }
    return m_normal;
}

QSize PictureButton::sizeHint() const {
    return m_normal.isNull() ? QSize(32, 32) : m_normal.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& picture = CurrentPicture();
    if (!picture.isNull()) {
        painter.drawPixmap(rect(), picture);
    }
}

void PictureButton::enterEvent(QEnterEvent* event) {
    m_under = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    m_under = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event) { event->accept(); }

void PictureButton::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

} // namespace kivola
