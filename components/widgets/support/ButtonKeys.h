#pragma once

class QWidget;

// Return and Enter press the window's focused push or tool button, as Space does. Qt leaves
// Return to a dialog's default button and ignores it on a button elsewhere (an input window in
// the frame, a table editor whose buttons must not take the grid's Enter). Installed once on a
// window; it covers the buttons made in it later too. Return in any other control keeps its
// meaning there.
void PressFocusedButtonOnReturn(QWidget& window);
