#pragma once
// ExitConfirmWindow: "really leave?" with a yes and a no picture button. Yes is the program's
// own way of ending: the exit routine runs, then the process ends with code 0 at once, even
// from inside nested modal loops. No closes the window and the caller goes on as before.
// Every key and every close request from outside is discarded.

#include "ui/secondary/GuardedDialog.h"

#include <QPixmap>

#include <functional>

namespace kivola {

class PictureButton;

class ExitConfirmWindow : public GuardedDialog {
    Q_OBJECT
public:
    explicit ExitConfirmWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnYes();
    void OnNo();

    QPixmap m_background;
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
