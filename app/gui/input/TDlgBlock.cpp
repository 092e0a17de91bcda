#include "input/TDlgBlock.h"

#include "TProgramData.h"
#include "host/TWindowHost.h"
#include "ui_TDlgBlock.h"

TDlgBlock::TDlgBlock(TWindowHost& host)
    : TInputWindow(host, EInputWindow::CriticalDepth)
    , ui(std::make_unique<Ui::TDlgBlock>())
{
    SetUpForm(*ui);
    BindRadio(Field(&TProgramData::CriticalDepthOption),
              {{ui->RadioButton1, CriticalDepthOptionCode::kByDensity},
               {ui->RadioButton2, CriticalDepthOptionCode::kByStress},
               {ui->RadioButton3, CriticalDepthOptionCode::kUserDepth}});
    BindNumber(ui->DataEdit1, Field(&TProgramData::CriticalDepth));
    for (QRadioButton* b : {ui->RadioButton1, ui->RadioButton2, ui->RadioButton3}) {
        connect(b, &QRadioButton::toggled, this, &TDlgBlock::RadioButtonClick);
    }
    connect(ui->Button1, &QPushButton::clicked, this, &TDlgBlock::CloseWindow);
}

TDlgBlock::~TDlgBlock() = default;

void TDlgBlock::LoadControls()
{
    RadioButtonClick();
}

void TDlgBlock::RadioButtonClick()
{
    const bool user = ui->RadioButton3->isChecked();
    ui->DataEdit1->setVisible(user);
    ui->Label5->setVisible(user);
}
