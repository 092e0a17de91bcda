#pragma once

#include <functional>
#include <memory>

#include "input/TInputWindow.h"

class TGridTable;
class TSoilLayerGrid;

namespace Ui {
class TDlgSoilLayers;
}

// "Soill Layers": the soil profile, one row per layer of the soil table with its type, depth
// at the bottom, limits of side friction and end bearing and two reduction factors, and a
// button per layer that opens the layer's properties. Add, Insert and Delete change the table
// at once, as does a change of type; the other entries are stored when the window is left.
class TDlgSoilLayers : public TInputWindow
{
    Q_OBJECT

public:
    explicit TDlgSoilLayers(TWindowHost& host);
    ~TDlgSoilLayers() override;

    // "Add Layer" while there are fewer than the most layers; "Insert Layer" while there is
    // room and a layer; "Delete Layer" while there is more than one layer.
    void ShowButtons();

protected:
    void LoadControls() override;
    bool StoreControls() override;

private slots:
    void ButtonAddClick();
    void ButtonInsClick();
    void ButtonDelClick();
    void ButtonClick(int row);
    void ComboChange(int row, int type);
    void Button1Click();

private:
    TGridTable& Soil() const;
    void ShowGrid();
    // Stores the grid's entries, lets `change` change the table (it returns the row that is
    // current afterwards, or -1 for no change) and shows the table again. Nothing happens
    // while an entry is refused.
    void ChangeLayers(const std::function<int(TGridTable&, int current)>& change);

    std::unique_ptr<Ui::TDlgSoilLayers> ui;
    std::unique_ptr<TSoilLayerGrid> m_grid;
};
