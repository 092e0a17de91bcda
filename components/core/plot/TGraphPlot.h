#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/TFloatPoint.h"
#include "plot/TLine.h"

// Called with a graph-1 curve's position and its legend text, which it may change.
using TGetCaptionEvent = std::function<void(int index, std::string& value)>;

// The chart window as the plot sees it. The widgets layer implements it; the plot owns the
// handle while the window exists and destroys it (closing the window) with itself.
class TPlotWindowHandle
{
public:
    virtual ~TPlotWindowHandle() = default;
    // Shows the window, restoring it when minimised.
    virtual void Present() = 0;
};

class TGraphPlot;
// Makes the chart window of a plot; set by whoever can build windows.
using TPlotWindowFactory = std::function<std::unique_ptr<TPlotWindowHandle>(TGraphPlot& plot)>;

// Maximum number of curves left active when a chart window opens.
inline constexpr int kMaxActiveCurvesOnOpen = 20;

// Axis captions with force and length placeholders in the plot's unit system: F, F1, F2,
// L, L1, L2 (only the highest-numbered force and length placeholder kinds are replaced).
// System 3 returns the pattern unchanged.
std::string ExpandUnitPlaceholders(const std::string& pattern, int unitSystem);

// Data and presentation settings of one x-y chart: a main graph (graph 1), two optional
// side graphs (2 and 3) and a column of soil-layer bands.
class TGraphPlot
{
public:
    TGraphPlot();
    ~TGraphPlot();
    TGraphPlot(const TGraphPlot&) = delete;
    TGraphPlot& operator=(const TGraphPlot&) = delete;

    // Texts.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v) { m_caption = v; }
    const std::string& XCaption() const { return m_xCaption; }
    void SetXCaption(const std::string& v) { m_xCaption = v; }
    const std::string& YCaption() const { return m_yCaption; }
    void SetYCaption(const std::string& v) { m_yCaption = v; }
    const std::string& XUnits() const { return m_xUnits; }
    void SetXUnits(const std::string& v) { m_xUnits = v; }
    const std::string& YUnits() const { return m_yUnits; }
    void SetYUnits(const std::string& v) { m_yUnits = v; }
    const std::string& XCaption2() const { return m_xCaption2; }
    void SetXCaption2(const std::string& v) { m_xCaption2 = v; }
    const std::string& YCaption2() const { return m_yCaption2; }
    void SetYCaption2(const std::string& v) { m_yCaption2 = v; }
    const std::string& XUnits2() const { return m_xUnits2; }
    void SetXUnits2(const std::string& v) { m_xUnits2 = v; }
    const std::string& YUnits2() const { return m_yUnits2; }
    void SetYUnits2(const std::string& v) { m_yUnits2 = v; }
    const std::string& XCaption3() const { return m_xCaption3; }
    void SetXCaption3(const std::string& v) { m_xCaption3 = v; }
    const std::string& YCaption3() const { return m_yCaption3; }
    void SetYCaption3(const std::string& v) { m_yCaption3 = v; }
    const std::string& XUnits3() const { return m_xUnits3; }
    void SetXUnits3(const std::string& v) { m_xUnits3 = v; }
    const std::string& YUnits3() const { return m_yUnits3; }
    void SetYUnits3(const std::string& v) { m_yUnits3 = v; }
    const std::string& CurveName() const { return m_curveName; }
    void SetCurveName(const std::string& v) { m_curveName = v; }
    // Graph title, set through the window's title dialog.
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& v) { m_title = v; }
    bool TitleOnTop() const { return m_titleOnTop; }
    void SetTitleOnTop(bool v) { m_titleOnTop = v; }

    // Switches.
    bool XOnTop() const { return m_xOnTop; }
    void SetXOnTop(bool v) { m_xOnTop = v; }
    bool ShowFontWidth() const { return m_showFontWidth; }
    void SetShowFontWidth(bool v) { m_showFontWidth = v; }
    bool ShowLegend() const { return m_showLegend; }
    void SetShowLegend(bool v) { m_showLegend = v; }
    bool ShowLayers() const { return m_showLayers; }
    void SetShowLayers(bool v) { m_showLayers = v; }
    bool ShowWall() const { return m_showWall; }
    void SetShowWall(bool v) { m_showWall = v; }
    int WallLineCount() const { return m_wallLineCount; }
    void SetWallLineCount(int v) { m_wallLineCount = v; }
    bool ShowThree() const { return m_showThree; }
    void SetShowThree(bool v) { m_showThree = v; }
    // Size factor of all chart text in tenths (10 = base size).
    int SizeFont() const { return m_sizeFont; }
    void SetSizeFont(int v) { m_sizeFont = v; }
    // Legend base font size in points.
    int LegendFont() const { return m_legendFont; }
    void SetLegendFont(int v) { m_legendFont = v; }
    // Line-width factor of the curves.
    int WidthLine() const { return m_widthLine; }
    void SetWidthLine(int v) { m_widthLine = v; }
    // A marker on every Markers-th point; 0 = none.
    int Markers() const { return m_markers; }
    void SetMarkers(int v) { m_markers = v; }
    // Unit system of the captions: 1 English, 2 SI, 3 dimension letters; clamped into 1..3.
    int Units() const { return m_units; }
    void SetUnits(int v);
    // Depth at which the first layer band starts.
    long double LayerTop() const { return m_layerTop; }

    const TGetCaptionEvent& onGetCaption() const { return m_onGetCaption; }
    void SetOnGetCaption(TGetCaptionEvent handler) { m_onGetCaption = std::move(handler); }

    // Default legend texts of graph-1 curves by position.
    std::vector<std::string>& LegendNames() { return m_legendNames; }
    const std::vector<std::string>& LegendNames() const { return m_legendNames; }

    // The curves of graph 1, 2 or 3: one accessor for every graph. Curve i is 0-based; a
    // graph other than 1, 2 or 3 or a bad index raises std::out_of_range.
    int CurveCount(int graph) const { return Count(List(graph)); }
    TLine& Curve(int graph, int i) { return *List(graph).at(Index(i)); }
    const TLine& Curve(int graph, int i) const { return *List(graph).at(Index(i)); }
    // The graph's curves in order.
    std::vector<const TLine*> Curves(int graph) const;
    // Points of the graph's first curve; 0 when it has none.
    int CurvePointCount(int graph) const { return FirstCount(List(graph)); }
    // Negative n counts as 0. Curves are freed from the end or appended; existing ones keep
    // their points, names and flags. A new graph-1 curve gets PointCount() points and the
    // number LineCount() + 1; graphs 2 and 3 mirror that with their own counts.
    void SetCurveCount(int graph, int n);
    // SetPointCount(n) on every curve of the graph; nothing when it has none.
    void SetCurvePointCount(int graph, int n);

    // Graph 1 by the names the application uses throughout.
    int LineCount() const { return CurveCount(1); }
    TLine& Line(int i) { return Curve(1, i); }
    const TLine& Line(int i) const { return Curve(1, i); }
    int PointCount() const { return CurvePointCount(1); }
    // Point j of curve i; callers write X and Y directly.
    TFloatPoint& Point(int i, int j) { return Line(i).Points(j); }
    const TFloatPoint& Point(int i, int j) const { return Line(i).Points(j); }
    void SetLineCount(int n) { SetCurveCount(1, n); }
    void SetPointCount(int n) { SetCurvePointCount(1, n); }

    // The soil-layer lines. A new layer line gets PointCount() points and the number
    // LineCount() + 1, as a new graph-1 curve does.
    int LayerCount() const { return Count(m_layers); }
    TLine& Layer(int i) { return *m_layers.at(Index(i)); }
    const TLine& Layer(int i) const { return *m_layers.at(Index(i)); }
    int LayerPointCount() const { return FirstCount(m_layers); }
    TFloatPoint& LayerPoint(int i, int j) { return Layer(i).Points(j); }
    const TFloatPoint& LayerPoint(int i, int j) const { return Layer(i).Points(j); }
    void SetLayerCount(int n);
    void SetLayerPointCount(int n);
    // Both at once: new layer lines are made with pointCount points (not PointCount() points
    // first), numbered as SetLayerCount numbers them.
    void SetLayerCount(int n, int pointCount);

    // Position of a line in the graph-1 list, -1 when it is not a graph-1 curve.
    int IndexOfLine(const TLine* line) const;

    // What a chart window does first when it opens: every graph-1 curve active, then, when
    // there are more than kMaxActiveCurvesOnOpen, those beyond made inactive.
    void ActivateCurvesForWindow();

    // The chart window. Show() builds one through the factory when none exists, then
    // presents it. Without a factory Show() does nothing.
    void SetWindowFactory(TPlotWindowFactory factory) { m_windowFactory = std::move(factory); }
    void Show();
    bool WindowExists() const { return m_window != nullptr; }
    TPlotWindowHandle* Window() const { return m_window.get(); }
    // Called by a window that is closing: hands its handle back and clears the mark, so the
    // next Show() builds a fresh window from the data of that moment. While the plot itself
    // destroys the handle this returns null, so a handle may call it from its destructor.
    std::unique_ptr<TPlotWindowHandle> DetachWindow() { return std::move(m_window); }

private:
    using LineList = std::vector<std::unique_ptr<TLine>>;
    static int Count(const LineList& list) { return static_cast<int>(list.size()); }
    static int FirstCount(const LineList& list) { return list.empty() ? 0 : list[0]->PointCount(); }
    static std::size_t Index(int i);
    LineList& List(int graph);
    const LineList& List(int graph) const;
    void ResizeList(LineList& list, int n, bool mirrorOwnList);
    static void SetListPointCount(LineList& list, int n);

    std::string m_caption;
    std::string m_xCaption, m_yCaption, m_xUnits, m_yUnits;
    std::string m_xCaption2, m_yCaption2, m_xUnits2, m_yUnits2;
    std::string m_xCaption3, m_yCaption3, m_xUnits3, m_yUnits3;
    std::string m_curveName = "Curve #";
    bool m_xOnTop = true;
    LineList m_lines;
    LineList m_layers;
    LineList m_lines2;
    LineList m_lines3;
    bool m_showFontWidth = true;
    bool m_showLegend = true;
    bool m_showLayers = false;
    bool m_showWall = false;
    int m_wallLineCount = 0;
    bool m_showThree = false;
    int m_sizeFont = 10;
    int m_legendFont = 11;
    int m_widthLine = 1;
    int m_markers = 1;
    int m_units = 1;
    TGetCaptionEvent m_onGetCaption;
    std::vector<std::string> m_legendNames;
    std::string m_title;
    bool m_titleOnTop = false;
    long double m_layerTop = 0.0L;
    TPlotWindowFactory m_windowFactory;
    std::unique_ptr<TPlotWindowHandle> m_window;
};
