#include "ui/main/SplashWindow.h"

#include "assets/Assets.h"
#include "ui/main/KeyFilter.h"
#include "ui/main/MainWindow.h"
#include "ui/main/Timers.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace kivola {

SplashWindow::SplashWindow(MainWindow* mainWindow) : Canvas(nullptr), m_mainWindow(mainWindow) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("SplashWindow"));
    setWindowTitle(QStringLiteral("Kivola"));
    setFixedSize(400, 300);
    SetBackgroundColour(QColor(214, 240, 196));
    SetPicture(AssetPixmap(QStringLiteral("splash")));
    DiscardKeys(this);

    标签1 = new QLabel(QStringLiteral("v1.2"), this);
    标签1->setObjectName(QStringLiteral("标签1"));
    标签1->setGeometry(160, 152, 64, 16);
    QPalette black = 标签1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    标签1->setPalette(black);

    透明标签1 = new QLabel(QStringLiteral("v 1.2"), this);
    透明标签1->setObjectName(QStringLiteral("透明标签1"));
    透明标签1->setGeometry(172, 125, 32, 24);
    透明标签1->hide();

    封面标签 = new QLabel(QStringLiteral("载入中 "), this);
    封面标签->setObjectName(QStringLiteral("封面标签"));
    封面标签->setGeometry(16, 272, 176, 24);
    封面标签->setProperty("tag", QStringLiteral("载入中 ........"));

    时钟1 = new QTimer(this);
    时钟1->setObjectName(QStringLiteral("时钟1"));
    connect(时钟1, &QTimer::timeout, this, &SplashWindow::OnTick);

    // Created: on top of everything, centred on the screen, ticking.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    show();
    SetTimerPeriod(时钟1, 100);
}

void SplashWindow::SetMainWindow(MainWindow* mainWindow) {
    m_mainWindow = mainWindow;
}

bool SplashWindow::WindowsExist() const {
    return m_mainWindow != nullptr && m_mainWindow->FunctionPanelWindow() != nullptr &&
           m_mainWindow->LessonPanelWindow() != nullptr;
}

void SplashWindow::OnTick() {
    const QString caption = 封面标签->text();
    const QString complete = 封面标签->property("tag").toString();
    if (caption == complete && WindowsExist()) {
        时钟1->stop();
        m_mainWindow->ShowAllWindows();
        m_closing = true;
        close();
        return;
    }
    if (caption.size() < complete.size()) {
        封面标签->setText(caption + QLatin1Char('.'));
    }
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace kivola
