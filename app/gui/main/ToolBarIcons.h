#pragma once

#include <QIcon>

class QStyle;

// The picture of a tool button, by the button's name: the desktop theme's icon where one
// fits (the style's own picture when the theme has none), otherwise one drawn for this
// program. A null icon for a name without a picture.
QIcon ToolButtonIcon(const char* buttonName, const QStyle& style);
