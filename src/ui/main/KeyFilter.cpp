#include "ui/main/KeyFilter.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace kivola {
namespace {

class KeyDiscarder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void DiscardKeys(QWidget* widget) {
    static KeyDiscarder discarder;
    widget->installEventFilter(&discarder);
}

} // namespace kivola
