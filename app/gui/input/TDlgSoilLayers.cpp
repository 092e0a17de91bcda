#include "input/TDlgSoilLayers.h"

#include <exception>
#include <string>

#include <QComboBox>
#include <QLayout>
#include <QMdiSubWindow>
#include <QPushButton>

#include "ProjectTables.h"
#include "SoilRules.h"
#include "TProgramData.h"
#include "host/TWindowHost.h"
#include "input/SoilLayerGrid.h"
#include "input/TDlgSoils.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"
#include "ui_TDlgSoilLayers.h"

TDlgSoilLayers::TDlgSoilLayers(TWindowHost& host)
    : TInputWindow(host, EInputWindow::SoilLayers)
    , ui(std::make_unique<Ui::TDlgSoilLayers>())
{
    SetUpForm(*ui);
    m_grid = std::make_unique<TSoilLayerGrid>(*ui->LayerGrid, Soil());
    connect(ui->ButtonAdd, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonAddClick);
    connect(ui->ButtonIns, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonInsClick);
    connect(ui->ButtonDel, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonDelClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TDlgSoilLayers::Button1Click);
    connect(m_grid.get(), &TSoilLayerGrid::EditLayerClicked, this, &TDlgSoilLayers::ButtonClick);
    connect(m_grid.get(), &TSoilLayerGrid::TypeChosen, this, &TDlgSoilLayers::ComboChange);
}

TDlgSoilLayers::~TDlgSoilLayers() = default;

TGridTable& TDlgSoilLayers::Soil() const
{
    return Host().Tables().D();
}

void TDlgSoilLayers::ShowButtons()
{
    const int layers = Soil().RowCount();
    ui->ButtonAdd->setEnabled(CanAddSoilLayer(layers));
    ui->ButtonIns->setEnabled(CanAddSoilLayer(layers) && layers > 0);
    ui->ButtonDel->setEnabled(CanDeleteSoilLayer(layers));
}

// ---- load and store ---------------------------------------------------------------------------

void TDlgSoilLayers::LoadControls()
{
    ShowGrid();
    m_grid->SetCurrentRow(0);
    ShowButtons();
}

void TDlgSoilLayers::ShowGrid()
{
    m_grid->Load(Data(), SiltOffered(Data().MethodFlags));
    // The grid sizes itself to its headings and controls; the frame follows.
    layout()->activate();
    if (SubWindow() != nullptr) {
        SubWindow()->adjustSize();
    }
}

bool TDlgSoilLayers::StoreControls()
{
    return m_grid->Store(Data());
}

void TDlgSoilLayers::ChangeLayers(const std::function<int(TGridTable&, int current)>& change)
{
    if (!FocusedControlIsValid()) {
        return;
    }
    RunCommand(this, [&] {
        if (m_grid->Store(Data())) {
            Host().SetModified(true);
        }
        const int current = change(Soil(), m_grid->CurrentRow());
        if (current >= 0) {
            Host().SetModified(true);
            ShowGrid();
            m_grid->SetCurrentRow(current);
            m_grid->ScrollToRow(current);
        }
    });
    ShowButtons();
}

// ---- handlers ---------------------------------------------------------------------------------

void TDlgSoilLayers::ButtonAddClick()
{
    ChangeLayers([](TGridTable& soil, int) { return AddSoilLayer(soil); });
}

void TDlgSoilLayers::ButtonInsClick()
{
    // The new layer stands before the current one.
    ChangeLayers([](TGridTable& soil, int current) { return InsertSoilLayer(soil, current); });
}

void TDlgSoilLayers::ButtonDelClick()
{
    ChangeLayers([this](TGridTable& soil, int current) {
        if (!CanDeleteSoilLayer(soil.RowCount())) {
            return -1;
        }
        if (ui->CheckBoxDel->isChecked()) {
            const EMessageResult answer = ShowMessage(
                {EMessageType::Confirmation,
                 EMessageButtons::YesNo,
                 "Confirm",
                 "Do you want to delete soil layer in row " + std::to_string(current + 1),
                 this});
            if (answer != EMessageResult::Yes) {
                return -1;
            }
        }
        return DeleteSoilLayer(soil, current);
    });
}

void TDlgSoilLayers::ComboChange(int row, int type)
{
    m_grid->SetCurrentRow(row);
    if (Soil().GetInteger(SoilColumn::kSoilType, row) == type) {
        return;
    }
    RunCommand(this, [&] {
        ChangeSoilType(Soil(), row, type);
        Host().SetModified(true);
    });
}

void TDlgSoilLayers::ButtonClick(int row)
{
    m_grid->SetCurrentRow(row);
    const int type = Soil().GetInteger(SoilColumn::kSoilType, row);
    TDlgSoils dialog(Host(), row + 1, type, this);
    RunModalDialog(dialog);
}

void TDlgSoilLayers::Button1Click()
{
    CloseWindow();
}
