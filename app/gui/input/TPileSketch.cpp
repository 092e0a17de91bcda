#include "input/TPileSketch.h"

#include <algorithm>

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal kAreaMargin = 3;
constexpr qreal kArrow = 5;
constexpr qreal kTextBox = 14; // half the width and the height of a name's box

QPolygonF Box(qreal left, qreal top, qreal right, qreal bottom)
{
    return QPolygonF(QRectF(QPointF(left, top), QPointF(right, bottom)));
}

// A pipe pile: outer diameter 60, walls 8 thick down to the lower end section, which is
// thicker (its inner diameter smaller); head at 30, ground at 80, tip at 330.
TSketchGeometry CircularPile()
{
    TSketchGeometry g;
    g.Size = {250, 350};
    g.Solids = {Box(100, 30, 108, 270),
                Box(152, 30, 160, 270),
                Box(100, 270, 116, 330),
                Box(144, 270, 160, 330)};
    g.Hidden = {{108, 30, 108, 270}, {152, 30, 152, 270}};
    g.Soil = QRectF(QPointF(15, 80), QPointF(235, 342));
    g.Dimensions = {
        {"Image2", "OD", {100, 20, 160, 20}, {130, 11}},
        {"Image3", "ID", {108, 50, 152, 50}, {130, 40}},
        {"Image6", "EID", {116, 300, 144, 300}, {130, 290}},
        {"Image8", "PSL", {80, 30, 80, 80}, {62, 55}},
        {"Image7", "TL", {34, 30, 34, 330}, {18, 180}},
        {"Image4", "ZFL", {185, 80, 185, 150}, {208, 115}},
        {"Image5", "ESL", {185, 270, 185, 330}, {208, 300}},
    };
    return g;
}

// The side of a noncircular pile: head at 30, ground at 80, tip at 330.
TSketchGeometry NoncircularSide()
{
    TSketchGeometry g;
    g.Size = {250, 350};
    g.Solids = {Box(105, 30, 155, 330)};
    g.Soil = QRectF(QPointF(15, 80), QPointF(235, 342));
    g.Dimensions = {
        {"Image3", "PSL", {80, 30, 80, 80}, {62, 55}},
        {"Image2", "TL", {34, 30, 34, 330}, {18, 180}},
        {"Image1", "ZFL", {185, 80, 185, 150}, {208, 115}},
    };
    return g;
}

// An H-shaped steel beam: flanges L1 wide and W1 thick, depth L2, web W2 thick.
TSketchGeometry HBeam()
{
    TSketchGeometry g;
    g.Size = {170, 150};
    QPolygonF h;
    h << QPointF(30, 30) << QPointF(120, 30) << QPointF(120, 42) << QPointF(80, 42)
      << QPointF(80, 108) << QPointF(120, 108) << QPointF(120, 120) << QPointF(30, 120)
      << QPointF(30, 108) << QPointF(70, 108) << QPointF(70, 42) << QPointF(30, 42);
    g.Solids = {h};
    g.Dimensions = {
        {nullptr, "L1", {30, 18, 120, 18}, {75, 9}},
        {nullptr, "L2", {140, 30, 140, 120}, {158, 75}},
        {nullptr, "W1", {22, 30, 22, 42}, {10, 36}},
        {nullptr, "W2", {70, 132, 80, 132}, {75, 143}},
    };
    return g;
}

// A square (or rectangular) section L1 by L2.
TSketchGeometry SquareSection()
{
    TSketchGeometry g;
    g.Size = {170, 150};
    g.Solids = {Box(40, 30, 120, 110)};
    g.Dimensions = {
        {nullptr, "L1", {40, 18, 120, 18}, {80, 9}},
        {nullptr, "L2", {140, 30, 140, 110}, {158, 70}},
    };
    return g;
}

void DrawArrowHead(QPainter& p, QPointF tip, QPointF from)
{
    QLineF back(tip, from);
    back.setLength(kArrow);
    QLineF left = back;
    left.setAngle(back.angle() + 25);
    QLineF right = back;
    right.setAngle(back.angle() - 25);
    p.drawLine(left);
    p.drawLine(right);
}

} // namespace

const TSketchGeometry& SketchGeometry(ESketch kind)
{
    static const TSketchGeometry none;
    static const TSketchGeometry circular = CircularPile();
    static const TSketchGeometry side = NoncircularSide();
    static const TSketchGeometry beam = HBeam();
    static const TSketchGeometry square = SquareSection();
    switch (kind) {
    case ESketch::CircularPile:
        return circular;
    case ESketch::NoncircularSide:
        return side;
    case ESketch::HBeam:
        return beam;
    case ESketch::SquareSection:
        return square;
    case ESketch::None:
        break;
    }
    return none;
}

QRectF DimensionBox(const TSketchDimension& dimension)
{
    const QRectF line = QRectF(dimension.Line.p1(), dimension.Line.p2()).normalized();
    const QRectF text(dimension.TextAt - QPointF(kTextBox, kTextBox / 2),
                      QSizeF(2 * kTextBox, kTextBox));
    return line.united(text).adjusted(-kAreaMargin, -kAreaMargin, kAreaMargin, kAreaMargin);
}

TPileSketch::TPileSketch(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPileSketch::SetKind(ESketch kind)
{
    m_kind = kind;
    for (QWidget* area : m_areas) {
        delete area;
    }
    m_areas.clear();
    for (const TSketchDimension& d : SketchGeometry(kind).Dimensions) {
        if (d.Area == nullptr) {
            continue;
        }
        auto* area = new QWidget(this);
        area->setObjectName(d.Area);
        area->setAccessibleName(d.Text);
        area->setToolTip(d.Text);
        area->setCursor(Qt::PointingHandCursor);
        area->installEventFilter(this);
        m_areas.push_back(area);
    }
    PlaceAreas();
    updateGeometry();
    update();
}

QWidget* TPileSketch::Area(const QString& name) const
{
    const auto found = std::find_if(m_areas.begin(), m_areas.end(), [&name](QWidget* a) {
        return a->objectName() == name;
    });
    return found == m_areas.end() ? nullptr : *found;
}

void TPileSketch::SetAreaEnabled(const QString& name, bool enabled)
{
    if (QWidget* area = Area(name)) {
        area->setEnabled(enabled);
        update();
    }
}

QSize TPileSketch::sizeHint() const
{
    const qreal scale = logicalDpiX() / 96.0;
    return (SketchGeometry(m_kind).Size * scale).toSize();
}

QSize TPileSketch::minimumSizeHint() const
{
    return sizeHint();
}

QTransform TPileSketch::ToWidget() const
{
    const QSizeF size = SketchGeometry(m_kind).Size;
    if (size.isEmpty()) {
        return {};
    }
    const qreal scale = std::min(width() / size.width(), height() / size.height());
    QTransform t;
    t.translate((width() - size.width() * scale) / 2, (height() - size.height() * scale) / 2);
    t.scale(scale, scale);
    return t;
}

void TPileSketch::PlaceAreas()
{
    const QTransform t = ToWidget();
    for (const TSketchDimension& d : SketchGeometry(m_kind).Dimensions) {
        if (QWidget* area = d.Area != nullptr ? Area(d.Area) : nullptr) {
            area->setGeometry(t.mapRect(DimensionBox(d)).toAlignedRect());
        }
    }
}

void TPileSketch::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceAreas();
}

bool TPileSketch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (auto* area = qobject_cast<QWidget*>(watched); area != nullptr && area->isEnabled()) {
            emit AreaClicked(area->objectName());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPileSketch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const TSketchGeometry& g = SketchGeometry(m_kind);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(ToWidget());

    if (!g.Soil.isEmpty()) {
        p.fillRect(g.Soil, QBrush(QColor(150, 110, 60), Qt::BDiagPattern));
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(g.Soil.topLeft(), g.Soil.topRight());
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(170, 170, 170));
    for (const QPolygonF& solid : g.Solids) {
        p.drawPolygon(solid);
    }
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    for (const QLineF& line : g.Hidden) {
        p.drawLine(line);
    }

    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (const TSketchDimension& d : g.Dimensions) {
        const QWidget* area = d.Area != nullptr ? Area(d.Area) : nullptr;
        const QColor colour =
            area != nullptr && !area->isEnabled() ? QColor(160, 160, 160) : QColor(0, 0, 160);
        p.setPen(QPen(colour, 1));
        p.drawLine(d.Line);
        DrawArrowHead(p, d.Line.p1(), d.Line.p2());
        DrawArrowHead(p, d.Line.p2(), d.Line.p1());
        const QRectF text(d.TextAt - QPointF(kTextBox, kTextBox / 2),
                          QSizeF(2 * kTextBox, kTextBox));
        p.drawText(text, Qt::AlignCenter, d.Text);
    }
}
