#include "input/TfrmShaftpeneta.h"

#include "PileRules.h"
#include "TProgramData.h"
#include "host/TWindowHost.h"
#include "input/StickUpRule.h"
#include "input/TPileSketch.h"
#include "ui_TfrmShaftpeneta.h"

TfrmShaftpeneta::TfrmShaftpeneta(TWindowHost& host)
    : TInputWindow(host, EInputWindow::CircularPile)
    , ui(std::make_unique<Ui::TfrmShaftpeneta>())
{
    SetUpForm(*ui);
    ui->Image1->SetKind(ESketch::CircularPile);
    BindNumber(ui->DataEdit1, Field(&TProgramData::PSL));
    BindNumber(ui->DataEdit8, Field(&TProgramData::OD));
    BindNumber(ui->DataEdit9, Field(&TProgramData::ID));
    BindNumber(ui->DataEdit10, Field(&TProgramData::TL));
    BindNumber(ui->DataEdit11, Field(&TProgramData::ESL));
    BindNumber(ui->DataEdit12, Field(&TProgramData::EID));
    BindNumber(ui->DataEdit13, Field(&TProgramData::ZFL));
    BindRadio(Field(&TProgramData::PlugCondition),
              {{ui->OptIntPlug, PlugConditionCode::kComputed},
               {ui->OptPlug, PlugConditionCode::kPlugged},
               {ui->OptUnplug, PlugConditionCode::kUnplugged}});
    ApplyStickUpRule(*ui->DataEdit1);
    connect(ui->Image1, &TPileSketch::AreaClicked, this, &TfrmShaftpeneta::ImageClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmShaftpeneta::CloseWindow);
}

TfrmShaftpeneta::~TfrmShaftpeneta() = default;

void TfrmShaftpeneta::LoadControls()
{
    const TProgramData& project = Data();
    MoveToTop(20);
    const TCircularPileEntries used =
        CircularPileEntries(project.PileType, project.Circular, project.ClosedEnd);
    ui->DataEdit9->setEnabled(used.InnerDiameter);
    ui->DataEdit11->setEnabled(used.EndSection);
    ui->DataEdit12->setEnabled(used.EndSection);
    ui->Label1->setEnabled(used.EndSection);
    ui->Image1->SetAreaEnabled("Image3", used.InnerDiameter);
    ui->Image1->SetAreaEnabled("Image5", used.EndSection);
    ui->Image1->SetAreaEnabled("Image6", used.EndSection);
    if (!used.InnerDiameter) {
        for (TDataEdit* unused : {ui->DataEdit9, ui->DataEdit11, ui->DataEdit12}) {
            unused->SetNumber(0);
        }
    }
    ui->GroupBox4->setVisible(used.PlugCondition);
}

void TfrmShaftpeneta::ImageClick(const QString& area)
{
    struct TArea
    {
        const char* Name;
        TDataEdit* Edit;
    };
    const TArea areas[] = {{"Image2", ui->DataEdit8},
                           {"Image3", ui->DataEdit9},
                           {"Image4", ui->DataEdit13},
                           {"Image5", ui->DataEdit11},
                           {"Image6", ui->DataEdit12},
                           {"Image7", ui->DataEdit10},
                           {"Image8", ui->DataEdit1}};
    for (const TArea& a : areas) {
        if (area == a.Name && a.Edit->isEnabled()) {
            a.Edit->setFocus(Qt::MouseFocusReason);
            a.Edit->selectAll();
        }
    }
}
