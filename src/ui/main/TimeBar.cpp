#include "ui/main/TimeBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace kivola {

TimeBar::TimeBar(QWidget* parent) : QWidget(parent) {}

void TimeBar::setMaximum(int maximum) {
    m_maximum = std::max(0, maximum);
    m_value = std::clamp(m_value, 0, m_maximum);
    update();
}

void TimeBar::setValue(int value) {
    m_value = std::clamp(value, 0, m_maximum);
    update();
}

void TimeBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QColor(172, 119, 52));
    painter.setBrush(QColor(236, 228, 210));
    painter.drawRoundedRect(track, 4, 4);
    if (m_maximum <= 0 || m_value <= 0) {
        return;
    }
    QRectF filled = track.adjusted(1, 1, -1, -1);
    filled.setWidth(filled.width() * m_value / m_maximum);
    QLinearGradient shine(filled.topLeft(), filled.bottomLeft());
    shine.setColorAt(0, QColor(255, 214, 120));
    shine.setColorAt(1, QColor(208, 143, 81));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawRoundedRect(filled, 3, 3);
}

} // namespace kivola
