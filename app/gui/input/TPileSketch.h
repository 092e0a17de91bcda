#pragma once

#include <vector>

#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QWidget>

// The pictures of the pile windows, drawn by the program: the circular pile with its
// dimensions, the side of a noncircular pile, and two example sections. A dimension with a
// click area carries that area's component name; the area is a child of the picture placed on
// the dimension's line and name, from the same geometry that draws them, and a click on it is
// reported so that the window can focus the dimension's entry.
enum class ESketch
{
    None,
    CircularPile,
    NoncircularSide,
    HBeam,
    SquareSection,
};

// One dimension: the line it measures and its name beside it, in sketch units (pixels at
// 96 dpi).
struct TSketchDimension
{
    const char* Area; // the click area's component name; null when it has none
    const char* Text; // "OD", "PSL", ...
    QLineF Line;
    QPointF TextAt; // centre of the name
};

struct TSketchGeometry
{
    QSizeF Size;                   // the picture's extent
    std::vector<QPolygonF> Solids; // filled outlines
    std::vector<QLineF> Hidden;    // walls hidden inside the pile, dashed
    QRectF Soil;                   // hatched below the ground line; empty when none
    std::vector<TSketchDimension> Dimensions;
};

const TSketchGeometry& SketchGeometry(ESketch kind);

// The click area of a dimension, in sketch units: its line and its name, with a margin.
QRectF DimensionBox(const TSketchDimension& dimension);

class TPileSketch : public QWidget
{
    Q_OBJECT

public:
    explicit TPileSketch(QWidget* parent = nullptr);

    // Draws this picture and makes its click areas.
    void SetKind(ESketch kind);
    ESketch Kind() const { return m_kind; }

    // The click area of that component name; null when the picture has none.
    QWidget* Area(const QString& name) const;
    // A disabled area takes no clicks, and its dimension is drawn grey.
    void SetAreaEnabled(const QString& name, bool enabled);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void AreaClicked(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sketch units to widget pixels: scaled to fit, centred.
    QTransform ToWidget() const;
    void PlaceAreas();

    ESketch m_kind = ESketch::None;
    std::vector<QWidget*> m_areas;
};
