// The large pictures: splash, canvas (with the scene the main buttons cut from it), the tile,
// the about and exit windows and the program's icon.

#include "assets/ArtKit.h"
#include "assets/Pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <vector>

namespace kivola::art {

namespace {

const QColor kFlowerColours[] = {QColor(255, 150, 190), QColor(255, 255, 255),
                                 QColor(180, 160, 255), QColor(255, 200, 90),
                                 QColor(255, 120, 120), QColor(140, 200, 255)};

QPen Line(const QColor& c, double w) {
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// Light green meadow with soft rolling hills from hillTop down.
void Meadow(QPainter& p, int w, int h, double hillTop, std::uint32_t seed) {
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(230, 247, 208));
    sky.setColorAt(1, QColor(196, 232, 160));
    p.fillRect(QRectF(0, 0, w, h), sky);
    Rng rng(seed);
    // Soft light spots give the ground some life without drawing the eye.
    for (int i = 0; i < w * h / 9000; ++i) {
        QRadialGradient g(QPointF(rng.Range(0, w), rng.Range(0, h)), rng.Range(20, 60));
        g.setColorAt(0, QColor(255, 255, 230, 60));
        g.setColorAt(1, QColor(255, 255, 230, 0));
        p.fillRect(QRectF(0, 0, w, h), g);
    }
    const QColor hills[] = {QColor(176, 222, 132), QColor(154, 208, 112)};
    for (int k = 0; k < 2; ++k) {
        QPainterPath hill;
        const double top = hillTop + k * (h - hillTop) * 0.35;
        hill.moveTo(0, h);
        hill.lineTo(0, top + 10 - k * 6);
        const double a = rng.Range(0.3, 0.7) * w;
        hill.cubicTo(a * 0.5, top - 18, a, top - 12, a + w * 0.15, top + 4);
        hill.cubicTo(w * 0.8, top + 18, w * 0.9, top - 14, w, top + 2);
        hill.lineTo(w, h);
        hill.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(hills[k]);
        p.drawPath(hill);
    }
}

bool InAny(const QPointF& pt, const std::vector<QRectF>& rects) {
    for (const QRectF& r : rects)
        if (r.contains(pt))
            return true;
    return false;
}

// Grass tufts and flowers scattered over area, avoiding the given quiet rectangles.
void Sprinkle(QPainter& p, const QRectF& area, const std::vector<QRectF>& quiet, int tufts,
              int flowers, std::uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < tufts; ++i) {
        const QPointF at(rng.Range(area.left(), area.right()),
                         rng.Range(area.top(), area.bottom()));
        const double h = rng.Range(6, 11);
        if (InAny(at, quiet) || InAny(at - QPointF(0, h), quiet))
            continue;
        GrassTuft(p, at, h, QColor(100, 176, 72, 200));
    }
    for (int i = 0; i < flowers; ++i) {
        const QPointF at(rng.Range(area.left(), area.right()),
                         rng.Range(area.top(), area.bottom()));
        const double r = rng.Range(3.5, 5.5);
        const QRectF box(at.x() - r * 1.6, at.y() - r * 1.6, r * 3.2, r * 3.2);
        bool clear = true;
        for (const QRectF& q : quiet)
            if (q.intersects(box))
                clear = false;
        if (!clear)
            continue;
        p.setPen(Line(QColor(80, 150, 60), 1.2));
        p.drawLine(at, at + QPointF(0, r * 2.2));
        Flower(p, at, r, kFlowerColours[rng.Next() % 6]);
    }
}

// ---- canvas -------------------------------------------------------------------------------

const QRectF kBoard(15, 86, 770, 386);
const QRectF kFrame(4, 75, 792, 408);

void Frame(QPainter& p) {
    // Soft shadow on the grass.
    for (int i = 6; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 80, 20, 10));
        p.drawRoundedRect(kFrame.adjusted(-i + 2, -i + 4, i + 2, i + 4), 12 + i, 12 + i);
    }
    QPainterPath ring;
    ring.addRoundedRect(kFrame, 12, 12);
    QPainterPath inner;
    inner.addRect(kBoard.adjusted(-1, -1, 1, 1));
    p.save();
    p.setClipPath(ring.subtracted(inner));
    Wood(p, QRectF(kFrame.left(), kFrame.top(), kFrame.width(), 12), 0, QColor(196, 134, 74), 11,
         false);
    Wood(p, QRectF(kFrame.left(), kBoard.bottom(), kFrame.width(), 12), 0, QColor(186, 124, 66), 12,
         false);
    Wood(p, QRectF(kFrame.left(), kFrame.top(), 12, kFrame.height()), 0, QColor(190, 128, 70), 13,
         true);
    Wood(p, QRectF(kBoard.right(), kFrame.top(), 12, kFrame.height()), 0, QColor(182, 120, 62), 14,
         true);
    p.restore();
    // Mitred corner joints.
    p.setPen(QPen(QColor(110, 64, 30, 150), 1));
    p.drawLine(kFrame.topLeft() + QPointF(2, 2), kBoard.topLeft());
    p.drawLine(kFrame.topRight() + QPointF(-2, 2), kBoard.topRight());
    p.drawLine(kFrame.bottomLeft() + QPointF(2, -2), kBoard.bottomLeft());
    p.drawLine(kFrame.bottomRight() + QPointF(-2, -2), kBoard.bottomRight());
    // Bevel: light on the outer top-left, dark on the inner edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 236, 200, 150), 1.5));
    p.drawRoundedRect(kFrame.adjusted(1, 1, -1, -1), 11, 11);
    p.setPen(QPen(QColor(92, 52, 22), 2));
    p.drawRoundedRect(kFrame.adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    p.setPen(QPen(QColor(100, 58, 26), 2));
    p.drawRect(kBoard.adjusted(-1, -1, 1, 1));
    // The board area itself: a deep slate, covered by the program's own board.
    p.fillRect(kBoard, QColor(40, 64, 52));
    for (QPointF c :
         {QPointF(9.5, 80.5), QPointF(790.5, 80.5), QPointF(9.5, 477.5), QPointF(790.5, 477.5)})
        Nail(p, c, 2.6);
}

void Banner(QPainter& p) {
    const QColor cream(255, 248, 222), edge(214, 168, 96);
    // Ribbon tails behind the banner.
    for (int side : {-1, 1}) {
        QPainterPath tail;
        const double x0 = side < 0 ? 172 : 628;
        const double x1 = side < 0 ? 140 : 660;
        tail.moveTo(x0, 26);
        tail.lineTo(x1, 26);
        tail.lineTo(x1 + side * -10, 44);
        tail.lineTo(x1, 62);
        tail.lineTo(x0, 62);
        tail.closeSubpath();
        p.setPen(Line(edge.darker(115), 1.5));
        p.setBrush(QColor(246, 222, 170));
        p.drawPath(tail);
    }
    QRectF body(162, 12, 476, 58);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 100, 30, 40));
    p.drawRoundedRect(body.translated(2, 3), 16, 16);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, cream.lighter(103));
    g.setColorAt(1, QColor(252, 236, 198));
    p.setPen(Line(edge, 2));
    p.setBrush(g);
    p.drawRoundedRect(body, 16, 16);
    QPen stitch(QColor(214, 168, 96, 170), 1.2, Qt::DashLine);
    p.setPen(stitch);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(5, 5, -5, -5), 12, 12);
}

// The objects that belong to the six large buttons, drawn where the buttons lie.
void HelpBear(QPainter& p) {
    BearPose pose;
    pose.body = false;
    Bear(p, QPointF(52, 58), 30, BrownBear(), pose);
}
void HelpBearFront(QPainter& p) {
    Paw(p, QPointF(28, 79), 30, BrownBear());
    Paw(p, QPointF(76, 79), 30, BrownBear());
    // A speech balloon with a question mark.
    QPainterPath balloon;
    balloon.addEllipse(QPointF(108, 30), 21, 19);
    QPainterPath tail;
    tail.moveTo(92, 40);
    tail.lineTo(80, 54);
    tail.lineTo(100, 46);
    tail.closeSubpath();
    balloon = balloon.united(tail);
    p.setPen(Line(QColor(40, 90, 170), 2));
    p.setBrush(QColor(240, 248, 255));
    p.drawPath(balloon);
    OutlinedText(p, QRectF(88, 10, 40, 40), QStringLiteral("?"), RoundFont(28),
                 QColor(40, 120, 230), QColor(255, 255, 255), 0);
}

void AboutBear(QPainter& p) {
    BearPose pose;
    pose.body = false;
    Bear(p, QPointF(750, 58), 30, HoneyBear(), pose);
}
void AboutBearFront(QPainter& p) {
    Paw(p, QPointF(726, 79), 30, HoneyBear());
    Paw(p, QPointF(774, 79), 30, HoneyBear());
    // A glowing light bulb: a bright idea.
    const QPointF c(704, 32);
    QRadialGradient glow(c, 22);
    glow.setColorAt(0, QColor(255, 250, 170, 220));
    glow.setColorAt(0.6, QColor(255, 236, 120, 90));
    glow.setColorAt(1, QColor(255, 236, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, 22, 22);
    QRadialGradient glass(c + QPointF(-4, -5), 16);
    glass.setColorAt(0, QColor(255, 255, 235));
    glass.setColorAt(1, QColor(255, 214, 60));
    p.setPen(Line(QColor(170, 110, 20), 1.6));
    p.setBrush(glass);
    QPainterPath bulb;
    bulb.addEllipse(c, 12, 12);
    QPainterPath neck;
    neck.addRect(QRectF(c.x() - 5.5, c.y() + 6, 11, 9));
    p.drawPath(bulb.united(neck));
    p.setBrush(QColor(170, 170, 180));
    p.setPen(Line(QColor(90, 90, 100), 1.2));
    p.drawRoundedRect(QRectF(c.x() - 6, c.y() + 14, 12, 8), 2, 2);
    p.drawLine(QPointF(c.x() - 6, c.y() + 18), QPointF(c.x() + 6, c.y() + 18));
    p.setPen(Line(QColor(220, 140, 20), 1.3));
    p.drawLine(c + QPointF(-3, 4), c + QPointF(0, -2));
    p.drawLine(c + QPointF(0, -2), c + QPointF(3, 4));
    // Rays.
    p.setPen(Line(QColor(255, 190, 40), 2));
    for (int i = -2; i <= 2; ++i) {
        const double a = (-90 + i * 35) * 3.14159265 / 180;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 16,
                   c + QPointF(std::cos(a), std::sin(a)) * 21);
    }
}

void TestBear(QPainter& p) {
    BearPose pose;
    pose.leftArm = 115;
    pose.rightArm = 20;
    const BearPaws paws = Bear(p, QPointF(768, 532), 20, HoneyBear(), pose);
    // A magnifying glass held up to the left.
    const QPointF lens(740, 516);
    p.setPen(Line(QColor(120, 70, 30), 4));
    p.drawLine(paws.left, lens + QPointF(7, 7));
    QRadialGradient g(lens + QPointF(-3, -3), 12);
    g.setColorAt(0, QColor(240, 252, 255, 235));
    g.setColorAt(1, QColor(150, 210, 240, 220));
    p.setPen(Line(QColor(60, 60, 80), 3));
    p.setBrush(g);
    p.drawEllipse(lens, 10, 10);
    p.setPen(Line(QColor(255, 255, 255, 230), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(lens.x() - 6, lens.y() - 6, 12, 12), 100 * 16, 70 * 16);
    Paw(p, paws.left, 20, HoneyBear());
}

void RelearnBear(QPainter& p) {
    BearPose pose;
    pose.sitting = true;
    pose.leftArm = 55;
    pose.rightArm = 55;
    const BearPaws paws = Bear(p, QPointF(268, 530), 23, CreamBear(), pose);
    // An open book held in front.
    const QRectF book(238, 554, 60, 30);
    p.setPen(Line(QColor(140, 30, 30), 1.6));
    p.setBrush(QColor(210, 60, 50));
    QPainterPath cover;
    cover.moveTo(book.left() - 3, book.top() + 4);
    cover.lineTo(book.center().x(), book.top() + 8);
    cover.lineTo(book.right() + 3, book.top() + 4);
    cover.lineTo(book.right() + 3, book.bottom() + 3);
    cover.lineTo(book.center().x(), book.bottom() + 6);
    cover.lineTo(book.left() - 3, book.bottom() + 3);
    cover.closeSubpath();
    p.drawPath(cover);
    p.setPen(Line(QColor(150, 120, 80), 1));
    p.setBrush(QColor(255, 252, 238));
    for (int side : {-1, 1}) {
        QPainterPath page;
        const double cx = book.center().x();
        const double ox = cx + side * 30;
        page.moveTo(cx, book.top() + 6);
        page.quadTo(cx + side * 14, book.top() - 2, ox, book.top() + 2);
        page.lineTo(ox, book.bottom());
        page.quadTo(cx + side * 14, book.bottom() - 4, cx, book.bottom() + 3);
        page.closeSubpath();
        p.drawPath(page);
    }
    p.setPen(QColor(60, 40, 30));
    p.setFont(KaiFont(11));
    p.drawText(QRectF(book.left() + 4, book.top() + 5, 24, 22), Qt::AlignCenter,
               QStringLiteral("人\n口"));
    p.drawText(QRectF(book.center().x() + 3, book.top() + 5, 24, 22), Qt::AlignCenter,
               QStringLiteral("大\n小"));
    Paw(p, QPointF(book.left() - 2, book.center().y() + 4), 23, CreamBear());
    Paw(p, QPointF(book.right() + 2, book.center().y() + 4), 23, CreamBear());
    (void)paws;
}

void LeaveBear(QPainter& p) {
    BearPose pose;
    pose.leftArm = 25;
    pose.rightArm = 150;
    Bear(p, QPointF(44, 530), 21, BrownBear(), pose);
    // Motion lines of the wave.
    p.setPen(Line(QColor(90, 140, 60), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(62, 516, 20, 20), 0, 80 * 16);
    p.drawArc(QRectF(58, 512, 28, 28), 0, 80 * 16);
    // A little travel bag.
    const QRectF bag(70, 570, 22, 18);
    p.setPen(Line(QColor(100, 50, 20), 1.6));
    p.setBrush(QColor(230, 110, 60));
    p.drawRoundedRect(bag, 4, 4);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(bag.left() + 5, bag.top() - 6, 12, 12), 0, 180 * 16);
    p.setPen(Line(QColor(255, 220, 150), 1.5));
    p.drawLine(QPointF(bag.left() + 3, bag.top() + 7), QPointF(bag.right() - 3, bag.top() + 7));
}

const QRectF kPinyinBoard(454, 542, 112, 38);

// The face of the pinyin sign: wood, rim and nails, with the three tone letters or blank.
void PinyinBoardFace(QPainter& p, bool letters) {
    const QRectF board = kPinyinBoard;
    Wood(p, board, 7, QColor(222, 170, 110), 31, false);
    p.setPen(Line(QColor(110, 64, 28), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(board, 7, 7);
    Nail(p, QPointF(board.left() + 6, board.center().y()), 2);
    Nail(p, QPointF(board.right() - 6, board.center().y()), 2);
    if (!letters)
        return;
    const QString text[] = {QStringLiteral("ā"), QStringLiteral("ó"), QStringLiteral("ě")};
    const QColor colours[] = {QColor(230, 60, 60), QColor(40, 130, 230), QColor(40, 160, 60)};
    for (int i = 0; i < 3; ++i)
        OutlinedText(p, QRectF(468 + i * 30, 542, 26, 38), text[i], RoundFont(24), colours[i],
                     QColor(255, 250, 235), 1.8);
}

void PinyinSign(QPainter& p) {
    for (double x : {476.0, 544.0}) {
        p.setPen(Line(QColor(96, 56, 26), 1.5));
        p.setBrush(QColor(160, 104, 56));
        p.drawRect(QRectF(x - 3, 570, 6, 28));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 90, 20, 50));
    p.drawRoundedRect(kPinyinBoard.translated(2, 3), 7, 7);
    PinyinBoardFace(p, true);
}

// The quiet places of the bottom and top strips: buttons' objects, test controls, the frame.
std::vector<QRectF> QuietCanvas() {
    return {kFrame.adjusted(-3, -3, 3, 3), QRectF(618, 484, 104, 116), QRectF(660, 0, 24, 22),
            QRectF(0, 0, 136, 96),         QRectF(664, 0, 136, 96),    QRectF(720, 488, 80, 112),
            QRectF(446, 536, 128, 64),     QRectF(200, 496, 136, 104), QRectF(0, 488, 96, 112),
            QRectF(136, 0, 528, 76)};
}

QImage Canvas(bool objects) {
    QImage img = NewImage(800, 600, Qt::white);
    QPainter p(&img);
    Smooth(p);
    Meadow(p, 800, 600, 500, 7);
    Sprinkle(p, QRectF(0, 484, 800, 116), QuietCanvas(), 70, 26, 21);
    Sprinkle(p, QRectF(0, 0, 800, 76), QuietCanvas(), 10, 4, 22);
    if (objects) {
        // Bears peeking over the frame: their bodies are hidden behind it.
        HelpBear(p);
        AboutBear(p);
    }
    Frame(p);
    Banner(p);
    // Little bunches of flowers in the gaps between the buttons.
    const struct {
        double x, y, r;
        int colour;
    } bunch[] = {{118, 574, 6, 0}, {133, 584, 5.5, 1}, {108, 588, 5, 3}, {168, 590, 5, 2},
                 {352, 582, 6, 2}, {366, 592, 5, 0},   {432, 588, 5, 5}, {588, 578, 6, 4},
                 {604, 590, 5, 5}, {186, 560, 4.5, 3}};
    for (const auto& f : bunch) {
        GrassTuft(p, QPointF(f.x, f.y + f.r * 2.6), 9, QColor(90, 166, 64));
        p.setPen(QPen(QColor(80, 150, 60), 1.3));
        p.drawLine(QPointF(f.x, f.y), QPointF(f.x, f.y + f.r * 2.4));
        Flower(p, QPointF(f.x, f.y), f.r, kFlowerColours[f.colour]);
    }
    Mushroom(p, QPointF(392, 594), 20);
    Mushroom(p, QPointF(412, 597), 12);
    Butterfly(p, QPointF(150, 522), 9, QColor(255, 170, 210));
    Butterfly(p, QPointF(600, 548), 7, QColor(170, 200, 255));
    if (objects) {
        HelpBearFront(p);
        AboutBearFront(p);
        TestBear(p);
        RelearnBear(p);
        LeaveBear(p);
        PinyinSign(p);
    }
    return img;
}

struct ButtonInfo {
    const char* name;
    QRect rect;
    const char* label;
};

const ButtonInfo kButtons[] = {
    {"help", QRect(0, 0, 136, 96), "帮助"},
    {"about", QRect(664, 0, 136, 96), "关于"},
    {"test", QRect(720, 488, 80, 112), "水平\n测试"},
    {"pinyin", QRect(446, 536, 128, 56), "开关拼音"},
    {"relearn", QRect(200, 496, 136, 104), "重新学习"},
    {"leave", QRect(0, 488, 96, 112), "退出\n系统"},
    {"minimise", QRect(664, 2, 16, 16), ""},
};

const ButtonInfo* FindButton(const QString& name) {
    for (const ButtonInfo& b : kButtons)
        if (name == QLatin1String(b.name))
            return &b;
    return nullptr;
}

// The button's name in red brush letters over its picture.
QImage WithLabel(const QImage& base, const QString& name, const QString& label) {
    QImage img = base;
    QPainter p(&img);
    Smooth(p);
    const QColor red(226, 28, 28), outline(255, 252, 240), shadow(60, 30, 0, 90);
    const QStringList lines = label.split(QLatin1Char('\n'));
    if (lines.size() == 2) {
        // Two lines over the lower half of a tall button, leaving the bear's face free.
        const double w = img.width(), h = img.height();
        OutlinedText(p, QRectF(0, h - 58, w, 30), lines[0], KaiFont(26), red, outline, 2.6, shadow);
        OutlinedText(p, QRectF(0, h - 31, w, 30), lines[1], KaiFont(26), red, outline, 2.6, shadow);
    } else if (name == QLatin1String("pinyin")) {
        // The sign is wiped clean and the label written on it.
        p.save();
        p.translate(-MainButtonRect(name).topLeft());
        PinyinBoardFace(p, false);
        p.restore();
        const QRectF board = kPinyinBoard.translated(-MainButtonRect(name).topLeft());
        OutlinedText(p, board.adjusted(8, 0, -8, 0), lines[0], KaiFont(24), red, outline, 2.2,
                     shadow);
    } else {
        QRectF area(0, 0, img.width(), img.height());
        const int size = 30;
        if (name == QLatin1String("help"))
            area = QRectF(56, 50, 80, 40);
        else if (name == QLatin1String("about"))
            area = QRectF(18, 50, 80, 40);
        else if (name == QLatin1String("relearn"))
            area = QRectF(0, 2, img.width(), 36);
        OutlinedText(p, area, lines[0], KaiFont(size), red, outline, 2.6, shadow);
    }
    return img;
}

QImage Pressed(const QImage& base) {
    QImage img = NewImage(base.width(), base.height());
    QPainter p(&img);
    p.drawImage(0, 0, Shade(base, 0.72));
    p.drawImage(1, 2, Shade(base, 0.86));
    return img;
}

QImage MinimiseSymbol(const QImage& ground, const QString& state) {
    QImage img = ground;
    QPainter p(&img);
    Smooth(p);
    const bool pressed = state == QLatin1String("pressed");
    const bool hover = state == QLatin1String("hover");
    const QPointF c = pressed ? QPointF(8.5, 9) : QPointF(8, 8);
    QRadialGradient g(c + QPointF(-2, -2.5), 9);
    if (hover) {
        g.setColorAt(0, QColor(255, 240, 150));
        g.setColorAt(1, QColor(245, 140, 30));
    } else if (pressed) {
        g.setColorAt(0, QColor(120, 180, 90));
        g.setColorAt(1, QColor(40, 110, 30));
    } else {
        g.setColorAt(0, QColor(180, 240, 140));
        g.setColorAt(1, QColor(60, 150, 50));
    }
    p.setPen(Line(QColor(40, 70, 20), 1.2));
    p.setBrush(g);
    p.drawEllipse(c, 6.8, 6.8);
    p.setPen(Line(Qt::white, 2.2));
    p.drawLine(c + QPointF(-3.2, 1.5), c + QPointF(3.2, 1.5));
    return img;
}

// ---- about window -----------------------------------------------------------------------

void Explorer(QPainter& p, QPointF o, const QColor& outfit) {
    // o is the top-left of the 105x144 picture button.
    const BearLook look = BrownBear();
    const QPointF head = o + QPointF(44, 60);
    const double r = 22;
    const QColor line(60, 36, 20);
    // Legs and boots.
    for (int side : {-1, 1}) {
        p.setPen(Line(line, 1.6));
        p.setBrush(QColor(214, 190, 140));
        p.drawRoundedRect(QRectF(head.x() + side * 11 - 7, o.y() + 108, 14, 20), 4, 4);
        p.setBrush(QColor(90, 56, 30));
        p.drawRoundedRect(QRectF(head.x() + side * 12 - 9, o.y() + 124, 18, 12), 5, 5);
    }
    // Shirt in the outfit colour, with a belt and a pocket.
    QRectF body(head.x() - 22, o.y() + 76, 44, 42);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, outfit.lighter(118));
    g.setColorAt(1, outfit.darker(112));
    p.setPen(Line(line, 1.6));
    p.setBrush(g);
    p.drawRoundedRect(body, 14, 14);
    p.setBrush(QColor(90, 56, 30));
    p.drawRect(QRectF(body.left() + 1, body.bottom() - 12, body.width() - 2, 5));
    p.setBrush(QColor(230, 190, 70));
    p.drawRect(QRectF(head.x() - 3, body.bottom() - 12.5, 6, 6));
    p.setBrush(outfit.darker(115));
    p.drawRoundedRect(QRectF(body.left() + 6, body.top() + 12, 10, 9), 2, 2);
    // Collar.
    QPainterPath collar;
    collar.moveTo(head.x() - 9, body.top() + 1);
    collar.lineTo(head.x(), body.top() + 10);
    collar.lineTo(head.x() + 9, body.top() + 1);
    p.setBrush(outfit.lighter(135));
    p.drawPath(collar);
    // Arms: the left hangs, the right holds the torch up.
    const QPointF lShoulder = head + QPointF(-r * 0.78, r * 0.95);
    const QPointF rShoulder = head + QPointF(r * 0.78, r * 0.95);
    const QPointF lPaw = lShoulder + QPointF(-6, 22);
    const QPointF rPaw = rShoulder + QPointF(20, -10);
    for (auto [s, e] : {std::pair{lShoulder, lPaw}, std::pair{rShoulder, rPaw}}) {
        p.setPen(Line(line, 12));
        p.drawLine(s, e);
        p.setPen(Line(outfit, 9));
        p.drawLine(s, s + (e - s) * 0.45);
        p.setPen(Line(look.fur, 9));
        p.drawLine(s + (e - s) * 0.45, e);
        p.setPen(Line(outfit.darker(120), 9));
        p.drawPoint(s + (e - s) * 0.45);
    }
    // The torch: a wooden stick with a flame.
    const QPointF top = rPaw + QPointF(8, -30);
    p.setPen(Line(line, 6));
    p.drawLine(rPaw + QPointF(-3, 8), top);
    p.setPen(Line(QColor(150, 96, 48), 4));
    p.drawLine(rPaw + QPointF(-3, 8), top);
    p.setPen(Line(line, 1.2));
    p.setBrush(QColor(120, 120, 130));
    p.drawRoundedRect(QRectF(top.x() - 4, top.y() - 2, 8, 6), 1.5, 1.5);
    QRadialGradient glow(top + QPointF(0, -8), 18);
    glow.setColorAt(0, QColor(255, 230, 120, 160));
    glow.setColorAt(1, QColor(255, 200, 80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(top + QPointF(0, -8), 16, 16);
    QPainterPath flame;
    flame.moveTo(top + QPointF(-6, -2));
    flame.cubicTo(top + QPointF(-9, -12), top + QPointF(-2, -14), top + QPointF(0, -24));
    flame.cubicTo(top + QPointF(3, -16), top + QPointF(10, -12), top + QPointF(6, -2));
    flame.closeSubpath();
    QLinearGradient fg(top + QPointF(0, -24), top);
    fg.setColorAt(0, QColor(255, 90, 30));
    fg.setColorAt(1, QColor(255, 220, 60));
    p.setPen(Line(QColor(200, 60, 20), 1.2));
    p.setBrush(fg);
    p.drawPath(flame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 200));
    p.drawEllipse(top + QPointF(0, -6), 2.5, 4);
    Paw(p, lPaw, r, look);
    Paw(p, rPaw, r, look);
    // Head and the explorer's helmet.
    BearHead(p, head, r, look);
    QPainterPath dome;
    dome.moveTo(head + QPointF(-19, -12));
    dome.cubicTo(head + QPointF(-18, -36), head + QPointF(18, -36), head + QPointF(19, -12));
    dome.closeSubpath();
    QLinearGradient hg(head + QPointF(-18, -30), head + QPointF(18, -12));
    hg.setColorAt(0, QColor(246, 230, 180));
    hg.setColorAt(1, QColor(204, 180, 120));
    p.setPen(Line(line, 1.6));
    p.setBrush(hg);
    p.drawPath(dome);
    p.setBrush(outfit);
    p.drawRect(QRectF(head.x() - 18.5, head.y() - 17, 37, 5));
    p.setBrush(QColor(226, 208, 150));
    p.drawEllipse(QRectF(head.x() - 28, head.y() - 15, 56, 8));
}

const QColor kOutfitBrown(150, 100, 52);

void Scroll(QPainter& p) {
    // The parchment.
    QPainterPath sheet;
    sheet.moveTo(34, 36);
    sheet.cubicTo(90, 42, 180, 30, 240, 36);
    sheet.lineTo(244, 276);
    sheet.cubicTo(180, 270, 90, 282, 30, 276);
    sheet.closeSubpath();
    QLinearGradient g(0, 36, 270, 276);
    g.setColorAt(0, QColor(255, 240, 180));
    g.setColorAt(0.5, QColor(252, 228, 150));
    g.setColorAt(1, QColor(240, 204, 118));
    p.setPen(Line(QColor(170, 120, 50), 1.6));
    p.setBrush(g);
    p.drawPath(sheet);
    // A hand-drawn border.
    p.setPen(QPen(QColor(190, 140, 70, 170), 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(44, 48, 190, 218), 8, 8);
    // Rolled ends with wooden knobs.
    for (double y : {22.0, 272.0}) {
        QRectF roll(20, y, 230, 18);
        QLinearGradient rg(roll.topLeft(), roll.bottomLeft());
        rg.setColorAt(0, QColor(250, 222, 150));
        rg.setColorAt(0.5, QColor(232, 186, 100));
        rg.setColorAt(1, QColor(196, 140, 66));
        p.setPen(Line(QColor(150, 98, 40), 1.6));
        p.setBrush(rg);
        p.drawRoundedRect(roll, 9, 9);
        for (double x : {14.0, 256.0}) {
            QRadialGradient kg(QPointF(x - 2, y + 6), 9);
            kg.setColorAt(0, QColor(210, 140, 80));
            kg.setColorAt(1, QColor(130, 70, 30));
            p.setBrush(kg);
            p.drawEllipse(QPointF(x, y + 9), 7, 9);
        }
    }
    // Quiet decoration away from the name and the explorer.
    p.setPen(QColor(140, 80, 30));
    OutlinedText(p, QRectF(112, 128, 124, 30), QStringLiteral("宝宝快乐识字"), KaiFont(19),
                 QColor(150, 84, 30), QColor(255, 245, 210), 0);
    p.setPen(QPen(QColor(190, 140, 70, 150), 1.2));
    p.drawLine(QPointF(130, 164), QPointF(218, 164));
    for (QPointF c : {QPointF(140, 208), QPointF(172, 230), QPointF(206, 206)})
        Flower(p, c, 6, kFlowerColours[(static_cast<int>(c.x()) / 10) % 6]);
}

// The about picture on a transparent ground: everything that belongs to the window's shape.
QImage AboutLayer(const QColor& outfit) {
    QImage img = NewImage(270, 310);
    QPainter p(&img);
    Smooth(p);
    Scroll(p);
    Explorer(p, QPointF(2, 165), outfit);
    return img;
}

// Pixels at least half covered belong to the shape.
bool Inside(QRgb c) {
    return qAlpha(c) >= 128;
}

QImage OnWhite(const QImage& layer) {
    QImage out(layer.size(), QImage::Format_RGB32);
    for (int y = 0; y < layer.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const QRgb c = src[x]; // premultiplied
            if (!Inside(c)) {
                dst[x] = qRgb(255, 255, 255);
                continue;
            }
            const int a = qAlpha(c);
            int r = qRed(c) + (255 - a), g = qGreen(c) + (255 - a), b = qBlue(c) + (255 - a);
            // Pure white inside the shape would read as outside: keep it a hair off white.
            if (r >= 255 && g >= 255 && b >= 255)
                r = g = b = 254;
            dst[x] = qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
        }
    }
    return out;
}

// ---- exit window --------------------------------------------------------------------------

QImage ExitPicture() {
    QImage img = NewImage(400, 300, Qt::white);
    QPainter p(&img);
    Smooth(p);
    Meadow(p, 400, 300, 236, 41);
    const std::vector<QRectF> quiet = {QRectF(72, 152, 76, 76), QRectF(192, 152, 76, 76),
                                       QRectF(0, 0, 400, 110), QRectF(280, 110, 120, 190),
                                       QRectF(0, 210, 70, 90)};
    Sprinkle(p, QRectF(0, 236, 400, 64), quiet, 30, 14, 43);
    // Soft white clouds at the top.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    for (QPointF c : {QPointF(40, 26), QPointF(62, 20), QPointF(84, 28), QPointF(330, 30),
                      QPointF(352, 22), QPointF(372, 32)})
        p.drawEllipse(c, 18, 12);
    OutlinedText(p, QRectF(0, 34, 400, 70), QStringLiteral("真的要退出吗？"), KaiFont(48),
                 QColor(40, 150, 50), QColor(255, 255, 240), 3.2, QColor(30, 90, 20, 90));
    BearPose wave;
    wave.leftArm = 150;
    wave.rightArm = 30;
    Bear(p, QPointF(336, 178), 30, BrownBear(), wave);
    BearPose sit;
    sit.sitting = true;
    sit.leftArm = 40;
    sit.rightArm = 40;
    Bear(p, QPointF(36, 244), 18, HoneyBear(), sit);
    Butterfly(p, QPointF(296, 130), 8, QColor(255, 180, 220));
    return img;
}

void Badge(QPainter& p, const QString& text, bool hover, const QColor& inner, const QColor& outer,
           const QColor& letter, const QColor& glow) {
    const QPointF c(30, 30);
    if (hover) {
        QRadialGradient halo(c, 30);
        halo.setColorAt(0, inner);
        halo.setColorAt(0.55, outer);
        halo.setColorAt(0.85, QColor(outer.red(), outer.green(), outer.blue(), 90));
        halo.setColorAt(1, QColor(outer.red(), outer.green(), outer.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(c, 30, 30);
        p.setPen(Line(QColor(255, 255, 255, 200), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 23, 23);
        OutlinedText(p, QRectF(0, 0, 60, 60), text, KaiFont(36), letter, glow, 2.8,
                     QColor(80, 20, 0, 80));
    } else {
        QRadialGradient face(c + QPointF(-6, -8), 32);
        face.setColorAt(0, QColor(255, 255, 255, 245));
        face.setColorAt(1, QColor(226, 230, 226, 235));
        p.setPen(Line(QColor(150, 150, 150), 2));
        p.setBrush(face);
        p.drawEllipse(c, 24, 24);
        OutlinedText(p, QRectF(0, 0, 60, 60), text, KaiFont(34), QColor(128, 128, 128),
                     QColor(255, 255, 255), 0);
    }
}

} // namespace

QImage SplashPicture() {
    QImage img = NewImage(400, 300, Qt::white);
    QPainter p(&img);
    Smooth(p);
    Meadow(p, 400, 300, 250, 3);
    const std::vector<QRectF> quiet = {QRectF(8, 262, 196, 38), QRectF(150, 146, 84, 28),
                                       QRectF(0, 0, 400, 140), QRectF(20, 130, 130, 140),
                                       QRectF(250, 120, 150, 180)};
    Sprinkle(p, QRectF(0, 246, 400, 54), quiet, 30, 12, 5);
    // Sun and clouds.
    QRadialGradient sun(QPointF(360, 34), 40);
    sun.setColorAt(0, QColor(255, 244, 160));
    sun.setColorAt(0.5, QColor(255, 230, 120, 160));
    sun.setColorAt(1, QColor(255, 230, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(360, 34), 40, 40);
    p.setBrush(QColor(255, 255, 255, 170));
    for (QPointF c : {QPointF(42, 30), QPointF(64, 24), QPointF(86, 32)})
        p.drawEllipse(c, 19, 12);
    OutlinedText(p, QRectF(0, 20, 400, 100), QStringLiteral("Kivola"), RoundFont(84),
                 QColor(56, 168, 60), QColor(255, 255, 240), 4, QColor(30, 100, 20, 110));
    OutlinedText(p, QRectF(0, 108, 400, 34), QStringLiteral("宝宝快乐识字"), KaiFont(26),
                 QColor(214, 110, 20), QColor(255, 255, 240), 2.4);
    BearPose wave;
    wave.leftArm = 150;
    wave.rightArm = 25;
    Bear(p, QPointF(82, 184), 30, BrownBear(), wave);
    BearPose hold;
    hold.leftArm = 60;
    hold.rightArm = 60;
    hold.sitting = true;
    const BearPaws paws = Bear(p, QPointF(318, 190), 32, HoneyBear(), hold);
    // The honey bear holds a book with a character on it.
    QRectF book(paws.left.x() + 2, paws.left.y() - 18, paws.right.x() - paws.left.x() - 4, 34);
    p.setPen(Line(QColor(40, 80, 140), 1.8));
    p.setBrush(QColor(90, 160, 230));
    p.drawRoundedRect(book, 4, 4);
    p.setBrush(QColor(255, 250, 235));
    p.drawRoundedRect(book.adjusted(8, 5, -8, -5), 3, 3);
    OutlinedText(p, book, QStringLiteral("字"), KaiFont(22), QColor(200, 40, 40), Qt::white, 0);
    Paw(p, paws.left, 32, HoneyBear());
    Paw(p, paws.right, 32, HoneyBear());
    Butterfly(p, QPointF(150, 214), 8, QColor(255, 170, 210));
    return img;
}

QImage TilePicture() {
    QImage img = NewImage(30, 30, QColor(176, 88, 22));
    QPainter p(&img);
    Smooth(p);
    // Basket weave: each 15x15 quarter holds three strands, turning a quarter turn from its
    // neighbours, so the picture repeats without a seam.
    for (int q = 0; q < 4; ++q) {
        const int ox = (q % 2) * 15, oy = (q / 2) * 15;
        const bool horizontal = (q == 0 || q == 3);
        for (int s = 0; s < 3; ++s) {
            QRectF strand = horizontal ? QRectF(ox + 0.6, oy + s * 5 + 0.6, 13.8, 3.8)
                                       : QRectF(ox + s * 5 + 0.6, oy + 0.6, 3.8, 13.8);
            QLinearGradient g(strand.topLeft(),
                              horizontal ? strand.bottomLeft() : strand.topRight());
            const QColor base = s == 1 ? QColor(246, 160, 62) : QColor(240, 148, 50);
            g.setColorAt(0, base.lighter(118));
            g.setColorAt(0.5, base);
            g.setColorAt(1, base.darker(125));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawRoundedRect(strand, 1.6, 1.6);
        }
    }
    return img;
}

QImage CanvasPicture() {
    // The scene is painted once: the canvas and every main button's picture are cut from it.
    static const QImage scene = Canvas(true);
    return scene;
}
QImage CanvasBackground() {
    return Canvas(false);
}

QRect MainButtonRect(const QString& button) {
    const ButtonInfo* b = FindButton(button);
    return b ? b->rect : QRect();
}

QImage MainButtonPicture(const QString& button, const QString& state) {
    const ButtonInfo* b = FindButton(button);
    if (!b)
        return QImage();
    const QImage crop = Crop(CanvasPicture(), b->rect);
    if (button == QLatin1String("minimise")) {
        if (state == QLatin1String("normal") || state == QLatin1String("hover") ||
            state == QLatin1String("pressed"))
            return MinimiseSymbol(crop, state);
        return QImage();
    }
    if (state == QLatin1String("normal"))
        return crop;
    if (state == QLatin1String("hover"))
        return WithLabel(crop, button, QString::fromUtf8(b->label));
    if (state == QLatin1String("pressed"))
        return Pressed(crop);
    if (state == QLatin1String("disabled"))
        return Faded(crop, 0.75, 0.35);
    if (button == QLatin1String("pinyin") && state == QLatin1String("hover_shown"))
        return WithLabel(crop, button, QStringLiteral("隐藏拼音"));
    if (button == QLatin1String("pinyin") && state == QLatin1String("hover_hidden"))
        return WithLabel(crop, button, QStringLiteral("显示拼音"));
    return QImage();
}

QImage AboutBackground() {
    return OnWhite(AboutLayer(kOutfitBrown));
}

QImage AboutShape() {
    const QImage layer = AboutLayer(kOutfitBrown);
    QImage out(layer.size(), QImage::Format_RGB32);
    for (int y = 0; y < layer.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < layer.width(); ++x)
            dst[x] = Inside(src[x]) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    return out;
}

QImage AboutButtonPicture(const QString& state) {
    QColor outfit;
    if (state == QLatin1String("normal"))
        outfit = kOutfitBrown;
    else if (state == QLatin1String("hover"))
        outfit = QColor(214, 56, 48);
    else if (state == QLatin1String("pressed"))
        outfit = QColor(60, 160, 70);
    else
        return QImage();
    // The explorer in this outfit, cut from the whole picture so the scroll behind matches.
    return Crop(OnWhite(AboutLayer(outfit)), QRect(2, 165, 105, 144));
}

QImage ExitBackground() {
    return ExitPicture();
}

QImage ExitButtonPicture(bool yes, bool hover) {
    static const QImage ground = ExitPicture();
    QImage img = Crop(ground, yes ? QRect(80, 160, 60, 60) : QRect(200, 160, 60, 60));
    QPainter p(&img);
    Smooth(p);
    if (yes)
        Badge(p, QStringLiteral("是"), hover, QColor(255, 250, 160), QColor(240, 60, 40),
              QColor(220, 20, 20), QColor(255, 236, 90));
    else
        Badge(p, QStringLiteral("否"), hover, QColor(190, 255, 170), QColor(150, 80, 220),
              QColor(30, 150, 40), QColor(220, 190, 255));
    return img;
}

QImage IconPicture(int size) {
    QImage img = NewImage(size, size);
    QPainter p(&img);
    Smooth(p);
    const double s = size / 32.0;
    BearPose pose;
    pose.body = false;
    BearLook look = HoneyBear();
    if (size <= 16)
        look.line = QColor(90, 46, 10);
    Bear(p, QPointF(16 * s, 18 * s), 11.2 * s, look, pose);
    return img;
}

} // namespace kivola::art
