#include "main/InputWindows.h"

#include "input/TDlgBlock.h"
#include "input/TDlgInputMotion.h"
#include "input/TDlgOptions.h"
#include "input/TDlgSoilLayers.h"
#include "input/TDlgTZPrint.h"
#include "input/TInputWindow.h"
#include "input/TdlgTitle.h"
#include "input/TfrmMaterial.h"
#include "input/TfrmNCsection.h"
#include "input/TfrmShaftpeneta.h"
#include "input/TfrmWaterDepth.h"
#include "views/TDlgSideView.h"

namespace {

using TCreate = std::function<QWidget*(TWindowHost&)>;

template<typename Window>
TCreate OpenerOf()
{
    return [](TWindowHost& host) {
        return TInputWindow::Open<Window>(host);
    };
}

// Where each input window goes; a window not built yet gets none. The switch names every
// window, so a new one cannot be forgotten.
TCreate CreatorOf(EInputWindow which)
{
    switch (which) {
    case EInputWindow::Title:
        return OpenerOf<TdlgTitle>();
    case EInputWindow::ComputationMethod:
        return OpenerOf<TfrmWaterDepth>();
    case EInputWindow::PileMaterial:
        return OpenerOf<TfrmMaterial>();
    case EInputWindow::CircularPile:
        return OpenerOf<TfrmShaftpeneta>();
    case EInputWindow::NoncircularPile:
        return OpenerOf<TfrmNCsection>();
    case EInputWindow::SoilLayers:
        return OpenerOf<TDlgSoilLayers>();
    case EInputWindow::CptData:
        return OpenerOf<TDlgInputMotion>();
    case EInputWindow::TzPrint:
        return OpenerOf<TDlgTZPrint>();
    case EInputWindow::ControlOptions:
        return OpenerOf<TDlgOptions>();
    case EInputWindow::CriticalDepth:
        return OpenerOf<TDlgBlock>();
    case EInputWindow::SideView:
        return [](TWindowHost& host) {
            return TDlgSideView::Open(host);
        };
    case EInputWindow::Count:
        break;
    }
    return {};
}

} // namespace

// The names come from the window kinds, each at its EInputWindow; the main window enables the
// item and button of a window that has a Create and keeps its open flag.
const std::array<TInputWindowLauncher, kInputWindowCount>& InputWindowLaunchers()
{
    static const std::array<TInputWindowLauncher, kInputWindowCount> launchers = [] {
        std::array<TInputWindowLauncher, kInputWindowCount> rows{};
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rows[i] = {kInputWindowKinds[i], CreatorOf(kInputWindowKinds[i].Which)};
        }
        return rows;
    }();
    return launchers;
}
