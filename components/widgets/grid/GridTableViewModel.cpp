#include "grid/GridTableViewModel.h"

#include <algorithm>

#include <QStringList>

#include "grid/TGridTable.h"

TGridTableViewModel::TGridTableViewModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

void TGridTableViewModel::SetTable(TGridTable* table)
{
    m_table = table;
    Reload();
}

void TGridTableViewModel::Reload()
{
    beginResetModel();
    m_columns.clear();
    m_controls.clear();
    m_text.clear();
    m_fixedRows = 0;
    m_rowGroup = 1;
    if (m_table != nullptr) {
        m_fixedRows = m_table->FixedRowCount();
        m_rowGroup = std::max(1, m_table->RowGroup());
        for (int c = 0; c < m_table->ColumnCount(); ++c) {
            if (m_table->Columns(c).Visible()) {
                m_columns.push_back(c);
                m_controls.push_back(m_table->Columns(c).UsesControls());
            }
        }
        const int rows = m_table->RowCount();
        m_text.assign(static_cast<std::size_t>(rows), std::vector<QString>(m_columns.size()));
        for (int r = 0; r < rows; ++r) {
            for (int v = 0; v < static_cast<int>(m_columns.size()); ++v) {
                m_text[static_cast<std::size_t>(r)][static_cast<std::size_t>(v)] = ColumnText(v, r);
            }
        }
    }
    endResetModel();
}

QString TGridTableViewModel::ColumnText(int visibleColumn, int row) const
{
    if (m_table == nullptr || UsesControls(visibleColumn) || row < 0
        || row >= m_table->RowCount()) {
        return {};
    }
    const int col = TableColumnIndex(visibleColumn);
    return QString::fromStdString(m_table->Columns(col).GetText(row));
}

void TGridTableViewModel::RefreshTexts()
{
    if (m_table == nullptr || m_text.empty() || m_columns.empty()) {
        return;
    }
    for (int r = 0; r < static_cast<int>(m_text.size()); ++r) {
        for (int v = 0; v < static_cast<int>(m_columns.size()); ++v) {
            m_text[static_cast<std::size_t>(r)][static_cast<std::size_t>(v)] = ColumnText(v, r);
        }
    }
    emit dataChanged(
        index(0, 0),
        index(static_cast<int>(m_text.size()) - 1, static_cast<int>(m_columns.size()) - 1));
}

void TGridTableViewModel::RefreshCell(int visibleColumn, int row)
{
    if (row < 0 || row >= static_cast<int>(m_text.size()) || visibleColumn < 0
        || visibleColumn >= static_cast<int>(m_columns.size())) {
        return;
    }
    m_text[static_cast<std::size_t>(row)][static_cast<std::size_t>(visibleColumn)] =
        ColumnText(visibleColumn, row);
    emit dataChanged(index(row, visibleColumn), index(row, visibleColumn));
}

int TGridTableViewModel::TableColumnIndex(int visibleColumn) const
{
    if (visibleColumn < 0 || visibleColumn >= static_cast<int>(m_columns.size())) {
        return -1;
    }
    return m_columns[static_cast<std::size_t>(visibleColumn)];
}

int TGridTableViewModel::VisibleIndexOfColumn(int tableColumn) const
{
    const auto it = std::find(m_columns.begin(), m_columns.end(), tableColumn);
    return it == m_columns.end() ? -1 : static_cast<int>(it - m_columns.begin());
}

bool TGridTableViewModel::UsesControls(int visibleColumn) const
{
    return visibleColumn >= 0 && visibleColumn < static_cast<int>(m_controls.size())
           && m_controls[static_cast<std::size_t>(visibleColumn)];
}

QString TGridTableViewModel::CellText(int visibleColumn, int row) const
{
    if (row < 0 || row >= static_cast<int>(m_text.size()) || visibleColumn < 0
        || visibleColumn >= static_cast<int>(m_columns.size())) {
        return {};
    }
    return m_text[static_cast<std::size_t>(row)][static_cast<std::size_t>(visibleColumn)];
}

void TGridTableViewModel::SetCellText(int visibleColumn, int row, const QString& text)
{
    setData(index(row, visibleColumn), text, Qt::EditRole);
}

QString TGridTableViewModel::HeaderLine(int visibleColumn, int line) const
{
    const int col = TableColumnIndex(visibleColumn);
    if (m_table == nullptr || col < 0 || line < 0) {
        return {};
    }
    const TColumn& column = m_table->Columns(col);
    if (line >= column.HeaderLineCount()) {
        return {};
    }
    return QString::fromStdString(column.GetHeaderLine(line));
}

QString TGridTableViewModel::GroupNumber(int row) const
{
    return QString::number(row / m_rowGroup + 1);
}

int TGridTableViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_text.size());
}

int TGridTableViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TGridTableViewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return CellText(index.column(), index.row());
}

bool TGridTableViewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || UsesControls(index.column())
        || index.row() >= static_cast<int>(m_text.size())
        || index.column() >= static_cast<int>(m_columns.size())) {
        return false;
    }
    m_text[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())] =
        value.toString();
    emit dataChanged(index, index);
    return true;
}

QVariant TGridTableViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return GroupNumber(section);
    }
    // Every column shows as many lines as the grid has fixed rows, so that line h of each
    // heading sits in the same place.
    QStringList lines;
    for (int h = 0; h < m_fixedRows; ++h) {
        lines << HeaderLine(section, h);
    }
    return lines.join('\n');
}

Qt::ItemFlags TGridTableViewModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (UsesControls(index.column())) {
        return Qt::ItemIsEnabled; // its control edits it
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}
