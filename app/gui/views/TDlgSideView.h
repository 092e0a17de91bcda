#pragma once

#include <string>
#include <vector>

#include <QPoint>

#include "input/TInputWindow.h"
#include "views/SideViewDrawing.h"

class QLabel;
class QPrinter;
class QPushButton;
class TWindowHost;

inline constexpr const char* kSideViewPrintTitle = "Soil-Pile Profile";
inline constexpr int kSideViewWidth = 648;
inline constexpr int kSideViewHeight = 460;

// "Elevation View": the pile in its soil profile to scale, rebuilt from the project at every
// activation; the depth under the mouse pointer in the caption; "Print" prints a simplified
// profile on one landscape page. It only reads the project, so it stores nothing.
//
// When the view cannot be mapped (nothing of any size to show, a number that is not finite,
// an empty client area) the view is broken: nothing is drawn and no depth is shown until an
// activation or resize finds a sound view again.
class TDlgSideView : public TInputWindow
{
    Q_OBJECT

public:
    explicit TDlgSideView(TWindowHost& host);
    ~TDlgSideView() override;

    // Opens the view in the main window's MDI area at its initial size (the launcher's Create).
    static QWidget* Open(TWindowHost& host);

    const std::vector<TPileOutline>& Outlines() const { return m_model.Outlines; }
    const TWorldWindow& BaseWindow() const { return m_model.BaseWindow; }
    const TWorldWindow& ViewWindow() const { return m_view; }
    long double PileWidth() const { return m_model.PileWidth; }
    long double PileLength() const { return m_model.PileLength; }
    bool ViewBroken() const { return m_viewBroken; }

    // World point to client pixel and back; false (nothing computed) while the view is broken.
    bool WorldToScreen(TWorldPoint world, QPoint& pixel) const;
    bool ScreenToWorld(QPoint pixel, TWorldPoint& world) const;

    // The size the view opens at, kept when the windows are cascaded.
    QSize sizeHint() const override { return {kSideViewWidth, kSideViewHeight}; }

    // Maps the extent onto the client area as it is now and repaints.
    void FormResize();
    // Draws what the window shows onto the canvas; nothing while the view is broken.
    void FormPaint(TPlotCanvas& canvas) const;
    // The depth under the client pixel (x, y) into the caption.
    void FormMouseMove(int x, int y);
    // Prints the simplified profile on the printer as it is set up; false with the reason when
    // nothing was printed.
    bool PrintTo(QPrinter& printer, std::string& error);

protected:
    void LoadControls() override;
    bool StoreControls() override { return false; }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private slots:
    void Button1Click();

private:
    TSideViewMapping Mapping() const;
    // Rows at the top of the window that hold its label and button, above the drawing.
    int ControlBand() const;
    TSideViewColors Colors() const;
    void SetCaption(const QString& caption);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    TSideViewModel m_model;
    TWorldWindow m_view;
    bool m_viewBroken = false;
};
