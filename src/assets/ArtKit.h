#pragma once
// Drawing pieces shared by the program's pictures: bears, flowers, wood, glossy shapes and
// outlined brush letters. Everything is painted with QPainter at the design size, and every
// "random" detail comes from a fixed seed, so a picture looks the same on every run.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>

namespace kivola::art {

// A small deterministic generator for grain, grass and flower places.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
    std::uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // A number in [lo, hi).
    double Range(double lo, double hi) { return lo + (hi - lo) * (Next() % 100000) / 100000.0; }

private:
    std::uint32_t m_state;
};

// A transparent (or filled) 32-bit picture and a painter set up for smooth drawing.
QImage NewImage(int w, int h, const QColor& fill = Qt::transparent);
void Smooth(QPainter& p);

QColor Mix(const QColor& a, const QColor& b, double t);

// Fonts: the Kai brush face for Chinese, a round bold face for Latin letters.
QFont KaiFont(int pixelSize);
QFont RoundFont(int pixelSize);

// Text with a soft outline (and an optional drop shadow), centred in rect.
void OutlinedText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
                  const QColor& fill, const QColor& outline, double outlineWidth,
                  const QColor& shadow = Qt::transparent);

// Colours of one bear.
struct BearLook {
    QColor fur;
    QColor light; // muzzle, inner ears, belly
    QColor line;  // outline
};
BearLook BrownBear();
BearLook HoneyBear();
BearLook CreamBear();

// Arm angles in degrees from hanging straight down; positive turns the arm outwards and up.
struct BearPose {
    double leftArm = 25;
    double rightArm = 25;
    bool sitting = false;
    bool body = true;
};
struct BearPaws {
    QPointF left, right;
};

// Draws a whole bear whose head of radius r is centred at head; returns where the paws are,
// so that an object held can be drawn and the paw put over it with Paw().
BearPaws Bear(QPainter& p, QPointF head, double r, const BearLook& look, const BearPose& pose);
void BearHead(QPainter& p, QPointF c, double r, const BearLook& look);
void Paw(QPainter& p, QPointF at, double r, const BearLook& look);

// Meadow details.
void Flower(QPainter& p, QPointF c, double r, const QColor& petal);
void GrassTuft(QPainter& p, QPointF base, double h, const QColor& colour);
void Mushroom(QPainter& p, QPointF base, double s);
void Butterfly(QPainter& p, QPointF c, double s, const QColor& wing);

// A wooden surface with grain inside rect (rounded by radius). Vertical grain runs top to
// bottom. The path is filled, so the caller can clip it.
void Wood(QPainter& p, const QRectF& rect, double radius, const QColor& base, std::uint32_t seed,
          bool verticalGrain);
void Nail(QPainter& p, QPointF c, double r);

// Image filters for button states.
QImage Shade(const QImage& src, double factor);             // darker (<1) or lighter (>1)
QImage Faded(const QImage& src, double grey, double white); // desaturate, then lighten
QImage Crop(const QImage& src, const QRect& r);

} // namespace kivola::art
