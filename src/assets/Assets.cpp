#include "assets/Assets.h"

#include "assets/Pictures.h"

#include <QHash>
#include <QRegularExpression>

namespace kivola {

namespace {

const char* const kStates[] = {"normal", "hover", "pressed", "disabled"};
const char* const kMainButtons[] = {"help", "about", "test", "pinyin", "relearn", "leave"};

QImage Paint(const QString& name) {
    using namespace art;
    if (name == QLatin1String("splash"))
        return SplashPicture();
    if (name == QLatin1String("tile"))
        return TilePicture();
    if (name == QLatin1String("canvas"))
        return CanvasPicture();
    if (name == QLatin1String("panel_function"))
        return PanelPicture(false);
    if (name == QLatin1String("panel_lesson"))
        return PanelPicture(true);
    if (name == QLatin1String("about_background"))
        return AboutBackground();
    if (name == QLatin1String("about_shape"))
        return AboutShape();
    if (name == QLatin1String("exit_background"))
        return ExitBackground();
    if (name == QLatin1String("pinyin_hover_shown"))
        return MainButtonPicture(QStringLiteral("pinyin"), QStringLiteral("hover_shown"));
    if (name == QLatin1String("pinyin_hover_hidden"))
        return MainButtonPicture(QStringLiteral("pinyin"), QStringLiteral("hover_hidden"));

    static const QRegularExpression ball(QStringLiteral("^ball_([a-z]+)$"));
    static const QRegularExpression lesson(QStringLiteral("^lesson_([1-9]|10)_([a-z]+)$"));
    static const QRegularExpression aboutButton(QStringLiteral("^about_button_([a-z]+)$"));
    static const QRegularExpression exitButton(QStringLiteral("^exit_(yes|no)_(normal|hover)$"));
    static const QRegularExpression mainButton(QStringLiteral("^([a-z]+)_([a-z]+)$"));
    QRegularExpressionMatch m;
    if ((m = ball.match(name)).hasMatch())
        return BallPicture(m.captured(1));
    if ((m = lesson.match(name)).hasMatch())
        return LessonPicture(m.captured(1).toInt(), m.captured(2));
    if ((m = aboutButton.match(name)).hasMatch())
        return AboutButtonPicture(m.captured(1));
    if ((m = exitButton.match(name)).hasMatch())
        return ExitButtonPicture(m.captured(1) == QLatin1String("yes"),
                                 m.captured(2) == QLatin1String("hover"));
    if ((m = mainButton.match(name)).hasMatch()) {
        const QString state = m.captured(2);
        for (const char* s : kStates)
            if (state == QLatin1String(s))
                return MainButtonPicture(m.captured(1), state);
    }
    return QImage();
}

} // namespace

QCursor AppCursor(CursorId id) {
    static QHash<int, QCursor> cache;
    const int key = static_cast<int>(id);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const QPoint hot = art::CursorHotSpot(id);
    QCursor cursor(QPixmap::fromImage(art::CursorPicture(id)), hot.x(), hot.y());
    cache.insert(key, cursor);
    return cursor;
}

QPixmap AssetPixmap(const QString& name) {
    static QHash<QString, QPixmap> cache;
    auto it = cache.constFind(name);
    if (it != cache.constEnd())
        return *it;
    const QImage img = Paint(name);
    if (img.isNull())
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(img);
    cache.insert(name, pixmap);
    return pixmap;
}

QIcon AppIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(art::IconPicture(16)));
    icon.addPixmap(QPixmap::fromImage(art::IconPicture(32)));
    return icon;
}

QStringList AssetNames() {
    QStringList names = {QStringLiteral("splash"),
                         QStringLiteral("tile"),
                         QStringLiteral("canvas"),
                         QStringLiteral("panel_function"),
                         QStringLiteral("panel_lesson"),
                         QStringLiteral("about_background"),
                         QStringLiteral("about_shape"),
                         QStringLiteral("exit_background"),
                         QStringLiteral("pinyin_hover_shown"),
                         QStringLiteral("pinyin_hover_hidden")};
    for (const char* s : kStates)
        names << QStringLiteral("ball_%1").arg(QLatin1String(s));
    for (int k = 1; k <= 10; ++k)
        for (const char* s : kStates)
            names << QStringLiteral("lesson_%1_%2").arg(k).arg(QLatin1String(s));
    for (const char* b : kMainButtons)
        for (const char* s : kStates)
            names << QStringLiteral("%1_%2").arg(QLatin1String(b), QLatin1String(s));
    for (const char* s : {"normal", "hover", "pressed"}) {
        names << QStringLiteral("minimise_%1").arg(QLatin1String(s));
        names << QStringLiteral("about_button_%1").arg(QLatin1String(s));
    }
    for (const char* e : {"exit_yes_normal", "exit_yes_hover", "exit_no_normal", "exit_no_hover"})
        names << QLatin1String(e);
    return names;
}

} // namespace kivola
