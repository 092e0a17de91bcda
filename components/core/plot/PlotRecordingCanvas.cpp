#include "plot/PlotRecordingCanvas.h"

namespace {

int CharacterCount(const std::string& text)
{
    int count = 0;
    for (unsigned char ch : text) {
        if ((ch & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

} // namespace

int TPlotRecordingCanvas::TextWidth(const std::string& text)
{
    return CharacterCount(text) * (m_font.Height / 2);
}

int TPlotRecordingCanvas::TextHeight(const std::string&)
{
    return m_font.Height;
}

TPlotRecordingCanvas::Operation TPlotRecordingCanvas::Make(Kind kind) const
{
    Operation op;
    op.What = kind;
    op.Pen = m_pen;
    op.Brush = m_brush;
    op.Font = m_font;
    op.Clip = m_clip;
    return op;
}

void TPlotRecordingCanvas::TextOut(int x, int y, const std::string& text)
{
    Operation op = Make(Kind::Text);
    op.X1 = x;
    op.Y1 = y;
    op.Text = text;
    m_operations.push_back(std::move(op));
}

void TPlotRecordingCanvas::MoveTo(int x, int y)
{
    Operation op = Make(Kind::MoveTo);
    op.X1 = x;
    op.Y1 = y;
    m_operations.push_back(std::move(op));
    m_x = x;
    m_y = y;
}

void TPlotRecordingCanvas::LineTo(int x, int y)
{
    Operation op = Make(Kind::LineTo);
    op.X0 = m_x;
    op.Y0 = m_y;
    op.X1 = x;
    op.Y1 = y;
    m_operations.push_back(std::move(op));
    m_x = x;
    m_y = y;
}

void TPlotRecordingCanvas::Rectangle(const TPlotRect& rect)
{
    Operation op = Make(Kind::Rectangle);
    op.Rect = rect;
    m_operations.push_back(std::move(op));
}

void TPlotRecordingCanvas::FillRect(const TPlotRect& rect)
{
    Operation op = Make(Kind::FillRect);
    op.Rect = rect;
    m_operations.push_back(std::move(op));
}

std::vector<TPlotRecordingCanvas::Operation> TPlotRecordingCanvas::Of(Kind kind) const
{
    std::vector<Operation> result;
    for (const Operation& op : m_operations) {
        if (op.What == kind) {
            result.push_back(op);
        }
    }
    return result;
}

std::vector<TPlotRecordingCanvas::Operation>
TPlotRecordingCanvas::Texts(const std::string& text) const
{
    std::vector<Operation> result;
    for (const Operation& op : m_operations) {
        if (op.What == Kind::Text && op.Text == text) {
            result.push_back(op);
        }
    }
    return result;
}
