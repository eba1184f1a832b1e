#include "assets/ArtKit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace kivola::art {

namespace {
constexpr double kPi = 3.14159265358979323846;

QPen LinePen(const QColor& c, double w) {
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}
} // namespace

QImage NewImage(int w, int h, const QColor& fill) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void Smooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                  m(a.alpha(), b.alpha()));
}

QFont KaiFont(int pixelSize) {
    QFont f(QStringLiteral("AR PL UKai CN"));
    f.setPixelSize(pixelSize);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont RoundFont(int pixelSize) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void OutlinedText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
                  const QColor& fill, const QColor& outline, double outlineWidth,
                  const QColor& shadow) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(rect.center() - box.center());
    p.save();
    if (shadow.alpha() > 0) {
        QPainterPath s = path.translated(outlineWidth * 0.6 + 1.0, outlineWidth * 0.8 + 1.5);
        p.setPen(LinePen(shadow, outlineWidth * 2.0));
        p.setBrush(shadow);
        p.drawPath(s);
    }
    if (outlineWidth > 0) {
        p.setPen(LinePen(outline, outlineWidth * 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

BearLook BrownBear() {
    return {QColor(170, 108, 57), QColor(246, 214, 166), QColor(84, 48, 24)};
}
BearLook HoneyBear() {
    return {QColor(226, 160, 70), QColor(255, 234, 190), QColor(118, 66, 22)};
}
BearLook CreamBear() {
    return {QColor(236, 205, 160), QColor(255, 246, 225), QColor(120, 82, 48)};
}

void Paw(QPainter& p, QPointF at, double r, const BearLook& look) {
    const double lw = std::max(1.0, r * 0.07);
    p.setPen(LinePen(look.line, lw));
    p.setBrush(look.fur);
    p.drawEllipse(at, r * 0.26, r * 0.24);
    p.setPen(Qt::NoPen);
    p.setBrush(look.light);
    p.drawEllipse(at + QPointF(0, r * 0.04), r * 0.12, r * 0.1);
}

void BearHead(QPainter& p, QPointF c, double r, const BearLook& look) {
    const double lw = std::max(1.0, r * 0.07);
    p.save();
    // Ears.
    for (int side : {-1, 1}) {
        const QPointF ear = c + QPointF(side * r * 0.68, -r * 0.66);
        p.setPen(LinePen(look.line, lw));
        p.setBrush(look.fur);
        p.drawEllipse(ear, r * 0.36, r * 0.36);
        p.setPen(Qt::NoPen);
        p.setBrush(look.light);
        p.drawEllipse(ear + QPointF(side * -r * 0.02, r * 0.03), r * 0.2, r * 0.2);
    }
    // Head with a soft light from the upper left.
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.45), r * 1.5);
    g.setColorAt(0, look.fur.lighter(118));
    g.setColorAt(1, look.fur.darker(108));
    p.setPen(LinePen(look.line, lw));
    p.setBrush(g);
    p.drawEllipse(c, r, r * 0.94);
    // Muzzle.
    p.setPen(Qt::NoPen);
    p.setBrush(look.light);
    p.drawEllipse(c + QPointF(0, r * 0.36), r * 0.46, r * 0.34);
    // Cheeks.
    p.setBrush(QColor(255, 120, 120, 90));
    for (int side : {-1, 1})
        p.drawEllipse(c + QPointF(side * r * 0.62, r * 0.28), r * 0.17, r * 0.11);
    // Eyes with a shine.
    for (int side : {-1, 1}) {
        const QPointF e = c + QPointF(side * r * 0.36, -r * 0.08);
        p.setBrush(QColor(40, 26, 18));
        p.drawEllipse(e, r * 0.11, r * 0.13);
        p.setBrush(Qt::white);
        p.drawEllipse(e + QPointF(-r * 0.035, -r * 0.05), r * 0.04, r * 0.045);
    }
    // Nose and smile.
    const QPointF nose = c + QPointF(0, r * 0.2);
    p.setBrush(QColor(60, 34, 22));
    p.drawEllipse(nose, r * 0.16, r * 0.11);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(nose + QPointF(-r * 0.05, -r * 0.04), r * 0.05, r * 0.03);
    QPainterPath smile;
    smile.moveTo(nose + QPointF(0, r * 0.1));
    smile.lineTo(nose + QPointF(0, r * 0.2));
    smile.moveTo(nose + QPointF(-r * 0.2, r * 0.18));
    smile.quadTo(nose + QPointF(-r * 0.1, r * 0.32), nose + QPointF(0, r * 0.2));
    smile.quadTo(nose + QPointF(r * 0.1, r * 0.32), nose + QPointF(r * 0.2, r * 0.18));
    p.setPen(LinePen(QColor(60, 34, 22), std::max(0.8, r * 0.055)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
    p.restore();
}

BearPaws Bear(QPainter& p, QPointF head, double r, const BearLook& look, const BearPose& pose) {
    const double lw = std::max(1.0, r * 0.07);
    BearPaws paws;
    p.save();
    if (pose.body) {
        const QPointF body = head + QPointF(0, pose.sitting ? r * 1.45 : r * 1.55);
        const double bw = pose.sitting ? r * 1.0 : r * 0.9;
        const double bh = pose.sitting ? r * 0.9 : r * 1.05;
        // Feet.
        for (int side : {-1, 1}) {
            const QPointF foot = body + QPointF(side * r * (pose.sitting ? 0.62 : 0.45), bh * 0.86);
            p.setPen(LinePen(look.line, lw));
            p.setBrush(look.fur.darker(104));
            p.drawEllipse(foot, r * 0.34, r * 0.26);
            p.setPen(Qt::NoPen);
            p.setBrush(look.light);
            p.drawEllipse(foot + QPointF(0, r * 0.03), r * 0.17, r * 0.13);
        }
        QRadialGradient g(body + QPointF(-bw * 0.3, -bh * 0.4), bw * 1.6);
        g.setColorAt(0, look.fur.lighter(112));
        g.setColorAt(1, look.fur.darker(110));
        p.setPen(LinePen(look.line, lw));
        p.setBrush(g);
        p.drawEllipse(body, bw, bh);
        p.setPen(Qt::NoPen);
        p.setBrush(look.light);
        p.drawEllipse(body + QPointF(0, bh * 0.15), bw * 0.6, bh * 0.66);
        // Arms.
        for (int side : {-1, 1}) {
            const double a = (side < 0 ? pose.leftArm : pose.rightArm) * kPi / 180.0;
            const QPointF shoulder = head + QPointF(side * r * 0.7, r * 0.95);
            const QPointF dir(side * std::sin(a), std::cos(a));
            const QPointF end = shoulder + dir * (r * 0.85);
            p.setPen(LinePen(look.line, r * 0.4 + 2 * lw));
            p.drawLine(shoulder, end);
            QPen fur = LinePen(look.fur, r * 0.4);
            p.setPen(fur);
            p.drawLine(shoulder, end);
            (side < 0 ? paws.left : paws.right) = end + dir * (r * 0.06);
        }
        for (QPointF at : {paws.left, paws.right})
            Paw(p, at, r, look);
    }
    BearHead(p, head, r, look);
    p.restore();
    return paws;
}

void Flower(QPainter& p, QPointF c, double r, const QColor& petal) {
    p.save();
    p.setPen(LinePen(petal.darker(135), std::max(0.6, r * 0.12)));
    p.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * kPi / 5 - kPi / 2;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * (r * 0.58), r * 0.46, r * 0.46);
    }
    p.setPen(LinePen(QColor(214, 140, 20), std::max(0.5, r * 0.1)));
    p.setBrush(QColor(255, 214, 60));
    p.drawEllipse(c, r * 0.36, r * 0.36);
    p.restore();
}

void GrassTuft(QPainter& p, QPointF base, double h, const QColor& colour) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double lean[] = {-0.45, -0.15, 0.1, 0.4};
    const double height[] = {0.7, 1.0, 0.85, 0.6};
    for (int i = 0; i < 4; ++i) {
        QPainterPath blade;
        const QPointF b = base + QPointF((i - 1.5) * h * 0.12, 0);
        const QPointF tip = b + QPointF(lean[i] * h, -height[i] * h);
        blade.moveTo(b + QPointF(-h * 0.07, 0));
        blade.quadTo(b + QPointF(lean[i] * h * 0.2 - h * 0.04, -height[i] * h * 0.6), tip);
        blade.quadTo(b + QPointF(lean[i] * h * 0.2 + h * 0.05, -height[i] * h * 0.5),
                     b + QPointF(h * 0.07, 0));
        blade.closeSubpath();
        p.drawPath(blade);
    }
    p.restore();
}

void Mushroom(QPainter& p, QPointF base, double s) {
    p.save();
    const QColor line(110, 50, 30);
    p.setPen(LinePen(line, std::max(1.0, s * 0.06)));
    p.setBrush(QColor(255, 244, 220));
    p.drawRoundedRect(QRectF(base.x() - s * 0.22, base.y() - s * 0.75, s * 0.44, s * 0.75),
                      s * 0.15, s * 0.15);
    QPainterPath cap;
    cap.moveTo(base + QPointF(-s * 0.62, -s * 0.62));
    cap.cubicTo(base + QPointF(-s * 0.6, -s * 1.35), base + QPointF(s * 0.6, -s * 1.35),
                base + QPointF(s * 0.62, -s * 0.62));
    cap.quadTo(base + QPointF(0, -s * 0.5), base + QPointF(-s * 0.62, -s * 0.62));
    QLinearGradient g(base + QPointF(0, -s * 1.3), base + QPointF(0, -s * 0.55));
    g.setColorAt(0, QColor(240, 80, 60));
    g.setColorAt(1, QColor(200, 40, 40));
    p.setBrush(g);
    p.drawPath(cap);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 250));
    p.drawEllipse(base + QPointF(-s * 0.25, -s * 0.95), s * 0.1, s * 0.08);
    p.drawEllipse(base + QPointF(s * 0.2, -s * 1.05), s * 0.12, s * 0.09);
    p.drawEllipse(base + QPointF(s * 0.38, -s * 0.78), s * 0.07, s * 0.06);
    p.restore();
}

void Butterfly(QPainter& p, QPointF c, double s, const QColor& wing) {
    p.save();
    p.setPen(LinePen(wing.darker(150), std::max(0.6, s * 0.06)));
    for (int side : {-1, 1}) {
        p.setBrush(wing);
        p.drawEllipse(c + QPointF(side * s * 0.42, -s * 0.25), s * 0.42, s * 0.36);
        p.setBrush(wing.lighter(125));
        p.drawEllipse(c + QPointF(side * s * 0.32, s * 0.3), s * 0.28, s * 0.24);
    }
    p.setPen(LinePen(QColor(70, 45, 30), std::max(1.0, s * 0.14)));
    p.drawLine(c + QPointF(0, -s * 0.45), c + QPointF(0, s * 0.5));
    p.setPen(LinePen(QColor(70, 45, 30), std::max(0.6, s * 0.05)));
    p.drawLine(c + QPointF(0, -s * 0.45), c + QPointF(-s * 0.25, -s * 0.8));
    p.drawLine(c + QPointF(0, -s * 0.45), c + QPointF(s * 0.25, -s * 0.8));
    p.restore();
}

void Wood(QPainter& p, const QRectF& rect, double radius, const QColor& base, std::uint32_t seed,
          bool verticalGrain) {
    p.save();
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    QLinearGradient g(rect.topLeft(), verticalGrain ? rect.topRight() : rect.bottomLeft());
    g.setColorAt(0, base.lighter(108));
    g.setColorAt(0.5, base);
    g.setColorAt(1, base.darker(110));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape);
    p.setClipPath(shape, Qt::IntersectClip);
    Rng rng(seed);
    const double across = verticalGrain ? rect.width() : rect.height();
    const double along = verticalGrain ? rect.height() : rect.width();
    const int lines = std::max(3, static_cast<int>(across / 3.2));
    for (int i = 0; i < lines; ++i) {
        const double pos = across * (i + rng.Range(0.1, 0.9)) / lines;
        const double amp = rng.Range(0.4, 2.2);
        const double freq = rng.Range(0.8, 2.5) / along * 2 * kPi;
        const double phase = rng.Range(0, 2 * kPi);
        QPainterPath line;
        for (double t = -4; t <= along + 4; t += 3) {
            const double off = pos + amp * std::sin(freq * t + phase);
            const QPointF pt = verticalGrain ? QPointF(rect.left() + off, rect.top() + t)
                                             : QPointF(rect.left() + t, rect.top() + off);
            if (t < -3)
                line.moveTo(pt);
            else
                line.lineTo(pt);
        }
        QColor c = base.darker(static_cast<int>(rng.Range(112, 132)));
        c.setAlpha(static_cast<int>(rng.Range(70, 150)));
        p.setPen(QPen(c, rng.Range(0.5, 1.3)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(line);
    }
    // A knot or two.
    const int knots = along > 120 ? 2 : 1;
    for (int k = 0; k < knots; ++k) {
        const double a = rng.Range(0.2, 0.8) * along;
        const double b = rng.Range(0.25, 0.75) * across;
        const QPointF kc = verticalGrain ? QPointF(rect.left() + b, rect.top() + a)
                                         : QPointF(rect.left() + a, rect.top() + b);
        const double kr = std::min(across * 0.12, 5.0);
        for (int ring = 3; ring >= 1; --ring) {
            QColor c = base.darker(115 + ring * 8);
            c.setAlpha(110);
            p.setPen(QPen(c, 0.8));
            p.setBrush(Qt::NoBrush);
            if (verticalGrain)
                p.drawEllipse(kc, kr * ring * 0.5, kr * ring * 1.3);
            else
                p.drawEllipse(kc, kr * ring * 1.3, kr * ring * 0.5);
        }
    }
    p.restore();
}

void Nail(QPainter& p, QPointF c, double r) {
    p.save();
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.3), r * 1.2);
    g.setColorAt(0, QColor(250, 246, 235));
    g.setColorAt(0.5, QColor(176, 166, 150));
    g.setColorAt(1, QColor(96, 84, 70));
    p.setPen(QPen(QColor(70, 50, 30, 160), 0.7));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.restore();
}

QImage Shade(const QImage& src, double factor) {
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            auto f = [factor](int v) {
                const double r = factor <= 1 ? v * factor : v + (255 - v) * (factor - 1);
                return std::clamp(static_cast<int>(std::lround(r)), 0, 255);
            };
            line[x] = qRgba(f(qRed(c)), f(qGreen(c)), f(qBlue(c)), qAlpha(c));
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Faded(const QImage& src, double grey, double white) {
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const double l = 0.3 * qRed(c) + 0.59 * qGreen(c) + 0.11 * qBlue(c);
            auto f = [&](int v) {
                double r = v + (l - v) * grey;
                r = r + (255 - r) * white;
                return std::clamp(static_cast<int>(std::lround(r)), 0, 255);
            };
            line[x] = qRgba(f(qRed(c)), f(qGreen(c)), f(qBlue(c)), qAlpha(c));
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Crop(const QImage& src, const QRect& r) {
    return src.copy(r);
}

} // namespace kivola::art
