#pragma once
// Controls made from a template share its handlers and are told apart by their tag,
// a number held as text (Qt property "tag").

#include <QObject>
#include <QString>
#include <QVariant>

namespace kivola {

inline void SetTag(QObject* control, int tag) {
    control->setProperty("tag", QString::number(tag));
}

// The tag of a control as a number; 0 when it has none or it is not a number.
inline int TagOf(const QObject* control) {
    if (control == nullptr) {
        return 0;
    }
    bool ok = false;
    int tag = control->property("tag").toString().toInt(&ok);
    return ok ? tag : 0;
}

// The first child of parent of type T whose tag is tag, or null.
template <typename T> T* FindByTag(QObject* parent, int tag) {
    const auto children = parent->findChildren<T*>();
    for (T* child : children) {
        if (TagOf(child) == tag) {
            return child;
        }
    }
    return nullptr;
}

} // namespace kivola
