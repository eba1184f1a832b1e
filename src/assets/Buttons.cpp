// The two wooden panel boards, the glossy function balls and the ten lesson plaques.

#include "assets/ArtKit.h"
#include "assets/Pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace kivola::art {

namespace {

QPen Line(const QColor& c, double w) {
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

const char* const kLessonTitles[] = {"第一课", "第二课", "第三课", "第四课", "第五课",
                                     "第六课", "第七课", "第八课", "第九课", "第十课"};

} // namespace

QImage PanelPicture(bool lessonPanel) {
    QImage img = NewImage(112, 600, QColor(120, 72, 34));
    QPainter p(&img);
    Smooth(p);
    const std::uint32_t seed = lessonPanel ? 200 : 100;
    // Three light planks inside a darker frame.
    const QColor plank[] = {QColor(232, 186, 128), QColor(226, 178, 118), QColor(236, 192, 134)};
    for (int i = 0; i < 3; ++i) {
        const QRectF r(7 + i * 33 - (i == 2 ? 0 : 0), 7, i == 2 ? 32 : 33, 586);
        Wood(p, r, 0, plank[i], seed + i, true);
        p.setPen(QPen(QColor(120, 72, 34, 160), 1));
        p.drawLine(QPointF(r.right(), 7), QPointF(r.right(), 593));
    }
    // The frame: horizontal rails top and bottom, vertical stiles at the sides.
    Wood(p, QRectF(0, 0, 112, 8), 0, QColor(170, 106, 52), seed + 5, false);
    Wood(p, QRectF(0, 592, 112, 8), 0, QColor(164, 100, 48), seed + 6, false);
    Wood(p, QRectF(0, 0, 8, 600), 0, QColor(168, 104, 50), seed + 7, true);
    Wood(p, QRectF(104, 0, 8, 600), 0, QColor(160, 98, 46), seed + 8, true);
    p.setPen(QPen(QColor(96, 56, 24), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7.5, 7.5, 97, 585));
    p.setPen(QPen(QColor(255, 230, 190, 120), 1));
    p.drawLine(QPointF(8.5, 8.5), QPointF(103.5, 8.5));
    for (QPointF c : {QPointF(4, 4), QPointF(108, 4), QPointF(4, 596), QPointF(108, 596),
                      QPointF(4, 300), QPointF(108, 300)})
        Nail(p, c, 2.2);
    if (!lessonPanel) {
        for (int k = 0; k < 6; ++k) {
            // A carved hollow for each ball and a pale plate for its caption.
            const QPointF c(56, 50 + 95 * k);
            QRadialGradient hollow(c + QPointF(0, 2), 33);
            hollow.setColorAt(0.0, QColor(120, 70, 30, 0));
            hollow.setColorAt(0.8, QColor(120, 70, 30, 50));
            hollow.setColorAt(0.93, QColor(110, 60, 24, 90));
            hollow.setColorAt(1, QColor(110, 60, 24, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(hollow);
            p.drawEllipse(c, 33, 33);
            p.setPen(QPen(QColor(255, 236, 200, 120), 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(c.x() - 31, c.y() - 31, 62, 62), 200 * 16, 140 * 16);
            const QRectF plate(13, 79 + 95 * k, 86, 27);
            p.setBrush(QColor(90, 50, 20, 60));
            p.drawRoundedRect(plate.translated(1, 1.5), 6, 6);
            QLinearGradient g(plate.topLeft(), plate.bottomLeft());
            g.setColorAt(0, QColor(255, 246, 222));
            g.setColorAt(1, QColor(248, 230, 194));
            p.setPen(Line(QColor(176, 122, 60), 1.2));
            p.setBrush(g);
            p.drawRoundedRect(plate, 6, 6);
        }
    } else {
        // Small brass hooks above each plaque.
        for (int k = 0; k < 10; ++k)
            Nail(p, QPointF(56, 15 + 57 * k), 1.8);
    }
    return img;
}

QImage BallPicture(const QString& state) {
    QColor base;
    bool flat = false;
    if (state == QLatin1String("normal"))
        base = QColor(255, 150, 30);
    else if (state == QLatin1String("hover"))
        base = QColor(255, 110, 176);
    else if (state == QLatin1String("pressed"))
        base = QColor(50, 140, 240);
    else if (state == QLatin1String("disabled")) {
        base = QColor(226, 178, 128);
        flat = true;
    } else
        return QImage();
    QImage img = NewImage(60, 60);
    QPainter p(&img);
    Smooth(p);
    const QPointF c(30, 30);
    const double r = state == QLatin1String("pressed") ? 27.5 : 28.5;
    QRadialGradient body(c + QPointF(-9, -11), r * 1.45);
    if (flat) {
        body.setColorAt(0, base.lighter(108));
        body.setColorAt(1, base.darker(108));
    } else {
        body.setColorAt(0, base.lighter(150));
        body.setColorAt(0.45, base);
        body.setColorAt(1, base.darker(165));
    }
    p.setPen(Line(flat ? base.darker(130) : base.darker(190), 1.3));
    p.setBrush(body);
    p.drawEllipse(c, r, r);
    // Light thrown back from below.
    if (!flat) {
        QRadialGradient rim(c + QPointF(0, r * 0.8), r * 0.7);
        rim.setColorAt(0, QColor(255, 255, 255, 90));
        rim.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(rim);
        p.drawEllipse(c, r - 1, r - 1);
    }
    // The gloss.
    QLinearGradient gloss(QPointF(0, c.y() - r), QPointF(0, c.y()));
    gloss.setColorAt(0, QColor(255, 255, 255, flat ? 90 : 235));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(c.x() - r * 0.68, c.y() - r * 0.94, r * 1.36, r * 0.9));
    if (!flat) {
        // A little sparkle.
        QPainterPath star;
        const QPointF s(c.x() + r * 0.42, c.y() - r * 0.42);
        star.moveTo(s + QPointF(0, -5));
        star.quadTo(s, s + QPointF(5, 0));
        star.quadTo(s, s + QPointF(0, 5));
        star.quadTo(s, s + QPointF(-5, 0));
        star.quadTo(s, s + QPointF(0, -5));
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawPath(star);
    }
    return img;
}

QImage LessonPicture(int lesson, const QString& state) {
    if (lesson < 1 || lesson > 10)
        return QImage();
    const bool normal = state == QLatin1String("normal");
    const bool hover = state == QLatin1String("hover");
    const bool pressed = state == QLatin1String("pressed");
    const bool disabled = state == QLatin1String("disabled");
    if (!normal && !hover && !pressed && !disabled)
        return QImage();
    QImage img = NewImage(90, 40);
    QPainter p(&img);
    Smooth(p);
    QRectF plaque(3, 3, 84, 33);
    if (pressed)
        plaque.translate(1, 1);
    if (hover) {
        // A warm yellow glow around the plaque.
        for (int i = 3; i >= 1; --i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 230, 60, 50 + (3 - i) * 30));
            p.drawRoundedRect(plaque.adjusted(-i, -i, i, i), 9 + i, 9 + i);
        }
    }
    if (pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 20, 0, 90));
        p.drawRoundedRect(plaque.translated(1.5, 1.5), 9, 9);
    } else if (normal) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 30, 0, 60));
        p.drawRoundedRect(plaque.translated(1, 1.5), 9, 9);
    }
    QColor wood = QColor(196, 132, 70);
    if (hover)
        wood = QColor(250, 200, 60);
    else if (pressed)
        wood = QColor(150, 94, 44);
    else if (disabled)
        wood = QColor(200, 182, 160);
    if (disabled) {
        p.setPen(Qt::NoPen);
        p.setBrush(wood);
        p.drawRoundedRect(plaque, 9, 9);
    } else {
        Wood(p, plaque, 9, wood, 300 + lesson, false);
    }
    p.setPen(Line(disabled ? QColor(150, 130, 110) : wood.darker(hover ? 150 : 170), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(plaque, 9, 9);
    // The label set into the plaque.
    const QRectF label = plaque.adjusted(9, 5, -9, -5);
    QColor face(255, 246, 222), ink(110, 50, 20);
    if (hover) {
        face = QColor(255, 252, 190);
        ink = QColor(200, 70, 0);
    } else if (pressed) {
        face = QColor(222, 200, 160);
        ink = QColor(80, 36, 10);
    } else if (disabled) {
        face = QColor(232, 226, 216);
        ink = QColor(150, 136, 120);
    }
    if (disabled) {
        p.setPen(Qt::NoPen);
        p.setBrush(face);
    } else {
        QLinearGradient g(label.topLeft(), label.bottomLeft());
        g.setColorAt(0, face.lighter(104));
        g.setColorAt(1, face.darker(106));
        p.setPen(Line(wood.darker(150), 1));
        p.setBrush(g);
    }
    p.drawRoundedRect(label, 5, 5);
    if (!disabled) {
        Nail(p, QPointF(plaque.left() + 4.5, plaque.center().y()), 1.6);
        Nail(p, QPointF(plaque.right() - 4.5, plaque.center().y()), 1.6);
    }
    OutlinedText(p, label.adjusted(0, 1, 0, 1), QString::fromUtf8(kLessonTitles[lesson - 1]),
                 KaiFont(20), ink, QColor(255, 255, 255, 0), 0);
    return img;
}

} // namespace kivola::art
