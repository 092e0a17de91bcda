#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "input/InputBindings.h"

class TGridTable;
class TWindowHost;

namespace Ui {
class TDlgSoils;
}

// "Data for Layer n": the properties of one soil layer at its top and bottom, on the tab of
// its soil type (sand, clay or silt), shown modally by the soil layers window. The entries
// the selected methods do not use are disabled; a clay layer's adhesion option can show its
// Tomlinson graph. Closing stores the entries into the layer's property table, unless the
// focused numeric edit refuses its entry: then the window stays open.
class TDlgSoils : public QDialog
{
    Q_OBJECT

public:
    // layerNumber from 1; soilType 1 sand, 2 clay, 3 silt.
    TDlgSoils(TWindowHost& host, int layerNumber, int soilType, QWidget* parent = nullptr);
    ~TDlgSoils() override;

    void done(int result) override;

private slots:
    void RadioButtonClick();
    void ComboBox1Change(int index);
    void Button4Click();

private:
    TGridTable* Layer() const;
    void DeclareBindings();
    void FormActivate();
    void ShowUse();
    // False (message shown) when an entry cannot be stored; nothing is stored then.
    bool StoreControls();
    // An empty field is named by the top edit's caption.
    static void NameRow(TDataEdit* top, TDataEdit* bottom, const std::string& field);
    void Bind(TDataEdit* top, TDataEdit* bottom, int column, const std::string& field = {});
    void BindBlowCounts(TDataEdit* top, TDataEdit* bottom, int column);

    TWindowHost& m_host;
    int m_layerNumber;
    int m_soilType;
    std::unique_ptr<Ui::TDlgSoils> ui;
    TBindingSet m_bindings;
};
