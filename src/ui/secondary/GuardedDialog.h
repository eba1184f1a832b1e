#pragma once
// A frameless dialog, centred on the screen, that takes no keys and closes only in its own
// ways (CloseNow): Escape, Enter, Alt+F4 and the window manager's close change nothing.

#include <QDialog>

namespace kivola {

class GuardedDialog : public QDialog {
    Q_OBJECT
public:
    GuardedDialog(QWidget* parent, int width, int height);

public slots:
    // Escape and close requests end here; they do nothing unless the dialog is closing.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Closes the dialog; its modal call returns result.
    void CloseNow(int result);

private:
    bool m_closing = false;
};

} // namespace kivola
