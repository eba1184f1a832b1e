#pragma once
// Windows, canvases and buttons of the program take no keys: every key press on them is
// discarded, system keys (Alt combinations) included.

class QWidget;

namespace kivola {

// From now on every key event that reaches widget is thrown away.
void DiscardKeys(QWidget* widget);

} // namespace kivola
