#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QString>

class TGridTable;

// The string grid of the table editor window as a Qt model: one Qt row per table row, one Qt
// column per visible table column. Like a string grid it holds the text of every data cell;
// what the user types stays text until the window commits it into its column. The column
// headings (all header lines, top first) and the row-group numbers are the header data.
class TGridTableViewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TGridTableViewModel(QObject* parent = nullptr);

    void SetTable(TGridTable* table); // nullptr: the table is gone, the model is empty
    TGridTable* Table() const { return m_table; }

    // Rebuilds rows, columns and every text from the table.
    void Reload();
    // Shows every data cell of the columns without controls again from the column.
    void RefreshTexts();
    // Shows one cell again from its column (visible column index, row).
    void RefreshCell(int visibleColumn, int row);

    int FixedRowCount() const { return m_fixedRows; }
    int TableColumnIndex(int visibleColumn) const;   // -1 outside
    int VisibleIndexOfColumn(int tableColumn) const; // -1 when hidden
    bool UsesControls(int visibleColumn) const;
    QString CellText(int visibleColumn, int row) const;
    void SetCellText(int visibleColumn, int row, const QString& text);
    QString HeaderLine(int visibleColumn, int line) const;
    QString GroupNumber(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString ColumnText(int visibleColumn, int row) const;

    TGridTable* m_table = nullptr;
    int m_fixedRows = 0;
    int m_rowGroup = 1;
    std::vector<int> m_columns;               // table column index per visible column
    std::vector<bool> m_controls;             // the column edits through cell controls
    std::vector<std::vector<QString>> m_text; // [row][visible column]
};
