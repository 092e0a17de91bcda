#pragma once

#include <array>
#include <functional>

class QWidget;
class TMainForm;

// The input windows the main window launches: one entry per window, with its menu item and tool
// button. A window not built yet has no Create; its item and button stay disabled.
struct TInputWindowLauncher
{
    const char* MenuName;    // objectName of the menu item
    const char* MenuText;    // menu caption
    const char* ToolName;    // objectName of the tool button; null when there is none
    const char* ToolHint;    // the tool button's hint
    const char* WindowClass; // the window's class
    const char* Caption;     // the window's caption
    bool Hidden;             // the item is kept hidden
    // Makes the window as a child of the main window; it frees itself on close.
    std::function<QWidget*(TMainForm&)> Create;
};

enum class EInputWindow
{
    Title,
    ComputationMethod,
    PileMaterial,
    CircularPile,
    NoncircularPile,
    SoilLayers,
    CptData,
    TzPrint,
    ControlOptions,
    CriticalDepth,
    SideView,
    Count
};

inline constexpr int kInputWindowCount = static_cast<int>(EInputWindow::Count);

// The table, in the order of EInputWindow.
const std::array<TInputWindowLauncher, kInputWindowCount>& InputWindowLaunchers();
