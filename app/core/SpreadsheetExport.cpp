#include "SpreadsheetExport.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include <xlsxwriter.h>

#include "ResultGraphs.h"
#include "SafeFile.h"
#include "entry/NumberFormat.h"
#include "plot/TGraphPlot.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLegendSheet = "Legend";
constexpr const char* kStatusComplete = "Complete";
constexpr const char* kBackLinkText = "Go to Legend Page";
// First row of the curve values on a data sheet (1-based), below caption, axis titles,
// legend texts and the X/Y headings.
constexpr int kFirstDataRow = 6;
constexpr int kLegendCaptionRow = 4;
constexpr int kXYHeadingRow = 5;
// The legend's first graph row (1-based): row 2 holds the headings.
constexpr int kLegendFirstRow = 3;
// Digits of a value that a number cell cannot hold (not finite as a double), written as text.
constexpr int kTextDigits = 10;
constexpr int kColumnsPerLetter = 26;
constexpr int kLastTwoLetterColumn = 702;

// A libxlsxwriter call failed; the text says which.
class EWriteStep : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

void Check(lxw_error error, const std::string& what)
{
    if (error != LXW_NO_ERROR) {
        std::string reason = lxw_strerror(error);
        // The library's texts end with a full stop; the message adds its own.
        while (!reason.empty() && reason.back() == '.') {
            reason.pop_back();
        }
        throw EWriteStep(what + ": " + reason);
    }
}

// The library's errors that stand for a failed file operation of the system.
bool IsWriteError(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return true;
    default:
        return false;
    }
}

template<typename T>
T* Require(T* made, const std::string& what)
{
    if (made == nullptr) {
        throw EWriteStep(what + " could not be made");
    }
    return made;
}

// 0-based row and column of the library from the 1-based numbers the layout is told in.
lxw_row_t Row(int row1)
{
    return static_cast<lxw_row_t>(row1 - 1);
}

lxw_col_t Col(int col1)
{
    return static_cast<lxw_col_t>(col1 - 1);
}

std::string CellName(const std::string& sheet, int row1, int col1)
{
    return sheet + "!" + GetExcelCol(col1) + std::to_string(row1);
}

void WriteText(lxw_worksheet* sheet,
               const std::string& sheetName,
               int row1,
               int col1,
               const std::string& text,
               lxw_format* format = nullptr)
{
    Check(worksheet_write_string(sheet, Row(row1), Col(col1), text.c_str(), format),
          "cell " + CellName(sheetName, row1, col1));
}

// Values are written as numbers so the charts can plot them. A value a number cell cannot
// hold (NaN, infinite, or beyond the double range) is written as its text, which a chart
// leaves out as a gap, rather than as a value the file cannot carry.
void WriteValue(lxw_worksheet* sheet,
                const std::string& sheetName,
                int row1,
                int col1,
                long double value)
{
    const double number = static_cast<double>(value);
    if (!std::isfinite(number)) {
        WriteText(sheet, sheetName, row1, col1, FormatFloatGeneral(value, kTextDigits));
        return;
    }
    Check(worksheet_write_number(sheet, Row(row1), Col(col1), number, nullptr),
          "cell " + CellName(sheetName, row1, col1));
}

void WriteLink(lxw_worksheet* sheet,
               const std::string& sheetName,
               int row1,
               int col1,
               const std::string& target,
               const std::string& text)
{
    const std::string url = "internal:" + target;
    Check(worksheet_write_url_opt(sheet,
                                  Row(row1),
                                  Col(col1),
                                  url.c_str(),
                                  nullptr,
                                  text.c_str(),
                                  nullptr),
          "link in " + CellName(sheetName, row1, col1));
}

// The library reads a name that starts with "=" as a cell reference; such a text is given as
// a reference to the cell that holds it, so it shows as written.
bool LooksLikeFormula(const std::string& text)
{
    return !text.empty() && text.front() == '=';
}

// Owns the workbook until it is closed; a workbook dropped on a failure is closed into its
// temporary file, which the caller removes.
struct TWorkbookCloser
{
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};
using TWorkbookPtr = std::unique_ptr<lxw_workbook, TWorkbookCloser>;

class TWorkbookWriter
{
public:
    explicit TWorkbookWriter(const std::string& fileName)
        : m_workbook(Require(workbook_new(fileName.c_str()), "the workbook"))
    {}

    void WriteLegend(int graphCount)
    {
        m_legend = Require(workbook_add_worksheet(m_workbook.get(), kLegendSheet),
                           std::string("sheet ") + kLegendSheet);
        lxw_format* heading = Require(workbook_add_format(m_workbook.get()), "a cell format");
        format_set_bold(heading);
        format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);
        for (std::size_t i = 0; i < kExportLegendHeadings.size(); ++i) {
            const int col1 = 2 + static_cast<int>(i);
            const std::string text = kExportLegendHeadings[i];
            // The columns fit their headings, whose blanks set the widths.
            Check(worksheet_set_column(m_legend,
                                       Col(col1),
                                       Col(col1),
                                       static_cast<double>(text.size()) + 1.0,
                                       nullptr),
                  "the width of legend column " + GetExcelCol(col1));
            WriteText(m_legend, kLegendSheet, 2, col1, text, heading);
        }
        for (int i = 1; i <= graphCount; ++i) {
            Check(worksheet_write_number(m_legend, Row(i + 2), Col(2), i, nullptr),
                  "cell " + CellName(kLegendSheet, i + 2, 2));
        }
    }

    // The k-th exported graph (1-based): legend row, data sheet Page_k, chart sheet Plot_k.
    void GenerateChart(int k, const TGraphPlot& graph)
    {
        const int r = k + kLegendFirstRow - 1;
        const std::string page = "Page_" + std::to_string(k);
        const std::string plot = "Plot_" + std::to_string(k);
        const std::string xTitle = ExportAxisTitle(graph.XCaption(), graph.XUnits(), graph.Units());
        const std::string yTitle = ExportAxisTitle(graph.YCaption(), graph.YUnits(), graph.Units());

        WriteText(m_legend, kLegendSheet, r, 3, graph.Caption());
        WriteLink(m_legend, kLegendSheet, r, 4, page + "!A1", page);
        WriteText(m_legend, kLegendSheet, r, 5, plot);

        lxw_worksheet* data =
            Require(workbook_add_worksheet(m_workbook.get(), page.c_str()), "sheet " + page);
        WriteLink(data, page, 1, 7, std::string(kLegendSheet) + "!A1", kBackLinkText);
        WriteText(data, page, 1, 1, graph.Caption());
        WriteText(data, page, 2, 1, "X");
        WriteText(data, page, 2, 2, xTitle);
        WriteText(data, page, 3, 1, "Y");
        WriteText(data, page, 3, 2, yTitle);

        const int curveCount = graph.LineCount();
        for (int c = 1; c <= curveCount; ++c) {
            const TLine& curve = graph.Line(c - 1);
            const int x = 2 * c - 1;
            WriteText(data, page, kLegendCaptionRow, x, curve.GetCaption());
            WriteText(data, page, kXYHeadingRow, x, "X");
            WriteText(data, page, kXYHeadingRow, x + 1, "Y");
            // Each curve is written with its own point count, so curves of different
            // lengths are neither cut nor read past their end.
            for (int j = 0; j < curve.PointCount(); ++j) {
                const TFloatPoint& point = curve.Points(j);
                WriteValue(data, page, kFirstDataRow + j, x, point.X);
                WriteValue(data, page, kFirstDataRow + j, x + 1, point.Y);
            }
        }

        lxw_chart* chart =
            Require(workbook_add_chart(m_workbook.get(), LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS),
                    "chart " + plot);
        for (int c = 1; c <= curveCount; ++c) {
            const TLine& curve = graph.Line(c - 1);
            const std::string xCol = GetExcelCol(2 * c - 1);
            const std::string yCol = GetExcelCol(2 * c);
            // A curve without points keeps its series, over one empty row.
            const int lastRow = kFirstDataRow + std::max(curve.PointCount(), 1) - 1;
            const std::string rows = "$" + std::to_string(kFirstDataRow) + ":$";
            const std::string xRange =
                "=" + page + "!$" + xCol + rows + xCol + "$" + std::to_string(lastRow);
            const std::string yRange =
                "=" + page + "!$" + yCol + rows + yCol + "$" + std::to_string(lastRow);
            lxw_chart_series* series =
                Require(chart_add_series(chart, xRange.c_str(), yRange.c_str()),
                        "series " + std::to_string(c) + " of " + plot);
            const std::string name = curve.GetCaption();
            if (LooksLikeFormula(name)) {
                chart_series_set_name_range(series,
                                            page.c_str(),
                                            Row(kLegendCaptionRow),
                                            Col(2 * c - 1));
            } else {
                chart_series_set_name(series, name.c_str());
            }
        }
        if (curveCount == 0) {
            // A chart needs a series: a graph without curves gets one over the empty first
            // row, kept out of the legend, so its sheets are there like every other graph's.
            Require(chart_add_series(chart,
                                     ("=" + page + "!$A$6:$A$6").c_str(),
                                     ("=" + page + "!$B$6:$B$6").c_str()),
                    "the empty series of " + plot);
            std::int16_t hidden[] = {0, -1};
            Check(chart_legend_delete_series(chart, hidden), "the legend of " + plot);
        }
        chart_title_off(chart);
        SetAxis(chart->x_axis, xTitle, page, 2);
        SetAxis(chart->y_axis, yTitle, page, 3);
        if (graph.XOnTop()) {
            // Depth grows downward, the X axis then crosses at the top.
            chart_axis_set_reverse(chart->y_axis);
        }
        // The legend keeps the library's default frame and fill: this library version offers
        // no legend border or fill setting.

        lxw_chartsheet* chartSheet =
            Require(workbook_add_chartsheet(m_workbook.get(), plot.c_str()), "sheet " + plot);
        Check(chartsheet_set_chart(chartSheet, chart), "the chart of " + plot);

        WriteText(m_legend, kLegendSheet, r, 6, kStatusComplete);
    }

    // Writes the file; after this the workbook is gone whatever the outcome. A write the
    // system refused (a full disk, a file-size limit) reaches the library only as its zip
    // writer's code, while errno still holds the system's reason.
    void Close()
    {
        errno = 0;
        const lxw_error error = workbook_close(m_workbook.release());
        const int reason = errno;
        if (error != LXW_NO_ERROR && reason != 0 && IsWriteError(error)) {
            throw EWriteStep("the data could not be written (" + std::string(std::strerror(reason))
                             + ")");
        }
        Check(error, "the workbook");
    }

private:
    static void
    SetAxis(lxw_chart_axis* axis, const std::string& title, const std::string& page, int row1)
    {
        if (LooksLikeFormula(title)) {
            chart_axis_set_name_range(axis, page.c_str(), Row(row1), Col(2));
        } else if (!title.empty()) {
            chart_axis_set_name(axis, title.c_str());
        }
        chart_axis_major_gridlines_set_visible(axis, LXW_TRUE);
    }

    TWorkbookPtr m_workbook;
    lxw_worksheet* m_legend = nullptr;
};

} // namespace

std::string UnitsTitle(const std::string& units, int system)
{
    return ExpandUnitPlaceholders(units, std::clamp(system, 1, 3));
}

std::string GetExcelCol(int n)
{
    if (n >= 1 && n <= kColumnsPerLetter) {
        return std::string(1, static_cast<char>('A' + n - 1));
    }
    if (n > kColumnsPerLetter && n <= kLastTwoLetterColumn) {
        const int first = (n - 1) / kColumnsPerLetter;
        const int second = (n - 1) % kColumnsPerLetter;
        return std::string{static_cast<char>('A' + first - 1), static_cast<char>('A' + second)};
    }
    return {};
}

std::string ExportAxisTitle(const std::string& caption, const std::string& units, int system)
{
    if (units.empty()) {
        return caption;
    }
    return caption + " (" + UnitsTitle(units, system) + ")";
}

void ExportGraphsToWorkbook(const std::vector<const TGraphPlot*>& graphs, const std::string& path)
{
    const std::string failed = "The workbook could not be written to " + path + ": ";
    const std::string unchanged = ". No file was changed.";
    std::vector<const TGraphPlot*> exported;
    for (const TGraphPlot* graph : graphs) {
        if (graph == nullptr) {
            continue;
        }
        if (graph->LineCount() > kMaxExportCurves) {
            throw EExportError(failed + "\"" + graph->Caption() + "\" has "
                               + std::to_string(graph->LineCount())
                               + " curves, more than a chart holds ("
                               + std::to_string(kMaxExportCurves) + ")" + unchanged);
        }
        exported.push_back(graph);
    }

    // The workbook library writes by name: to a temporary file of this export beside the
    // target, renamed over it only when the workbook is complete.
    std::optional<TSafeFile> file;
    try {
        file.emplace(path);
    } catch (const ESafeFileError& e) {
        throw EExportError(failed + e.Reason() + unchanged);
    }
    try {
        TWorkbookWriter writer(file->TemporaryPath());
        writer.WriteLegend(static_cast<int>(exported.size()));
        for (std::size_t i = 0; i < exported.size(); ++i) {
            writer.GenerateChart(static_cast<int>(i) + 1, *exported[i]);
        }
        writer.Close();
    } catch (const EWriteStep& e) {
        throw EExportError(failed + e.what() + unchanged);
    }
    try {
        file->Commit();
    } catch (const ESafeFileError& e) {
        throw EExportError(failed + e.Reason() + unchanged);
    }
}

TExportSelection::TExportSelection(TResultGraphs& graphs)
    : m_plots(graphs.All())
{}

void TExportSelection::FormActivate(const std::array<bool, kExportPlotCount>& menuEnabled)
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        m_items[i].Caption = m_plots[i]->Caption();
        m_items[i].Enabled = menuEnabled[i];
        m_items[i].Checked = menuEnabled[i];
    }
    CheckGenerateBtn();
}

TGraphPlot* TExportSelection::GetPlotPt(int n) const
{
    if (n < 1 || n > kExportPlotCount) {
        return nullptr;
    }
    return m_plots[static_cast<std::size_t>(n - 1)];
}

std::string TExportSelection::GetMenuPt(int n) const
{
    if (n < 1 || n > kExportPlotCount) {
        return {};
    }
    return kExportMenuItems[static_cast<std::size_t>(n - 1)];
}

const TExportSelection::TItem* TExportSelection::Item(int n) const
{
    if (n < 1 || n > kExportPlotCount) {
        return nullptr;
    }
    return &m_items[static_cast<std::size_t>(n - 1)];
}

std::string TExportSelection::ItemCaption(int n) const
{
    const TItem* item = Item(n);
    return item != nullptr ? item->Caption : std::string();
}

bool TExportSelection::ItemEnabled(int n) const
{
    const TItem* item = Item(n);
    return item != nullptr && item->Enabled;
}

bool TExportSelection::ItemChecked(int n) const
{
    const TItem* item = Item(n);
    return item != nullptr && item->Checked;
}

void TExportSelection::SetItemChecked(int n, bool checked)
{
    if (n < 1 || n > kExportPlotCount) {
        return;
    }
    TItem& item = m_items[static_cast<std::size_t>(n - 1)];
    if (!item.Enabled) {
        return;
    }
    item.Checked = checked;
    CheckGenerateBtn();
}

int TExportSelection::GetNPlots() const
{
    return static_cast<int>(
        std::count_if(m_items.begin(), m_items.end(), [](const TItem& i) { return i.Checked; }));
}

bool TExportSelection::CheckGenerateBtn()
{
    m_generateEnabled = GetNPlots() > 0;
    return m_generateEnabled;
}

void TExportSelection::Button1Click()
{
    for (TItem& item : m_items) {
        if (item.Enabled) {
            item.Checked = true;
        }
    }
    CheckGenerateBtn();
}

void TExportSelection::Button2Click()
{
    for (TItem& item : m_items) {
        if (item.Enabled) {
            item.Checked = false;
        }
    }
    CheckGenerateBtn();
}

std::vector<const TGraphPlot*> TExportSelection::CheckedPlots() const
{
    std::vector<const TGraphPlot*> plots;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].Checked) {
            plots.push_back(m_plots[i]);
        }
    }
    return plots;
}

void TExportSelection::Button3Click(const std::string& path) const
{
    if (!m_generateEnabled) {
        throw EExportError("The workbook could not be written to " + path
                           + ": no plot is selected. No file was changed.");
    }
    ExportGraphsToWorkbook(CheckedPlots(), path);
}
