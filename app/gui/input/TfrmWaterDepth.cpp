#include "input/TfrmWaterDepth.h"

#include <cstddef>

#include <QEvent>

#include "MethodRules.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "host/TWindowHost.h"
#include "ui_TfrmWaterDepth.h"

namespace {

constexpr std::size_t Index(int code)
{
    return static_cast<std::size_t>(code - 1);
}

} // namespace

TfrmWaterDepth::TfrmWaterDepth(TWindowHost& host)
    : TInputWindow(host, EInputWindow::ComputationMethod)
    , ui(std::make_unique<Ui::TfrmWaterDepth>())
{
    SetUpForm(*ui);
    m_opt = {ui->OptFHWA,
             ui->OptUSCOE,
             ui->OptLamda,
             ui->OptAPI,
             ui->OptUserSpecified,
             ui->OptNGI,
             ui->OptMTD,
             ui->OptFugro,
             ui->OptUWA};
    m_check = {ui->CheckBox1,
               ui->CheckBox2,
               ui->CheckBox3,
               ui->CheckBox4,
               ui->CheckBox5,
               ui->CheckBox6,
               ui->CheckBox7,
               ui->CheckBox8,
               ui->CheckBox9};
    m_ls = {ui->Label21,
            ui->Label22,
            ui->Label23,
            ui->Label24,
            ui->Label25,
            ui->Label26,
            ui->Label27,
            ui->Label28,
            ui->Label29};
    ui->GroupBox2->installEventFilter(this);
    DeclareBindings();
    ConnectHandlers();
}

TfrmWaterDepth::~TfrmWaterDepth() = default;

void TfrmWaterDepth::DeclareBindings()
{
    TRadioBinding::TButtons methods;
    for (int code = 1; code <= kMethodCount; ++code) {
        methods.emplace_back(m_opt[Index(code)], code);
    }
    m_method = &BindRadio(Field(&TProgramData::LoadSettlementMethod), methods);
    for (int code = 1; code <= kMethodCount; ++code) {
        BindCheck(m_check[Index(code)], [code](TProgramData& project) -> int& {
            return project.MethodFlags[static_cast<std::size_t>(code)];
        });
    }
    BindRadio(Field(&TProgramData::LoadDirection),
              {{ui->OptCompression, LoadDirectionCode::kCompression},
               {ui->OptTension, LoadDirectionCode::kTension}});
    BindNumber(ui->deREDUCT, Field(&TProgramData::TensionFactor));
    BindRadio(Field(&TProgramData::ClayCondition),
              {{ui->OptDrain, ClayConditionCode::kDrained},
               {ui->OptUndrain, ClayConditionCode::kUndrained}},
              ui->OptUndrain);
    BindRadio(Field(&TProgramData::TzFactorOption),
              {{ui->OptHigh, TzFactorOptionCode::kUnfactored},
               {ui->OptLow, TzFactorOptionCode::kReduced}},
              ui->OptHigh);
    BindRadio(Field(&TProgramData::CriticalDepthOption),
              {{ui->RadioButton1, CriticalDepthOptionCode::kByDensity},
               {ui->RadioButton2, CriticalDepthOptionCode::kByStress},
               {ui->RadioButton3, CriticalDepthOptionCode::kUserDepth}});
    BindNumber(ui->DataEdit1, Field(&TProgramData::CriticalDepth));
}

void TfrmWaterDepth::ConnectHandlers()
{
    // The rules follow each control's state, whatever changed it: a click, a key, an
    // assistive tool's toggle, the program.
    for (QRadioButton* opt : m_opt) {
        connect(opt, &QRadioButton::toggled, this, &TfrmWaterDepth::OptMethodClick);
    }
    for (QCheckBox* box : m_check) {
        connect(box, &QCheckBox::toggled, this, &TfrmWaterDepth::CheckBoxClick);
    }
    for (QRadioButton* b : {ui->RadioButton1,
                            ui->RadioButton2,
                            ui->RadioButton3,
                            ui->OptCompression,
                            ui->OptHigh,
                            ui->OptDrain,
                            ui->OptTension,
                            ui->OptLow,
                            ui->OptUndrain}) {
        connect(b, &QRadioButton::toggled, this, &TfrmWaterDepth::ShowWindows);
    }
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmWaterDepth::Button1Click);
    connect(ui->Button3, &QPushButton::clicked, this, &TfrmWaterDepth::Button3Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TfrmWaterDepth::CloseClick);
    connect(ui->Button4, &QPushButton::clicked, this, &TfrmWaterDepth::CloseClick);
}

// ---- handlers ---------------------------------------------------------------------------------

void TfrmWaterDepth::OptMethodClick()
{
    ShowWindows();
}

void TfrmWaterDepth::CheckBoxClick()
{
    ShowWindows();
}

void TfrmWaterDepth::Button1Click()
{
    for (QCheckBox* box : m_check) {
        box->setChecked(true);
    }
    ShowWindows();
}

void TfrmWaterDepth::Button3Click()
{
    for (QCheckBox* box : m_check) {
        box->setChecked(false);
    }
    ShowWindows(); // checks the load-settlement method's box again
}

void TfrmWaterDepth::GroupBox2Click()
{
    // Sets the flags of the checked boxes at once; the full store is done on leaving.
    TProgramData& project = Data();
    bool changed = false;
    for (int code = 1; code <= kMethodCount; ++code) {
        int& flag = project.MethodFlags[static_cast<std::size_t>(code)];
        if (m_check[Index(code)]->isChecked() && flag != 1) {
            flag = 1;
            changed = true;
        }
    }
    // Stored here, the change would not show as one when the window is left.
    if (changed) {
        Host().SetModified(true);
    }
}

void TfrmWaterDepth::CloseClick()
{
    CloseWindow();
}

bool TfrmWaterDepth::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->GroupBox2 && event->type() == QEvent::MouseButtonRelease) {
        GroupBox2Click();
    }
    return TInputWindow::eventFilter(watched, event);
}

// ---- enabling ---------------------------------------------------------------------------------

void TfrmWaterDepth::ShowWindows()
{
    const int method = m_method->Checked().value_or(0);
    for (int code = 1; code <= kMethodCount; ++code) {
        m_ls[Index(code)]->setVisible(code == method);
    }
    if (method != 0) {
        m_check[Index(method)]->setChecked(true);
    }
    const bool usace = ui->CheckBox2->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{ui->RadioButton1,
                                                      ui->RadioButton2,
                                                      ui->RadioButton3,
                                                      ui->Label13}) {
        w->setEnabled(usace);
    }
    ui->DataEdit1->setEnabled(usace && ui->RadioButton3->isChecked());
    const bool clay = ui->CheckBox7->isChecked() && ui->CheckBox7->isEnabled();
    ui->OptDrain->setEnabled(clay);
    ui->OptUndrain->setEnabled(clay);
    std::array<int, 10> flags{};
    for (int code = 1; code <= kMethodCount; ++code) {
        flags[static_cast<std::size_t>(code)] = m_check[Index(code)]->isChecked() ? 1 : 0;
    }
    const bool reduct = TensionFactorUsed(
        ui->OptTension->isChecked() ? LoadDirectionCode::kTension : LoadDirectionCode::kCompression,
        flags);
    ui->deREDUCT->setEnabled(reduct);
    ui->Label5->setEnabled(reduct);
}

// ---- load and store ---------------------------------------------------------------------------

void TfrmWaterDepth::LoadControls()
{
    MoveToTop(0);
    ShowWindows();
}

bool TfrmWaterDepth::StoreControls()
{
    TProgramData& project = Data();
    if (project.LoadDirection != LoadDirectionCode::kTension) {
        project.TensionFactor = 1.0L;
    }
    if (!TaperAngleKept(project.LoadSettlementMethod, project.MethodFlags[MethodCode::kFhwa])) {
        project.TaperAngle = 0;
    }
    // An open pile-material window shows at once what the method allows there.
    if (TInputWindow* material = FindOpenWindow(Host(), EInputWindow::PileMaterial)) {
        material->FormActivate();
    }
    ShowUserValueColumns(Host().Tables(), ui->OptUserSpecified->isChecked());
    return ConvertSiltLayersToSand(project.MethodFlags, Host().Tables());
}
