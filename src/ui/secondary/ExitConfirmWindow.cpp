#include "ui/secondary/ExitConfirmWindow.h"

#include "app/Shutdown.h"
#include "assets/Assets.h"
#include "ui/main/PictureButton.h"

#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace kivola {

namespace {
constexpr int kWidth = 400;
constexpr int kHeight = 300;

ProcessEnder& Ender() {
    static ProcessEnder ender;
    return ender;
}
} // namespace

void EndProcessNow(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

void SetProcessEnder(ProcessEnder ender) {
    Ender() = std::move(ender);
}

ExitConfirmWindow::ExitConfirmWindow(QWidget* parent) : GuardedDialog(parent, kWidth, kHeight) {
    setWindowTitle(QString());
    m_background = AssetPixmap(QStringLiteral("exit_background"));

    按钮1 = new PictureButton(this);
    按钮1->setObjectName(QStringLiteral("按钮1"));
    按钮1->setGeometry(80, 160, 60, 60);
    按钮1->SetPictures(AssetPixmap(QStringLiteral("exit_yes_normal")),
                       AssetPixmap(QStringLiteral("exit_yes_hover")), QPixmap());
    connect(按钮1, &PictureButton::clicked, this, &ExitConfirmWindow::OnYes);

    按钮2 = new PictureButton(this);
    按钮2->setObjectName(QStringLiteral("按钮2"));
    按钮2->setGeometry(200, 160, 60, 60);
    按钮2->SetPictures(AssetPixmap(QStringLiteral("exit_no_normal")),
                       AssetPixmap(QStringLiteral("exit_no_hover")), QPixmap());
    connect(按钮2, &PictureButton::clicked, this, &ExitConfirmWindow::OnNo);

    setCursor(AppCursor(CursorId::Arrow));
    按钮1->setCursor(AppCursor(CursorId::Hand));
    按钮2->setCursor(AppCursor(CursorId::Hand));
}

void ExitConfirmWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull()) {
        painter.fillRect(rect(), QColor(214, 240, 200));
        QFont font = painter.font();
        font.setPixelSize(40);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(40, 140, 40));
        painter.drawText(QRect(0, 40, width(), 80), Qt::AlignCenter,
                         QStringLiteral("真的要退出吗？"));
    } else {
        painter.drawPixmap(rect(), m_background);
    }
}

void ExitConfirmWindow::OnYes() {
    RunExitRoutine();
    if (Ender()) {
        Ender()(0);
        // Only a replaced ender comes back: let the modal call return.
        CloseNow(QDialog::Rejected);
        return;
    }
    EndProcessNow(0);
}

void ExitConfirmWindow::OnNo() {
    CloseNow(QDialog::Rejected);
}

void ConfirmExit() {
    ExitConfirmWindow window;
    window.exec();
}

} // namespace kivola
