#pragma once

#include <array>
#include <string>
#include <vector>

#include "support/Exception.h"

class TGraphPlot;
class TResultGraphs;

// The workbook could not be written. The message names the file; nothing was left under
// that name (an earlier file of that name is unchanged).
class EExportError : public Exception
{
public:
    using Exception::Exception;
};

// Number of graphs the export offers: the ten result graphs in TResultGraphs::All() order.
inline constexpr int kExportPlotCount = 10;

// Names of the main-window menu items that show the ten graphs, in the same order; a graph
// can be exported exactly when its item is enabled.
inline constexpr std::array<const char*, kExportPlotCount> kExportMenuItems = {"uSkin",
                                                                               "mSkin",
                                                                               "mTip",
                                                                               "mTotal",
                                                                               "mLoad",
                                                                               "mCombine",
                                                                               "mAxial",
                                                                               "mtzcurves",
                                                                               "Extratzcurves",
                                                                               "mQw"};

// A chart holds at most this many series (the spreadsheet's limit); the program's own graphs
// stay below it (240 t-z curves at most).
inline constexpr int kMaxExportCurves = 255;

// The legend sheet's headings, columns B to F of row 2.
inline constexpr std::array<const char*, 5> kExportLegendHeadings = {
    "     N    ",
    "                             Plot Name                             ",
    "  Sheet Name  ",
    "  Chart Name  ",
    "          Status          "};

// A unit placeholder text in words: system 3 gives the text unchanged; otherwise "F2", else
// "F1", else "F" is replaced everywhere by the force unit, then "L2", else "L1", else "L" by
// the length unit (English: tons, kips, lbs; ft, in, in. SI: kN, kN, kN; m, mm, m). The
// system is clamped into 1..3 first, as the graphs hold it.
std::string UnitsTitle(const std::string& units, int system);

// Column letters of column n (1-based): "A".."Z" for 1..26, "AA".."ZZ" for 27..702. Outside
// 1..702 the result is empty.
std::string GetExcelCol(int n);

// An axis title: the caption, followed by " (" + the units in words + ")" when the unit text
// is not empty.
std::string ExportAxisTitle(const std::string& caption, const std::string& units, int system);

// Writes the graphs, in the order given, to a new workbook at path: sheet "Legend" listing
// them with links, then for the k-th graph the data sheet "Page_k" and the scatter chart
// "Plot_k". Numbers are written as numbers, so the charts plot them. The workbook is written
// under a temporary name beside path and renamed when complete; on any failure the
// temporary file is removed and EExportError names path. Null entries are skipped.
void ExportGraphsToWorkbook(const std::vector<const TGraphPlot*>& graphs, const std::string& path);

// What the "Export to Excel" dialog shows and keeps: the ten result graphs as a check list,
// an item enabled (and checked on activation) exactly when its graph's menu item is enabled,
// and the state of the "Generate Excel File" button. Items are numbered 1..10 as the graphs.
class TExportSelection
{
public:
    explicit TExportSelection(TResultGraphs& graphs);

    // Rebuilds the list from the graphs' captions and the menu items' enabled states (in
    // kExportMenuItems order): item i is enabled and checked exactly when menu item i is
    // enabled; then CheckGenerateBtn.
    void FormActivate(const std::array<bool, kExportPlotCount>& menuEnabled);

    // Graph of plot number n (1..10); null for other numbers.
    TGraphPlot* GetPlotPt(int n) const;
    // Menu item name of plot number n (1..10); empty for other numbers.
    std::string GetMenuPt(int n) const;

    // The list as shown, by plot number (1..10; other numbers give empty / false).
    std::string ItemCaption(int n) const;
    bool ItemEnabled(int n) const;
    bool ItemChecked(int n) const;

    // The user ticks or clears item n. A disabled item keeps its state; the generate button
    // follows at once, so it is never enabled with nothing to export.
    void SetItemChecked(int n, bool checked);

    // Number of checked items.
    int GetNPlots() const;
    // Enables "Generate Excel File" when at least one item is checked; returns the state.
    bool CheckGenerateBtn();
    bool GenerateEnabled() const { return m_generateEnabled; }

    // "Select All" / "Unselect All": every enabled item checked / cleared (disabled items keep
    // their state), then CheckGenerateBtn.
    void Button1Click();
    void Button2Click();

    // The checked graphs in table order: what the export writes.
    std::vector<const TGraphPlot*> CheckedPlots() const;

    // "Generate Excel File": writes the checked graphs to the workbook at path (see
    // ExportGraphsToWorkbook). Raises EExportError when the button is disabled.
    void Button3Click(const std::string& path) const;

private:
    struct TItem
    {
        std::string Caption;
        bool Enabled = false;
        bool Checked = false;
    };
    const TItem* Item(int n) const;

    std::array<TGraphPlot*, kExportPlotCount> m_plots{};
    std::array<TItem, kExportPlotCount> m_items{};
    bool m_generateEnabled = false;
};
