// The captions and headings of every window, word for word and blank for blank as the
// program's users know them: window titles, labels, group and tab titles, column headings,
// list items, menu items and tool hints.
#include <functional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "SoilWindowFixture.h"
#include "grid/TGridTable.h"
#include "input/TInputWindow.h"
#include "main/InputWindows.h"
#include "main/TAboutBox.h"
#include "main/TDlgExport.h"
#include "views/TChartForm.h"

namespace {

constexpr int kOwn = -1; // the control's own text, not one of its tabs, columns or items

// One text of a window: its control (empty: the window's title) and, for tabs, grid columns
// and list items, which one.
struct TText
{
    const char* control;
    const char* text;
    int index = kOwn;
};

QString TextOf(QObject* object, int index)
{
    if (auto* tabs = qobject_cast<QTabWidget*>(object); tabs && index != kOwn) {
        return tabs->tabText(index);
    }
    if (auto* grid = qobject_cast<QTableWidget*>(object); grid && index != kOwn) {
        return grid->horizontalHeaderItem(index)->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(object); combo && index != kOwn) {
        return combo->itemText(index);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return label->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(object)) {
        return group->title();
    }
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        return menu->title();
    }
    if (auto* action = qobject_cast<QAction*>(object)) {
        return action->text();
    }
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        return widget->windowTitle();
    }
    return {};
}

class WindowTextsTest : public SoilWindowTest
{
protected:
    void Expect(QWidget* window, const std::vector<TText>& texts)
    {
        ASSERT_NE(window, nullptr);
        for (const TText& t : texts) {
            SCOPED_TRACE(std::string(t.control) + " " + std::to_string(t.index));
            QObject* control = window;
            if (*t.control != '\0') {
                control = window->findChild<QObject*>(t.control);
                ASSERT_NE(control, nullptr);
            } else if (auto* input = qobject_cast<TInputWindow*>(window)) {
                control = input->SubWindow();
            }
            EXPECT_EQ(TextOf(control, t.index).toStdString(), t.text);
        }
    }

    // Opens the input window as its launcher does, checks its texts and puts it away.
    void ExpectInputWindow(EInputWindow which, const std::vector<TText>& texts)
    {
        const TInputWindowLauncher& launcher = InputWindowLaunchers()[static_cast<int>(which)];
        SCOPED_TRACE(launcher.WindowClass);
        if (launcher.Hidden) {
            launcher.Create(Form()); // its menu item is kept hidden
            QCoreApplication::processEvents();
        } else {
            Choose(launcher.MenuName);
        }
        auto* window = Form().findChild<QWidget*>(launcher.WindowClass);
        Expect(window, texts);
        if (auto* input = qobject_cast<TInputWindow*>(window)) {
            input->CloseWithProject();
        }
        Settle();
    }
};

TEST_F(WindowTextsTest, InputWindowsShowTheirCaptionsAndHeadings)
{
    ExpectInputWindow(
        EInputWindow::PileMaterial,
        {{"", "Pile Material"},
         {"GroupBox1", "Select Pile Type"},
         {"OptSteel", "&Steel pipe piles and non-tapered portion of monotube piles"},
         {"OptTimber", "&Timber piles"},
         {"OptConcrete", "&Precast concrete piles"},
         {"OptRaymond", "&Raymond step-taper piles"},
         {"OptUniform", "&Raymond &Uniform taper piles"},
         {"OptHpile", "&H-Piles/Steel Piles"},
         {"OptMonotube", "Tapered portion of &Monotube piles"},
         {"OptDrain", "Circular/Tubular"},
         {"OptUndrain", "Square/Rectangular/Orthogonal"},
         {"OpenEndedPrecast", "Open-Ended Pile"},
         {"CloseEndedPrecast", "Close-Ended Pile"},
         {"OpenEnded", "Open-Ended Pile"},
         {"CloseEnded", "Close-Ended Pile"},
         {"lblAngle1", "&Angle of taper for a tapered pile  (degrees)"},
         {"lblAngle2", "( Only used by the FHWA Method for Pile Capacity)"},
         {"GroupBox2", "Data for Axial Stiffness"},
         {"Label1", "Modulus of &Elasticity, E (lbs/in\u00b2)"},
         {"Label2", "(These entries are only used for computations of elastic deformation)"},
         {"Label3", "Cross Section Area"},
         {"RadioButton3", "Calculate from Pile Section"},
         {"RadioButton1", "Constant Cross Section Area"},
         {"RadioButton2", "Non-constant Cross Section Area"},
         {"SectionButton1", "Data Button"},
         {"Label6", "(enter the area as a function of depth.)"},
         {"Button4", "Close"}});
    ExpectInputWindow(EInputWindow::CircularPile,
                      {{"", "Circular Pile Properties"},
                       {"Label1Caption", "&Pile Stickup Length, PSL (ft)"},
                       {"Label8Caption", "&Outer Diameter, OD (in)"},
                       {"Label9Caption", "&Inner Diameter, ID (in)"},
                       {"Label10Caption", "&Total Length, TL (ft)"},
                       {"Label11Caption", "&Lower End Section Length, ESL (ft)"},
                       {"Label12Caption", "Inner &Diameter of Lower-End Section, EID (in)"},
                       {"Label13Caption", "Zero-&Friction Length from Ground, ZFL (ft)"},
                       {"Label1", "(Note: leave values of end section as zero if none is present)"},
                       {"GroupBox4", "Plugged / Unplugged Conditions "},
                       {"OptIntPlug", "Internal Pile Plug Calculated by Program"},
                       {"OptPlug", "Plugged for open-ended pile"},
                       {"OptUnplug", "Unplugged for open-ended pile"},
                       {"Button1", "Close"}});
    Choose("NonCircular1");
    ExpectInputWindow(EInputWindow::NoncircularPile,
                      {{"", "Noncircular Pile Properties"},
                       {"Label1Caption", "&Pile Stickup Length, PSL (ft)"},
                       {"Label3Caption", "&Perimeter for Noncircular Section  (in)"},
                       {"Label4Caption", "Tip &Area for Noncircular Section  (in\u00b2)"},
                       {"Label5Caption", "&Total Length, TL (ft)"},
                       {"Label6Caption", "Zero-&Friction from Length Ground, ZFL (ft)"},
                       {"Label7", "Examples:"},
                       {"Label8", "P = 2(L1+L2)"},
                       {"Label11", "A = L1x L2"},
                       {"Label9", "A = 2(L1xW1) + (L2 - 2xW1) x W2"},
                       {"Label12", "P = 2(L1+L2)"},
                       {"Label13", "A = L1x L2"},
                       {"Label10", "For very soft clays, use:"},
                       {"Button1", "Close"}});
    Choose("Circular1");
    ExpectInputWindow(
        EInputWindow::SoilLayers,
        {{"", "Soill Layers"},
         {"GroupBoxLayer", "Layers Definition"},
         {"LayerGrid", "  Layer \n        ", 0},
         {"LayerGrid", " Soil Type \n           ", 1},
         {"LayerGrid", " Depth at Bottom * \n of each layer (ft) ", 2},
         {"LayerGrid", " Max. Side Friction ** \n       (lb/ft^2)    ", 3},
         {"LayerGrid", " Max. End Bearing ** \n       (lb/ft^2)    ", 4},
         {"LayerGrid", " Reduction/Resistance *** \n Factors on Side Friction ", 5},
         {"LayerGrid", " Reduction/Resistance *** \n  Factors on End Bearing ", 6},
         {"EditLayer1", "Edit Layer 1"},
         {"SoilType1", "Sand", 0},
         {"SoilType1", "Clay", 1},
         {"ButtonAdd", "Add Layer"},
         {"ButtonIns", "Insert Layer"},
         {"ButtonDel", "Delete Layer"},
         {"CheckBoxDel", "Confirm Deletion"},
         {"Label1", "Notes:"},
         {"Label2",
          "* Bottom of last layer must be deeper than the pile tip plus two pile diameters."},
         {"Label3",
          "** If entries are left as zero, the program assumes no limits in Side/End Transfers."},
         {"Label4",
          "** Use a very small number (e.g. 0.001) for layers where load transfer should be "
          "ignored."},
         {"Label5",
          "*** Reduction factors can be specified for LRFD requirement or for other design "
          "considerations such as driving strength loss."},
         {"Button1", "Close"}});
    ExpectInputWindow(
        EInputWindow::CptData,
        {{"", "Data of Cone Penetration Test"},
         {"Label1", "Name of file for input cone data"},
         {"BtnBrowse", "&Browse..."},
         {"Button1", "Edit File"},
         {"Label2", "Number of data lines to be read from the file"},
         {"Label3", "Number of header lines in file containing cone data"},
         {"Label4", "Number of data columns per line to be read from the data file"},
         {"Label5", "Unit conversion factor for stress, Ua"},
         {"Label6", "( The first two columns are reserved for Depth and  Qc )"},
         {"Label7", "( ksf is required for English units and kPa is used for S.I. units)"},
         {"Label8", "(Ex. Ua=1000 if MPa instead of kPa is used in the field CPT data.)"},
         {"Image1", " Graphics Button - Qc versus depth"},
         {"SpeedButton1", " Graphics Button - Converted SPT versus depth"},
         {"SpeedButton2", " Graphics Button - Converted Su versus depth"},
         {"Button2", "Close"}});
    ExpectInputWindow(EInputWindow::ControlOptions,
                      {{"", "Control Options"},
                       {"Label1", "Length of each computation &increment  (ft)"},
                       {"Label2", "&Print only every "},
                       {"Label3", "computation increment(s)"}});
    ExpectInputWindow(EInputWindow::CriticalDepth,
                      {{"", "Critical Depths Used by US Army Method"}, {"Label5", " (ft)"}});
    ExpectInputWindow(EInputWindow::SideView,
                      {{"", "Elevation View"}, {"Label1", "Pile Geometry"}, {"Button1", "Print"}});

    // In S.I. units the soil layers' headings name S.I. units.
    Choose("SIUnits");
    ExpectInputWindow(EInputWindow::SoilLayers,
                      {{"LayerGrid", " Depth at Bottom * \n of each layer (m) ", 2},
                       {"LayerGrid", " Max. Side Friction ** \n       (kN/m^2)    ", 3},
                       {"LayerGrid", " Max. End Bearing ** \n       (kN/m^2)    ", 4}});
    ExpectInputWindow(EInputWindow::CriticalDepth, {{"Label5", " (m)"}});
    ExpectInputWindow(EInputWindow::ComputationMethod, {{"Label12", " (m)"}});
    ExpectInputWindow(EInputWindow::ControlOptions,
                      {{"Label1", "Length of each computation &increment  (m)"}});
}

TEST_F(WindowTextsTest, LayerWindowShowsTheCaptionsOfEachSoil)
{
    // Sand, clay and silt; silt is offered with USACE as the only method.
    Data().MethodFlags = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    Data().LoadSettlementMethod = MethodCode::kUsace;
    Soil().SetRowCount(3);
    Soil().Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
    Soil().Columns(SoilColumn::kSoilType).SetInteger(2, SoilTypeCode::kSilt);
    OpenLayers();
    const std::vector<TText> sand = {
        {"", "Data for Layer 1"},
        {"PageControl1", "Sand", 0},
        {"TopHeading1", "Values at\nTop of Layer"},
        {"BottomHeading1", "Values at\nBottom of Layer"},
        {"Label1", "1. Effective Unit Weight (lbs/ft^3)"},
        {"Label2", "2. Friction Angle (Degrees)"},
        {"Label3", "(See Manuals for conversion reference)"},
        {"RadioButton1", "Enter Friction Angle (Preferred)"},
        {"RadioButton2", "Enter Blow Counts from SPT"},
        {"Label8", "3. Data for USACE Computation Method"},
        {"Label9", "(Ko also used for Lambda Method)"},
        {"Label10", "3a. Coefficient of Lateral Earth Pressure, Ko"},
        {"Label11", "(USACE recommends Ko=1.25 for compression"},
        {"Label12", "and Ko=0.5 to 0.7 for tension)"},
        {"Label13", "3b. Bearing Capacity Factor, Nq"},
        {"Label14", "(API has a range of values for Nq from 8 to"},
        {"Label15", "50 according to density of sand)"},
        {"Label16", "4. Data for User-Specified Load Transfers"},
        {"Label17", "(Not used in other methods)"},
        {"Label18", "4a. Unit Skin Friction (lbs/ft^2)"},
        {"Label19", "4b. Unit End Bearing (lbs/ft^2)"},
        {"Label20", "5. Qc from Cone Penetration Data (lbs/ft^2)"},
        {"Label21", "(Only used in Offshore Computation Methods)"},
        {"Button1", "Close"},
    };
    const std::vector<TText> clay = {
        {"", "Data for Layer 2"},
        {"PageControl1", "Clay", 1},
        {"TopHeading2", "Values at\nTop of Layer"},
        {"BottomHeading2", "Values at\nBottom of Layer"},
        {"Label22", "1. Effective Unit Weight (lbs/ft^3)"},
        {"Label23", "2. Undrained Shear Strength (lbs/ft^2)"},
        {"Label24", "3. Remolded Shear Strength (lbs/ft^2)"},
        {"Label25", "- Used for open-ended piipe piles to compute the"},
        {"Label26", "  resistance in skin friction along the inner surface of"},
        {"Label27", "  the pipe as the soil plug enter the pipe. A reduced"},
        {"Label28", "  strength may account for the fact that the internal plug"},
        {"Label29", "  may be highly disturbed as soil enters the pile."},
        {"Label30", "- Also used in Offshore Computation Methods."},
        {"Label31", "4. Data for User-Specified Load Transfers"},
        {"Label32", "(Not used in other methods)"},
        {"Label33", "4a. Unit Skin Friction (lbs/ft^2)"},
        {"Label34", "4b. Unit End Bearing (lbs/ft^2)"},
        {"Label35", "5. Qc from Cone Penetration Data (lbs/ft^2)"},
        {"Label36", "(Only used in Offshore Computation Methods)"},
        {"Label37", "6. Data for ICP/MTD Computation Method"},
        {"Label38", "(Not used in other methods)"},
        {"Label39", "6a. Plasticity Index, PI(%)"},
        {"Label40", "6b. Yield STress Ratio, YSR"},
        {"Label41", "7. Estimation of Adhesion Factor "},
        {"Label42", "(Only for FHWA Method)"},
        {"ComboBox1", "0 - Estimated by the program", 0},
        {"ComboBox1", "1 - Using Tomlinson Graph A", 1},
        {"ComboBox1", "2 - Using Tomlinson Graph B", 2},
        {"ComboBox1", "3 - Using Tomlinson Graph C", 3},
        {"Button4", "Show Graph"},
        {"Button2", "Close"},
    };
    const std::vector<TText> silt = {
        {"", "Data for Layer 3"},
        {"PageControl1", "Silt", 2},
        {"TopHeading3", "Values at\nTop of Layer"},
        {"BottomHeading3", "Values at\nBottom of Layer"},
        {"Label43", "1. Effective Unit Weight (lbs/ft^3)"},
        {"Label44", "2. Friction Angle (Degrees)"},
        {"Label45", "(See Manuals for conversion reference)"},
        {"RadioButton3", "Enter Friction Angle (Preferred)"},
        {"RadioButton4", "Enter Blow Counts from SPT"},
        {"Label46", "3. Coefficient of Lateral Earth Pressure, Ko"},
        {"Label47", "Used only for USACE Method"},
        {"Label48", "(USACE recommends Ko=1.25 for compression"},
        {"Label49", "and Ko=0.5 to 0.7 for tension)"},
        {"Label50", "4. Undrained Shear Strength (lbs/ft^2)"},
        {"Button3", "Close"},
    };
    const std::vector<TText>* tabs[] = {&sand, &clay, &silt};
    for (int layer = 1; layer <= 3; ++layer) {
        SCOPED_TRACE(layer);
        bool ran = false;
        EditLayer(layer, [&](QDialog& dialog) {
            ran = true;
            Expect(&dialog, *tabs[layer - 1]);
            dialog.accept();
        });
        EXPECT_TRUE(ran);
    }
}

TEST_F(WindowTextsTest, MainWindowItsDialogsAndEditorsShowTheirCaptions)
{
    Expect(&Form(),
           {{"", "QUARN 2015.7.2 - Offshore - NewQUARN.qr7d"},
            {"File1", "&File"},
            {"FileNew", "&New"},
            {"FileOpen", "&Open..."},
            {"FileSave", "&Save"},
            {"FileSaveAs", "Save &As..."},
            {"FileExit", "E&xit"},
            {"Data1", "&Data"},
            {"mTitle", "&Title"},
            {"mCompMethod", "Computational &Method"},
            {"mPileMaterial", "&Pile Material"},
            {"mCircularPile", "&Circular-Section Pile"},
            {"mNoncircularPile", "&Noncircular-Section Pile"},
            {"mSoilLayers", "Soi&l Layers"},
            {"mCptData", "CPT Data File (optional for cone-based method)"},
            {"mSoilLayersTable", "Soil &Layers"},
            {"Options1", "&Options"},
            {"Units1", "&Units"},
            {"EnglishUnits", "&English Units (kips, ft, in)"},
            {"SIUnits", "&S.I. Units (kN, m, mm)"},
            {"mTzPrint", "Print t-z Curves at Additional Depths "},
            {"mControlOptions", "Control &Options"},
            {"mCriticalDepth", "Critical Depth Used by US ARMY Method"},
            {"PileShape1", "Pile &Shape"},
            {"Circular1", "Circular"},
            {"NonCircular1", "Non-Circular"},
            {"Computation1", "&Computation"},
            {"CompRun", "&Run Analysis"},
            {"EditInput", "Edit &Input Text"},
            {"EditNotes", "Edit &Processor-Run Notes"},
            {"EditOutput", "Edit &Output Text"},
            {"EditGrlweap", "Edit GRLWeap Data File"},
            {"mSideView", "&View Soil Layer Coordinates"},
            {"ExportExcel", "Export Plots to Excel"},
            {"Help1", "&Help"},
            {"HelpContents", "&Contents"},
            {"UsersManual", "User's Manual"},
            {"TechnicalManual", "Technical Manual"},
            {"HelpAbout", "&About..."}});
    Expect(Form().ExportDialog(),
           {{"", "Export to Excel"},
            {"GroupBox1", "Available Plots"},
            {"Button1", "Select All"},
            {"Button2", "Unselect All"},
            {"Button3", "Generate Excel File"},
            {"Button4", "Close Window"}});
    Expect(Form().ChartForm(), {{"", "ChartForm"}, {"Button1", "Close"}});

    // The depth table's editor, from the t-z print window.
    Data().PrintExtraTz = 1;
    Choose("mTzPrint");
    auto* print = Form().findChild<QWidget*>("TDlgTZPrint");
    ASSERT_NE(print, nullptr);
    Click(Child<QAbstractButton>(print, "EditDepths"));
    QCoreApplication::processEvents();
    QWidget* editor = Form().findChild<QWidget*>("TableForm");
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->windowTitle().startsWith("Depths for Internally-generated t-z curves"))
        << editor->windowTitle().toStdString();
    Expect(editor, {{"BtnAdd", "&Add Row"}, {"BtnIns", "&Insert Row"}, {"BtnDel", "&Delete Row"}});
}

} // namespace
