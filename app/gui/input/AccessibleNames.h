#pragma once

class QWidget;

// Gives every control under the window that has no accessible name one: a button, label or
// group its caption without the accelerator mark, a numeric edit the text of its label, any
// other control its component name.
void NameForAccessibility(QWidget& root);
