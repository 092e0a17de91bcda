#include "input/TDlgTZPrint.h"

#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TGridTable.h"
#include "host/TWindowHost.h"
#include "ui_TDlgTZPrint.h"

TDlgTZPrint::TDlgTZPrint(TWindowHost& host)
    : TInputWindow(host, EInputWindow::TzPrint)
    , ui(std::make_unique<Ui::TDlgTZPrint>())
{
    SetUpForm(*ui);
    BindCheck(ui->ChkPrint, Field(&TProgramData::PrintExtraTz));
    // Follows the box's state, whatever changed it (a click, a key, an assistive tool).
    connect(ui->ChkPrint, &QCheckBox::toggled, this, &TDlgTZPrint::ChkPrintClick);
    connect(ui->EditDepths, &QPushButton::clicked, this, &TDlgTZPrint::EditDepthsClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TDlgTZPrint::CloseWindow);
}

TDlgTZPrint::~TDlgTZPrint() = default;

void TDlgTZPrint::LoadControls()
{
    ChkPrintClick();
}

void TDlgTZPrint::ChkPrintClick()
{
    ui->EditDepths->setEnabled(ui->ChkPrint->isChecked());
}

void TDlgTZPrint::EditDepthsClick()
{
    Host().Tables().TblTZDepth().Show();
}
