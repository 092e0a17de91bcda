// The layer properties window: the tab of the layer's type, the entries in use by the chosen
// methods, the way a sand or silt layer's strength is given, the clay's adhesion option.
#include <string>
#include <vector>

#include <QAccessible>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

#include "LayoutChecks.h"
#include "SoilWindowFixture.h"
#include "grid/TData.h"
#include "input/TDlgSoils.h"

namespace {

using TFlags = std::array<int, 10>;

class LayerPropertiesTest : public SoilWindowTest
{
protected:
    // Layer 1 sand, layer 2 clay, layer 3 silt; silt offered (USACE alone) unless flags given.
    void MakeProfile()
    {
        Soil().SetRowCount(3);
        Soil().Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
        Soil().Columns(SoilColumn::kSoilType).SetInteger(2, SoilTypeCode::kSilt);
        Form().SetModified(false);
    }

    template<typename T>
    static T* In(QDialog& dialog, const char* name)
    {
        return Child<T>(&dialog, name);
    }
    static TDataEdit* EditIn(QDialog& dialog, int number)
    {
        return In<TDataEdit>(dialog, ("DataEdit" + std::to_string(number)).c_str());
    }
    static void CloseDialog(QDialog& dialog, const char* button)
    {
        Click(In<QPushButton>(dialog, button));
    }
};

TEST_F(LayerPropertiesTest, OnlyTheTabOfTheLayersTypeShows)
{
    struct TCase
    {
        int layer;
        const char* tab;
        const char* close;
    };
    const TCase cases[] = {{1, "Sand", "Button1"}, {2, "Clay", "Button2"}, {3, "Silt", "Button3"}};
    Data().MethodFlags = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    MakeProfile();
    OpenLayers();
    for (const TCase& c : cases) {
        bool ran = false;
        EditLayer(c.layer, [&](QDialog& dialog) {
            ran = true;
            EXPECT_EQ(dialog.windowTitle().toStdString(),
                      "Data for Layer " + std::to_string(c.layer));
            auto* pages = In<QTabWidget>(dialog, "PageControl1");
            for (int tab = 0; tab < pages->count(); ++tab) {
                EXPECT_EQ(pages->isTabVisible(tab), pages->tabText(tab) == c.tab) << c.tab;
            }
            EXPECT_EQ(pages->tabText(pages->currentIndex()).toStdString(), c.tab);
            EXPECT_EQ(In<QLabel>(dialog, ("TopHeading" + std::to_string(c.layer)).c_str())
                          ->text()
                          .toStdString(),
                      "Values at\nTop of Layer");
            ExpectNothingClippedOrOverlapping(dialog);
            for (TDataEdit* edit : dialog.findChildren<TDataEdit*>()) {
                if (edit->isVisibleTo(&dialog)) {
                    EXPECT_TRUE(edit->accessibleName().contains(" at top of layer")
                                || edit->accessibleName().contains(" at bottom of layer"))
                        << edit->objectName().toStdString() << ": "
                        << edit->accessibleName().toStdString();
                }
            }
            CloseDialog(dialog, c.close);
        });
        EXPECT_TRUE(ran) << c.tab;
    }
    EXPECT_FALSE(Form().IsModified()) << "nothing was changed";
}

// A screen reader reads every entry by its whole field and place, with the project's units.
TEST_F(LayerPropertiesTest, EntriesAreNamedByTheirWholeFieldInTheProjectsUnits)
{
    struct TCase
    {
        const char* unitsItem;
        int layer;
        int edit;
        const char* name;
    };
    const TCase cases[] = {
        {"EnglishUnits", 1, 1, "Effective Unit Weight at top of layer (lbs/ft^3)"},
        {"EnglishUnits", 1, 2, "Effective Unit Weight at bottom of layer (lbs/ft^3)"},
        {"EnglishUnits", 1, 3, "Friction angle at top of layer"},
        {"EnglishUnits", 1, 4, "Friction angle at bottom of layer"},
        {"EnglishUnits", 1, 5, "SPT blow count at top of layer"},
        {"EnglishUnits", 1, 6, "SPT blow count at bottom of layer"},
        {"EnglishUnits", 1, 8, "Coefficient of Lateral Earth Pressure, Ko at bottom of layer"},
        {"EnglishUnits", 1, 16, "Qc from Cone Penetration Data at bottom of layer (lbs/ft^2)"},
        {"EnglishUnits", 3, 43, "Undrained Shear Strength at bottom of layer (lbs/ft^2)"},
        {"SIUnits", 1, 1, "Effective Unit Weight at top of layer (kN/m^3)"},
        {"SIUnits", 1, 12, "Unit Skin Friction at bottom of layer (kN/m^2)"},
        {"SIUnits", 1, 16, "Qc from Cone Penetration Data at bottom of layer (kN/m^2)"},
        {"SIUnits", 2, 21, "Undrained Shear Strength at bottom of layer (kN/m^2)"},
        {"SIUnits", 2, 24, "Plasticity Index, PI(%) at top of layer"},
        {"SIUnits", 3, 35, "Friction angle at top of layer"},
        {"SIUnits", 3, 38, "SPT blow count at bottom of layer"},
        {"SIUnits", 3, 34, "Effective Unit Weight at bottom of layer (kN/m^3)"},
    };
    Data().MethodFlags = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    MakeProfile();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(c.unitsItem);
        OpenLayers();
        EditLayer(c.layer, [&](QDialog& dialog) {
            QAccessibleInterface* accessible =
                QAccessible::queryAccessibleInterface(EditIn(dialog, c.edit));
            ASSERT_NE(accessible, nullptr);
            EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), c.name);
            CloseDialog(dialog, c.layer == 1 ? "Button1" : c.layer == 2 ? "Button2" : "Button3");
        });
        Click(LayersButton("Button1"));
        Settle();
    }
}

// Labels with units name the project's units, on the silt tab too.
TEST_F(LayerPropertiesTest, UnitLabelsFollowTheProjectsUnits)
{
    struct TCase
    {
        const char* unitsItem;
        int layer;
        const char* label;
        const char* text;
    };
    const TCase cases[] = {
        {"EnglishUnits", 1, "Label1", "1. Effective Unit Weight (lbs/ft^3)"},
        {"EnglishUnits", 1, "Label18", "4a. Unit Skin Friction (lbs/ft^2)"},
        {"EnglishUnits", 2, "Label23", "2. Undrained Shear Strength (lbs/ft^2)"},
        {"EnglishUnits", 3, "Label43", "1. Effective Unit Weight (lbs/ft^3)"},
        {"EnglishUnits", 3, "Label50", "4. Undrained Shear Strength (lbs/ft^2)"},
        {"SIUnits", 1, "Label1", "1. Effective Unit Weight (kN/m^3)"},
        {"SIUnits", 1, "Label20", "5. Qc from Cone Penetration Data (kN/m^2)"},
        {"SIUnits", 2, "Label24", "3. Remolded Shear Strength (kN/m^2)"},
        {"SIUnits", 3, "Label43", "1. Effective Unit Weight (kN/m^3)"},
        {"SIUnits", 3, "Label50", "4. Undrained Shear Strength (kN/m^2)"},
    };
    Data().MethodFlags = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    MakeProfile();
    for (const TCase& c : cases) {
        Choose(c.unitsItem);
        OpenLayers();
        EditLayer(c.layer, [&](QDialog& dialog) {
            EXPECT_EQ(In<QLabel>(dialog, c.label)->text().toStdString(), c.text);
            CloseDialog(dialog, c.layer == 1 ? "Button1" : c.layer == 2 ? "Button2" : "Button3");
        });
        Click(LayersButton("Button1"));
        Settle();
    }
}

TEST_F(LayerPropertiesTest, EnteredValuesAreStoredAtTopAndBottom)
{
    Data().MethodFlags = {0, 0, 0, 0, 1, 0, 0, 1, 0, 0}; // ICP/MTD uses PI and YSR
    MakeProfile();
    OpenLayers();
    EditLayer(2, [&](QDialog& dialog) {
        Enter(EditIn(dialog, 17), "115");
        Enter(EditIn(dialog, 20), "120");
        Enter(EditIn(dialog, 18), "800");
        Enter(EditIn(dialog, 21), "2*700");
        Enter(EditIn(dialog, 19), "400");
        Enter(EditIn(dialog, 22), "700");
        Enter(EditIn(dialog, 24), "25");
        Enter(EditIn(dialog, 29), "2");
        CloseDialog(dialog, "Button2");
    });
    TGridTable& clay = LayerTable(1);
    const std::vector<std::vector<long double>> expected = {{115, 800, 400, 25, 2},
                                                            {120, 1400, 700, 0, 0}};
    for (int r = 0; r < 2; ++r) {
        for (int col = 0; col < 5; ++col) {
            EXPECT_EQ(clay.Cells(col, r).GetFloat(), expected[r][col]) << r << " " << col;
        }
    }
    EXPECT_TRUE(Form().IsModified());
}

// The strength of sand and silt is given one way: the other one's entries become 0.
TEST_F(LayerPropertiesTest, SandAndSiltStrengthIsStoredTheChosenWay)
{
    struct TCase
    {
        int layer;
        int angleRadio, blowRadio;
        int angleTop, angleBottom, blowTop, blowBottom;
        const char* close;
    };
    const TCase cases[] = {
        {1, 1, 2, 3, 4, 5, 6, "Button1"},
        {3, 3, 4, 35, 37, 36, 38, "Button3"},
    };
    Data().MethodFlags = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    for (const TCase& c : cases) {
        MakeProfile();
        OpenLayers();
        const auto radio = [](QDialog& dialog, int n) {
            return In<QRadioButton>(dialog, ("RadioButton" + std::to_string(n)).c_str());
        };
        // Blow counts 0: the window opens on friction angles; blow counts typed and then
        // abandoned for friction angles are stored as 0.
        EditLayer(c.layer, [&](QDialog& dialog) {
            EXPECT_TRUE(radio(dialog, c.angleRadio)->isChecked());
            EXPECT_FALSE(EditIn(dialog, c.blowTop)->isEnabled());
            EXPECT_TRUE(EditIn(dialog, c.angleTop)->isEnabled());
            Enter(EditIn(dialog, c.angleTop), "30");
            Enter(EditIn(dialog, c.angleBottom), "32");
            Click(radio(dialog, c.blowRadio));
            EXPECT_TRUE(EditIn(dialog, c.blowTop)->isEnabled());
            EXPECT_FALSE(EditIn(dialog, c.angleTop)->isEnabled());
            Enter(EditIn(dialog, c.blowTop), "12.5");
            Enter(EditIn(dialog, c.blowBottom), "13.5");
            Click(radio(dialog, c.angleRadio));
            CloseDialog(dialog, c.close);
        });
        TGridTable& layer = LayerTable(c.layer - 1);
        EXPECT_EQ(layer.Cells(SandColumn::kFrictionAngle, 0).GetFloat(), 30.0L);
        EXPECT_EQ(layer.Cells(SandColumn::kFrictionAngle, 1).GetFloat(), 32.0L);
        EXPECT_EQ(layer.Cells(SandColumn::kBlowCount, 0).GetInteger(), 0);
        EXPECT_EQ(layer.Cells(SandColumn::kBlowCount, 1).GetInteger(), 0);

        // By blow counts: rounded to the nearest integer, ties to the even one; the friction
        // angles become 0. The window opens on blow counts next time.
        EditLayer(c.layer, [&](QDialog& dialog) {
            Click(radio(dialog, c.blowRadio));
            Enter(EditIn(dialog, c.blowTop), "12.5");
            Enter(EditIn(dialog, c.blowBottom), "13.5");
            CloseDialog(dialog, c.close);
        });
        EXPECT_EQ(layer.Cells(SandColumn::kBlowCount, 0).GetInteger(), 12);
        EXPECT_EQ(layer.Cells(SandColumn::kBlowCount, 1).GetInteger(), 14);
        EXPECT_EQ(layer.Cells(SandColumn::kFrictionAngle, 0).GetFloat(), 0.0L);
        EXPECT_EQ(layer.Cells(SandColumn::kFrictionAngle, 1).GetFloat(), 0.0L);
        EditLayer(c.layer, [&](QDialog& dialog) {
            EXPECT_TRUE(radio(dialog, c.blowRadio)->isChecked());
            EXPECT_EQ(EditIn(dialog, c.blowBottom)->text().toStdString(), "14");
            CloseDialog(dialog, c.close);
        });
        Click(LayersButton("Button1"));
        Settle();
    }
}

TEST_F(LayerPropertiesTest, SandEntriesInUseFollowTheMethods)
{
    struct TCase
    {
        TFlags flags;
        const char* heading;
        bool ko, nq, user, qc;
    };
    const TCase cases[] = {
        {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0},
         "3. Data for API Computation Method",
         true,
         true,
         false,
         false},
        {{0, 0, 1, 1, 0, 0, 0, 0, 0, 0},
         "3. Data for USACE Computation Method",
         true,
         false,
         false,
         false},
        {{0, 0, 0, 1, 0, 0, 0, 0, 0, 0},
         "3. Data for Revised Lambda Computation Method",
         true,
         false,
         false,
         false},
        {{0, 1, 0, 0, 0, 1, 0, 0, 0, 0},
         "3. Data for API Computation Method",
         false,
         false,
         true,
         false},
        {{0, 0, 0, 0, 0, 0, 1, 0, 0, 0},
         "3. Data for API Computation Method",
         false,
         false,
         false,
         true},
    };
    MakeProfile();
    for (const TCase& c : cases) {
        Data().MethodFlags = c.flags;
        OpenLayers();
        EditLayer(1, [&](QDialog& dialog) {
            EXPECT_EQ(In<QLabel>(dialog, "Label8")->text().toStdString(), c.heading);
            for (const char* name :
                 {"DataEdit7", "DataEdit8", "Label8", "Label9", "Label10", "Label11", "Label12"}) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isEnabled(), c.ko) << c.heading << name;
            }
            for (const char* name : {"DataEdit9", "DataEdit10", "Label13", "Label14", "Label15"}) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isEnabled(), c.nq) << c.heading << name;
            }
            for (const char* name : {"DataEdit11", "DataEdit14", "Label16", "Label18"}) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isEnabled(), c.user) << name;
            }
            for (const char* name : {"DataEdit15", "DataEdit16", "Label20", "Label21"}) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isEnabled(), c.qc) << name;
            }
            CloseDialog(dialog, "Button1");
        });
        Click(LayersButton("Button1"));
        Settle();
    }
}

// On the clay tab the user values follow the user-specified method, Qc a cone-based method
// (NGI, ICP/MTD, Fugro, UWA), PI and YSR the ICP/MTD method; the remolded strength is always
// entered.
TEST_F(LayerPropertiesTest, ClayEntriesInUseFollowTheMethods)
{
    struct TCase
    {
        const char* what;
        TFlags flags;
        bool user, qc, piYsr;
    };
    const TCase cases[] = {
        {"API", {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, false, false, false},
        {"user-specified", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, true, false, false},
        {"NGI", {0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, false, true, false},
        {"ICP/MTD", {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, false, true, true},
        {"UWA and user-specified", {0, 0, 0, 0, 0, 1, 0, 0, 0, 1}, true, true, false},
    };
    const char* const userWidgets[] = {"DataEdit27",
                                       "DataEdit30",
                                       "DataEdit28",
                                       "DataEdit31",
                                       "Label31",
                                       "Label32",
                                       "Label33",
                                       "Label34"};
    const char* const qcWidgets[] = {"DataEdit23", "DataEdit25", "Label35", "Label36"};
    const char* const piYsrWidgets[] = {"DataEdit24",
                                        "DataEdit26",
                                        "DataEdit29",
                                        "DataEdit32",
                                        "Label37",
                                        "Label38",
                                        "Label39",
                                        "Label40"};
    const char* const alwaysWidgets[] = {"DataEdit17",
                                         "DataEdit20",
                                         "DataEdit18",
                                         "DataEdit21",
                                         "DataEdit19",
                                         "DataEdit22",
                                         "Label24",
                                         "Label25",
                                         "Label30"};
    MakeProfile();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        Data().MethodFlags = c.flags;
        OpenLayers();
        bool ran = false;
        EditLayer(2, [&](QDialog& dialog) {
            ran = true;
            for (const char* name : userWidgets) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isEnabled(), c.user) << name;
            }
            for (const char* name : qcWidgets) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isEnabled(), c.qc) << name;
            }
            for (const char* name : piYsrWidgets) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isEnabled(), c.piYsr) << name;
            }
            for (const char* name : alwaysWidgets) {
                EXPECT_TRUE(In<QWidget>(dialog, name)->isEnabled()) << name;
            }
            CloseDialog(dialog, "Button2");
        });
        EXPECT_TRUE(ran);
        Click(LayersButton("Button1"));
        Settle();
    }
}

TEST_F(LayerPropertiesTest, AdhesionOptionShowsFromTheBottomAndIsStoredInBoth)
{
    MakeProfile();
    LayerTable(1).Cells(ClayColumn::kAdhesionMethod, 0).SetInteger(1);
    LayerTable(1).Cells(ClayColumn::kAdhesionMethod, 1).SetInteger(2);
    struct TCase
    {
        TFlags flags;
        bool shown;
        int option;
        const char* caption;
    };
    // The first visit chooses graph C, which the second shows.
    const TCase cases[] = {{{0, 1, 0, 0, 1, 0, 0, 0, 0, 0}, true, 2, "Show Graph B"},
                           {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, false, 3, "Show Graph C"}};
    for (const TCase& c : cases) {
        Data().MethodFlags = c.flags;
        OpenLayers();
        EditLayer(2, [&](QDialog& dialog) {
            auto* combo = In<QComboBox>(dialog, "ComboBox1");
            auto* show = In<QPushButton>(dialog, "Button4");
            for (const char* name : {"Label41", "Label42", "ComboBox1", "Button4"}) {
                EXPECT_EQ(In<QWidget>(dialog, name)->isVisibleTo(&dialog), c.shown) << name;
            }
            EXPECT_EQ(combo->currentIndex(), c.option);
            EXPECT_EQ(show->text().toStdString(), c.caption);
            EXPECT_TRUE(show->isEnabled());
            if (c.shown) {
                const char* captions[] = {"Show Graph",
                                          "Show Graph A",
                                          "Show Graph B",
                                          "Show Graph C"};
                for (int option : {0, 3, 1, 0, 3}) {
                    QTest::mouseClick(combo, Qt::LeftButton);
                    QApplication::processEvents();
                    QAbstractItemView* list = combo->view();
                    while (list->currentIndex().row() != option) {
                        QTest::keyClick(list,
                                        list->currentIndex().row() < option ? Qt::Key_Down
                                                                            : Qt::Key_Up);
                    }
                    QTest::keyClick(list, Qt::Key_Return);
                    EXPECT_EQ(show->text().toStdString(), captions[option]);
                    // A screen reader reads the caption shown.
                    EXPECT_EQ(QAccessible::queryAccessibleInterface(show)
                                  ->text(QAccessible::Name)
                                  .toStdString(),
                              captions[option]);
                    EXPECT_EQ(show->isEnabled(), option != 0);
                }
            }
            CloseDialog(dialog, "Button2");
        });
        Click(LayersButton("Button1"));
        Settle();
    }
    EXPECT_EQ(LayerTable(1).Cells(ClayColumn::kAdhesionMethod, 0).GetInteger(), 3);
    EXPECT_EQ(LayerTable(1).Cells(ClayColumn::kAdhesionMethod, 1).GetInteger(), 3);
}

TEST_F(LayerPropertiesTest, RefusedEntryKeepsTheWindowAndStoresNothing)
{
    MakeProfile();
    OpenLayers();
    EditLayer(1, [&](QDialog& dialog) {
        Enter(EditIn(dialog, 1), "118");
        Type(EditIn(dialog, 2), "(2");
        CloseDialog(dialog, "Button1");
        EXPECT_TRUE(dialog.isVisible()) << "the window stays";
    });
    EXPECT_TRUE(StillOpen["TDlgSoils"]);
    EXPECT_FALSE(Messages.empty());
    EXPECT_EQ(LayerTable(0).Cells(SandColumn::kUnitWeight, 0).GetFloat(), 0.0L);
    EXPECT_FALSE(Form().IsModified());
}

} // namespace
