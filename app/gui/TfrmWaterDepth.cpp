#include "TfrmWaterDepth.h"

#include <cstddef>
#include <cstdint>
#include <tuple>

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ProjectTables.h"
#include "TColumn.h"
#include "TDataEdit.h"
#include "TGridTable.h"
#include "TMainForm.h"
#include "TProgramData.h"

namespace {

struct TMethodCaptions
{
    const char* OptName;
    const char* OptCaption;
    const char* CheckCaption;
};

// In method-code order 1..9.
constexpr std::array<TMethodCaptions, TfrmWaterDepth::kMethodCount> kMethods = {{
    {"OptFHWA",
     "&FHWA (Federal Highway Administration) (*)",
     "&FHWA (Federal Highway Administration) "},
    {"OptUSCOE",
     "USACE (U.S. Army &Corps of Engineers) (*)",
     "USACE (U.S. Army &Corps of Engineers) "},
    {"OptLamda", "Revised &Lambda (*)", "Revised Lambda "},
    {"OptAPI",
     "&API RP 2A (American Petroleum Institute) (**)",
     "&API RP 2A (American Petroleum Institute) "},
    {"OptUserSpecified",
     "Load-transfer Units specified by &User (*)",
     "Load-transfer Units specified by &User"},
    {"OptNGI",
     "&NGI (Norwegian Geotechnical Institute) (**)",
     "&NGI (Norwegian Geotechnical Institute) "},
    {"OptMTD",
     "&ICP/MTD (Imperial College of London) (**)",
     "&ICP/MTD (Imperial College of London) "},
    {"OptFugro",
     "Fugro (Offshore Driven Piles in Sand) (**)",
     "Fugro (Offshore Driven Piles in Sand) "},
    {"OptUWA",
     "UWA (University of Western Australia) (**)",
     "UWA (University of Western Australia) "},
}};

constexpr std::size_t Index(int code)
{
    return static_cast<std::size_t>(code - 1);
}

constexpr long double kTensionFactorMin = 0.001L;
constexpr long double kTensionFactorMax = 10.0L;
constexpr int kUserValueColumns[] = {6, 7}; // user unit skin friction and end bearing

QLabel* UnderlinedLabel(const char* text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

template<typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

// Sets one radio button of an exclusive group, or none of them.
void CheckOnly(std::initializer_list<QRadioButton*> buttons, QRadioButton* checked)
{
    for (QRadioButton* b : buttons) {
        b->setAutoExclusive(false);
        b->setChecked(b == checked);
        b->setAutoExclusive(true);
    }
}

} // namespace

TfrmWaterDepth::TfrmWaterDepth(TMainForm& form)
    : TInputWindow(form, EInputWindow::ComputationMethod)
{
    CreateControls();
    ConnectHandlers();
    SetFixedClientSize(kClientWidth, kClientHeight);
}

void TfrmWaterDepth::CreateControls()
{
    auto* outer = new QVBoxLayout(this);
    m_pages = Named(new QTabWidget(this), "PageControl1");
    outer->addWidget(m_pages);

    // ---- load settlement ----
    auto* page1 = Named(new QWidget(m_pages), "TabSheet1");
    auto* v1 = new QVBoxLayout(page1);
    auto* group1 = Named(new QGroupBox("Method for Unit Load Transfers", page1), "GroupBox1");
    auto* g1 = new QVBoxLayout(group1);
    g1->addWidget(Named(new QLabel("(and shape of Load-Transfer Curves)", group1), "Label1"));
    for (int code = 1; code <= kMethodCount; ++code) {
        const TMethodCaptions& m = kMethods[Index(code)];
        m_opt[Index(code)] = Named(new QRadioButton(m.OptCaption, group1), m.OptName);
        g1->addWidget(m_opt[Index(code)]);
    }
    m_opt[Index(MethodCode::kFhwa)]->setChecked(true);
    v1->addWidget(group1);

    auto* group4 = Named(new QGroupBox("Factors for t-z and Q-w Curves", page1), "GroupBox4");
    auto* g4 = new QVBoxLayout(group4);
    m_optHigh =
        Named(new QRadioButton("Use Unfactored Unit Side Friction and Unit Tip Resistance", group4),
              "OptHigh");
    m_optLow =
        Named(new QRadioButton("Use Reduced Unit Side Friction and Unit Tip Resistance", group4),
              "OptLow");
    m_optHigh->setChecked(true);
    g4->addWidget(m_optHigh);
    g4->addWidget(m_optLow);
    v1->addWidget(group4);

    v1->addWidget(UnderlinedLabel("Notes on shape of load-transfer curves:", page1));
    v1->addWidget(new QLabel("(*) Uses Reese/Skepmton/Mosher curves", page1));
    v1->addWidget(new QLabel("(**) Uses API RP 2A Curves", page1));
    v1->addStretch();
    m_button2 = Named(new QPushButton("Close", page1), "Button2");
    v1->addWidget(m_button2, 0, Qt::AlignHCenter);
    m_pages->addTab(page1, "Method for Load Settlement");

    // ---- pile capacity ----
    auto* page2 = Named(new QWidget(m_pages), "TabSheet2");
    auto* v2 = new QVBoxLayout(page2);
    m_capacityGroup =
        Named(new QGroupBox("Computation Methods for Pile Capacity", page2), "GroupBox2");
    m_capacityGroup->installEventFilter(this);
    auto* g2 = new QGridLayout(m_capacityGroup);
    int row = 0;
    g2->addWidget(new QLabel("Select one or more method(s)", m_capacityGroup), row, 0, 1, 2);
    m_button1 = Named(new QPushButton("Select All", m_capacityGroup), "Button1");
    m_button3 = Named(new QPushButton("Clear Selections", m_capacityGroup), "Button3");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_button1);
    buttons->addWidget(m_button3);
    g2->addLayout(buttons, ++row, 0, 1, 2);
    static const char* const kLsNames[] = {"Label21",
                                           "Label22",
                                           "Label23",
                                           "Label24",
                                           "Label25",
                                           "Label26",
                                           "Label27",
                                           "Label28",
                                           "Label29"};
    static const char* const kCheckNames[] = {"CheckBox1",
                                              "CheckBox2",
                                              "CheckBox3",
                                              "CheckBox4",
                                              "CheckBox5",
                                              "CheckBox6",
                                              "CheckBox7",
                                              "CheckBox8",
                                              "CheckBox9"};
    auto addBox = [&](int code) {
        const std::size_t i = Index(code);
        m_ls[i] = Named(new QLabel("LS", m_capacityGroup), kLsNames[i]);
        m_check[i] =
            Named(new QCheckBox(kMethods[i].CheckCaption, m_capacityGroup), kCheckNames[i]);
        ++row;
        g2->addWidget(m_ls[i], row, 0);
        g2->addWidget(m_check[i], row, 1);
    };
    addBox(MethodCode::kFhwa);
    addBox(MethodCode::kUsace);

    auto* panel1 = Named(new QFrame(m_capacityGroup), "Panel1");
    auto* p1 = new QGridLayout(panel1);
    p1->addWidget(UnderlinedLabel("Critical Depth Method for Sand", panel1), 0, 0, 1, 3);
    m_radio1 = Named(new QRadioButton("Original Recommendations ", panel1), "RadioButton1");
    m_label13 =
        Named(new QLabel("(10 to 20 Pile Diameter based on the Density)", panel1), "Label13");
    m_radio2 = Named(new QRadioButton("At Effective Stress Reaching 3,500 psf (185 kPa)", panel1),
                     "RadioButton2");
    m_radio3 = Named(new QRadioButton("At User-Specified Critical Depth", panel1), "RadioButton3");
    m_dataEdit1 = Named(new TDataEdit(panel1), "DataEdit1");
    m_label12 = Named(new QLabel(panel1), "Label12");
    m_dataEdit1->SetUnitsString("L2");
    m_dataEdit1->SetEditLabel(m_label12);
    m_radio1->setChecked(true);
    p1->addWidget(m_radio1, 1, 0, 1, 3);
    p1->addWidget(m_label13, 2, 0, 1, 3);
    p1->addWidget(m_radio2, 3, 0, 1, 3);
    p1->addWidget(m_radio3, 4, 0);
    p1->addWidget(m_dataEdit1, 4, 1);
    p1->addWidget(m_label12, 4, 2);
    g2->addWidget(panel1, ++row, 1);

    addBox(MethodCode::kLambda);
    addBox(MethodCode::kApi);
    addBox(MethodCode::kUserSpecified);
    addBox(MethodCode::kNgi);
    addBox(MethodCode::kIcpMtd);

    auto* panel2 = Named(new QFrame(m_capacityGroup), "Panel2");
    auto* p2 = new QVBoxLayout(panel2);
    m_optDrain = Named(new QRadioButton("Use Drained Condition for Clay", panel2), "OptDrain");
    m_optUndrain =
        Named(new QRadioButton("Use Undrained Condition for Clay", panel2), "OptUndrain");
    m_optDrain->setChecked(true);
    p2->addWidget(m_optDrain);
    p2->addWidget(m_optUndrain);
    g2->addWidget(panel2, ++row, 1);

    addBox(MethodCode::kFugro);
    addBox(MethodCode::kUwa);
    v2->addWidget(m_capacityGroup);

    auto* group3 = Named(new QGroupBox("Type of Loading", page2), "GroupBox3");
    auto* g3 = new QGridLayout(group3);
    m_optCompression = Named(new QRadioButton("&Compression", group3), "OptCompression");
    m_optTension = Named(new QRadioButton("&Tension", group3), "OptTension");
    m_optCompression->setChecked(true);
    m_deReduct = Named(new TDataEdit(group3), "deREDUCT");
    m_reductLabel = Named(new QLabel(group3), "Label4");
    m_deReduct->SetCaption("&Reduction factor for tension loading");
    m_deReduct->SetEditLabel(m_reductLabel);
    m_deReduct->SetMaxVal(kTensionFactorMax);
    m_deReduct->SetMinVal(kTensionFactorMin);
    m_deReduct->SetNumber(1.0L);
    m_label5 = Named(new QLabel("(only applied to API RP 2A method)", group3), "Label5");
    g3->addWidget(m_optCompression, 0, 0);
    g3->addWidget(m_optTension, 1, 0);
    g3->addWidget(m_reductLabel, 2, 0);
    g3->addWidget(m_deReduct, 2, 1);
    g3->addWidget(m_label5, 3, 0, 1, 2);
    v2->addWidget(group3);
    v2->addStretch();
    m_button4 = Named(new QPushButton("Close", page2), "Button4");
    v2->addWidget(m_button4, 0, Qt::AlignHCenter);
    m_pages->addTab(page2, "Method for Pile Capacity");
}

void TfrmWaterDepth::ConnectHandlers()
{
    for (QRadioButton* opt : m_opt) {
        connect(opt, &QRadioButton::clicked, this, &TfrmWaterDepth::OptMethodClick);
    }
    for (QCheckBox* box : m_check) {
        connect(box, &QCheckBox::clicked, this, &TfrmWaterDepth::CheckBoxClick);
    }
    for (QRadioButton* b : {m_radio1,
                            m_radio2,
                            m_radio3,
                            m_optCompression,
                            m_optHigh,
                            m_optDrain,
                            m_optTension,
                            m_optLow,
                            m_optUndrain}) {
        connect(b, &QRadioButton::clicked, this, &TfrmWaterDepth::ShowWindows);
    }
    connect(m_button1, &QPushButton::clicked, this, &TfrmWaterDepth::Button1Click);
    connect(m_button3, &QPushButton::clicked, this, &TfrmWaterDepth::Button3Click);
    connect(m_button2, &QPushButton::clicked, this, &TfrmWaterDepth::CloseClick);
    connect(m_button4, &QPushButton::clicked, this, &TfrmWaterDepth::CloseClick);
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
    TProgramData& data = MainForm().Data();
    for (int code = 1; code <= kMethodCount; ++code) {
        if (m_check[Index(code)]->isChecked()) {
            data.MethodFlags[static_cast<std::size_t>(code)] = 1;
        }
    }
}

void TfrmWaterDepth::CloseClick()
{
    CloseWindow();
}

bool TfrmWaterDepth::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_capacityGroup && event->type() == QEvent::MouseButtonRelease) {
        GroupBox2Click();
    }
    return TInputWindow::eventFilter(watched, event);
}

// ---- enabling ---------------------------------------------------------------------------------

int TfrmWaterDepth::CheckedMethod() const
{
    for (int code = 1; code <= kMethodCount; ++code) {
        if (m_opt[Index(code)]->isChecked()) {
            return code;
        }
    }
    return 0;
}

void TfrmWaterDepth::CheckMethod(int code)
{
    QRadioButton* checked = code >= 1 && code <= kMethodCount ? m_opt[Index(code)] : nullptr;
    for (QRadioButton* b : m_opt) {
        b->setAutoExclusive(false);
        b->setChecked(b == checked);
        b->setAutoExclusive(true);
    }
}

void TfrmWaterDepth::ShowWindows()
{
    const int method = CheckedMethod();
    for (int code = 1; code <= kMethodCount; ++code) {
        m_ls[Index(code)]->setVisible(code == method);
    }
    if (method != 0) {
        m_check[Index(method)]->setChecked(true);
    }
    const bool usace = m_check[Index(MethodCode::kUsace)]->isChecked();
    m_radio1->setEnabled(usace);
    m_radio2->setEnabled(usace);
    m_radio3->setEnabled(usace);
    m_label13->setEnabled(usace);
    m_dataEdit1->setEnabled(usace && m_radio3->isChecked());
    m_label12->setEnabled(m_dataEdit1->isEnabled());
    QCheckBox* icp = m_check[Index(MethodCode::kIcpMtd)];
    const bool clay = icp->isChecked() && icp->isEnabled();
    m_optDrain->setEnabled(clay);
    m_optUndrain->setEnabled(clay);
    const bool reduct = m_optTension->isChecked() && m_check[Index(MethodCode::kApi)]->isChecked();
    m_deReduct->setEnabled(reduct);
    m_reductLabel->setEnabled(reduct);
    m_label5->setEnabled(reduct);
    MarkModified();
}

// ---- load and store ---------------------------------------------------------------------------

void TfrmWaterDepth::LoadControls()
{
    const TProgramData& data = MainForm().Data();
    CheckMethod(data.LoadSettlementMethod);
    if (SubWindow() != nullptr) {
        SubWindow()->move(SubWindow()->x(), 0);
    }
    for (int code = 1; code <= kMethodCount; ++code) {
        m_check[Index(code)]->setChecked(data.MethodFlags[static_cast<std::size_t>(code)] == 1);
    }
    CheckOnly({m_optCompression, m_optTension},
              data.LoadDirection == LoadDirectionCode::kCompression ? m_optCompression
              : data.LoadDirection == LoadDirectionCode::kTension   ? m_optTension
                                                                    : nullptr);
    m_deReduct->SetNumber(data.TensionFactor);
    CheckOnly({m_optDrain, m_optUndrain},
              data.ClayCondition == ClayConditionCode::kDrained ? m_optDrain : m_optUndrain);
    CheckOnly({m_optHigh, m_optLow},
              data.TzFactorOption == TzFactorOptionCode::kReduced ? m_optLow : m_optHigh);
    QRadioButton* critical = nullptr;
    switch (data.CriticalDepthOption) {
    case CriticalDepthOptionCode::kByDensity:
        critical = m_radio1;
        break;
    case CriticalDepthOptionCode::kByStress:
        critical = m_radio2;
        break;
    case CriticalDepthOptionCode::kUserDepth:
        critical = m_radio3;
        break;
    default:
        break;
    }
    CheckOnly({m_radio1, m_radio2, m_radio3}, critical);
    // The depth is held in ft or m as the project is; the label names the project's unit.
    m_dataEdit1->SetUnits(data.UnitSystem);
    m_dataEdit1->SetNumber(data.CriticalDepth);
    ShowWindows();
}

bool TfrmWaterDepth::StoreControls()
{
    TProgramData& data = MainForm().Data();
    // Read first: a refused entry raises before anything is stored.
    const bool tension = m_optTension->isChecked();
    const long double tensionFactor = tension ? m_deReduct->Number() : 1.0L;
    const long double criticalDepth = m_dataEdit1->Number();

    auto fields = [&data] {
        return std::make_tuple(data.LoadSettlementMethod,
                               data.TaperAngle,
                               data.MethodFlags,
                               data.LoadDirection,
                               data.TensionFactor,
                               data.ClayCondition,
                               data.TzFactorOption,
                               data.CriticalDepthOption,
                               data.CriticalDepth);
    };
    const auto before = fields();

    const int method = CheckedMethod();
    if (method != 0) {
        data.LoadSettlementMethod = method;
    }
    // The taper angle matters to the FHWA method only; it is kept while FHWA is computed.
    if (data.LoadSettlementMethod > MethodCode::kFhwa
        && !m_check[Index(MethodCode::kFhwa)]->isChecked()) {
        data.TaperAngle = 0;
    }
    // An open pile-material window shows at once what the method allows there.
    QWidget* material = FindOpenWindow(MainForm(), EInputWindow::PileMaterial);
    if (material != nullptr && material->metaObject()->indexOfMethod("FormActivate()") >= 0) {
        QMetaObject::invokeMethod(material, "FormActivate", Qt::DirectConnection);
    }
    AdjustSoilTables(m_opt[Index(MethodCode::kUserSpecified)]->isChecked());
    for (int code = 1; code <= kMethodCount; ++code) {
        data.MethodFlags[static_cast<std::size_t>(code)] =
            m_check[Index(code)]->isChecked() ? 1 : 0;
    }
    data.LoadDirection = tension ? LoadDirectionCode::kTension : LoadDirectionCode::kCompression;
    data.TensionFactor = tensionFactor;
    data.ClayCondition =
        m_optUndrain->isChecked() ? ClayConditionCode::kUndrained : ClayConditionCode::kDrained;
    data.TzFactorOption =
        m_optHigh->isChecked() ? TzFactorOptionCode::kUnfactored : TzFactorOptionCode::kReduced;
    if (m_radio1->isChecked()) {
        data.CriticalDepthOption = CriticalDepthOptionCode::kByDensity;
    } else if (m_radio2->isChecked()) {
        data.CriticalDepthOption = CriticalDepthOptionCode::kByStress;
    } else if (m_radio3->isChecked()) {
        data.CriticalDepthOption = CriticalDepthOptionCode::kUserDepth;
    }
    data.CriticalDepth = criticalDepth;
    const bool silt = ConvertSiltLayers();
    return silt || fields() != before;
}

void TfrmWaterDepth::AdjustSoilTables(bool userValuesShown)
{
    TProjectTables& tables = MainForm().Tables();
    auto show = [userValuesShown](TGridTable& table) {
        for (int col : kUserValueColumns) {
            if (col < table.ColumnCount()) {
                table.Columns(col).SetVisible(userValuesShown);
            }
        }
    };
    TGridTable& soil = tables.D();
    for (int row = 0; row < soil.RowCount(); ++row) {
        if (TGridTable* layer = soil.Cells(SoilColumn::kLayerData, row).GetTable()) {
            show(*layer);
            RefreshTableEditor(*layer);
        }
    }
    show(tables.tblDataSand());
    show(tables.tblDataClay());
}

bool TfrmWaterDepth::ConvertSiltLayers()
{
    const TProgramData& data = MainForm().Data();
    int selected = 0;
    for (int code = 1; code <= kMethodCount; ++code) {
        selected += data.MethodFlags[static_cast<std::size_t>(code)];
    }
    // USACE reads silt as it is; every other method knows sand and clay only.
    if (data.MethodFlags[MethodCode::kUsace] == 1 && selected == 1) {
        return false;
    }
    TGridTable& soil = MainForm().Tables().D();
    bool changed = false;
    for (int row = 0; row < soil.RowCount(); ++row) {
        if (soil.GetInteger(SoilColumn::kSoilType, row) != SoilTypeCode::kSilt) {
            continue;
        }
        TGridTable* silt = soil.Cells(SoilColumn::kLayerData, row).GetTable();
        if (silt == nullptr) {
            continue;
        }
        struct TKept
        {
            long double UnitWeight;
            long double FrictionAngle;
            std::int32_t BlowCount;
            long double Ko;
        };
        std::array<TKept, 2> kept{};
        for (int r = 0; r < 2 && r < silt->RowCount(); ++r) {
            kept[static_cast<std::size_t>(r)] = {
                silt->Cells(SiltColumn::kUnitWeight, r).GetFloat(),
                silt->Cells(SiltColumn::kFrictionAngle, r).GetFloat(),
                silt->Cells(SiltColumn::kBlowCount, r).GetInteger(),
                silt->Cells(SiltColumn::kKo, r).GetFloat()};
        }
        const int siltRows = silt->RowCount();
        soil.Columns(SoilColumn::kSoilType).SetInteger(row, SoilTypeCode::kSand);
        TGridTable* sand = soil.Cells(SoilColumn::kLayerData, row).GetTable();
        if (sand != nullptr) {
            for (int r = 0; r < 2 && r < siltRows && r < sand->RowCount(); ++r) {
                const TKept& k = kept[static_cast<std::size_t>(r)];
                sand->Cells(SandColumn::kUnitWeight, r).SetFloat(k.UnitWeight);
                sand->Cells(SandColumn::kFrictionAngle, r).SetFloat(k.FrictionAngle);
                sand->Cells(SandColumn::kBlowCount, r).SetInteger(k.BlowCount);
                sand->Cells(SandColumn::kKo, r).SetFloat(k.Ko);
            }
        }
        changed = true;
    }
    return changed;
}
