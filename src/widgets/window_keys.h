#pragma once

class QWidget;

namespace vqx {

// The keyboard of a window opened from another one. Escape closes it, as it
// closes a dialog, unless the control holding the focus uses the key itself.
// When it goes, the window that opened it takes the keyboard back, its focus
// where it was: without a window manager nobody else would hand it over. A
// window in which no control takes the keyboard holds the focus itself, so
// that Escape reaches it.
//
// `opener` is the window to go back to; when it is gone by then, the window
// of `window`'s parent takes the keyboard.
void leaveWithEscape(QWidget *window, QWidget *opener);

} // namespace vqx
