#include "input/TDlgSoils.h"

#include <exception>
#include <initializer_list>

#include "ProjectTables.h"
#include "SoilRules.h"
#include "TProgramData.h"
#include "entry/TDataCombo.h"
#include "entry/TDataEdit.h"
#include "grid/TGridTable.h"
#include "host/TWindowHost.h"
#include "input/TInputWindow.h"
#include "seams/MessageSeam.h"
#include "ui_TDlgSoils.h"
#include "views/TChartForm.h"

namespace {

void Enable(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* w : widgets) {
        w->setEnabled(enabled);
    }
}

} // namespace

TDlgSoils::TDlgSoils(TWindowHost& host, int layerNumber, int soilType, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_layerNumber(layerNumber)
    , m_soilType(soilType)
    , ui(std::make_unique<Ui::TDlgSoils>())
{
    ui->setupUi(this);
    FinishFormOf(*this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    DeclareBindings();
    for (QRadioButton* b :
         {ui->RadioButton1, ui->RadioButton2, ui->RadioButton3, ui->RadioButton4}) {
        connect(b, &QRadioButton::toggled, this, &TDlgSoils::RadioButtonClick);
    }
    connect(ui->ComboBox1, &QComboBox::currentIndexChanged, this, &TDlgSoils::ComboBox1Change);
    connect(ui->Button4, &QPushButton::clicked, this, &TDlgSoils::Button4Click);
    for (QPushButton* b : {ui->Button1, ui->Button2, ui->Button3}) {
        connect(b, &QPushButton::clicked, this, &QDialog::accept);
    }
    FormActivate();
}

TDlgSoils::~TDlgSoils() = default;

TGridTable* TDlgSoils::Layer() const
{
    TGridTable& soil = m_host.Tables().D();
    const int row = m_layerNumber - 1;
    return row >= 0 && row < soil.RowCount() ? soil.Cells(SoilColumn::kLayerData, row).GetTable()
                                             : nullptr;
}

void TDlgSoils::Bind(TDataEdit* top, TDataEdit* bottom, int column, const std::string& field)
{
    NameRow(top, bottom, field);
    for (int r = 0; r < 2; ++r) {
        m_bindings.Add<TCellBinding>(
            r == 0 ? top : bottom,
            [this] { return Layer(); },
            column,
            r);
    }
}

void TDlgSoils::BindBlowCounts(TDataEdit* top, TDataEdit* bottom, int column)
{
    NameRow(top, bottom, "SPT blow count");
    for (int r = 0; r < 2; ++r) {
        m_bindings.Add<TCellBinding>(
            r == 0 ? top : bottom,
            [this] { return Layer(); },
            column,
            r,
            RoundBlowCount);
    }
}

// The two edits of a row are named by the row's field and their place; the units follow the
// project's as the label does.
void TDlgSoils::NameRow(TDataEdit* top, TDataEdit* bottom, const std::string& field)
{
    std::string what = field;
    if (what.empty()) {
        // The caption without its number ("1. ", "3a. ").
        what = top->Caption();
        const std::size_t blank = what.find(". ");
        if (blank != std::string::npos && blank <= 3) {
            what.erase(0, blank + 2);
        }
    }
    top->SetFieldName(what + " at top of layer");
    bottom->SetFieldName(what + " at bottom of layer");
}

void TDlgSoils::DeclareBindings()
{
    if (m_soilType == SoilTypeCode::kSand) {
        Bind(ui->DataEdit1, ui->DataEdit2, SandColumn::kUnitWeight);
        Bind(ui->DataEdit3, ui->DataEdit4, SandColumn::kFrictionAngle, "Friction angle");
        BindBlowCounts(ui->DataEdit5, ui->DataEdit6, SandColumn::kBlowCount);
        Bind(ui->DataEdit7, ui->DataEdit8, SandColumn::kKo);
        Bind(ui->DataEdit9, ui->DataEdit10, SandColumn::kNq);
        Bind(ui->DataEdit11, ui->DataEdit12, SandColumn::kUserSkinFriction);
        Bind(ui->DataEdit13, ui->DataEdit14, SandColumn::kUserEndBearing);
        Bind(ui->DataEdit15, ui->DataEdit16, SandColumn::kQc);
    } else if (m_soilType == SoilTypeCode::kClay) {
        Bind(ui->DataEdit17, ui->DataEdit20, ClayColumn::kUnitWeight);
        Bind(ui->DataEdit18, ui->DataEdit21, ClayColumn::kUndrainedStrength);
        Bind(ui->DataEdit19, ui->DataEdit22, ClayColumn::kRemoldedStrength);
        Bind(ui->DataEdit24, ui->DataEdit26, ClayColumn::kPlasticIndex);
        Bind(ui->DataEdit29, ui->DataEdit32, ClayColumn::kYieldStressRatio);
        Bind(ui->DataEdit23, ui->DataEdit25, ClayColumn::kQc);
        Bind(ui->DataEdit27, ui->DataEdit30, ClayColumn::kUserSkinFriction);
        Bind(ui->DataEdit28, ui->DataEdit31, ClayColumn::kUserEndBearing);
    } else if (m_soilType == SoilTypeCode::kSilt) {
        Bind(ui->DataEdit33, ui->DataEdit34, SiltColumn::kUnitWeight);
        Bind(ui->DataEdit35, ui->DataEdit37, SiltColumn::kFrictionAngle, "Friction angle");
        BindBlowCounts(ui->DataEdit36, ui->DataEdit38, SiltColumn::kBlowCount);
        Bind(ui->DataEdit39, ui->DataEdit40, SiltColumn::kKo);
        Bind(ui->DataEdit41, ui->DataEdit43, SiltColumn::kUndrainedStrength);
    }
}

// ---- load -------------------------------------------------------------------------------------

void TDlgSoils::FormActivate()
{
    setWindowTitle("Data for Layer " + QString::number(m_layerNumber));
    for (int tab = 0; tab < ui->PageControl1->count(); ++tab) {
        const bool shown = tab == m_soilType - 1;
        ui->PageControl1->setTabVisible(tab, shown);
        // The window is as large as the one tab shown needs.
        ui->PageControl1->widget(tab)->setSizePolicy(
            shown ? QSizePolicy::Preferred : QSizePolicy::Ignored,
            shown ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    ui->PageControl1->setCurrentIndex(m_soilType - 1);
    TGridTable* layer = Layer();
    if (layer == nullptr) {
        return;
    }
    RunCommand(this, [&] {
        m_bindings.Load(m_host.Data());
        const bool blows = m_soilType != SoilTypeCode::kClay && BlowCountsGiven(*layer);
        (m_soilType == SoilTypeCode::kSilt ? ui->RadioButton4 : ui->RadioButton2)
            ->setChecked(blows);
        (m_soilType == SoilTypeCode::kSilt ? ui->RadioButton3 : ui->RadioButton1)
            ->setChecked(!blows);
        ui->ComboBox1->setCurrentIndex(m_soilType == SoilTypeCode::kClay ? AdhesionOptionOf(*layer)
                                                                         : 0);
    });
    ComboBox1Change(ui->ComboBox1->currentIndex());
    RadioButtonClick();
    ShowUse();
}

void TDlgSoils::ShowUse()
{
    const TLayerPropertyUse use = LayerPropertyUse(m_host.Data().MethodFlags);
    // Sand.
    const auto notes = KoNoteLines(use.KoNotes);
    const std::array<QLabel*, 4> noteLabels = {ui->Label8, ui->Label9, ui->Label11, ui->Label12};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        noteLabels[i]->setText(QString::fromStdString(notes[i]));
    }
    Enable({ui->DataEdit15, ui->DataEdit16, ui->Label21}, use.Qc);
    Enable({ui->DataEdit7, ui->DataEdit8, ui->Label8, ui->Label9, ui->Label11, ui->Label12},
           use.Ko());
    Enable({ui->DataEdit9, ui->DataEdit10, ui->Label14, ui->Label15}, use.Nq());
    Enable(
        {ui->DataEdit11, ui->DataEdit12, ui->DataEdit13, ui->DataEdit14, ui->Label16, ui->Label17},
        use.UserValues);
    // Clay.
    Enable(
        {ui->DataEdit27, ui->DataEdit30, ui->DataEdit28, ui->DataEdit31, ui->Label31, ui->Label32},
        use.UserValues);
    Enable({ui->DataEdit23, ui->DataEdit25, ui->Label36}, use.Qc);
    Enable(
        {ui->DataEdit24, ui->DataEdit26, ui->DataEdit29, ui->DataEdit32, ui->Label37, ui->Label38},
        use.PiYsr);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->Label41, ui->Label42, ui->ComboBox1, ui->Button4}) {
        w->setVisible(use.Adhesion);
    }
}

// ---- handlers ---------------------------------------------------------------------------------

void TDlgSoils::RadioButtonClick()
{
    const bool sandAngle = ui->RadioButton1->isChecked();
    Enable({ui->DataEdit3, ui->DataEdit4}, sandAngle);
    Enable({ui->DataEdit5, ui->DataEdit6}, ui->RadioButton2->isChecked());
    Enable({ui->DataEdit35, ui->DataEdit37}, ui->RadioButton3->isChecked());
    Enable({ui->DataEdit36, ui->DataEdit38}, ui->RadioButton4->isChecked());
}

void TDlgSoils::ComboBox1Change(int index)
{
    static const char* const kCaptions[] = {"Show Graph",
                                            "Show Graph A",
                                            "Show Graph B",
                                            "Show Graph C"};
    const bool graph = index >= AdhesionOptionCode::kGraphA && index <= AdhesionOptionCode::kGraphC;
    ui->Button4->setText(kCaptions[graph ? index : 0]);
    ui->Button4->setEnabled(graph);
}

void TDlgSoils::Button4Click()
{
    if (TChartForm* charts = m_host.ChartForm()) {
        charts->ShowChart(ui->ComboBox1->currentIndex(), m_host.Data().UnitSystem);
    }
}

// ---- store ------------------------------------------------------------------------------------

bool TDlgSoils::StoreControls()
{
    TGridTable* layer = Layer();
    if (layer == nullptr) {
        return true;
    }
    return RunCommand(this, [&] {
        bool changed = m_bindings.Store(m_host.Data());
        if (m_soilType == SoilTypeCode::kSand || m_soilType == SoilTypeCode::kSilt) {
            const bool angle =
                (m_soilType == SoilTypeCode::kSand ? ui->RadioButton1 : ui->RadioButton3)
                    ->isChecked();
            changed = KeepStrengthChoice(*layer, angle) || changed;
        } else if (m_soilType == SoilTypeCode::kClay) {
            changed = SetAdhesionOption(*layer, ui->ComboBox1->currentIndex()) || changed;
        }
        if (changed) {
            m_host.SetModified(true);
        }
    });
}

void TDlgSoils::done(int result)
{
    // A refused entry keeps the window open, and nothing is stored.
    if (auto* edit = qobject_cast<TDataEdit*>(focusWidget());
        edit != nullptr && !DataEditIsValid(edit)) {
        return;
    }
    if (!StoreControls()) {
        return;
    }
    QDialog::done(result);
}
