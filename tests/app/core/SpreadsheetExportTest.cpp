#include "SpreadsheetExport.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "FileSizeLimit.h"
#include "ResultGraphs.h"
#include "TestFolder.h"
#include "ZipReader.h"

namespace fs = std::filesystem;

namespace {

// Numbers pass through the workbook's decimal text of 16 significant digits.
constexpr double kNumberTol = 1e-12;

class TempFolder : public TTestFolder
{
public:
    TempFolder()
        : TTestFolder("xlsx-export")
    {}
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

// --- A small reader of the workbook's XML parts, enough for the checks below. ---

std::string Unescape(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},
                                                            {"&gt;", ">"},
                                                            {"&quot;", "\""},
                                                            {"&apos;", "'"},
                                                            {"&amp;", "&"}};
    for (const auto& [from, to] : entities) {
        for (std::size_t at = text.find(from); at != std::string::npos;
             at = text.find(from, at + 1)) {
            text.replace(at, std::string(from).size(), to);
        }
    }
    return text;
}

// Value of attribute name in the element text (its start tag).
std::string Attribute(const std::string& element, const std::string& name)
{
    const std::string key = " " + name + "=\"";
    const std::size_t at = element.find(key);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + key.size();
    return Unescape(element.substr(start, element.find('"', start) - start));
}

// Every element <tag ...>...</tag> or <tag .../> of the text, whole.
std::vector<std::string> Elements(const std::string& xml, const std::string& tag)
{
    std::vector<std::string> found;
    const std::string open = "<" + tag;
    for (std::size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
        const char next = xml[at + open.size()];
        if (next != ' ' && next != '>' && next != '/') {
            continue;
        }
        const std::size_t tagEnd = xml.find('>', at);
        if (xml[tagEnd - 1] == '/') {
            found.push_back(xml.substr(at, tagEnd + 1 - at));
            continue;
        }
        const std::string close = "</" + tag + ">";
        const std::size_t end = xml.find(close, tagEnd);
        found.push_back(xml.substr(at, end + close.size() - at));
    }
    return found;
}

// Text inside the first <tag>...</tag> of the element; empty when none.
std::string Inner(const std::string& element, const std::string& tag)
{
    const std::vector<std::string> found = Elements(element, tag);
    if (found.empty()) {
        return {};
    }
    const std::string& e = found.front();
    const std::size_t start = e.find('>') + 1;
    const std::size_t end = e.rfind("</");
    return end == std::string::npos || end < start ? std::string() : e.substr(start, end - start);
}

struct TCell
{
    bool Present = false;
    bool IsNumber = false;
    std::string Text; // the string, or the number's text
    int Style = 0;

    double Number() const
    {
        double value = 0;
        std::from_chars(Text.data(), Text.data() + Text.size(), value);
        return value;
    }
};

class TWorkbookFile
{
public:
    explicit TWorkbookFile(const std::string& path)
        : m_parts(zipreader::ReadZip(path))
    {
        for (const std::string& si : Elements(Part("xl/sharedStrings.xml"), "si")) {
            m_strings.push_back(Unescape(Inner(si, "t")));
        }
        std::map<std::string, std::string> targets = Relations("xl/_rels/workbook.xml.rels");
        for (const std::string& sheet : Elements(Part("xl/workbook.xml"), "sheet")) {
            m_sheetNames.push_back(Attribute(sheet, "name"));
            m_sheetParts[m_sheetNames.back()] = "xl/" + targets.at(Attribute(sheet, "r:id"));
        }
    }

    const std::string& Part(const std::string& name) const
    {
        const auto found = m_parts.find(name);
        if (found == m_parts.end()) {
            throw std::runtime_error("no part " + name);
        }
        return found->second;
    }

    const std::vector<std::string>& SheetNames() const { return m_sheetNames; }
    const std::string& SheetPart(const std::string& sheet) const { return m_sheetParts.at(sheet); }
    bool IsChartSheet(const std::string& sheet) const
    {
        return SheetPart(sheet).find("xl/chartsheets/") == 0;
    }

    TCell Cell(const std::string& sheet, const std::string& ref) const
    {
        TCell cell;
        for (const std::string& c : Elements(Part(SheetPart(sheet)), "c")) {
            if (Attribute(c, "r") != ref) {
                continue;
            }
            cell.Present = true;
            const std::string type = Attribute(c, "t");
            const std::string style = Attribute(c, "s");
            cell.Style = style.empty() ? 0 : std::stoi(style);
            const std::string value = Inner(c, "v");
            if (type == "s") {
                cell.Text = m_strings.at(static_cast<std::size_t>(std::stoi(value)));
            } else if (type == "inlineStr") {
                cell.Text = Unescape(Inner(c, "t"));
            } else if (type == "str") {
                cell.Text = Unescape(value);
            } else {
                cell.IsNumber = true;
                cell.Text = value;
            }
        }
        return cell;
    }

    // Link location of a cell ("Page_1!A1"); empty when the cell has no link.
    std::string LinkLocation(const std::string& sheet, const std::string& ref) const
    {
        for (const std::string& link : Elements(Part(SheetPart(sheet)), "hyperlink")) {
            if (Attribute(link, "ref") == ref) {
                return Attribute(link, "location");
            }
        }
        return {};
    }

    // True when the cell's style uses a bold font.
    bool IsBold(const TCell& cell) const
    {
        const std::string& styles = Part("xl/styles.xml");
        const std::vector<std::string> xfs = Elements(Inner(styles, "cellXfs"), "xf");
        const std::vector<std::string> fonts = Elements(Inner(styles, "fonts"), "font");
        const std::string& xf = xfs.at(static_cast<std::size_t>(cell.Style));
        const std::string& font =
            fonts.at(static_cast<std::size_t>(std::stoi(Attribute(xf, "fontId"))));
        return font.find("<b/>") != std::string::npos;
    }

    // The chart part shown by a chart sheet, followed through the sheet's drawing.
    const std::string& Chart(const std::string& sheet) const
    {
        const std::string part = SheetPart(sheet);
        const std::string drawing = Resolve(part, Relations(RelsOf(part)).begin()->second);
        return Part(Resolve(drawing, Relations(RelsOf(drawing)).begin()->second));
    }

private:
    static std::string RelsOf(const std::string& part)
    {
        const std::size_t slash = part.rfind('/');
        return part.substr(0, slash) + "/_rels/" + part.substr(slash + 1) + ".rels";
    }

    // A relation target ("../drawings/drawing1.xml") made a part name.
    static std::string Resolve(const std::string& from, std::string target)
    {
        std::string folder = from.substr(0, from.rfind('/'));
        while (target.rfind("../", 0) == 0) {
            target.erase(0, 3);
            folder = folder.substr(0, folder.rfind('/'));
        }
        return folder + "/" + target;
    }

    std::map<std::string, std::string> Relations(const std::string& rels) const
    {
        std::map<std::string, std::string> targets;
        for (const std::string& r : Elements(Part(rels), "Relationship")) {
            targets[Attribute(r, "Id")] = Attribute(r, "Target");
        }
        return targets;
    }

    std::map<std::string, std::string> m_parts;
    std::vector<std::string> m_strings;
    std::vector<std::string> m_sheetNames;
    std::map<std::string, std::string> m_sheetParts;
};

struct TSeries
{
    std::string Name;     // the name text, or the formula of a name given by reference
    std::string XFormula; // "Page_1!$A$6:$A$8"
    std::string YFormula;
};

std::vector<TSeries> Series(const std::string& chart)
{
    std::vector<TSeries> series;
    for (const std::string& ser : Elements(chart, "c:ser")) {
        TSeries s;
        const std::string tx = Inner(ser, "c:tx");
        s.Name = tx.find("<c:strRef>") != std::string::npos ? "ref:" + Inner(tx, "c:f")
                                                            : Unescape(Inner(tx, "c:v"));
        s.XFormula = Inner(Inner(ser, "c:xVal"), "c:f");
        s.YFormula = Inner(Inner(ser, "c:yVal"), "c:f");
        series.push_back(s);
    }
    return series;
}

// Axis titles and orientation of a scatter chart: first the X axis, then the Y axis.
struct TAxis
{
    std::string Title;
    bool Reversed = false;
    bool Gridlines = false;
};

std::vector<TAxis> Axes(const std::string& chart)
{
    std::vector<TAxis> axes;
    for (const std::string& ax : Elements(chart, "c:valAx")) {
        TAxis axis;
        axis.Title = Unescape(Inner(Inner(ax, "c:title"), "a:t"));
        axis.Reversed = ax.find("<c:orientation val=\"maxMin\"/>") != std::string::npos;
        axis.Gridlines = ax.find("<c:majorGridlines/>") != std::string::npos;
        axes.push_back(axis);
    }
    return axes;
}

// Two curves of three points, X = 10c + j + 0.5, Y = -(c + 0.25 j), c and j from 1 / 0.
void FillTwoCurves(TGraphPlot& plot, const std::string& name1, const std::string& name2)
{
    plot.SetLineCount(2);
    plot.SetPointCount(3);
    plot.Line(0).Name = name1;
    plot.Line(1).Name = name2;
    for (int c = 0; c < 2; ++c) {
        for (int j = 0; j < 3; ++j) {
            plot.Point(c, j).X = 10.0L * (c + 1) + j + 0.5L;
            plot.Point(c, j).Y = -((c + 1) + 0.25L * j);
        }
    }
}

std::array<bool, kExportPlotCount> Enabled(std::initializer_list<int> plotNumbers)
{
    std::array<bool, kExportPlotCount> enabled{};
    for (const int n : plotNumbers) {
        enabled[static_cast<std::size_t>(n - 1)] = true;
    }
    return enabled;
}

// --- Column letters and unit words ---

TEST(SpreadsheetExportNames, ExcelColumnLetters)
{
    const struct
    {
        int n;
        const char* letters;
    } cases[] = {{1, "A"},
                 {26, "Z"},
                 {27, "AA"},
                 {28, "AB"},
                 {52, "AZ"},
                 {53, "BA"},
                 {59, "BG"},
                 {701, "ZY"},
                 {702, "ZZ"},
                 // Beyond the two-letter columns, and below 1, nothing is given.
                 {703, ""},
                 {0, ""},
                 {-1, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(GetExcelCol(c.n), c.letters) << "column " << c.n;
    }
}

TEST(SpreadsheetExportNames, UnitsTitleInEachSystem)
{
    const struct
    {
        const char* units;
        int system;
        const char* words;
    } cases[] = {
        {"F1/L2^2", 1, "kips/ft^2"},
        {"F1/L2^2", 2, "kN/m^2"},
        {"F1", 1, "kips"},
        {"F1", 2, "kN"},
        {"F2", 1, "tons"},
        {"F2", 2, "kN"},
        {"F/L^2", 1, "lbs/in^2"},
        {"F/L^2", 2, "kN/m^2"},
        {"L2", 1, "ft"},
        {"L2", 2, "m"},
        {"L1", 1, "in"},
        {"L1", 2, "mm"},
        {"L", 1, "in"},
        {"L", 2, "m"},
        // Only the highest force placeholder present is replaced.
        {"F2 F1", 1, "tons F1"},
        {"SPT-N", 1, "SPT-N"},
        {"Force", 1, "lbsorce"},
        {"", 1, ""},
        // System 3 keeps the letters; out-of-range systems are clamped like the graphs'.
        {"F1/L2^2", 3, "F1/L2^2"},
        {"F/L^2", 3, "F/L^2"},
        {"F1", 0, "kips"},
        {"F1", 7, "F1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnitsTitle(c.units, c.system), c.words) << c.units << " in system " << c.system;
    }
}

TEST(SpreadsheetExportNames, AxisTitleTakesUnitsOnlyWhenGiven)
{
    EXPECT_EQ(ExportAxisTitle("Depth ", "L2", 1), "Depth  (ft)");
    EXPECT_EQ(ExportAxisTitle("Unit Load Transfer, t", "F/L^2", 2),
              "Unit Load Transfer, t (kN/m^2)");
    EXPECT_EQ(ExportAxisTitle("Settlement, in.", "", 1), "Settlement, in.");
}

// --- The dialog's selection ---

class ExportSelectionTest : public ::testing::Test
{
protected:
    TResultGraphs graphs;
    TExportSelection selection{graphs};
};

TEST_F(ExportSelectionTest, ListFollowsTheGraphsAndMenuItems)
{
    selection.FormActivate(Enabled({2, 5}));
    EXPECT_EQ(selection.ItemCaption(1), "Unit Skin Friction vs Depth");
    EXPECT_EQ(selection.ItemCaption(10), "Internally-Generated Q-w Curve");
    EXPECT_EQ(selection.GetPlotPt(1), &graphs.pltUSkin);
    EXPECT_EQ(selection.GetPlotPt(8), &graphs.pltTZcurves);
    EXPECT_EQ(selection.GetPlotPt(10), &graphs.PltQw);
    EXPECT_EQ(selection.GetPlotPt(0), nullptr);
    EXPECT_EQ(selection.GetPlotPt(11), nullptr);
    EXPECT_EQ(selection.GetMenuPt(1), "uSkin");
    EXPECT_EQ(selection.GetMenuPt(9), "Extratzcurves");
    EXPECT_EQ(selection.GetMenuPt(11), "");
    for (int n = 1; n <= kExportPlotCount; ++n) {
        const bool on = n == 2 || n == 5;
        EXPECT_EQ(selection.ItemEnabled(n), on) << n;
        EXPECT_EQ(selection.ItemChecked(n), on) << n;
    }
    EXPECT_EQ(selection.GetNPlots(), 2);
    EXPECT_TRUE(selection.GenerateEnabled());
    EXPECT_EQ(selection.CheckedPlots(),
              (std::vector<const TGraphPlot*>{&graphs.pltSkin, &graphs.pltLoad}));
}

TEST_F(ExportSelectionTest, NothingEnabledLeavesGenerateDisabled)
{
    selection.FormActivate(Enabled({}));
    EXPECT_EQ(selection.GetNPlots(), 0);
    EXPECT_FALSE(selection.GenerateEnabled());
    selection.Button1Click();
    EXPECT_EQ(selection.GetNPlots(), 0);
    EXPECT_FALSE(selection.GenerateEnabled());
    selection.SetItemChecked(3, true);
    EXPECT_FALSE(selection.ItemChecked(3));

    TempFolder folder;
    EXPECT_THROW(selection.Button3Click(folder.File("none.xlsx")), EExportError);
    EXPECT_TRUE(folder.Entries().empty());
}

TEST_F(ExportSelectionTest, SelectButtonsTouchEnabledItemsOnly)
{
    selection.FormActivate(Enabled({1, 4, 7}));
    selection.Button2Click();
    EXPECT_EQ(selection.GetNPlots(), 0);
    EXPECT_FALSE(selection.GenerateEnabled());
    selection.Button1Click();
    EXPECT_EQ(selection.GetNPlots(), 3);
    EXPECT_TRUE(selection.ItemChecked(4));
    EXPECT_FALSE(selection.ItemChecked(2));
    EXPECT_TRUE(selection.GenerateEnabled());

    // Clearing the items one by one disables the button with the last one.
    selection.SetItemChecked(1, false);
    selection.SetItemChecked(4, false);
    EXPECT_TRUE(selection.GenerateEnabled());
    selection.SetItemChecked(7, false);
    EXPECT_FALSE(selection.GenerateEnabled());
    selection.SetItemChecked(4, true);
    EXPECT_EQ(selection.CheckedPlots(), (std::vector<const TGraphPlot*>{&graphs.pltTotal}));

    // Activation rebuilds from the menu state of that moment.
    selection.FormActivate(Enabled({9}));
    EXPECT_FALSE(selection.ItemChecked(4));
    EXPECT_EQ(selection.CheckedPlots(), (std::vector<const TGraphPlot*>{&graphs.PltExtraTZ}));
}

// --- The workbook ---

// Graphs 2 and 5 only: legend rows 3 and 4, sheets Page_1, Plot_1, Page_2, Plot_2.
TEST_F(ExportSelectionTest, TwoGraphsGiveLegendDataAndChartSheets)
{
    FillTwoCurves(graphs.pltSkin, "FHWA", "API");
    FillTwoCurves(graphs.pltLoad, "Case 1", "Case 2");
    graphs.pltLoad.SetUnits(2);
    // The second load curve is one point shorter than the first.
    graphs.pltLoad.Line(1).SetPointCount(2);
    selection.FormActivate(Enabled({2, 5}));

    TempFolder folder;
    const std::string path = folder.File("export.xlsx");
    selection.Button3Click(path);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"export.xlsx"});

    const TWorkbookFile book(path);
    EXPECT_EQ(book.SheetNames(),
              (std::vector<std::string>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
    EXPECT_FALSE(book.IsChartSheet("Page_1"));
    EXPECT_TRUE(book.IsChartSheet("Plot_1"));
    EXPECT_TRUE(book.IsChartSheet("Plot_2"));

    // Legend headings, bold.
    const char* headingRefs[] = {"B2", "C2", "D2", "E2", "F2"};
    for (std::size_t i = 0; i < 5; ++i) {
        const TCell heading = book.Cell("Legend", headingRefs[i]);
        EXPECT_EQ(heading.Text, kExportLegendHeadings[i]);
        EXPECT_TRUE(book.IsBold(heading)) << headingRefs[i];
    }
    EXPECT_EQ(book.Cell("Legend", "C2").Text.size(), 29u + 9u + 29u);
    EXPECT_FALSE(book.IsBold(book.Cell("Legend", "C3")));

    // Legend rows 3 and 4, numbered 1 and 2 in export order.
    EXPECT_EQ(book.Cell("Legend", "B3").Text, "1");
    EXPECT_TRUE(book.Cell("Legend", "B3").IsNumber);
    EXPECT_EQ(book.Cell("Legend", "C3").Text, "Accumulated Skin Friction vs Depth");
    EXPECT_EQ(book.Cell("Legend", "D3").Text, "Page_1");
    EXPECT_EQ(book.LinkLocation("Legend", "D3"), "Page_1!A1");
    EXPECT_EQ(book.Cell("Legend", "E3").Text, "Plot_1");
    EXPECT_EQ(book.Cell("Legend", "F3").Text, "Complete");
    EXPECT_EQ(book.Cell("Legend", "B4").Text, "2");
    EXPECT_EQ(book.Cell("Legend", "C4").Text, "Load Distribution");
    EXPECT_EQ(book.Cell("Legend", "D4").Text, "Page_2");
    EXPECT_EQ(book.LinkLocation("Legend", "D4"), "Page_2!A1");
    EXPECT_EQ(book.Cell("Legend", "E4").Text, "Plot_2");
    EXPECT_EQ(book.Cell("Legend", "F4").Text, "Complete");
    EXPECT_FALSE(book.Cell("Legend", "B5").Present);

    // Data sheet of the skin friction graph.
    EXPECT_EQ(book.Cell("Page_1", "A1").Text, "Accumulated Skin Friction vs Depth");
    EXPECT_EQ(book.Cell("Page_1", "G1").Text, "Go to Legend Page");
    EXPECT_EQ(book.LinkLocation("Page_1", "G1"), "Legend!A1");
    EXPECT_EQ(book.Cell("Page_1", "A2").Text, "X");
    EXPECT_EQ(book.Cell("Page_1", "B2").Text, "Accumulated Skin Friction  (kips)");
    EXPECT_EQ(book.Cell("Page_1", "A3").Text, "Y");
    EXPECT_EQ(book.Cell("Page_1", "B3").Text, "Depth  (ft)");
    EXPECT_EQ(book.Cell("Page_1", "A4").Text, "FHWA");
    EXPECT_FALSE(book.Cell("Page_1", "B4").Present);
    EXPECT_EQ(book.Cell("Page_1", "C4").Text, "API");
    const char* xyRefs[] = {"A5", "B5", "C5", "D5"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(book.Cell("Page_1", xyRefs[i]).Text, i % 2 == 0 ? "X" : "Y");
    }
    // Curve c, point j: X = 10c + j + 0.5, Y = -(c + 0.25 j).
    const struct
    {
        const char* ref;
        double value;
    } numbers[] =
        {{"A6", 10.5}, {"B6", -1.0}, {"A8", 12.5}, {"B8", -1.5}, {"C7", 21.5}, {"D8", -2.5}};
    for (const auto& n : numbers) {
        const TCell cell = book.Cell("Page_1", n.ref);
        EXPECT_TRUE(cell.IsNumber) << n.ref;
        EXPECT_NEAR(cell.Number(), n.value, kNumberTol) << n.ref;
    }
    EXPECT_FALSE(book.Cell("Page_1", "A9").Present);

    // The SI load graph: units in SI words; the short curve stops after its own points.
    EXPECT_EQ(book.Cell("Page_2", "B2").Text, "Total Capacity  (kN)");
    EXPECT_EQ(book.Cell("Page_2", "B3").Text, "Depth  (m)");
    EXPECT_NEAR(book.Cell("Page_2", "D7").Number(), -2.25, kNumberTol);
    EXPECT_TRUE(book.Cell("Page_2", "A8").Present);
    EXPECT_FALSE(book.Cell("Page_2", "C8").Present);
    EXPECT_FALSE(book.Cell("Page_2", "D8").Present);

    // Charts: one series per curve over its own rows, named by its legend text.
    const std::string& chart1 = book.Chart("Plot_1");
    EXPECT_NE(chart1.find("<c:scatterStyle val=\"lineMarker\"/>"), std::string::npos);
    EXPECT_NE(chart1.find("<c:autoTitleDeleted val=\"1\"/>"), std::string::npos);
    const std::vector<TSeries> series1 = Series(chart1);
    ASSERT_EQ(series1.size(), 2u);
    EXPECT_EQ(series1[0].Name, "FHWA");
    EXPECT_EQ(series1[0].XFormula, "Page_1!$A$6:$A$8");
    EXPECT_EQ(series1[0].YFormula, "Page_1!$B$6:$B$8");
    EXPECT_EQ(series1[1].Name, "API");
    EXPECT_EQ(series1[1].XFormula, "Page_1!$C$6:$C$8");
    EXPECT_EQ(series1[1].YFormula, "Page_1!$D$6:$D$8");
    const std::vector<TAxis> axes1 = Axes(chart1);
    ASSERT_EQ(axes1.size(), 2u);
    EXPECT_EQ(axes1[0].Title, "Accumulated Skin Friction  (kips)");
    EXPECT_EQ(axes1[1].Title, "Depth  (ft)");
    EXPECT_TRUE(axes1[0].Gridlines);
    EXPECT_TRUE(axes1[1].Gridlines);
    // X on top: the Y axis grows downward.
    EXPECT_FALSE(axes1[0].Reversed);
    EXPECT_TRUE(axes1[1].Reversed);

    const std::vector<TSeries> series2 = Series(book.Chart("Plot_2"));
    ASSERT_EQ(series2.size(), 2u);
    EXPECT_EQ(series2[0].Name, "Case 1");
    EXPECT_EQ(series2[0].XFormula, "Page_2!$A$6:$A$8");
    EXPECT_EQ(series2[1].XFormula, "Page_2!$C$6:$C$7");
    EXPECT_EQ(series2[1].YFormula, "Page_2!$D$6:$D$7");
}

// A graph drawn with Y upward, an axis without units, a curve without points or with values a
// number cell cannot hold, and legend texts that look like formulas.
TEST(SpreadsheetExportWorkbook, UnusualGraphsStillGiveAValidWorkbook)
{
    TGraphPlot tz;
    tz.SetCaption("Internally-Generated t-z Curves");
    tz.SetXCaption("Displacement, z");
    tz.SetXUnits("L");
    tz.SetYCaption("Unit Load Transfer, t");
    tz.SetXOnTop(false);
    tz.SetLineCount(3);
    tz.SetPointCount(2);
    tz.Line(0).Name = "12.5 ft";
    tz.Line(1).Name = "=SUM(A1)";
    tz.Line(2).SetPointCount(0);
    tz.Point(0, 1).X = std::numeric_limits<long double>::quiet_NaN();
    tz.Point(1, 1).Y = std::numeric_limits<long double>::infinity();
    TGraphPlot empty;
    empty.SetCaption("Extra t-z curves at User Specified Depths");

    TempFolder folder;
    const std::string path = folder.File("odd.xlsx");
    ExportGraphsToWorkbook({&tz, nullptr, &empty}, path);

    const TWorkbookFile book(path);
    EXPECT_EQ(book.SheetNames(),
              (std::vector<std::string>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
    EXPECT_EQ(book.Cell("Page_1", "B2").Text, "Displacement, z (in)");
    EXPECT_EQ(book.Cell("Page_1", "B3").Text, "Unit Load Transfer, t");
    EXPECT_EQ(book.Cell("Page_1", "C4").Text, "=SUM(A1)");
    EXPECT_FALSE(book.Cell("Page_1", "C4").IsNumber);
    EXPECT_EQ(book.Cell("Page_1", "A7").Text, "NAN");
    EXPECT_FALSE(book.Cell("Page_1", "A7").IsNumber);
    EXPECT_EQ(book.Cell("Page_1", "D7").Text, "INF");
    EXPECT_EQ(book.Cell("Page_1", "E4").Text, "Curve #3");
    EXPECT_FALSE(book.Cell("Page_1", "E6").Present);

    const std::string& chart = book.Chart("Plot_1");
    const std::vector<TSeries> series = Series(chart);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(series[0].Name, "12.5 ft");
    // The formula-like text is named through its cell, so it shows as written.
    EXPECT_EQ(series[1].Name, "ref:Page_1!$C$4");
    EXPECT_EQ(series[2].XFormula, "Page_1!$E$6:$E$6");
    const std::vector<TAxis> axes = Axes(chart);
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_FALSE(axes[1].Reversed);
    EXPECT_EQ(axes[1].Title, "Unit Load Transfer, t");

    // A graph without curves keeps its sheets; its chart has one empty series out of the
    // legend.
    EXPECT_EQ(book.Cell("Legend", "C4").Text, "Extra t-z curves at User Specified Depths");
    const std::string& emptyChart = book.Chart("Plot_2");
    EXPECT_EQ(Series(emptyChart).size(), 1u);
    EXPECT_NE(emptyChart.find("<c:delete val=\"1\"/>"), std::string::npos);
    EXPECT_FALSE(book.Cell("Page_2", "A4").Present);
}

// More than 25 curves: ranges of two-letter columns.
TEST(SpreadsheetExportWorkbook, ManyCurvesTakeTwoLetterColumns)
{
    TGraphPlot plot;
    plot.SetCaption("Internally-Generated t-z Curves");
    constexpr int kCurves = 30;
    plot.SetLineCount(kCurves);
    plot.SetPointCount(2);
    for (int c = 0; c < kCurves; ++c) {
        plot.Point(c, 1).X = c + 1;
    }
    TempFolder folder;
    const std::string path = folder.File("many.xlsx");
    ExportGraphsToWorkbook({&plot}, path);

    const TWorkbookFile book(path);
    const std::vector<TSeries> series = Series(book.Chart("Plot_1"));
    ASSERT_EQ(series.size(), static_cast<std::size_t>(kCurves));
    // Curve 13 ends at column Z; curve 14 starts at AA; curve 30 takes BG and BH.
    EXPECT_EQ(series[12].YFormula, "Page_1!$Z$6:$Z$7");
    EXPECT_EQ(series[13].XFormula, "Page_1!$AA$6:$AA$7");
    EXPECT_EQ(series[29].XFormula, "Page_1!$BG$6:$BG$7");
    EXPECT_EQ(series[29].YFormula, "Page_1!$BH$6:$BH$7");
    EXPECT_EQ(book.Cell("Page_1", "BG4").Text, "Curve #30");
    EXPECT_NEAR(book.Cell("Page_1", "BG7").Number(), 30.0, kNumberTol);
}

// A failed export names the file and leaves whatever was there before.
TEST(SpreadsheetExportWorkbook, FailureLeavesNoFileAndKeepsTheOldOne)
{
    TempFolder folder;
    TGraphPlot plot;
    FillTwoCurves(plot, "a", "b");

    const std::string missingFolder = folder.File("no-such-folder/out.xlsx");
    try {
        ExportGraphsToWorkbook({&plot}, missingFolder);
        FAIL() << "no error";
    } catch (const EExportError& e) {
        EXPECT_NE(e.Message().find(missingFolder), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(folder.Entries().empty());

    const std::string path = folder.File("old.xlsx");
    {
        std::ofstream old(path);
        old << "previous";
    }
    // The disk fills while the workbook is written: the old file stays, nothing else is left,
    // and the message gives the system's reason, not the workbook library's code for it.
    {
        const TFileSizeLimit full(1000);
        try {
            ExportGraphsToWorkbook({&plot}, path);
            ADD_FAILURE() << "no error";
        } catch (const EExportError& e) {
            EXPECT_EQ(e.Message(),
                      "The workbook could not be written to " + path
                          + ": the data could not be written (" + std::strerror(EFBIG)
                          + "). No file was changed.");
        }
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"old.xlsx"});

    // A folder that takes no new file (here a plain file where the folder should be, which
    // holds for every user): the reason is the system's too, and nothing is left.
    {
        const std::string notAFolder = folder.File("plain");
        std::ofstream(notAFolder) << "x";
        const std::string inside = notAFolder + "/out.xlsx";
        try {
            ExportGraphsToWorkbook({&plot}, inside);
            ADD_FAILURE() << "no error";
        } catch (const EExportError& e) {
            EXPECT_NE(e.Message().find(inside + ": "), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(std::string("(") + std::strerror(ENOTDIR) + ")"),
                      std::string::npos)
                << e.Message();
        }
        fs::remove(notAFolder);
    }

    // Too many curves for one chart: refused before anything is written.
    TGraphPlot wide;
    wide.SetCaption("Wide");
    wide.SetLineCount(kMaxExportCurves + 1);
    try {
        ExportGraphsToWorkbook({&plot, &wide}, path);
        FAIL() << "no error";
    } catch (const EExportError& e) {
        EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("256 curves"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"old.xlsx"});
    std::ifstream in(path);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "previous");
}

// The English example's results as the engine wrote them (engine-english-capacity.qr7p, see
// tests/data/plotdata/README): every graph whose menu item is enabled after that read.
TEST_F(ExportSelectionTest, EnglishExampleResults)
{
    TPlotReadOptions options;
    for (const int code : {1, 2, 3, 4, 6, 7, 8, 9}) {
        options.MethodFlags[static_cast<std::size_t>(code)] = 1;
    }
    options.Layers = {{1, 20.0L}, {2, 45.0L}, {3, 60.0L}};
    options.OD = 24.0L;
    const TPlotReadResult result =
        ReadPlotFile(graphs,
                     std::string(QUARN_TEST_DATA_DIR) + "/plotdata/engine-english-capacity.qr7p",
                     options);
    ASSERT_TRUE(result.Ok) << result.Message;
    // Compression, no extra t-z depths: every item but the extra t-z curves.
    selection.FormActivate(Enabled({1, 2, 3, 4, 5, 6, 7, 8, 10}));
    ASSERT_EQ(selection.GetNPlots(), 9);

    TempFolder folder;
    const std::string path = folder.File("PipeSandClay.xlsx");
    selection.Button3Click(path);
    const TWorkbookFile book(path);
    ASSERT_EQ(book.SheetNames().size(), 19u);
    EXPECT_EQ(book.SheetNames()[17], "Page_9");
    EXPECT_EQ(book.SheetNames()[18], "Plot_9");
    EXPECT_EQ(book.Cell("Legend", "C11").Text, "Internally-Generated Q-w Curve");
    EXPECT_EQ(book.Cell("Legend", "C10").Text, "Internally-Generated t-z Curves");

    // Page_4 is the total capacity: eight method curves of 16 rows (0 to 75 ft).
    EXPECT_EQ(book.Cell("Page_4", "A1").Text, "Total Capacity vs Depth");
    EXPECT_EQ(book.Cell("Page_4", "B2").Text, "Total Capacity  (kips)");
    EXPECT_EQ(book.Cell("Page_4", "A4").Text, "FHWA");
    EXPECT_EQ(book.Cell("Page_4", "O4").Text, "UWA");
    // FHWA row 1 (file line 3): 5.00 0.7 2.4 3.0 0.042; UWA last row (line 129): 75.00
    // 393.3 53.7 447.0 2.341.
    EXPECT_NEAR(book.Cell("Page_4", "A7").Number(), 3.0, kNumberTol);
    EXPECT_NEAR(book.Cell("Page_4", "B7").Number(), 5.0, kNumberTol);
    EXPECT_NEAR(book.Cell("Page_4", "O21").Number(), 447.0, kNumberTol);
    EXPECT_NEAR(book.Cell("Page_4", "P21").Number(), 75.0, kNumberTol);
    EXPECT_FALSE(book.Cell("Page_4", "O22").Present);
    EXPECT_NEAR(book.Cell("Page_1", "O21").Number(), 2.341, kNumberTol);
    EXPECT_EQ(book.Cell("Page_1", "B2").Text, "Unit Skin Friction (kips/ft^2)");

    const std::vector<TSeries> series = Series(book.Chart("Plot_4"));
    ASSERT_EQ(series.size(), 8u);
    EXPECT_EQ(series[7].Name, "UWA");
    EXPECT_EQ(series[7].XFormula, "Page_4!$O$6:$O$21");
    EXPECT_EQ(series[7].YFormula, "Page_4!$P$6:$P$21");
    EXPECT_TRUE(Axes(book.Chart("Plot_4"))[1].Reversed);

    // The t-z graph has no curves in this file, and the t-z graph is drawn Y upward.
    EXPECT_EQ(Series(book.Chart("Plot_8")).size(), 1u);
    EXPECT_FALSE(Axes(book.Chart("Plot_8"))[1].Reversed);
    // Axial load vs settlement: 10 points, the origin first; Y title without units.
    EXPECT_EQ(book.Cell("Page_7", "B3").Text, "Settlement, in.");
    EXPECT_EQ(Series(book.Chart("Plot_7"))[0].XFormula, "Page_7!$A$6:$A$15");
}

} // namespace
