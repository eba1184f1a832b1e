#pragma once
// The program's icon in the notification area, used while MainWindow is minimised.
//
// How MainWindow uses it: its minimise button calls Show(title label's caption), sets
// itself minimised and hides (the panels, its child windows, hide with it). The icon's
// pointer actions arrive as TrayEvent(kind): 1 left button released, 2 left double-click,
// 3 right button or context-menu key; other actions raise nothing. On kind 2 MainWindow
// shows itself normal again (PlaceWindows then covers the screen and docks the panels),
// calls Remove() and activates itself; kinds 1 and 3 do nothing.
//
// Where no notification area exists (offscreen, a bare X server) the object keeps its
// state all the same: Show and Remove set Exists(), and Activate() raises the same events,
// so the handlers still run when called. Available() tells whether a person could see the
// icon at all: hiding MainWindow where it is false leaves no way back to the program.

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <string>
#include <string_view>

namespace kivola {

// At most this many GBK bytes of the caption make the tip.
inline constexpr std::size_t kTrayTipBytes = 62;

// caption (GBK) cut to at most maxBytes bytes without splitting a double-byte character.
std::string TrayTip(std::string_view caption, std::size_t maxBytes = kTrayTipBytes);

// The kind number of an activation reason; 0 for actions that raise no event.
int TrayKind(QSystemTrayIcon::ActivationReason reason);

class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // Puts the icon into the notification area with caption (cut to 62 GBK bytes) as its
    // tip. There is at most one icon: showing it again only changes the tip.
    void Show(const QString& caption);
    // Takes the icon out of the notification area.
    void Remove();
    // Whether the icon is in place (between Show and Remove), tray or no tray.
    bool Exists() const { return m_exists; }
    // The tip now given to the icon.
    QString Tip() const { return m_tip; }

    // Also receives every TrayEvent; an empty function removes it.
    void SetTrayEvent(std::function<void(int kind)> handler) { m_handler = std::move(handler); }

    // A pointer action on the icon: raises TrayEvent with its kind while the icon exists.
    void Activate(QSystemTrayIcon::ActivationReason reason);

    // Whether the desktop has a notification area in which the icon can be seen.
    static bool Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

    // The toolkit's icon, for inspection.
    QSystemTrayIcon* SystemIcon() const { return m_icon; }

signals:
    void TrayEvent(int kind);

private:
    QSystemTrayIcon* m_icon = nullptr;
    std::function<void(int)> m_handler;
    QString m_tip;
    bool m_exists = false;
};

} // namespace kivola
