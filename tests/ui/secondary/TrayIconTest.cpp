#include "ui/secondary/TrayIcon.h"

#include "app/Gbk.h"
#include "app/GbkQt.h"

#include <QSignalSpy>
#include <QtTest>

#include <vector>

using namespace kivola;

namespace {
QString Repeat(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}
} // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void tipIsCutAtACharacterBoundary_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        const QString ten = QStringLiteral("学习汉字的好帮手宝宝");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("short") << QStringLiteral("Kivola 学习") << QStringLiteral("Kivola 学习");
        QTest::newRow("31 characters, 62 bytes")
            << Repeat(ten, 3) + ten.left(1) << Repeat(ten, 3) + ten.left(1);
        QTest::newRow("32 characters")
            << Repeat(ten, 3) + ten.left(2) << Repeat(ten, 3) + ten.left(1);
        QTest::newRow("a character across byte 62")
            << QStringLiteral("K") + Repeat(ten, 4) << QStringLiteral("K") + Repeat(ten, 3);
        QTest::newRow("70 single bytes")
            << Repeat(QStringLiteral("a"), 70) << Repeat(QStringLiteral("a"), 62);
        QTest::newRow("61 single bytes then a character")
            << Repeat(QStringLiteral("a"), 61) + QStringLiteral("学")
            << Repeat(QStringLiteral("a"), 61);
    }
    void tipIsCutAtACharacterBoundary() {
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        const std::string cut = TrayTip(FromQ(caption));
        QVERIFY(cut.size() <= kTrayTipBytes);
        QCOMPARE(ToQ(cut), tip);

        TrayIcon icon;
        icon.Show(caption);
        QCOMPARE(icon.Tip(), tip);
        QCOMPARE(icon.SystemIcon()->toolTip(), tip);
    }

    void halfACharacterIsNeverKept() {
        QCOMPARE(TrayTip(std::string("ab\xD1", 3)), std::string("ab"));
        QCOMPARE(TrayTip(G("学习"), 3), G("学"));
        QCOMPARE(TrayTip(G("a学"), 2), std::string("a"));
    }

    void kinds_data() {
        QTest::addColumn<int>("reason");
        QTest::addColumn<int>("kind");
        QTest::newRow("left button released") << int(QSystemTrayIcon::Trigger) << 1;
        QTest::newRow("left double-click") << int(QSystemTrayIcon::DoubleClick) << 2;
        QTest::newRow("right button or menu key") << int(QSystemTrayIcon::Context) << 3;
        QTest::newRow("middle button") << int(QSystemTrayIcon::MiddleClick) << 0;
        QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << 0;
    }
    void kinds() {
        QFETCH(int, reason);
        QFETCH(int, kind);
        TrayIcon icon;
        std::vector<int> handled;
        icon.SetTrayEvent([&handled](int k) { handled.push_back(k); });
        QSignalSpy spy(&icon, &TrayIcon::TrayEvent);
        icon.Show(QStringLiteral("Kivola"));
        // As the notification area reports it.
        emit icon.SystemIcon()->activated(QSystemTrayIcon::ActivationReason(reason));
        if (kind == 0) {
            QCOMPARE(spy.count(), 0);
            QVERIFY(handled.empty());
        } else {
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy.at(0).at(0).toInt(), kind);
            QCOMPARE(handled, std::vector<int>{kind});
        }
    }

    void stateWithoutANotificationArea() {
        TrayIcon icon;
        QSignalSpy spy(&icon, &TrayIcon::TrayEvent);
        QVERIFY(!icon.Exists());
        icon.Activate(QSystemTrayIcon::DoubleClick);
        QCOMPARE(spy.count(), 0);

        icon.Show(QStringLiteral("第一课"));
        QVERIFY(icon.Exists());
        icon.Show(QStringLiteral("第二课"));
        QVERIFY(icon.Exists());
        QCOMPARE(icon.Tip(), QStringLiteral("第二课"));
        icon.Activate(QSystemTrayIcon::DoubleClick);
        QCOMPARE(spy.count(), 1);

        icon.Remove();
        QVERIFY(!icon.Exists());
        QVERIFY(!icon.SystemIcon()->isVisible());
        icon.Activate(QSystemTrayIcon::DoubleClick);
        QCOMPARE(spy.count(), 1);
        icon.Remove();
        QVERIFY(!icon.Exists());

        icon.Show(QStringLiteral("第三课"));
        QVERIFY(icon.Exists());
    }
};

QTEST_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
