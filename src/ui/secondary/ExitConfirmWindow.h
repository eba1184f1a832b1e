#pragma once
// ExitConfirmWindow: "really leave?" with a yes and a no picture button. Yes is the program's
// own way of ending: the exit routine runs, then the process ends with code 0 at once, even
// from inside nested modal loops. No closes the window and the caller goes on as before.
// Every key and every close request from outside is discarded.

#include <QDialog>
#include <QPixmap>

#include <functional>

namespace kivola {

class PictureButton;

class ExitConfirmWindow : public QDialog {
    Q_OBJECT
public:
    explicit ExitConfirmWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    // Escape and close requests end here; only the no button closes the window.
    void reject() override;

private:
    void OnYes();
    void OnNo();
    void CloseNow();

    QPixmap m_background;
    bool m_closing = false;
    PictureButton* 按钮1 = nullptr;
    PictureButton* 按钮2 = nullptr;
};

// Shows ExitConfirmWindow modal and without an owner; returns when it has closed, which
// happens only through the no button (or after yes when the process ender was replaced).
void ConfirmExit();

// Ends the process with code at once: flushes the C streams and leaves without unwinding,
// so no destructor and no event loop can run after the exit routine.
[[noreturn]] void EndProcessNow(int code);

// The last step of the yes button. Tests replace it to watch the ending without dying; an
// empty function restores EndProcessNow. When a replacement returns, the window closes.
using ProcessEnder = std::function<void(int code)>;
void SetProcessEnder(ProcessEnder ender);

} // namespace kivola
