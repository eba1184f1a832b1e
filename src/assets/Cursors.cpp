// The ten 32x32 cursors. Each is drawn with a dark outline so it shows on any ground.

#include "assets/ArtKit.h"
#include "assets/Pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace kivola::art {

namespace {

QPen Outline(const QColor& c, double w = 1.5) {
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// An arrow with its tip at the origin.
void Arrow(QPainter& p, const QColor& light, const QColor& dark, const QColor& line) {
    QPolygonF shape;
    const double pts[][2] = {{0, 0},       {0, 17.5},   {4.2, 13.8}, {7.2, 20.6},
                             {10.2, 19.3}, {7.3, 12.8}, {12.6, 12.8}};
    for (const auto& pt : pts)
        shape << QPointF(pt[0] * 1.12, pt[1] * 1.12);
    QLinearGradient g(0, 0, 12, 20);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(Outline(line, 1.6));
    p.setBrush(g);
    p.drawPolygon(shape);
    p.setPen(Outline(QColor(255, 255, 255, 170), 1));
    p.drawLine(QPointF(1.6, 4), QPointF(1.6, 14.5));
}

// A pointing hand, finger up, fingertip at the origin.
void Hand(QPainter& p, const QColor& skin, const QColor& line, bool bow) {
    p.setPen(Outline(line, 1.4));
    QLinearGradient g(-3, 0, 12, 24);
    g.setColorAt(0, skin.lighter(115));
    g.setColorAt(1, skin.darker(112));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(-3.2, 10, 14.5, 12.5), 4, 4);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(2.6 + i * 2.8, 9.2, 2.8, 4.6), 1.4, 1.4);
    p.drawRoundedRect(QRectF(-2.6, 0.3, 5.2, 14.5), 2.6, 2.6);
    p.save();
    p.translate(-3.4, 15.8);
    p.rotate(20);
    p.drawEllipse(QPointF(0, 0), 2.5, 4.2);
    p.restore();
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(-2.8, 22.2, 13.6, 4.4), 1.5, 1.5);
    p.setPen(Outline(QColor(255, 255, 255, 190), 1));
    p.drawLine(QPointF(-1.1, 2.5), QPointF(-1.1, 9));
    if (bow) {
        // A little ribbon bow tied at the wrist.
        const QPointF k(4, 25);
        p.setPen(Outline(QColor(120, 0, 40), 1.2));
        p.setBrush(QColor(240, 40, 100));
        QPainterPath loops;
        loops.moveTo(k);
        loops.lineTo(k + QPointF(-6, -3.5));
        loops.lineTo(k + QPointF(-6, 3.5));
        loops.closeSubpath();
        loops.moveTo(k);
        loops.lineTo(k + QPointF(6, -3.5));
        loops.lineTo(k + QPointF(6, 3.5));
        loops.closeSubpath();
        p.drawPath(loops);
        p.drawEllipse(k, 1.8, 1.8);
    }
}

void Pencil(QPainter& p, bool crayon) {
    const QColor line(50, 30, 20);
    if (crayon) {
        const QColor wax(236, 70, 50);
        QPainterPath tip;
        tip.moveTo(0, 0);
        tip.lineTo(7, -4.2);
        tip.lineTo(7, 4.2);
        tip.closeSubpath();
        p.setPen(Outline(line, 1.3));
        p.setBrush(wax.darker(110));
        p.drawPath(tip);
        QLinearGradient g(0, -4.5, 0, 4.5);
        g.setColorAt(0, wax.lighter(130));
        g.setColorAt(1, wax.darker(120));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(6.5, -4.5, 24, 9), 2.5, 2.5);
        p.setBrush(QColor(255, 220, 90));
        p.drawRect(QRectF(11, -4.5, 15, 9));
        p.setPen(Outline(wax.darker(120), 1));
        p.drawLine(QPointF(13, -2), QPointF(24, -2));
        p.drawLine(QPointF(13, 2), QPointF(24, 2));
        return;
    }
    p.setPen(Outline(line, 1.3));
    QPainterPath cone;
    cone.moveTo(0, 0);
    cone.lineTo(8, -3.8);
    cone.lineTo(8, 3.8);
    cone.closeSubpath();
    p.setBrush(QColor(244, 214, 168));
    p.drawPath(cone);
    QPainterPath lead;
    lead.moveTo(0, 0);
    lead.lineTo(3, -1.45);
    lead.lineTo(3, 1.45);
    lead.closeSubpath();
    p.setBrush(QColor(60, 60, 70));
    p.drawPath(lead);
    QLinearGradient g(0, -3.8, 0, 3.8);
    g.setColorAt(0, QColor(255, 226, 90));
    g.setColorAt(0.5, QColor(255, 196, 40));
    g.setColorAt(1, QColor(216, 150, 20));
    p.setBrush(g);
    p.drawRect(QRectF(8, -3.8, 15, 7.6));
    p.setBrush(QColor(190, 196, 206));
    p.drawRect(QRectF(23, -3.8, 3.5, 7.6));
    p.setBrush(QColor(255, 140, 170));
    p.drawRoundedRect(QRectF(26.5, -3.8, 4.5, 7.6), 2, 2);
}

} // namespace

QPoint CursorHotSpot(CursorId id) {
    switch (id) {
    case CursorId::Arrow:
        return {5, 3};
    case CursorId::Character:
        return {12, 0};
    case CursorId::Card:
        return {15, 15};
    case CursorId::Help:
        return {11, 6};
    case CursorId::Leave:
        return {15, 15};
    case CursorId::About:
        return {12, 4};
    case CursorId::Button:
        return {5, 3};
    case CursorId::Hand:
        return {0, 0};
    case CursorId::Edit:
        return {4, 4};
    case CursorId::Crayon:
        return {1, 6};
    }
    return {0, 0};
}

QImage CursorPicture(CursorId id) {
    QImage img = NewImage(32, 32);
    QPainter p(&img);
    Smooth(p);
    const QPoint hot = CursorHotSpot(id);
    switch (id) {
    case CursorId::Arrow:
        p.translate(hot.x() + 0.5, hot.y() + 0.5);
        Arrow(p, QColor(120, 200, 255), QColor(20, 90, 220), QColor(10, 30, 80));
        break;
    case CursorId::Button: {
        // A soft green glow behind a green arrow.
        p.setPen(Qt::NoPen);
        for (int i = 4; i >= 1; --i) {
            p.setBrush(QColor(150, 255, 120, 26));
            p.drawEllipse(QPointF(hot.x() + 7, hot.y() + 11), 7.0 + i * 1.6, 10.0 + i * 1.6);
        }
        p.translate(hot.x() + 0.5, hot.y() + 0.5);
        Arrow(p, QColor(170, 250, 130), QColor(30, 150, 40), QColor(10, 60, 10));
        break;
    }
    case CursorId::Character:
        p.translate(hot.x() + 0.5, hot.y() + 0.6);
        Hand(p, QColor(255, 168, 200), QColor(110, 20, 60), true);
        break;
    case CursorId::About:
        p.translate(hot.x() + 0.5, hot.y() + 0.6);
        Hand(p, QColor(255, 168, 200), QColor(110, 20, 60), false);
        break;
    case CursorId::Hand:
        p.translate(0.9, 0.9);
        p.rotate(-40);
        Hand(p, QColor(130, 226, 110), QColor(20, 70, 20), false);
        break;
    case CursorId::Card: {
        QPolygonF shape;
        QTransform turn;
        const double arm[][2] = {{-2.6, -8}, {-6.8, -8}, {0, -14.6},
                                 {6.8, -8},  {2.6, -8},  {2.6, -2.6}};
        for (int k = 0; k < 4; ++k) {
            for (const auto& pt : arm)
                shape << turn.map(QPointF(pt[0], pt[1]));
            turn.rotate(90);
        }
        p.translate(hot.x() + 0.5, hot.y() + 0.5);
        QLinearGradient g(-14, -14, 14, 14);
        g.setColorAt(0, QColor(210, 160, 255));
        g.setColorAt(1, QColor(110, 40, 190));
        p.setPen(Outline(QColor(50, 10, 80), 1.6));
        p.setBrush(g);
        p.drawPolygon(shape);
        break;
    }
    case CursorId::Help:
        OutlinedText(p, QRectF(5, 3, 20, 28), QStringLiteral("?"), RoundFont(27),
                     QColor(40, 130, 250), QColor(10, 30, 90), 1.3);
        break;
    case CursorId::Leave: {
        const QPointF c(hot.x() + 0.5, hot.y() + 0.5);
        const QPointF a(8.5, 8.5), b(8.5, -8.5);
        p.setPen(Outline(QColor(90, 0, 0), 8));
        p.drawLine(c - a, c + a);
        p.drawLine(c - b, c + b);
        p.setPen(Outline(QColor(236, 40, 40), 5.2));
        p.drawLine(c - a, c + a);
        p.drawLine(c - b, c + b);
        p.setPen(Outline(QColor(255, 170, 160), 1.4));
        p.drawLine(c - a + QPointF(0.5, -1.2), c + QPointF(-1.5, -2.5));
        break;
    }
    case CursorId::Edit:
        p.translate(hot.x() + 0.2, hot.y() + 0.2);
        p.rotate(45);
        Pencil(p, false);
        break;
    case CursorId::Crayon:
        p.translate(hot.x() + 0.3, hot.y() + 0.3);
        p.rotate(32);
        Pencil(p, true);
        break;
    }
    return img;
}

} // namespace kivola::art
