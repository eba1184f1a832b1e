#include "ui/secondary/GuardedDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace kivola {

GuardedDialog::GuardedDialog(QWidget* parent, int width, int height)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setFixedSize(width, height);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2);
    }
}

void GuardedDialog::reject() {
    if (m_closing) {
        QDialog::reject();
    }
}

void GuardedDialog::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void GuardedDialog::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

void GuardedDialog::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
    } else {
        event->ignore();
    }
}

void GuardedDialog::CloseNow(int result) {
    m_closing = true;
    done(result);
}

} // namespace kivola
