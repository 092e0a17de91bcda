#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QPoint>
#include <QWidget>

#include "plot/PlotLayout.h"
#include "plot/PlotRender.h"
#include "plot/TPageSetupDialog.h"
#include "plot/TdlgFormat.h"

class QAction;
class QImage;
class QListWidget;
class QMenu;
class QMenuBar;
class QPrinter;
class TGraphPlot;
class TPlotCanvas;

// ---- the window ---------------------------------------------------------------------------

// The chart window of a TGraphPlot: shows the chart through the one drawing routine, with a
// legend list that can be dragged, the "&Plot" menu, mouse zoom, printing, saving as a bitmap
// and the title, legend and active-curve dialogs.
class TPlotForm : public QWidget
{
    Q_OBJECT

public:
    // Builds the window from the plot's data of this moment (ranges, active curves, legend).
    explicit TPlotForm(TGraphPlot& plot, QWidget* parent = nullptr);
    ~TPlotForm() override;

    TGraphPlot& Plot() const { return m_plot; }
    // The window's own title: the caption without the pointer's values.
    QString OwnTitle() const;
    // The size the window opens at when it is not maximised (cascading, restoring).
    QSize sizeHint() const override;
    // Ranges, ticks and geometry of the chart on the window.
    const TPlotView& View() const { return m_view; }
    TPageSetupDialog& PageSetupDialog() { return m_pageSetup; }

    // The curve items behind the fixed items of "&Plot", one per legend row; each holds its
    // curve's position as data.
    std::vector<QAction*> CurveItems() const;

    // Geometry of the chart on the window; a program call also puts the legend back in the
    // plot's bottom-right corner. The legend stays in that corner, or where the user dragged
    // it, and inside the chart area either way.
    void FormResize(bool programCall);
    // List font size = factor x LegendFont / 10, rows 3/2 of it high, width refitted.
    void SetupLegend(int factor);

    // Draws the chart as it would be printed on this printer (which must be set up and
    // confirmed). False with a message naming the job when the printer cannot be started.
    bool PrintTo(QPrinter& printer, std::string& error);
    // Draws the chart into the bitmap as saved (window's resolution for the layout) and writes
    // it, in the chosen colours, as a Windows bitmap. The file is replaced only when the whole
    // image was written. False with a message naming the file otherwise.
    bool SaveBitmap(QImage& bitmap,
                    TBitmapColors colors,
                    int pixelsPerInch,
                    const std::string& path,
                    std::string& error);

    // Painting and the mouse on the chart area (the area's events come here).
    void FormPaint();
    void PaintBoxMouseDown(Qt::MouseButton button, QPoint pos);
    void PaintBoxMouseMove(QPoint pos);
    void FormMouseUp(QPoint pos);
    bool ZoomRectangleActive() const { return m_zooming; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void PlotMenuClick();
    void PlotLegendClick();
    void PlotSoilLayerClick();
    void ShowWallGeometryClick();
    void PlotMarkersClick();
    void PlotCaptionClick();
    void mLineNameClick();
    void ActiveGraphsClick();
    void PlotPrintClick();
    void PlotPageClick();
    void PlotSaveClick();

private:
    friend class TPlotFormHandle;

    // The window's target: its chart area at the screen's resolution.
    TRenderTarget WindowTarget() const;

    void FormCreate();
    // Hands the plot's handle of this window back, so the plot's next Show builds a new one.
    void ForgetPlotWindow();
    void BuildMenu();
    void MarkClick(int tag);
    void SizeClick(int tag);
    void WidthClick(int tag);
    void LegendDblClick();
    void ToggleCurve(int curve);
    // Legend rows, list items and curve items from the plot's active curves.
    void RebuildLegend();
    // Row texts (with " *" for visible curves), colours and the curve items' checks.
    void RefreshLegend();
    void FitLegendSize(int extraWidth);
    void KeepLegendInside();
    TLegendPlacement LegendPlace() const;
    TPlotRect PlotArea() const;
    QPoint ClampToPlot(QPoint pos) const;

    // Components, named (objectName) as the window has always named them.
    QMenuBar* MainMenu = nullptr;
    QMenu* PlotMenu = nullptr;
    QAction* PlotLegend = nullptr;
    QAction* PlotSoilLayer = nullptr;
    QAction* ShowWallGeometry = nullptr;
    QMenu* PlotMarkers = nullptr;
    QMenu* FontSize = nullptr;
    QMenu* LineWidth = nullptr;
    QAction* PlotCaption = nullptr;
    QAction* mLineName = nullptr;
    QAction* ActiveGraphs = nullptr;
    QAction* PlotPrint = nullptr;
    QAction* PlotPage = nullptr;
    QAction* PlotSave = nullptr;
    QListWidget* Legend = nullptr;
    QWidget* PaintBox = nullptr;

    TGraphPlot& m_plot;
    TPlotView m_view;
    TPageSetupDialog m_pageSetup;
    std::vector<QAction*> m_curveItems;
    int m_legendItemHeight = 16;
    // The legend sits in the plot's bottom-right corner until the user moves it; then it goes
    // back to where the user put it whenever the window has room, so a window that is small
    // for a moment (opening, another window closing) does not push it away for good.
    bool m_legendInCorner = true;
    QPoint m_legendWanted;
    bool m_draggingLegend = false;
    QPoint m_legendGrab;
    bool m_zooming = false;
    QPoint m_zoomAnchor;
    QPoint m_zoomCorner;
    class TPlotFormHandle* m_handle = nullptr;
};

// Makes the plot build a TPlotForm when it is first shown. `host` receives each new window
// (to put it into the main window's MDI area, say); without one the window is top-level.
void InstallPlotFormFactory(TGraphPlot& plot, std::function<void(TPlotForm&)> host = {});
