#pragma once

#include <array>
#include <functional>

#include "input/InputWindowKinds.h"

class QWidget;
class TWindowHost;

// The input windows the main window launches: one entry per window, with its menu item and tool
// button. A window not built yet has no Create; its item and button stay disabled.
struct TInputWindowLauncher : TInputWindowKind
{
    // Makes the window as a child of the host's MDI area; it frees itself on close.
    std::function<QWidget*(TWindowHost&)> Create;
};

// The table, in the order of EInputWindow.
const std::array<TInputWindowLauncher, kInputWindowCount>& InputWindowLaunchers();
