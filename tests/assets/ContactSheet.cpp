// Renders every picture and cursor at 1:1 onto one PNG, and the canvas with the main buttons'
// pictures laid over it, so a person can look at the art.
// Usage: assets_contact_sheet SHEET.png SCENE.png

#include "assets/Assets.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

using namespace kivola;

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const int width = 1800;
    QImage sheet(width, 3000, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 205));
    QPainter p(&sheet);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 7));
    int x = 8, y = 8, rowHeight = 0;
    auto place = [&](const QPixmap& pm, const QString& label) {
        if (x + pm.width() > width - 8) {
            x = 8;
            y += rowHeight + 20;
            rowHeight = 0;
        }
        p.drawPixmap(x, y, pm);
        p.setPen(Qt::black);
        p.drawText(x, y + pm.height() + 11, label);
        x += std::max(pm.width(), 60) + 10;
        rowHeight = std::max(rowHeight, pm.height());
    };
    for (const QString& name : AssetNames())
        place(AssetPixmap(name), name);
    for (int i = 0; i <= static_cast<int>(CursorId::Crayon); ++i) {
        const QCursor c = AppCursor(static_cast<CursorId>(i));
        QPixmap big = c.pixmap().scaled(96, 96);
        QPainter q(&big);
        q.setPen(Qt::red);
        q.drawRect(c.hotSpot().x() * 3, c.hotSpot().y() * 3, 2, 2);
        q.end();
        place(c.pixmap(), QString::number(i));
        place(big, QStringLiteral("x3 hot %1,%2").arg(c.hotSpot().x()).arg(c.hotSpot().y()));
    }
    place(AppIcon().pixmap(16, 16), QStringLiteral("icon16"));
    place(AppIcon().pixmap(32, 32), QStringLiteral("icon32"));
    place(AppIcon().pixmap(32, 32).scaled(96, 96), QStringLiteral("icon x3"));
    p.end();
    sheet.copy(0, 0, width, y + rowHeight + 24).save(QString::fromLocal8Bit(argv[1]));

    // The canvas with every button's normal picture (left) and hover picture (right) on it.
    QImage scene(1850, 600, QImage::Format_RGB32);
    scene.fill(Qt::white);
    QPainter s(&scene);
    const struct {
        const char* name;
        QRect rect;
    } buttons[] = {{"help", {0, 0, 136, 96}},         {"about", {664, 0, 136, 96}},
                   {"test", {720, 488, 80, 112}},     {"pinyin", {446, 536, 128, 56}},
                   {"relearn", {200, 496, 136, 104}}, {"leave", {0, 488, 96, 112}},
                   {"minimise", {664, 2, 16, 16}}};
    for (int half = 0; half < 2; ++half) {
        const int ox = half * 800;
        s.drawPixmap(ox, 0, AssetPixmap(QStringLiteral("canvas")));
        for (const auto& b : buttons) {
            const QString state = half == 0 ? QStringLiteral("normal") : QStringLiteral("hover");
            s.drawPixmap(b.rect.translated(ox, 0).topLeft(),
                         AssetPixmap(QStringLiteral("%1_%2").arg(QLatin1String(b.name), state)));
        }
    }
    // Both panels with their buttons in place (ball 2 under the mouse, lesson 3 chosen).
    s.drawPixmap(1610, 0, AssetPixmap(QStringLiteral("panel_function")));
    s.drawPixmap(1730, 0, AssetPixmap(QStringLiteral("panel_lesson")));
    s.setFont(QFont(QStringLiteral("AR PL UKai CN"), 10));
    const char* captions[] = {"更改用户名", "语音设置", "字体设置", "颜色设置", "课程设置", "退出"};
    for (int k = 0; k < 6; ++k) {
        const QString ball = k == 1 ? QStringLiteral("ball_hover") : QStringLiteral("ball_normal");
        s.drawPixmap(1610 + 26, 20 + 95 * k, AssetPixmap(ball));
        s.setPen(QColor(128, 0, 0));
        s.drawText(QRect(1610 + 16, 80 + 95 * k, 80, 25), Qt::AlignCenter,
                   QString::fromUtf8(captions[k]));
    }
    for (int k = 1; k <= 10; ++k) {
        const QString state = k == 3 ? QStringLiteral("disabled") : QStringLiteral("normal");
        s.drawPixmap(1730 + 11, 20 + 57 * (k - 1),
                     AssetPixmap(QStringLiteral("lesson_%1_%2").arg(k).arg(state)));
    }
    s.end();
    scene.save(QString::fromLocal8Bit(argv[2]));
    return 0;
}
