#pragma once

#include <array>
#include <cstddef>

// The input windows, in the order of the launcher table.
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

// What names an input window: its menu item and tool button in the main window, its class and
// its caption.
struct TInputWindowKind
{
    EInputWindow Which;
    const char* MenuName;    // objectName of the menu item
    const char* MenuText;    // menu caption
    const char* ToolName;    // objectName of the tool button; null when there is none
    const char* ToolHint;    // the tool button's hint
    const char* WindowClass; // the window's class
    const char* Caption;     // the window's caption
    bool Hidden;             // the item is kept hidden
};

// Indexed by EInputWindow.
inline constexpr std::array<TInputWindowKind, kInputWindowCount> kInputWindowKinds = {{
    {EInputWindow::Title,
     "mTitle",
     "&Title",
     "sbTitle",
     "Title",
     "TdlgTitle",
     "Project Title",
     false},
    {EInputWindow::ComputationMethod,
     "mCompMethod",
     "Computational &Method",
     "sbCompMethod",
     "Computational Method",
     "TfrmWaterDepth",
     "Computation Methods",
     false},
    {EInputWindow::PileMaterial,
     "mPileMaterial",
     "&Pile Material",
     "sbPileMaterial",
     "Pile Material",
     "TfrmMaterial",
     "Pile Material",
     false},
    {EInputWindow::CircularPile,
     "mCircularPile",
     "&Circular-Section Pile",
     "sbCircularPile",
     "Circular Section",
     "TfrmShaftpeneta",
     "Circular Pile Properties",
     false},
    {EInputWindow::NoncircularPile,
     "mNoncircularPile",
     "&Noncircular-Section Pile",
     "sbNoncircularPile",
     "Non-Circular",
     "TfrmNCsection",
     "Noncircular Pile Properties",
     false},
    {EInputWindow::SoilLayers,
     "mSoilLayers",
     "Soi&l Layers",
     "sbSoilLayers",
     "Soil layer Data",
     "TDlgSoilLayers",
     "Soill Layers",
     false},
    {EInputWindow::CptData,
     "mCptData",
     "CPT Data File (optional for cone-based method)",
     nullptr,
     nullptr,
     "TDlgInputMotion",
     "Data of Cone Penetration Test",
     false},
    {EInputWindow::TzPrint,
     "mTzPrint",
     "Print t-z Curves at Additional Depths ",
     nullptr,
     nullptr,
     "TDlgTZPrint",
     "Option of Printing t-z Curves",
     false},
    {EInputWindow::ControlOptions,
     "mControlOptions",
     "Control &Options",
     nullptr,
     nullptr,
     "TDlgOptions",
     "Control Options",
     false},
    {EInputWindow::CriticalDepth,
     "mCriticalDepth",
     "Critical Depth Used by US ARMY Method",
     nullptr,
     nullptr,
     "TDlgBlock",
     "Critical Depths Used by US Army Method",
     true},
    {EInputWindow::SideView,
     "mSideView",
     "&View Soil Layer Coordinates",
     "sbSideView",
     "View Soil Profile",
     "TDlgSideView",
     "Elevation View",
     false},
}};

// A row out of its place would give a menu item another window's class and caption.
constexpr bool KindsSitAtTheirPlace()
{
    for (std::size_t i = 0; i < kInputWindowKinds.size(); ++i) {
        if (static_cast<std::size_t>(kInputWindowKinds[i].Which) != i) {
            return false;
        }
    }
    return true;
}
static_assert(KindsSitAtTheirPlace(), "every row of kInputWindowKinds sits at its EInputWindow");

inline constexpr const TInputWindowKind& KindOf(EInputWindow which)
{
    return kInputWindowKinds[static_cast<std::size_t>(which)];
}
