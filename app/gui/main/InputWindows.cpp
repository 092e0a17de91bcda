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

// Where each input window goes. Set Create when the window exists; the main window then
// enables its item and button and keeps its open flag.
const std::array<TInputWindowLauncher, kInputWindowCount>& InputWindowLaunchers()
{
    static const std::array<TInputWindowLauncher, kInputWindowCount> launchers = {{
        {"mTitle",
         "&Title",
         "sbTitle",
         "Title",
         "TdlgTitle",
         "Project Title",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TdlgTitle>(form);
         }},
        {"mCompMethod",
         "Computational &Method",
         "sbCompMethod",
         "Computational Method",
         "TfrmWaterDepth",
         "Computation Methods",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TfrmWaterDepth>(form);
         }},
        {"mPileMaterial",
         "&Pile Material",
         "sbPileMaterial",
         "Pile Material",
         "TfrmMaterial",
         "Pile Material",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TfrmMaterial>(form);
         }},
        {"mCircularPile",
         "&Circular-Section Pile",
         "sbCircularPile",
         "Circular Section",
         "TfrmShaftpeneta",
         "Circular Pile Properties",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TfrmShaftpeneta>(form);
         }},
        {"mNoncircularPile",
         "&Noncircular-Section Pile",
         "sbNoncircularPile",
         "Non-Circular",
         "TfrmNCsection",
         "Noncircular Pile Properties",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TfrmNCsection>(form);
         }},
        {"mSoilLayers",
         "Soi&l Layers",
         "sbSoilLayers",
         "Soil layer Data",
         "TDlgSoilLayers",
         "Soill Layers",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TDlgSoilLayers>(form);
         }},
        {"mCptData",
         "CPT Data File (optional for cone-based method)",
         nullptr,
         nullptr,
         "TDlgInputMotion",
         "Data of Cone Penetration Test",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TDlgInputMotion>(form);
         }},
        {"mTzPrint",
         "Print t-z Curves at Additional Depths ",
         nullptr,
         nullptr,
         "TDlgTZPrint",
         "Option of Printing t-z Curves",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TDlgTZPrint>(form);
         }},
        {"mControlOptions",
         "Control &Options",
         nullptr,
         nullptr,
         "TDlgOptions",
         "Control Options",
         false,
         [](TMainForm& form) {
             return TInputWindow::Open<TDlgOptions>(form);
         }},
        {"mCriticalDepth",
         "Critical Depth Used by US ARMY Method",
         nullptr,
         nullptr,
         "TDlgBlock",
         "Critical Depths Used by US Army Method",
         true,
         [](TMainForm& form) {
             return TInputWindow::Open<TDlgBlock>(form);
         }},
        {"mSideView",
         "&View Soil Layer Coordinates",
         "sbSideView",
         "View Soil Profile",
         "TDlgSideView",
         "Elevation View",
         false,
         [](TMainForm& form) {
             return TDlgSideView::Open(form);
         }},
    }};
    return launchers;
}
