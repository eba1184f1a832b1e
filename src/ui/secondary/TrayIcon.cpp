#include "ui/secondary/TrayIcon.h"

#include "app/GbkQt.h"
#include "assets/Assets.h"

#include <QApplication>
#include <QStyle>

namespace kivola {

std::string TrayTip(std::string_view caption, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < caption.size()) {
        std::size_t step = 1;
        if (gbk::IsLeadByte(static_cast<unsigned char>(caption[end]))) {
            // A lead byte alone at the very end is half a character: leave it out.
            if (end + 1 >= caption.size()) {
                break;
            }
            step = 2;
        }
        if (end + step > maxBytes) {
            break;
        }
        end += step;
    }
    return std::string(caption.substr(0, end));
}

int TrayKind(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return 1;
    case QSystemTrayIcon::DoubleClick:
        return 2;
    case QSystemTrayIcon::Context:
        return 3;
    default:
        return 0;
    }
}

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), m_icon(new QSystemTrayIcon(this)) {
    QIcon icon = AppIcon();
    if (icon.isNull() && qApp != nullptr) {
        icon = qApp->style()->standardIcon(QStyle::SP_ComputerIcon);
    }
    m_icon->setIcon(icon);
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::Activate);
}

TrayIcon::~TrayIcon() {
    m_icon->hide();
}

void TrayIcon::Show(const QString& caption) {
    m_tip = ToQ(TrayTip(FromQ(caption)));
    m_icon->setToolTip(m_tip);
    m_exists = true;
    if (Available()) {
        m_icon->show();
    }
}

void TrayIcon::Remove() {
    m_exists = false;
    m_icon->hide();
}

void TrayIcon::Activate(QSystemTrayIcon::ActivationReason reason) {
    const int kind = TrayKind(reason);
    if (kind == 0 || !m_exists) {
        return;
    }
    emit TrayEvent(kind);
    if (m_handler) {
        m_handler(kind);
    }
}

} // namespace kivola
