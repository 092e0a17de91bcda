#pragma once

#include <string>
#include <vector>

#include "plot/PlotCanvas.h"

// A canvas that keeps every drawing call with the pen, brush, font and clip in force, for
// tests. Text extents are fixed: a text is as high as its font and half as wide per
// character (UTF-8 sequences count as one character).
class TPlotRecordingCanvas : public TPlotCanvas
{
public:
    enum class Kind
    {
        MoveTo,
        LineTo,
        Rectangle,
        FillRect,
        Text
    };

    struct Operation
    {
        Kind What = Kind::MoveTo;
        int X1 = 0; // MoveTo/LineTo/Text: the point; LineTo also holds its start in X0, Y0
        int Y1 = 0;
        int X0 = 0;
        int Y0 = 0;
        TPlotRect Rect; // Rectangle, FillRect
        std::string Text;
        TPlotPen Pen;
        TPlotBrush Brush;
        TPlotFont Font;
        TPlotRect Clip;
    };

    explicit TPlotRecordingCanvas(int baseFontHeight = 14)
        : m_baseFontHeight(baseFontHeight)
    {}

    int BaseFontHeight() const override { return m_baseFontHeight; }
    void SetPen(const TPlotPen& pen) override { m_pen = pen; }
    void SetBrush(const TPlotBrush& brush) override { m_brush = brush; }
    void SetFont(const TPlotFont& font) override { m_font = font; }
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(const TPlotRect& rect) override;
    void FillRect(const TPlotRect& rect) override;
    void SetClipRect(const TPlotRect& rect) override { m_clip = rect; }

    const std::vector<Operation>& Operations() const { return m_operations; }
    // The operations of one kind, in order.
    std::vector<Operation> Of(Kind kind) const;
    // Text operations whose text equals `text`.
    std::vector<Operation> Texts(const std::string& text) const;
    void Clear() { m_operations.clear(); }

private:
    Operation Make(Kind kind) const;

    int m_baseFontHeight;
    TPlotPen m_pen;
    TPlotBrush m_brush;
    TPlotFont m_font;
    TPlotRect m_clip{-1000000, -1000000, 1000000, 1000000};
    int m_x = 0;
    int m_y = 0;
    std::vector<Operation> m_operations;
};
