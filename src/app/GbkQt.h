#pragma once
// GBK at the toolkit's boundary: widgets hold QString, the core holds GBK bytes.

#include "app/Gbk.h"

#include <QString>

namespace kivola {

inline QString ToQ(std::string_view gbkText) {
    return QString::fromStdString(gbk::ToUtf8(gbkText));
}

inline std::string FromQ(const QString& text) {
    return gbk::FromUtf8(text.toStdString());
}

} // namespace kivola
