#pragma once

#include <map>
#include <tuple>

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPoint>

#include "plot/PlotCanvas.h"

class QPainter;

// The chart canvas on a QPainter: the window, a printer page or an image. Lines are drawn
// without antialiasing, as pixel-exact as the layout they follow; text is antialiased.
class TQPainterCanvas : public TPlotCanvas
{
public:
    // baseFontHeight: the canvas's own font height in pixels (14 on the window); dpi: the
    // device's resolution, which sizes the hatch and pattern tiles.
    TQPainterCanvas(QPainter& painter, int baseFontHeight, int dpi);

    int BaseFontHeight() const override { return m_baseFontHeight; }
    void SetPen(const TPlotPen& pen) override;
    void SetBrush(const TPlotBrush& brush) override;
    void SetFont(const TPlotFont& font) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(const TPlotRect& rect) override;
    void FillRect(const TPlotRect& rect) override;
    void SetClipRect(const TPlotRect& rect) override;

private:
    QBrush MakeBrush(const TPlotBrush& brush);

    QPainter& m_painter;
    int m_baseFontHeight;
    int m_dpi;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
    TPlotFont m_plotFont;
    bool m_notXor = false;
    QPoint m_position;
    // Textures of hatches and patterns by style, picture and colour.
    std::map<std::tuple<int, int, int>, QBrush> m_textures;
};

// Default font height of a fresh image or printer canvas: 8 points at its resolution.
int DefaultCanvasFontHeight(int dpi);
