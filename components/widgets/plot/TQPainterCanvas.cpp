#include "plot/TQPainterCanvas.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include "plot/PlotFill.h"

namespace {

QColor ToQColor(const TPlotColor& c)
{
    return QColor(c.R, c.G, c.B);
}

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Rectangles arrive with exclusive right and bottom edges and may be upside down.
QRect FillArea(const TPlotRect& r)
{
    const int left = std::min(r.Left, r.Right);
    const int right = std::max(r.Left, r.Right);
    const int top = std::min(r.Top, r.Bottom);
    const int bottom = std::max(r.Top, r.Bottom);
    return QRect(left, top, right - left, bottom - top);
}

// Default canvas font size in points.
constexpr int kDefaultFontPoints = 8;

} // namespace

int DefaultCanvasFontHeight(int dpi)
{
    return std::max(1, static_cast<int>(std::lround(kDefaultFontPoints * dpi / 72.0)));
}

TQPainterCanvas::TQPainterCanvas(QPainter& painter, int baseFontHeight, int dpi)
    : m_painter(painter)
    , m_baseFontHeight(baseFontHeight)
    , m_dpi(dpi)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    SetPen(TPlotPen{});
    SetBrush(TPlotBrush{});
    SetFont(TPlotFont{});
}

void TQPainterCanvas::SetPen(const TPlotPen& pen)
{
    if (pen.Style == TPlotPenStyle::Clear) {
        m_pen = QPen(Qt::NoPen);
    } else {
        const int width = std::max(1, pen.Width);
        m_pen = QPen(ToQColor(pen.Color), width);
        m_pen.setStyle(pen.Style == TPlotPenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
        // Thick curves join and end round, like geometric pens on paper.
        m_pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
        m_pen.setJoinStyle(Qt::RoundJoin);
    }
    m_notXor = pen.Mode == TPlotPenMode::NotXor;
}

QBrush TQPainterCanvas::MakeBrush(const TPlotBrush& brush)
{
    const auto key = std::make_tuple(static_cast<int>(brush.Style),
                                     brush.PatternIndex,
                                     (brush.Color.R << 16) | (brush.Color.G << 8) | brush.Color.B);
    const auto found = m_textures.find(key);
    if (found != m_textures.end()) {
        return found->second;
    }
    const TPlotTile tile = MakeFillTile(brush, m_dpi);
    if (tile.Width <= 0 || tile.Height <= 0) {
        return QBrush(Qt::NoBrush);
    }
    QImage image(tile.Width, tile.Height, QImage::Format_RGB32);
    const QRgb ink = ToQColor(brush.Color).rgb();
    const QRgb ground = qRgb(255, 255, 255);
    for (int y = 0; y < tile.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < tile.Width; ++x) {
            line[x] = tile.At(x, y) ? ink : ground;
        }
    }
    QBrush texture(image);
    m_textures.emplace(key, texture);
    return texture;
}

void TQPainterCanvas::SetBrush(const TPlotBrush& brush)
{
    switch (brush.Style) {
    case TPlotBrushStyle::Solid:
        m_brush = QBrush(ToQColor(brush.Color));
        break;
    case TPlotBrushStyle::Clear:
        m_brush = QBrush(Qt::NoBrush);
        break;
    default:
        m_brush = MakeBrush(brush);
        break;
    }
}

void TQPainterCanvas::SetFont(const TPlotFont& font)
{
    m_plotFont = font;
    m_font = QFont(ToQString(font.Face));
    m_font.setPixelSize(std::max(1, font.Height));
    m_font.setWeight(font.Weight >= 700 ? QFont::Bold : QFont::Normal);
    m_font.setStyleHint(QFont::Serif);
}

int TQPainterCanvas::TextWidth(const std::string& text)
{
    return QFontMetrics(m_font, m_painter.device()).horizontalAdvance(ToQString(text));
}

int TQPainterCanvas::TextHeight(const std::string&)
{
    return QFontMetrics(m_font, m_painter.device()).height();
}

void TQPainterCanvas::TextOut(int x, int y, const std::string& text)
{
    const QFontMetrics metrics(m_font, m_painter.device());
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setFont(m_font);
    m_painter.setPen(ToQColor(m_plotFont.Color));
    m_painter.translate(x, y);
    if (m_plotFont.Angle != 0) {
        // Tenths of a degree counter-clockwise; Qt turns clockwise on screen.
        m_painter.rotate(-m_plotFont.Angle / 10.0);
    }
    m_painter.drawText(0, metrics.ascent(), ToQString(text));
    m_painter.restore();
}

void TQPainterCanvas::MoveTo(int x, int y)
{
    m_position = QPoint(x, y);
}

void TQPainterCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    if (m_pen.style() != Qt::NoPen) {
        m_painter.setCompositionMode(m_notXor ? QPainter::RasterOp_NotSourceXorDestination
                                              : QPainter::CompositionMode_SourceOver);
        m_painter.setPen(m_pen);
        m_painter.drawLine(m_position, to);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    m_position = to;
}

void TQPainterCanvas::Rectangle(const TPlotRect& rect)
{
    const QRect area = FillArea(rect);
    if (area.width() <= 0 || area.height() <= 0) {
        return;
    }
    m_painter.setCompositionMode(m_notXor ? QPainter::RasterOp_NotSourceXorDestination
                                          : QPainter::CompositionMode_SourceOver);
    m_painter.setPen(m_pen);
    m_painter.setBrush(m_brush);
    // A stroked rectangle covers one pixel more than its size: the outline runs along the
    // first and the last pixel of the area.
    m_painter.drawRect(QRect(area.left(), area.top(), area.width() - 1, area.height() - 1));
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQPainterCanvas::FillRect(const TPlotRect& rect)
{
    const QRect area = FillArea(rect);
    if (area.width() > 0 && area.height() > 0 && m_brush.style() != Qt::NoBrush) {
        m_painter.fillRect(area, m_brush);
    }
}

void TQPainterCanvas::SetClipRect(const TPlotRect& rect)
{
    m_painter.setClipRect(FillArea(rect));
}
