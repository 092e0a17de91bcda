#include "input/TfrmMaterial.h"

#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TGridTable.h"
#include "host/TWindowHost.h"
#include "seams/MessageSeam.h"
#include "ui_TfrmMaterial.h"

namespace {

// Checks one of two radio buttons.
void CheckEither(QRadioButton* first, QRadioButton* second, bool firstChecked)
{
    (firstChecked ? first : second)->setChecked(true);
}

} // namespace

TfrmMaterial::TfrmMaterial(TWindowHost& host)
    : TInputWindow(host, EInputWindow::PileMaterial)
    , ui(std::make_unique<Ui::TfrmMaterial>())
{
    SetUpForm(*ui);
    m_type = &BindRadio(Field(&TProgramData::PileType),
                        {{ui->OptSteel, PileTypeCode::kSteelPipe},
                         {ui->OptTimber, PileTypeCode::kTimber},
                         {ui->OptConcrete, PileTypeCode::kPrecastConcrete},
                         {ui->OptRaymond, PileTypeCode::kRaymondStepTaper},
                         {ui->OptUniform, PileTypeCode::kRaymondUniformTaper},
                         {ui->OptHpile, PileTypeCode::kHPile},
                         {ui->OptMonotube, PileTypeCode::kTaperedMonotube}});
    BindNumber(ui->deAngle, Field(&TProgramData::TaperAngle));
    BindNumber(ui->deModulus, Field(&TProgramData::E));
    BindRadio(Field(&TProgramData::AreaMode),
              {{ui->RadioButton3, SectionAreaModeCode::kFromSection},
               {ui->RadioButton1, SectionAreaModeCode::kConstant},
               {ui->RadioButton2, SectionAreaModeCode::kVarying}});
    BindNumber(ui->DeSection, Field(&TProgramData::ConstantArea));

    for (QRadioButton* b : findChildren<QRadioButton*>()) {
        // Follows the button's state, whatever changed it (a click, a key, an assistive tool).
        connect(b, &QRadioButton::toggled, this, &TfrmMaterial::ShowWindows);
    }
    connect(ui->SectionButton1, &QPushButton::clicked, this, &TfrmMaterial::SectionButton1Click);
    connect(ui->Button4, &QPushButton::clicked, this, &TfrmMaterial::CloseWindow);
}

TfrmMaterial::~TfrmMaterial() = default;

TPileShapeChoice TfrmMaterial::Choice() const
{
    return {m_type->Checked().value_or(Data().PileType),
            ui->OptDrain->isChecked(),
            ui->CloseEnded->isChecked(),
            ui->CloseEndedPrecast->isChecked()};
}

void TfrmMaterial::ShowWindows()
{
    const TProgramData& project = Data();
    const TPileShapeChoice choice = Choice();
    const bool taper = TaperAngleUsed(choice.PileType, project.MethodFlags[MethodCode::kFhwa]);
    ui->deAngle->setEnabled(taper);
    ui->lblAngle2->setEnabled(taper);
    const bool steel = ui->OptSteel->isChecked();
    ui->OpenEnded->setEnabled(steel);
    ui->CloseEnded->setEnabled(steel);
    const bool concrete = ui->OptConcrete->isChecked();
    ui->OptDrain->setEnabled(concrete);
    ui->OptUndrain->setEnabled(concrete);
    ui->OpenEndedPrecast->setEnabled(concrete && ui->OptDrain->isChecked());
    ui->CloseEndedPrecast->setEnabled(concrete && ui->OptDrain->isChecked());
    ui->DeSection->setEnabled(ui->RadioButton1->isChecked());
    ui->SectionButton1->setEnabled(ui->RadioButton2->isChecked());
    ui->DeAutoSection->SetNumber(
        ShownSectionArea(choice, project.OD, project.ID, project.TipArea, project.UnitSystem));
}

void TfrmMaterial::LoadControls()
{
    const TProgramData& project = Data();
    MoveToTop(10);
    ui->DeAutoSection->SetUnits(project.UnitSystem);
    // The end and shape panels show the project only for the type they belong to; for the
    // other types they keep what they showed.
    if (project.PileType == PileTypeCode::kSteelPipe) {
        CheckEither(ui->CloseEnded, ui->OpenEnded, project.ClosedEnd != 0);
    } else if (project.PileType == PileTypeCode::kPrecastConcrete) {
        CheckEither(ui->OptDrain, ui->OptUndrain, project.Circular != 0);
        CheckEither(ui->CloseEndedPrecast, ui->OpenEndedPrecast, project.ClosedEnd != 0);
    }
    ShowWindows();
    // What the pile does not use is 0, and is stored so.
    if (!ui->deAngle->isEnabled()) {
        ui->deAngle->SetNumber(0);
    }
    if (!ui->DeSection->isEnabled()) {
        ui->DeSection->SetNumber(0);
    }
}

bool TfrmMaterial::StoreControls()
{
    TProgramData& project = Data();
    const TPileShape shape = PileShapeFor(Choice(), project.ClosedEnd);
    project.Circular = shape.Circular;
    project.ClosedEnd = shape.ClosedEnd;
    project.TaperAngle =
        StoredTaperAngle(project.TaperAngle, project.MethodFlags[MethodCode::kFhwa]);
    // The window of the other section shape goes.
    Host().UpdatePileShapeMenus();
    return false;
}

bool TfrmMaterial::CloseAllowed()
{
    if (ModulusIsAccepted(Data().E)) {
        return true;
    }
    ShowMessage({EMessageType::Warning, EMessageButtons::Ok, "Warning", kModulusMessage, this});
    ui->deModulus->setFocus(Qt::OtherFocusReason);
    return false;
}

void TfrmMaterial::SectionButton1Click()
{
    Host().Tables().Sectionaldata().Show();
}
