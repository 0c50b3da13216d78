#pragma once

#include <functional>

class QAbstractItemView;

namespace vqx {

// Alt, Ctrl and Meta combinations are commands, never typing: on X11 a line
// edit would otherwise insert the "f" of an Alt+F that no menu took. Installed
// once for the whole application; later calls do nothing.
void installShortcutKeysFilter();

// Enter or Return on the view runs `act`, as a double click does with the mouse.
void onEnterKey(QAbstractItemView *view, std::function<void()> act);

} // namespace vqx
