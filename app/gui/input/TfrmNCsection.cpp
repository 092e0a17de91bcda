#include "input/TfrmNCsection.h"

#include "TProgramData.h"
#include "host/TWindowHost.h"
#include "input/StickUpRule.h"
#include "input/TPileSketch.h"
#include "ui_TfrmNCsection.h"

TfrmNCsection::TfrmNCsection(TWindowHost& host)
    : TInputWindow(host, EInputWindow::NoncircularPile)
    , ui(std::make_unique<Ui::TfrmNCsection>())
{
    SetUpForm(*ui);
    ui->imgSide->SetKind(ESketch::NoncircularSide);
    ui->imgSteelBeam->SetKind(ESketch::HBeam);
    ui->imgSquareBeam->SetKind(ESketch::SquareSection);
    BindNumber(ui->DataEdit1, Field(&TProgramData::PSL));
    BindNumber(ui->DataEdit3, Field(&TProgramData::Perimeter));
    BindNumber(ui->DataEdit4, Field(&TProgramData::TipArea));
    BindNumber(ui->DataEdit5, Field(&TProgramData::TL));
    BindNumber(ui->DataEdit6, Field(&TProgramData::ZFL));
    ApplyStickUpRule(*ui->DataEdit1);
    connect(ui->imgSide, &TPileSketch::AreaClicked, this, &TfrmNCsection::ImageClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmNCsection::CloseWindow);
}

TfrmNCsection::~TfrmNCsection() = default;

void TfrmNCsection::LoadControls()
{
    MoveToTop(30);
}

void TfrmNCsection::ImageClick(const QString& area)
{
    TDataEdit* edit = area == "Image1"   ? ui->DataEdit6
                      : area == "Image2" ? ui->DataEdit5
                      : area == "Image3" ? ui->DataEdit1
                                         : nullptr;
    if (edit != nullptr) {
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
    }
}
