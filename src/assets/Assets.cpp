#include "assets/Assets.h"

#include <QPainter>

// Placeholder until the art lands: plain coloured pictures of the right sizes.
namespace kivola {

QCursor AppCursor(CursorId) { return QCursor(Qt::ArrowCursor); }

QPixmap AssetPixmap(const QString&) { return QPixmap(); }

QIcon AppIcon() { return QIcon(); }

} // namespace kivola
