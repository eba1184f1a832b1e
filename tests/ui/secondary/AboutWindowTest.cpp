#include "ui/secondary/AboutWindow.h"
#include "ui/main/PictureButton.h"

#include "assets/Assets.h"
#include "support/UiTestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace kivola;

namespace {
// A scroll as an ellipse and the character over the button's place, on white.
QImage FixtureShape() {
    QImage image(270, 310, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRect(20, 10, 240, 250));
    painter.drawRect(QRect(2, 165, 105, 144));
    return image;
}

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform cannot clip a window to its mask and says so each time; the widget's
// own mask is what these tests look at.
void DropMaskWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support setting window masks"))) {
        return;
    }
    g_previousHandler(type, context, text);
}
} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(DropMaskWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void init() {
        m_window = std::make_unique<AboutWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void whiteIsOutsideTheShape() {
        QImage image(4, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(255, 255, 255));
        image.setPixel(1, 0, qRgb(254, 255, 255));
        image.setPixel(2, 0, qRgb(255, 255, 254));
        image.setPixel(3, 0, qRgb(0, 0, 0));
        const QRegion region = ShapeRegion(image);
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(region.contains(QPoint(1, 0)));
        QVERIFY(region.contains(QPoint(2, 0)));
        QVERIFY(region.contains(QPoint(3, 0)));
        QVERIFY(ShapeRegion(QImage()).isEmpty());
    }

    void doubleClick_data() {
        QTest::addColumn<bool>("shaped");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("closes");
        QTest::newRow("top-left corner") << true << QPoint(1, 1) << false;
        QTest::newRow("top-right corner") << true << QPoint(268, 2) << false;
        QTest::newRow("bottom-left corner") << true << QPoint(0, 309) << false;
        QTest::newRow("bottom-right corner") << true << QPoint(268, 308) << false;
        QTest::newRow("middle of the scroll") << true << QPoint(135, 130) << true;
        QTest::newRow("on the name label") << true << QPoint(120, 85) << true;
        QTest::newRow("unshaped: corner") << false << QPoint(1, 1) << true;
    }
    void doubleClick() {
        QFETCH(bool, shaped);
        QFETCH(QPoint, point);
        QFETCH(bool, closes);
        m_window->ApplyShape(shaped ? FixtureShape() : QImage());
        if (shaped) {
            QCOMPARE(m_window->mask().contains(point), closes);
        } else {
            QVERIFY(m_window->mask().isEmpty());
        }
        QTest::mouseDClick(m_window.get(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(m_window->isVisible(), !closes);
    }

    void pictureButtonCloses() {
        auto* button = m_window->findChild<PictureButton*>(QStringLiteral("图形按钮关于"));
        QVERIFY(button);
        QCOMPARE(button->geometry(), QRect(2, 165, 105, 144));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
    }

    void keysAndCloseRequestsChangeNothing_data() { testing::AddClosingKeyRows(); }
    void keysAndCloseRequestsChangeNothing() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QTest::keyClick(m_window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(m_window->isVisible());
        // What the window manager sends for Alt+F4 or its close button.
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());
    }

    void showAboutWindowIsModalCentredAndOwnerless() {
        m_window.reset();
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto* window = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
            if (window == nullptr) {
                return;
            }
            seen = true;
            QCOMPARE(window->parentWidget(), nullptr);
            QCOMPARE(window->windowTitle(), QStringLiteral("关于 Kivola V1.0"));
            QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(window->size(), QSize(270, 310));
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            QCOMPARE(window->geometry().center(), screen.center());
            QTest::keyClick(window, Qt::Key_Escape);
            QVERIFY(window->isVisible());
            QTest::mouseClick(window->findChild<PictureButton*>(QStringLiteral("图形按钮关于")),
                              Qt::LeftButton);
        });
        ShowAboutWindow();
        QVERIFY(seen);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // With the program's own art in place, the outline follows its shape picture.
    void realShapePicture() {
        const QImage shape = AssetPixmap(QStringLiteral("about_shape")).toImage();
        if (shape.isNull()) {
            QSKIP("no shape picture compiled in");
        }
        const QRegion mask = m_window->mask();
        for (int y = 0; y < shape.height(); y += 7) {
            for (int x = 0; x < shape.width(); x += 7) {
                const bool white = (shape.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
                QCOMPARE(mask.contains(QPoint(x, y)), !white);
            }
        }
    }

private:
    std::unique_ptr<AboutWindow> m_window;
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
