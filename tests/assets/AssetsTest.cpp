#include "assets/Assets.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

using namespace kivola;

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void pictureHasItsDesignSize_data();
    void pictureHasItsDesignSize();
    void catalogueCoversEveryName();
    void unknownNamesGiveNothing_data();
    void unknownNamesGiveNothing();
    void buttonStatesDiffer_data();
    void buttonStatesDiffer();
    void normalButtonsContinueTheCanvas();
    void aboutShapeIsWhiteOutsideOnly();
    void ballsAndPlaquesAreClearOutside();
    void cursorHasItsHotSpot_data();
    void cursorHasItsHotSpot();
    void iconHasBothSizes();
    void soundHasItsFormat_data();
    void soundHasItsFormat();
};

namespace {

struct Sized {
    QString name;
    QSize size;
};

// Every picture the program asks for, with the size its window lays it out at.
QList<Sized> Catalogue() {
    QList<Sized> list = {{"splash", {400, 300}},
                         {"tile", {30, 30}},
                         {"canvas", {800, 600}},
                         {"panel_function", {112, 600}},
                         {"panel_lesson", {112, 600}},
                         {"about_background", {270, 310}},
                         {"about_shape", {270, 310}},
                         {"exit_background", {400, 300}},
                         {"pinyin_hover_shown", {128, 56}},
                         {"pinyin_hover_hidden", {128, 56}}};
    const QStringList states = {"normal", "hover", "pressed", "disabled"};
    for (const QString& s : states)
        list.append({"ball_" + s, {60, 60}});
    for (int k = 1; k <= 10; ++k)
        for (const QString& s : states)
            list.append({QStringLiteral("lesson_%1_%2").arg(k).arg(s), {90, 40}});
    const QList<Sized> buttons = {{"help", {136, 96}},     {"about", {136, 96}},
                                  {"test", {80, 112}},     {"pinyin", {128, 56}},
                                  {"relearn", {136, 104}}, {"leave", {96, 112}}};
    for (const Sized& b : buttons)
        for (const QString& s : states)
            list.append({b.name + "_" + s, b.size});
    for (const char* s : {"normal", "hover", "pressed"}) {
        list.append({QStringLiteral("minimise_") + QLatin1String(s), {16, 16}});
        list.append({QStringLiteral("about_button_") + QLatin1String(s), {105, 144}});
    }
    for (const char* s : {"exit_yes_normal", "exit_yes_hover", "exit_no_normal", "exit_no_hover"})
        list.append({QLatin1String(s), {60, 60}});
    return list;
}

bool IsWhite(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

quint32 U32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData() + at));
}
quint16 U16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(b.constData() + at));
}

} // namespace

void AssetsTest::pictureHasItsDesignSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const Sized& s : Catalogue())
        QTest::newRow(qPrintable(s.name)) << s.name << s.size;
}

void AssetsTest::pictureHasItsDesignSize() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QPixmap pm = AssetPixmap(name);
    QVERIFY(!pm.isNull());
    QCOMPARE(pm.size(), size);
    // A picture that came out as one flat colour was not drawn at all. (The about shape is
    // black and white by design.)
    if (name == QLatin1String("about_shape"))
        return;
    const QImage img = pm.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < img.height() && colours.size() < 8; y += 3)
        for (int x = 0; x < img.width() && colours.size() < 8; x += 3)
            colours.insert(img.pixel(x, y));
    QVERIFY2(colours.size() >= 8, qPrintable(name));
}

void AssetsTest::catalogueCoversEveryName() {
    QStringList expected;
    for (const Sized& s : Catalogue())
        expected << s.name;
    QStringList listed = AssetNames();
    expected.sort();
    listed.sort();
    QCOMPARE(listed, expected);
}

void AssetsTest::unknownNamesGiveNothing_data() {
    QTest::addColumn<QString>("name");
    for (const char* n :
         {"", "Splash", "lesson_0_normal", "lesson_11_normal", "lesson_01_normal", "lesson_3_glow",
          "minimise_disabled", "ball_", "help_", "_normal", "exit_yes_pressed",
          "about_button_disabled", "pinyin_hover_other", "canvas ", "../canvas"})
        QTest::newRow(n[0] ? n : "empty") << QString::fromUtf8(n);
}

void AssetsTest::unknownNamesGiveNothing() {
    QFETCH(QString, name);
    QVERIFY(AssetPixmap(name).isNull());
}

void AssetsTest::buttonStatesDiffer_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("help hover") << "help_normal"
                                << "help_hover";
    QTest::newRow("help pressed") << "help_normal"
                                  << "help_pressed";
    QTest::newRow("help disabled") << "help_normal"
                                   << "help_disabled";
    QTest::newRow("pinyin shown/hidden") << "pinyin_hover_shown"
                                         << "pinyin_hover_hidden";
    QTest::newRow("pinyin hover/shown") << "pinyin_hover"
                                        << "pinyin_hover_shown";
    QTest::newRow("minimise hover") << "minimise_normal"
                                    << "minimise_hover";
    QTest::newRow("ball hover") << "ball_normal"
                                << "ball_hover";
    QTest::newRow("ball pressed") << "ball_normal"
                                  << "ball_pressed";
    QTest::newRow("ball disabled") << "ball_normal"
                                   << "ball_disabled";
    QTest::newRow("lesson titles") << "lesson_1_normal"
                                   << "lesson_2_normal";
    QTest::newRow("lesson hover") << "lesson_4_normal"
                                  << "lesson_4_hover";
    QTest::newRow("lesson disabled") << "lesson_4_normal"
                                     << "lesson_4_disabled";
    QTest::newRow("about outfit") << "about_button_normal"
                                  << "about_button_hover";
    QTest::newRow("about outfit 2") << "about_button_hover"
                                    << "about_button_pressed";
    QTest::newRow("yes hover") << "exit_yes_normal"
                               << "exit_yes_hover";
    QTest::newRow("yes/no") << "exit_yes_normal"
                            << "exit_no_normal";
}

void AssetsTest::buttonStatesDiffer() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QVERIFY(AssetPixmap(a).toImage() != AssetPixmap(b).toImage());
}

void AssetsTest::normalButtonsContinueTheCanvas() {
    // Each large button's normal picture is the canvas under it, so the scene has no seams.
    const QImage canvas = AssetPixmap("canvas").toImage().convertToFormat(QImage::Format_RGB32);
    const QList<QPair<QString, QRect>> places = {
        {"help", {0, 0, 136, 96}},         {"about", {664, 0, 136, 96}},
        {"test", {720, 488, 80, 112}},     {"pinyin", {446, 536, 128, 56}},
        {"relearn", {200, 496, 136, 104}}, {"leave", {0, 488, 96, 112}}};
    for (const auto& [name, rect] : places) {
        const QImage normal =
            AssetPixmap(name + "_normal").toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(normal == canvas.copy(rect), qPrintable(name));
    }
    // The minimise button sits over the about button's corner: its rim matches the canvas.
    const QImage minimise =
        AssetPixmap("minimise_normal").toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(minimise.pixel(0, 0), canvas.pixel(664, 2));
}

void AssetsTest::aboutShapeIsWhiteOutsideOnly() {
    const QImage shape = AssetPixmap("about_shape").toImage();
    const QImage back = AssetPixmap("about_background").toImage();
    for (const QPoint& corner : {QPoint(0, 0), QPoint(269, 0), QPoint(0, 309), QPoint(269, 309)}) {
        QVERIFY(IsWhite(shape.pixel(corner)));
        QVERIFY(IsWhite(back.pixel(corner)));
    }
    // The scroll's middle, the name's place and the explorer are inside.
    for (const QPoint& inside : {QPoint(135, 150), QPoint(150, 88), QPoint(48, 240)})
        QVERIFY(!IsWhite(shape.pixel(inside)));
    int insideCount = 0;
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x) {
            const bool outside = IsWhite(shape.pixel(x, y));
            // The background agrees: white exactly where the shape is white.
            if (outside != IsWhite(back.pixel(x, y)))
                QFAIL(qPrintable(
                    QStringLiteral("background and shape differ at %1,%2").arg(x).arg(y)));
            if (!outside) {
                ++insideCount;
                QCOMPARE(qRed(shape.pixel(x, y)), 0);
            }
        }
    // The scroll fills most of the window.
    QVERIFY(insideCount > 270 * 310 / 2);
    // The explorer button lies over the background's own explorer, inside the shape.
    const QImage button = AssetPixmap("about_button_normal").toImage();
    QCOMPARE(button.convertToFormat(QImage::Format_RGB32),
             back.copy(2, 165, 105, 144).convertToFormat(QImage::Format_RGB32));
}

void AssetsTest::ballsAndPlaquesAreClearOutside() {
    for (const QString& name :
         {QStringLiteral("ball_normal"), QStringLiteral("ball_disabled"),
          QStringLiteral("lesson_1_normal"), QStringLiteral("lesson_10_hover"),
          QStringLiteral("lesson_7_pressed"), QStringLiteral("lesson_5_disabled")}) {
        const QImage img = AssetPixmap(name).toImage();
        QVERIFY2(img.hasAlphaChannel(), qPrintable(name));
        QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(img.pixel(img.width() - 1, img.height() - 1)), 0);
        QCOMPARE(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255);
    }
}

void AssetsTest::cursorHasItsHotSpot_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QPoint>("hot");
    QTest::newRow("arrow") << int(CursorId::Arrow) << QPoint(5, 3);
    QTest::newRow("character") << int(CursorId::Character) << QPoint(12, 0);
    QTest::newRow("card") << int(CursorId::Card) << QPoint(15, 15);
    QTest::newRow("help") << int(CursorId::Help) << QPoint(11, 6);
    QTest::newRow("leave") << int(CursorId::Leave) << QPoint(15, 15);
    QTest::newRow("about") << int(CursorId::About) << QPoint(12, 4);
    QTest::newRow("button") << int(CursorId::Button) << QPoint(5, 3);
    QTest::newRow("hand") << int(CursorId::Hand) << QPoint(0, 0);
    QTest::newRow("edit") << int(CursorId::Edit) << QPoint(4, 4);
    QTest::newRow("crayon") << int(CursorId::Crayon) << QPoint(1, 6);
}

void AssetsTest::cursorHasItsHotSpot() {
    QFETCH(int, id);
    QFETCH(QPoint, hot);
    const QCursor cursor = AppCursor(static_cast<CursorId>(id));
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), hot);
    const QImage img = cursor.pixmap().toImage();
    QCOMPARE(img.size(), QSize(32, 32));
    // The picture reaches the hot spot: something is drawn within two pixels of it.
    int near = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint pt = hot + QPoint(dx, dy);
            if (img.rect().contains(pt) && qAlpha(img.pixel(pt)) > 0)
                ++near;
        }
    QVERIFY(near > 0);
    // Transparent corners away from the hot spot: a cursor, not a square.
    QCOMPARE(qAlpha(img.pixel(31, 0)) == 0 || qAlpha(img.pixel(0, 31)) == 0, true);
}

void AssetsTest::iconHasBothSizes() {
    const QIcon icon = AppIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
}

void AssetsTest::soundHasItsFormat_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("dataBytes");
    QTest::newRow("function click") << kSoundFunctionClick << 2 << 11127 << 16 << 44532;
    QTest::newRow("lesson click") << kSoundLessonClick << 2 << 11025 << 16 << 23808;
    QTest::newRow("right pick") << kSoundRightPick << 1 << 11013 << 8 << 33558;
    QTest::newRow("wrong pick") << kSoundWrongPick << 1 << 22050 << 8 << 4794;
    QTest::newRow("tip") << kSoundTip << 1 << 22050 << 16 << 6356;
}

void AssetsTest::soundHasItsFormat() {
    QFETCH(QString, path);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, dataBytes);
    QFile f(path);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray wav = f.readAll();
    QCOMPARE(wav.size(), 44 + dataBytes);
    QCOMPARE(wav.mid(0, 4), QByteArray("RIFF"));
    QCOMPARE(U32(wav, 4), quint32(36 + dataBytes));
    QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(U32(wav, 16), 16u);
    QCOMPARE(U16(wav, 20), quint16(1)); // PCM
    QCOMPARE(int(U16(wav, 22)), channels);
    QCOMPARE(int(U32(wav, 24)), rate);
    const int block = channels * bits / 8;
    QCOMPARE(int(U32(wav, 28)), rate * block);
    QCOMPARE(int(U16(wav, 32)), block);
    QCOMPARE(int(U16(wav, 34)), bits);
    QCOMPARE(wav.mid(36, 4), QByteArray("data"));
    QCOMPARE(int(U32(wav, 40)), dataBytes);

    // A sound, not silence, and it starts and ends at rest so it does not click.
    const QByteArray data = wav.mid(44);
    auto sample = [&](int i) {
        // Channel 0 of frame i, scaled to -1..1.
        if (bits == 8)
            return (static_cast<uchar>(data[i * block]) - 128) / 128.0;
        return qFromLittleEndian<qint16>(
                   reinterpret_cast<const uchar*>(data.constData() + i * block)) /
               32768.0;
    };
    const int frames = dataBytes / block;
    double peak = 0;
    for (int i = 0; i < frames; ++i)
        peak = std::max(peak, std::abs(sample(i)));
    QVERIFY2(peak > 0.2, qPrintable(QString::number(peak)));
    QVERIFY(peak < 1.0);
    QVERIFY(std::abs(sample(0)) < 0.02);
    QVERIFY(std::abs(sample(frames - 1)) < 0.02);
}

QTEST_MAIN(AssetsTest)
#include "AssetsTest.moc"
