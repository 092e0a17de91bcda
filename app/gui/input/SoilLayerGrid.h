#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>

#include "input/InputBindings.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TDataEdit;
class TGridTable;
class TProgramData;

// The layer grid of the soil layers window: one row per layer of the soil table, with an
// "Edit Layer" button, a soil-type list and numeric edits for the depth at the bottom, the
// two limits and the two factors. The edits are the window's working copy: they are loaded
// from the table and stored back into it; a type chosen in a list is the window's to apply.
class TSoilLayerGrid : public QObject
{
    Q_OBJECT

public:
    static constexpr int kEditColumns = 5; // grid columns 2..6
    static constexpr int kShownRows = 6;

    TSoilLayerGrid(QTableWidget& grid, TGridTable& soil);
    ~TSoilLayerGrid() override;

    // Headings for the unit system; one row of controls per layer, loaded from the table.
    // The controls are kept while the number of layers and the offered types stay.
    void Load(TProgramData& data, bool siltOffered);
    // Reads every entry (raises when one cannot be read, storing nothing), then stores the
    // entries the user changed. True when a cell of the table changed.
    bool Store(TProgramData& data);

    // The layer (0-based) whose control was entered or changed last.
    int CurrentRow() const { return m_current; }
    void SetCurrentRow(int row);
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    void ScrollToRow(int row);

    QComboBox* TypeCombo(int row) const { return m_rows.at(Index(row)).Type; }
    TDataEdit* Edit(int row, int column) const;

signals:
    void TypeChosen(int row, int type);
    void EditLayerClicked(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TRow
    {
        QPushButton* Button = nullptr;
        QComboBox* Type = nullptr;
        QLabel* TypeName = nullptr; // not shown: names the list for a screen reader
        std::array<TDataEdit*, kEditColumns> Edits{};
    };

    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
    void SetHeadings(int units);
    void Build(int rows, bool siltOffered);
    void MakeRow(int row, bool siltOffered);
    void ShowType(int row);
    void OrderTabs();
    void FitGrid();

    QTableWidget& m_grid;
    TGridTable& m_soil;
    std::vector<TRow> m_rows;
    TBindingSet m_bindings; // the rows' edits, row by row
    bool m_siltOffered = false;
    int m_current = 0;
    // The control Tab reaches after the grid's last cell, as the window first had it.
    QPointer<QWidget> m_after;
};
