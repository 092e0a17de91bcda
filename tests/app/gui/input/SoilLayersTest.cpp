// The soil layers window: one grid row per layer, Add, Insert and Delete, the type lists and
// what a change of type carries over, the entries stored when the window is left.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QScreen>

#include "LayoutChecks.h"
#include "SoilWindowFixture.h"
#include "grid/TData.h"
#include "input/TInputWindow.h"

namespace {

class SoilLayersTest : public SoilWindowTest
{
protected:
    // n layers of sand, the bottom of layer k at 10 k.
    void MakeLayers(int n)
    {
        Soil().SetRowCount(n);
        for (int row = 0; row < n; ++row) {
            Soil().Cells(SoilColumn::kBottomDepth, row).SetFloat(10.0L * (row + 1));
        }
        Form().SetModified(false);
    }

    std::vector<long double> Depths()
    {
        std::vector<long double> depths;
        for (int row = 0; row < Soil().RowCount(); ++row) {
            depths.push_back(Soil().Cells(SoilColumn::kBottomDepth, row).GetFloat());
        }
        return depths;
    }

    void CloseLayers()
    {
        Click(LayersButton("Button1"));
        Settle();
    }

    void UncheckConfirmation()
    {
        auto* confirm = Child<QCheckBox>(LayersWindow(), "CheckBoxDel");
        ASSERT_TRUE(confirm->isChecked());
        Click(confirm);
        ASSERT_FALSE(confirm->isChecked());
    }
};

TEST_F(SoilLayersTest, OpensWithOneRowPerLayerAndHeadingsInTheProjectsUnits)
{
    struct TCase
    {
        const char* unitsItem;
        const char* depthHeading;
        const char* stressHeading;
    };
    const TCase cases[] = {
        {"EnglishUnits", " of each layer (ft) ", "       (lb/ft^2)    "},
        {"SIUnits", " of each layer (m) ", "       (kN/m^2)    "},
    };
    for (const TCase& c : cases) {
        Choose(c.unitsItem);
        MakeLayers(3);
        TDlgSoilLayers* window = OpenLayers();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->SubWindow()->windowTitle().toStdString(), "Soill Layers");
        ASSERT_EQ(GridRows(), 3);
        const auto heading = [this](int col) {
            return Grid()->horizontalHeaderItem(col)->text().toStdString();
        };
        EXPECT_EQ(heading(0), "  Layer \n        ");
        EXPECT_EQ(heading(1), " Soil Type \n           ");
        EXPECT_EQ(heading(2), std::string(" Depth at Bottom * \n") + c.depthHeading);
        EXPECT_EQ(heading(3), std::string(" Max. Side Friction ** \n") + c.stressHeading);
        EXPECT_EQ(heading(4), std::string(" Max. End Bearing ** \n") + c.stressHeading);
        EXPECT_EQ(heading(5), " Reduction/Resistance *** \n Factors on Side Friction ");
        EXPECT_EQ(heading(6), " Reduction/Resistance *** \n  Factors on End Bearing ");
        for (int n = 1; n <= 3; ++n) {
            EXPECT_EQ(EditLayerButton(n)->text().toStdString(), "Edit Layer " + std::to_string(n));
            EXPECT_EQ(TypeCombo(n)->currentText().toStdString(), "Sand");
            EXPECT_EQ(LayerEdit("DepthEdit", n)->text().toStdString(), std::to_string(10 * n));
            EXPECT_EQ(LayerEdit("SideFactorEdit", n)->text().toStdString(), "1");
        }
        EXPECT_EQ(Child<QCheckBox>(window, "CheckBoxDel")->text().toStdString(),
                  "Confirm Deletion");
        EXPECT_TRUE(Child<QCheckBox>(window, "CheckBoxDel")->isChecked());
        ExpectNothingClippedOrOverlapping(*window);
        EXPECT_TRUE(
            window->SubWindow()->rect().contains(window->SubWindow()->widget()->geometry()));
        EXPECT_FALSE(Form().IsModified()) << "opening is no change";
        CloseLayers();
    }
}

TEST_F(SoilLayersTest, AddIsRefusedAtFortyLayersAndDeleteAtOne)
{
    OpenLayers();
    ASSERT_EQ(GridRows(), 1);
    EXPECT_TRUE(LayersButton("ButtonAdd")->isEnabled());
    EXPECT_TRUE(LayersButton("ButtonIns")->isEnabled());
    EXPECT_FALSE(LayersButton("ButtonDel")->isEnabled()) << "the table keeps one layer";
    for (int n = 2; n <= 40; ++n) {
        Click(LayersButton("ButtonAdd"));
    }
    EXPECT_EQ(GridRows(), 40);
    EXPECT_EQ(Soil().RowCount(), 40);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Grid()->viewport()->rect().contains(EditLayerButton(40)->geometry()))
        << "the grid shows the layer just added";
    EXPECT_FALSE(LayersButton("ButtonAdd")->isEnabled());
    EXPECT_FALSE(LayersButton("ButtonIns")->isEnabled());
    EXPECT_TRUE(LayersButton("ButtonDel")->isEnabled());
    EXPECT_TRUE(Form().IsModified());

    UncheckConfirmation();
    for (int n = 40; n > 1; --n) {
        Click(LayersButton("ButtonDel"));
    }
    EXPECT_EQ(Soil().RowCount(), 1);
    EXPECT_FALSE(LayersButton("ButtonDel")->isEnabled());
    Click(LayersButton("ButtonDel"));
    EXPECT_EQ(Soil().RowCount(), 1);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SoilLayersTest, InsertRightAfterAddPutsTheNewLayerBeforeTheAddedOne)
{
    OpenLayers();
    Enter(LayerEdit("DepthEdit", 1), "10");
    Click(LayersButton("ButtonAdd"));
    ASSERT_EQ(GridRows(), 2);
    Enter(LayerEdit("DepthEdit", 2), "30");
    Click(LayersButton("ButtonIns"));
    ASSERT_EQ(GridRows(), 3);
    EXPECT_EQ(LayerEdit("DepthEdit", 3)->text().toStdString(), "30");
    EXPECT_EQ(LayerEdit("DepthEdit", 2)->text().toStdString(), "0");
    Enter(LayerEdit("DepthEdit", 2), "20");
    CloseLayers();
    EXPECT_EQ(Depths(), (std::vector<long double>{10, 20, 30}));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Soil().Cells(SoilColumn::kSideFactor, row).GetFloat(), 1.0L);
        EXPECT_EQ(Soil().GetInteger(SoilColumn::kSoilType, row), SoilTypeCode::kSand);
    }
}

TEST_F(SoilLayersTest, DeleteAsksOnlyWhenConfirmationIsChecked)
{
    struct TCase
    {
        bool confirm;
        EMessageResult answer;
        std::vector<long double> left;
        std::vector<std::string> messages;
    };
    const TCase cases[] = {
        {true, EMessageResult::No, {10, 20, 30}, {"Do you want to delete soil layer in row 2"}},
        {true, EMessageResult::Yes, {10, 30}, {"Do you want to delete soil layer in row 2"}},
        {false, EMessageResult::Yes, {10, 30}, {}},
    };
    for (const TCase& c : cases) {
        MakeLayers(3);
        Messages.clear();
        const TMessageSeam::Override confirm([this, &c](const TMessageRequest& r) {
            Messages.push_back(r.text);
            EXPECT_EQ(r.type, EMessageType::Confirmation);
            EXPECT_EQ(r.buttons, EMessageButtons::YesNo);
            return c.answer;
        });
        OpenLayers();
        if (!c.confirm) {
            UncheckConfirmation();
        }
        QTest::mouseClick(LayerEdit("EndBearingEdit", 2), Qt::LeftButton);
        Click(LayersButton("ButtonDel"));
        EXPECT_EQ(Depths(), c.left);
        EXPECT_EQ(GridRows(), static_cast<int>(c.left.size()));
        EXPECT_EQ(Messages, c.messages);
        EXPECT_EQ(Form().IsModified(), c.left.size() == 2);
        CloseLayers();
    }
}

// The row after a delete stays inside the table: deleting the last layer makes the new last
// layer current, and the next delete removes that one.
TEST_F(SoilLayersTest, DeletingTheLastLayerLeavesTheNewLastOneCurrent)
{
    MakeLayers(4);
    OpenLayers();
    UncheckConfirmation();
    QTest::mouseClick(LayerEdit("DepthEdit", 4), Qt::LeftButton);
    Click(LayersButton("ButtonDel"));
    EXPECT_EQ(Depths(), (std::vector<long double>{10, 20, 30}));
    Click(LayersButton("ButtonDel"));
    EXPECT_EQ(Depths(), (std::vector<long double>{10, 20}));
    Click(LayersButton("ButtonIns"));
    EXPECT_EQ(Depths(), (std::vector<long double>{10, 0, 20}));
}

TEST_F(SoilLayersTest, SiltIsOfferedOnlyWhileUsaceIsTheOnlyMethod)
{
    struct TCase
    {
        std::array<int, 10> flags;
        int items;
    };
    const TCase cases[] = {
        {{0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, 3},
        {{0, 0, 1, 0, 1, 0, 0, 0, 0, 0}, 2},
        {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, 2},
    };
    for (const TCase& c : cases) {
        Data().MethodFlags = c.flags;
        MakeLayers(2);
        OpenLayers();
        for (int n = 1; n <= 2; ++n) {
            QComboBox* combo = TypeCombo(n);
            ASSERT_EQ(combo->count(), c.items);
            EXPECT_EQ(combo->itemText(0).toStdString(), "Sand");
            EXPECT_EQ(combo->itemText(1).toStdString(), "Clay");
            if (c.items == 3) {
                EXPECT_EQ(combo->itemText(2).toStdString(), "Silt");
            }
        }
        CloseLayers();
    }
}

// A change of type reaches the soil table at once; the values both types know go with it.
TEST_F(SoilLayersTest, TypeChangeKeepsWhatBothTypesKnow)
{
    Data().MethodFlags = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}; // silt is offered
    MakeLayers(1);
    TGridTable& sand = LayerTable(0);
    for (int r = 0; r < 2; ++r) {
        sand.Cells(SandColumn::kUnitWeight, r).SetFloat(110 + r);
        sand.Cells(SandColumn::kFrictionAngle, r).SetFloat(31 + r);
        sand.Cells(SandColumn::kBlowCount, r).SetInteger(12 + r);
        sand.Cells(SandColumn::kKo, r).SetFloat(0.8L + r);
        sand.Cells(SandColumn::kNq, r).SetFloat(20);
        sand.Cells(SandColumn::kUserSkinFriction, r).SetFloat(500 + r);
        sand.Cells(SandColumn::kUserEndBearing, r).SetFloat(9000 + r);
    }
    Form().SetModified(false);
    OpenLayers();
    ChooseType(1, SoilTypeCode::kSilt);
    EXPECT_TRUE(Form().IsModified());
    ASSERT_EQ(Soil().GetInteger(SoilColumn::kSoilType, 0), SoilTypeCode::kSilt);
    for (int r = 0; r < 2; ++r) {
        TGridTable& silt = LayerTable(0);
        EXPECT_EQ(silt.Cells(SiltColumn::kUnitWeight, r).GetFloat(), 110 + r);
        EXPECT_EQ(silt.Cells(SiltColumn::kFrictionAngle, r).GetFloat(), 31 + r);
        EXPECT_EQ(silt.Cells(SiltColumn::kBlowCount, r).GetInteger(), 12 + r);
        EXPECT_EQ(silt.Cells(SiltColumn::kKo, r).GetFloat(), 0.8L + r);
        EXPECT_EQ(silt.Cells(SiltColumn::kUserSkinFriction, r).GetFloat(), 500 + r);
        EXPECT_EQ(silt.Cells(SiltColumn::kUserEndBearing, r).GetFloat(), 9000 + r);
        silt.Cells(SiltColumn::kUndrainedStrength, r).SetFloat(700 + r);
    }
    ChooseType(1, SoilTypeCode::kClay);
    for (int r = 0; r < 2; ++r) {
        TGridTable& clay = LayerTable(0);
        EXPECT_EQ(clay.Cells(ClayColumn::kUnitWeight, r).GetFloat(), 110 + r);
        EXPECT_EQ(clay.Cells(ClayColumn::kUndrainedStrength, r).GetFloat(), 700 + r);
        EXPECT_EQ(clay.Cells(ClayColumn::kRemoldedStrength, r).GetFloat(), 0.0L);
        EXPECT_EQ(clay.Cells(ClayColumn::kUserEndBearing, r).GetFloat(), 9000 + r);
    }
    ChooseType(1, SoilTypeCode::kSand);
    for (int r = 0; r < 2; ++r) {
        TGridTable& back = LayerTable(0);
        EXPECT_EQ(back.Cells(SandColumn::kUnitWeight, r).GetFloat(), 110 + r);
        EXPECT_EQ(back.Cells(SandColumn::kFrictionAngle, r).GetFloat(), 0.0L);
        EXPECT_EQ(back.Cells(SandColumn::kBlowCount, r).GetInteger(), 0);
        EXPECT_EQ(back.Cells(SandColumn::kUserSkinFriction, r).GetFloat(), 500 + r);
    }
}

TEST_F(SoilLayersTest, EntriesAreStoredWhenTheWindowIsLeft)
{
    MakeLayers(2);
    OpenLayers();
    Enter(LayerEdit("DepthEdit", 1), "2*7.5");
    EXPECT_EQ(LayerEdit("DepthEdit", 1)->text().toStdString(), "15");
    Enter(LayerEdit("SideFrictionEdit", 2), "1500");
    Enter(LayerEdit("EndBearingEdit", 2), "60000");
    Enter(LayerEdit("SideFactorEdit", 1), "0.9");
    Enter(LayerEdit("EndFactorEdit", 2), "0.75");
    EXPECT_EQ(Soil().Cells(SoilColumn::kBottomDepth, 0).GetFloat(), 10.0L) << "not yet left";
    CloseLayers();
    EXPECT_EQ(Depths(), (std::vector<long double>{15, 20}));
    EXPECT_EQ(Soil().Cells(SoilColumn::kMaxSideFriction, 1).GetFloat(), 1500.0L);
    EXPECT_EQ(Soil().Cells(SoilColumn::kMaxEndBearing, 1).GetFloat(), 60000.0L);
    EXPECT_NEAR(Soil().Cells(SoilColumn::kSideFactor, 0).GetFloat(), 0.9L, 1e-15L);
    EXPECT_EQ(Soil().Cells(SoilColumn::kEndFactor, 1).GetFloat(), 0.75L);
    EXPECT_TRUE(Form().IsModified());
}

// A depth that the grid shows with fewer digits than it holds is not rounded by a visit.
TEST_F(SoilLayersTest, VisitWithoutChangesKeepsEveryValueAndTheModifiedFlag)
{
    MakeLayers(1);
    const long double depth = 12.3456789012345678L;
    Soil().Cells(SoilColumn::kBottomDepth, 0).SetFloat(depth);
    Form().SetModified(false);
    OpenLayers();
    QTest::mouseClick(LayerEdit("DepthEdit", 1), Qt::LeftButton);
    Tab();
    CloseLayers();
    EXPECT_EQ(Soil().Cells(SoilColumn::kBottomDepth, 0).GetFloat(), depth);
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(SoilLayersTest, RefusedEntryKeepsTheWindowAndStoresNothing)
{
    MakeLayers(1);
    OpenLayers();
    Type(LayerEdit("DepthEdit", 1), "12+");
    Click(LayersButton("Button1"));
    Settle();
    ASSERT_NE(LayersWindow(), nullptr) << "the window stays";
    EXPECT_FALSE(Messages.empty());
    EXPECT_EQ(Soil().Cells(SoilColumn::kBottomDepth, 0).GetFloat(), 10.0L);
    Click(LayersButton("ButtonAdd"));
    EXPECT_EQ(Soil().RowCount(), 1) << "no layer is added over a refused entry";
}

// Tab onto a cell's entry selects it, as in every other edit: what is typed replaces it.
TEST_F(SoilLayersTest, TabIntoACellSelectsItsEntry)
{
    struct TCase
    {
        const char* from; // the cell left with Tab (layer 1)
        const char* to;   // the cell Tab reaches
        const char* typed;
        int column;
        long double stored;
    };
    const TCase cases[] = {
        {"EndBearingEdit", "SideFactorEdit", "0.9", SoilColumn::kSideFactor, 0.9L},
        {"SideFactorEdit", "EndFactorEdit", "0.75", SoilColumn::kEndFactor, 0.75L},
        {"DepthEdit", "SideFrictionEdit", "1500", SoilColumn::kMaxSideFriction, 1500.0L},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.to);
        MakeLayers(1);
        OpenLayers();
        QTest::mouseClick(LayerEdit(c.from, 1), Qt::LeftButton);
        Tab();
        ASSERT_EQ(QApplication::focusWidget(), LayerEdit(c.to, 1));
        QTest::keyClicks(QApplication::focusWidget(), c.typed);
        EXPECT_EQ(LayerEdit(c.to, 1)->text().toStdString(), c.typed);
        Tab();
        CloseLayers();
        EXPECT_NEAR(Soil().Cells(c.column, 0).GetFloat(), c.stored, 1e-12L);
        EXPECT_TRUE(Messages.empty());
    }
}

// Shift+Tab walks back exactly the way Tab walks on, through the cells' controls and the
// buttons, also once Add, Insert and Delete have rebuilt the rows.
TEST_F(SoilLayersTest, ShiftTabWalksBackTheWayTabWalksOn)
{
    struct TCase
    {
        int layers;
        bool layerWindowFirst; // Edit Layer 1 pressed and its window closed first
        const char* rebuild;   // the button pressed then, none when empty
    };
    const TCase cases[] = {{1, false, ""},
                           {1, false, "ButtonAdd"},
                           {1, true, "ButtonAdd"},
                           {2, false, ""},
                           {2, false, "ButtonAdd"},
                           {2, true, "ButtonAdd"},
                           {2, false, "ButtonIns"},
                           {2, false, "ButtonDel"},
                           {3, false, "ButtonDel"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.layers) + " layers, "
                     + (c.layerWindowFirst ? "the layer window, " : "") + "then " + c.rebuild);
        const char* rebuild = c.rebuild;
        MakeLayers(c.layers);
        OpenLayers();
        UncheckConfirmation();
        if (c.layerWindowFirst) {
            EditLayer(1, [](QDialog& dialog) { dialog.accept(); });
            // The window system gives the activation back to the window under it.
            QApplication::setActiveWindow(LayersWindow()->window());
        }
        if (*rebuild != '\0') {
            Click(LayersButton(rebuild));
        }
        QWidget* start = LayersButton("Button1");
        start->setFocus(Qt::OtherFocusReason);
        std::vector<QWidget*> forward = {start};
        for (int i = 0; i < 100; ++i) {
            Tab();
            if (QApplication::focusWidget() == start) {
                break;
            }
            forward.push_back(QApplication::focusWidget());
        }
        ASSERT_EQ(QApplication::focusWidget(), start);
        std::vector<QWidget*> backward = {start};
        for (std::size_t i = 1; i < forward.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward.push_back(QApplication::focusWidget());
        }
        ASSERT_EQ(backward.size(), forward.size());
        for (std::size_t i = 1; i < forward.size(); ++i) {
            EXPECT_EQ(backward[i], forward[forward.size() - i])
                << "step " << i << " back reached "
                << (backward[i] != nullptr ? backward[i]->objectName().toStdString() : "nothing")
                << " instead of " << forward[forward.size() - i]->objectName().toStdString();
        }
        CloseLayers();
    }
}

// A refused cell entry names the cell by its layer and its column, with the column's units, and
// the focus goes back into it; a number a project file cannot hold is refused as well.
TEST_F(SoilLayersTest, RefusedCellEntryNamesItsLayerAndColumn)
{
    struct TCase
    {
        const char* unitsItem;
        const char* edit;
        int layer;
        const char* typed;
        const char* message;
    };
    const TCase cases[] = {
        {"EnglishUnits",
         "SideFrictionEdit",
         2,
         "0X",
         "Entry could not be evaluated:\rinvalid character(s) in expression\r"
         "Field: Layer 2 max. side friction (lbs/ft^2)"},
        {"SIUnits",
         "SideFrictionEdit",
         2,
         "0X",
         "Entry could not be evaluated:\rinvalid character(s) in expression\r"
         "Field: Layer 2 max. side friction (kN/m^2)"},
        {"SIUnits",
         "DepthEdit",
         1,
         "1e16",
         "Entry must be a number of at most 1E15 in size.\rField: Layer 1 depth at bottom (m)"},
        {"EnglishUnits",
         "EndFactorEdit",
         2,
         "1e-400",
         "Entry must be 0 or a number of at least 1E-307 in size.\r"
         "Field: Layer 2 reduction/resistance factor on end bearing"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.typed);
        Choose(c.unitsItem);
        MakeLayers(2);
        OpenLayers();
        Messages.clear();
        Enter(LayerEdit(c.edit, c.layer), c.typed);
        ASSERT_EQ(Messages.size(), 1U) << Messages.back();
        EXPECT_EQ(Messages[0], c.message);
        EXPECT_EQ(QApplication::focusWidget(), LayerEdit(c.edit, c.layer));
        // Nothing is stored, and the window stays until the entry is mended.
        Click(LayersButton("Button1"));
        Settle();
        ASSERT_NE(LayersWindow(), nullptr);
        EXPECT_EQ(Soil().Cells(SoilColumn::kBottomDepth, 0).GetFloat(), 10.0L);
        Type(LayerEdit(c.edit, c.layer), "1");
        CloseLayers();
        ASSERT_EQ(LayersWindow(), nullptr);
    }
}

// The cell controls are in the accessibility tree under the grid, each with its name: a screen
// reader finds the Edit Layer buttons, the type lists and the entries, not empty cells.
TEST_F(SoilLayersTest, CellControlsAreInTheAccessibilityTreeWithTheirNames)
{
    // A list's own name is its chosen item; it is named by the label that labels it.
    const auto nameOf = [](QAccessibleInterface* accessible) {
        if (accessible->role() == QAccessible::ComboBox) {
            const auto labels = accessible->relations(QAccessible::Label);
            return labels.isEmpty() ? std::string()
                                    : labels.front().first->text(QAccessible::Name).toStdString();
        }
        return accessible->text(QAccessible::Name).toStdString();
    };
    // Every named control found under the interface, by its name.
    std::function<void(QAccessibleInterface*, std::map<std::string, QAccessible::Role>&, int)>
        collect = [&](QAccessibleInterface* accessible,
                      std::map<std::string, QAccessible::Role>& found,
                      int depth) {
            if (accessible == nullptr || depth > 6) {
                return;
            }
            for (int i = 0; i < accessible->childCount(); ++i) {
                QAccessibleInterface* child = accessible->child(i);
                if (child == nullptr) {
                    continue;
                }
                EXPECT_EQ(child->parent() != nullptr ? child->parent()->object() : nullptr,
                          accessible->object())
                    << "a child's parent is the interface that lists it";
                if (child->role() != QAccessible::StaticText) { // the controls, not labels
                    found[nameOf(child)] = child->role();
                }
                collect(child, found, depth + 1);
            }
        };
    Choose("SIUnits");
    MakeLayers(2);
    OpenLayers();
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(Grid());
    ASSERT_NE(grid, nullptr);
    std::map<std::string, QAccessible::Role> found;
    collect(grid, found, 0);
    const std::pair<const char*, QAccessible::Role> expected[] = {
        {"Edit Layer 1", QAccessible::Button},
        {"Edit Layer 2", QAccessible::Button},
        {"Layer 1 soil type", QAccessible::ComboBox},
        {"Layer 2 soil type", QAccessible::ComboBox},
        {"Layer 1 depth at bottom (m)", QAccessible::EditableText},
        {"Layer 2 max. side friction (kN/m^2)", QAccessible::EditableText},
        {"Layer 2 max. end bearing (kN/m^2)", QAccessible::EditableText},
        {"Layer 1 reduction/resistance factor on side friction", QAccessible::EditableText},
        {"Layer 2 reduction/resistance factor on end bearing", QAccessible::EditableText},
    };
    for (const auto& [name, role] : expected) {
        const auto it = found.find(name);
        ASSERT_NE(it, found.end()) << name << " among " << [&] {
            std::string all;
            for (const auto& entry : found) {
                all += "\"" + entry.first + "\" ";
            }
            return all;
        }();
        EXPECT_EQ(it->second, role) << name;
    }
}

} // namespace

namespace {

// The hidden Data item (reached by Ctrl+Shift+L) shows the soil table's own editor, with the user unit values of every
// layer shown exactly when the user-specified method drives load settlement.
TEST_F(SoilLayersTest, HiddenSoilLayersItemShowsTheSoilTablesEditor)
{
    struct TCase
    {
        int method;
        bool shown;
    };
    for (const TCase& c :
         {TCase{MethodCode::kUserSpecified, true}, TCase{MethodCode::kApi, false}}) {
        MakeLayers(2);
        Soil().Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
        Data().LoadSettlementMethod = c.method;
        QAction* item = Form().findChild<QAction*>("mSoilLayersTable");
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(Form().DataMenu->actions().contains(item)) << "kept out of the menu";
        EXPECT_EQ(item->text().toStdString(), "Soil &Layers");
        QTest::keyClick(&Form(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QCoreApplication::processEvents();
        EXPECT_TRUE(Soil().HasEditor());
        ASSERT_EQ(Form().MdiArea()->subWindowList().size(), 1);
        for (int row = 0; row < 2; ++row) {
            for (int col : {SandColumn::kUserSkinFriction, SandColumn::kUserEndBearing}) {
                EXPECT_EQ(LayerTable(row).Columns(col).Visible(), c.shown) << row << " " << col;
            }
        }
        Form().MdiArea()->closeAllSubWindows();
        Settle();
    }
}

} // namespace
namespace {

// The soil table's editor widens its grid when it lays itself out for the columns shown; the
// heading over the uncovered part was left unpainted, showing the frame's grey behind it.
// What the screen shows of the heading is what the heading draws.
TEST_F(SoilLayersTest, SoilTableEditorShowsItsWholeHeading)
{
    MakeLayers(4);
    QTest::keyClick(&Form(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    Settle();
    ASSERT_EQ(Form().MdiArea()->subWindowList().size(), 1);
    auto* view = Form().MdiArea()->subWindowList().at(0)->findChild<QTableView*>("Grid");
    ASSERT_NE(view, nullptr);
    QWidget* heading = view->horizontalHeader()->viewport();
    QTest::qWait(50);

    const QImage drawn = heading->grab().toImage();
    const QPoint origin = heading->mapToGlobal(QPoint(0, 0));
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QRect shown = QRect(origin, drawn.size()).intersected(screen.rect());
    ASSERT_GT(shown.width(), 600) << "most of the heading is on the screen";
    int differing = 0;
    for (int x = shown.left(); x <= shown.right(); ++x) {
        for (int y = shown.top(); y <= shown.bottom(); ++y) {
            differing += screen.pixel(x, y) != drawn.pixel(x - origin.x(), y - origin.y());
        }
    }
    EXPECT_EQ(differing, 0) << "pixels of the heading on the screen that it did not draw";
}

} // namespace
