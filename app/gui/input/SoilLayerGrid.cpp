#include "input/SoilLayerGrid.h"

#include <algorithm>
#include <string>

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "entry/TDataEdit.h"
#include "entry/Units.h"
#include "grid/TGridTable.h"
#include "input/AccessibleNames.h"

namespace {

constexpr int kButtonColumn = 0;
constexpr int kTypeColumn = 1;
constexpr int kFirstEditColumn = 2;
constexpr const char* kRowProperty = "layerRow";

// The soil table's column behind each edit column, with the edit's component name, the field
// it is named by for accessibility and in its messages (after "Layer n ") and its units.
struct TEditColumn
{
    int SoilColumn;
    const char* Name;
    const char* What;
    const char* Units;
};
constexpr std::array<TEditColumn, TSoilLayerGrid::kEditColumns> kEditFields = {{
    {SoilColumn::kBottomDepth, "DepthEdit", "depth at bottom", "L2"},
    {SoilColumn::kMaxSideFriction, "SideFrictionEdit", "max. side friction", "F/L2^2"},
    {SoilColumn::kMaxEndBearing, "EndBearingEdit", "max. end bearing", "F/L2^2"},
    {SoilColumn::kSideFactor, "SideFactorEdit", "reduction/resistance factor on side friction", ""},
    {SoilColumn::kEndFactor, "EndFactorEdit", "reduction/resistance factor on end bearing", ""},
}};

QString Heading(const char* top, const std::string& bottom)
{
    return QString::fromLatin1(top) + '\n' + QString::fromStdString(bottom);
}

} // namespace

TSoilLayerGrid::TSoilLayerGrid(QTableWidget& grid, TGridTable& soil)
    : m_grid(grid)
    , m_soil(soil)
{
    m_grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Tab runs through the cells' controls, row by row, and then on to the controls after
    // the grid (the grid's own Tab would wrap around inside it for ever).
    m_grid.setTabKeyNavigation(false);
    m_grid.setFocusPolicy(Qt::NoFocus);
    m_grid.setAccessibleName(QStringLiteral("Soil layers"));
    ExposeCellControls(m_grid);
}

TSoilLayerGrid::~TSoilLayerGrid() = default;

TDataEdit* TSoilLayerGrid::Edit(int row, int column) const
{
    return m_rows.at(Index(row)).Edits.at(static_cast<std::size_t>(column));
}

void TSoilLayerGrid::SetHeadings(int units)
{
    const std::string depth = RenderUnitPattern("L2", units);
    // The window's own heading: "lb/ft^2", where the unit names of the entries read "lbs".
    const std::string stress =
        units == kUnitsEnglish ? std::string("lb/ft^2") : RenderUnitPattern("F/L2^2", units);
    m_grid.setHorizontalHeaderLabels(
        {Heading("  Layer ", "        "),
         Heading(" Soil Type ", "           "),
         Heading(" Depth at Bottom * ", " of each layer (" + depth + ") "),
         Heading(" Max. Side Friction ** ", "       (" + stress + ")    "),
         Heading(" Max. End Bearing ** ", "       (" + stress + ")    "),
         Heading(" Reduction/Resistance *** ", " Factors on Side Friction "),
         Heading(" Reduction/Resistance *** ", "  Factors on End Bearing ")});
}

void TSoilLayerGrid::Load(TProgramData& data, bool siltOffered)
{
    SetHeadings(data.UnitSystem);
    if (m_soil.RowCount() != RowCount() || siltOffered != m_siltOffered) {
        Build(m_soil.RowCount(), siltOffered);
    }
    for (int row = 0; row < RowCount(); ++row) {
        ShowType(row);
        m_rows[Index(row)].Button->setEnabled(m_soil.Cells(SoilColumn::kLayerData, row).GetTable()
                                              != nullptr);
    }
    m_bindings.Load(data);
    FitGrid();
    m_current = std::clamp(m_current, 0, std::max(RowCount() - 1, 0));
}

bool TSoilLayerGrid::Store(TProgramData& data)
{
    return m_bindings.Store(data);
}

void TSoilLayerGrid::SetCurrentRow(int row)
{
    m_current = std::clamp(row, 0, std::max(RowCount() - 1, 0));
}

void TSoilLayerGrid::ScrollToRow(int row)
{
    if (row >= 0 && row < m_grid.rowCount()) {
        // The scroll range must know the rows just made before the view can move to one.
        m_grid.doItemsLayout();
        m_grid.scrollTo(m_grid.model()->index(row, 0));
    }
}

void TSoilLayerGrid::Build(int rows, bool siltOffered)
{
    // Controls being replaced may be handling the event that led here: they go later, and
    // give up their names and rows at once.
    for (TRow& row : m_rows) {
        std::vector<QWidget*> controls = {row.Button, row.Type};
        controls.insert(controls.end(), row.Edits.begin(), row.Edits.end());
        for (QWidget* w : controls) {
            w->removeEventFilter(this);
            w->setObjectName(QString());
            w->setProperty(kRowProperty, QVariant());
        }
        if (row.TypeName != nullptr) {
            row.TypeName->setBuddy(nullptr);
            row.TypeName->deleteLater();
        }
    }
    m_bindings.Clear();
    m_rows.clear();
    m_grid.setRowCount(0);
    m_grid.setRowCount(rows);
    m_siltOffered = siltOffered;
    m_rows.resize(Index(rows));
    for (int row = 0; row < rows; ++row) {
        MakeRow(row, siltOffered);
    }
    OrderTabs();
}

void TSoilLayerGrid::OrderTabs()
{
    // The control that takes the focus after the grid, found once, before any cell control
    // is put in its place. Found again after a rebuild, it was at times the one after it
    // (Add Layer pressed by keyboard in a session with a screen reader's bus), so that Add
    // Layer moved before the cells.
    if (m_after == nullptr) {
        QWidget* after = m_grid.nextInFocusChain();
        while (after != &m_grid
               && (m_grid.isAncestorOf(after) || (after->focusPolicy() & Qt::TabFocus) == 0)) {
            after = after->nextInFocusChain();
        }
        if (after != &m_grid) {
            m_after = after;
        }
    }
    QWidget* previous = &m_grid;
    for (const TRow& row : m_rows) {
        std::vector<QWidget*> controls = {row.Button, row.Type};
        controls.insert(controls.end(), row.Edits.begin(), row.Edits.end());
        for (QWidget* control : controls) {
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
    if (m_after != nullptr && previous != &m_grid) {
        QWidget::setTabOrder(previous, m_after);
    }
}

void TSoilLayerGrid::MakeRow(int row, bool siltOffered)
{
    TRow& r = m_rows[Index(row)];
    const QString number = QString::number(row + 1);
    r.Button = new QPushButton("Edit Layer " + number);
    r.Button->setObjectName("EditLayer" + number);
    connect(r.Button, &QPushButton::clicked, this, [this, row] { emit EditLayerClicked(row); });

    r.Type = new QComboBox;
    r.Type->setObjectName("SoilType" + number);
    r.Type->setAccessibleName("Layer " + number + " soil type");
    r.Type->addItems({"Sand", "Clay"});
    if (siltOffered) {
        r.Type->addItem("Silt");
    }
    r.Type->setMaxVisibleItems(r.Type->count());
    connect(r.Type, &QComboBox::activated, this, [this, row](int index) {
        emit TypeChosen(row, index + 1);
    });

    m_grid.setCellWidget(row, kButtonColumn, r.Button);
    m_grid.setCellWidget(row, kTypeColumn, r.Type);
    // A list is read by the label it is the buddy of (its own name is its chosen item).
    r.TypeName = new QLabel(r.Type->accessibleName(), r.Type->parentWidget());
    r.TypeName->setObjectName("SoilTypeName" + number);
    r.TypeName->hide();
    r.TypeName->setBuddy(r.Type);
    for (int c = 0; c < kEditColumns; ++c) {
        const TEditColumn& column = kEditFields[static_cast<std::size_t>(c)];
        auto* edit = new TDataEdit;
        edit->setObjectName(column.Name + number);
        edit->SetUnitsString(column.Units);
        edit->SetFieldName("Layer " + std::to_string(row + 1) + " " + column.What);
        r.Edits[static_cast<std::size_t>(c)] = edit;
        m_grid.setCellWidget(row, kFirstEditColumn + c, edit);
        m_bindings.Add<TCellBinding>(
            edit,
            [this] { return &m_soil; },
            column.SoilColumn,
            row);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{r.Button, r.Type}) {
        w->setProperty(kRowProperty, row);
        w->installEventFilter(this);
    }
    for (TDataEdit* edit : r.Edits) {
        edit->setProperty(kRowProperty, row);
        edit->installEventFilter(this);
    }
}

void TSoilLayerGrid::ShowType(int row)
{
    // A type the list does not offer (silt while other methods are chosen) shows no item.
    const int type = m_soil.GetInteger(SoilColumn::kSoilType, row);
    QComboBox* combo = m_rows[Index(row)].Type;
    combo->setCurrentIndex(type >= 1 && type <= combo->count() ? type - 1 : -1);
}

void TSoilLayerGrid::FitGrid()
{
    // Every column as wide as its heading or its control needs; the grid shows whole
    // columns and kShownRows rows.
    const QFontMetrics metrics = m_grid.horizontalHeader()->fontMetrics();
    int rowHeight = 25;
    int width = 0;
    for (int col = 0; col < m_grid.columnCount(); ++col) {
        int needed = 0;
        if (QTableWidgetItem* item = m_grid.horizontalHeaderItem(col)) {
            for (const QString& line : item->text().split('\n')) {
                needed = std::max(needed, metrics.horizontalAdvance(line));
            }
        }
        needed += 2 * metrics.averageCharWidth();
        for (int row = 0; row < m_grid.rowCount(); ++row) {
            if (QWidget* w = m_grid.cellWidget(row, col)) {
                needed = std::max(needed, w->sizeHint().width() + 2);
                rowHeight = std::max(rowHeight, w->sizeHint().height() + 2);
            }
        }
        m_grid.setColumnWidth(col, needed);
        width += needed;
    }
    m_grid.verticalHeader()->setDefaultSectionSize(rowHeight);
    const int frame = 2 * m_grid.frameWidth();
    m_grid.setFixedSize(width + frame + m_grid.verticalScrollBar()->sizeHint().width(),
                        m_grid.horizontalHeader()->sizeHint().height() + kShownRows * rowHeight
                            + frame);
}

bool TSoilLayerGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        const QVariant row = watched->property(kRowProperty);
        if (row.isValid()) {
            SetCurrentRow(row.toInt());
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Tab and Backtab move the grid's current cell, and the grid takes the focus on the
        // way: a refused entry is reported once, before the move, and the user stays in it.
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* edit = qobject_cast<TDataEdit*>(watched);
        if (edit != nullptr && (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            && !DataEditIsValid(edit)) {
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        // The grid hands the focus to a cell's edit itself when the keyboard moves to it (no
        // Tab reason reaches the edit): whatever but a click brings the focus selects the
        // entry, so typing replaces it as in any other edit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* edit = qobject_cast<TDataEdit*>(watched);
        if (edit != nullptr && reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason
            && reason != Qt::ActiveWindowFocusReason && reason != Qt::MenuBarFocusReason) {
            edit->selectAll();
        }
    }
    return QObject::eventFilter(watched, event);
}
