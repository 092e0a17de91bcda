#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid/TColumnTypes.h"
#include "grid/TGridTable.h"
#include "grid/TableBuilder.h"

namespace {

// Identifiers far from the automatic numbering of this process.
constexpr int kFirstTemplateId = 91001;
constexpr int kSecondTemplateId = 91002;

std::vector<int> IntColumn(const TGridTable& table, int col)
{
    std::vector<int> values;
    for (int r = 0; r < table.RowCount(); ++r) {
        values.push_back(table.GetInteger(col, r));
    }
    return values;
}

// A table of six rows in groups of two whose integer column holds the row numbers.
std::unique_ptr<TGridTable> Numbered()
{
    auto table = TableBuilder("Rows").Rows(1, 0).RowGroup(2).Int({"N"}, -1, -100, 100).Build();
    table->SetRowCount(6);
    for (int r = 0; r < 6; ++r) {
        table->Columns(0).SetInteger(r, r);
    }
    return table;
}

TEST(GridTable, RowGroupsOnAddInsertAndDelete)
{
    struct Case
    {
        const char* what;
        void (*edit)(TGridTable&);
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"add", [](TGridTable& t) { t.AddRowGroup(); }, {0, 1, 2, 3, 4, 5, -1, -1}},
        {"insert at row 3", [](TGridTable& t) { t.InsertRowGroup(3); }, {0, 1, -1, -1, 2, 3, 4, 5}},
        {"insert at row 0", [](TGridTable& t) { t.InsertRowGroup(0); }, {-1, -1, 0, 1, 2, 3, 4, 5}},
        {"insert at the end",
         [](TGridTable& t) { t.InsertRowGroup(6); },
         {0, 1, 2, 3, 4, 5, -1, -1}},
        {"delete row 3", [](TGridTable& t) { t.DeleteRowGroup(3); }, {0, 1, 4, 5}},
        {"delete row 2", [](TGridTable& t) { t.DeleteRowGroup(2); }, {0, 1, 4, 5}},
        {"delete row 5", [](TGridTable& t) { t.DeleteRowGroup(5); }, {0, 1, 2, 3}},
        {"set 3 rows", [](TGridTable& t) { t.SetRowCount(3); }, {0, 1, 2}},
        {"set 7 rows", [](TGridTable& t) { t.SetRowCount(7); }, {0, 1, 2, 3, 4, 5, -1}},
    };
    for (const Case& c : cases) {
        auto table = Numbered();
        c.edit(*table);
        EXPECT_EQ(IntColumn(*table, 0), c.rows) << c.what;
        EXPECT_EQ(table->RowCount(), static_cast<int>(c.rows.size())) << c.what;
    }
}

TEST(GridTable, RowIndexOutsideTheTableRaises)
{
    auto table = Numbered();
    EXPECT_THROW(table->DeleteRowGroup(6), Exception);
    EXPECT_THROW(table->DeleteRowGroup(-1), Exception);
    EXPECT_THROW(table->InsertRowGroup(7), Exception);
    EXPECT_THROW(table->Cells(0, 6), Exception);
    EXPECT_THROW(table->Cells(1, 0), Exception);
    EXPECT_EQ(table->RowCount(), 6);
    EXPECT_TRUE(table->IsValidCell(0, 5));
    EXPECT_FALSE(table->IsValidCell(0, 6));
    EXPECT_FALSE(table->IsValidCell(1, 0));
}

// Whatever is asked, a table keeps MinRows rows; rows it had to add hold the defaults.
TEST(GridTable, NeverBelowMinimumRows)
{
    auto table = TableBuilder("Min").Rows(2, 0).Int({"N"}, 7, 0, 100).Build();
    EXPECT_EQ(table->RowCount(), 2);
    table->Columns(0).SetInteger(0, 1);
    table->Columns(0).SetInteger(1, 2);

    table->SetRowCount(-5);
    EXPECT_EQ(IntColumn(*table, 0), (std::vector<int>{7, 7}));

    table->Columns(0).SetInteger(0, 1);
    table->Columns(0).SetInteger(1, 2);
    table->SetRowCount(1);
    EXPECT_EQ(IntColumn(*table, 0), (std::vector<int>{1, 7}));

    table->DeleteRowGroup(0);
    EXPECT_EQ(IntColumn(*table, 0), (std::vector<int>{7, 7}));

    table->SetMinRows(4);
    EXPECT_EQ(table->RowCount(), 4);
    try {
        table->SetMinRows(0);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Value must be greater than 0");
    }
    EXPECT_EQ(table->MinRows(), 4);
    table->SetLoading(true);
    table->SetMinRows(-3);
    EXPECT_EQ(table->MinRows(), 1);
}

TEST(GridTable, MaximumRowsBoundAddAndInsert)
{
    auto table = TableBuilder("Max").Rows(1, 3).Int({"N"}, 0, 0, 1).Build();
    table->AddRowGroup();
    table->InsertRowGroup(0);
    EXPECT_EQ(table->RowCount(), 3);
    for (auto edit : {+[](TGridTable& t) { t.AddRowGroup(); },
                      +[](TGridTable& t) {
                          t.InsertRowGroup(1);
                      }}) {
        try {
            edit(*table);
            ADD_FAILURE();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "The table holds at most 3 rows.");
        }
        EXPECT_EQ(table->RowCount(), 3);
    }
    auto unlimited = TableBuilder("Unlimited").Rows(1, 0).Int({"N"}, 0, 0, 1).Build();
    for (int i = 0; i < 150; ++i) {
        unlimited->AddRowGroup();
    }
    EXPECT_EQ(unlimited->RowCount(), 151);
}

TEST(GridTable, IdentifiersStayUnique)
{
    TGridTableRegistry registry;
    TGridTable a(registry);
    TGridTable b(registry);
    EXPECT_NE(a.Identifier(), b.Identifier());
    EXPECT_EQ(registry.IndexOfGridTable(&b), registry.IndexOfGridTable(&a) + 1);
    const int oldA = a.Identifier();
    a.SetIdentifier(b.Identifier());
    EXPECT_EQ(b.Identifier(), oldA);
    EXPECT_EQ(registry.IndexOfGridTableId(a.Identifier()), registry.IndexOfGridTable(&a));
    a.SetIdentifier(-4);
    EXPECT_NE(a.Identifier(), -4);
    EXPECT_EQ(registry.IndexOfGridTableId(-1), -1);
    EXPECT_EQ(registry.GridTableByIndex(-1), nullptr);
    EXPECT_EQ(registry.GridTableByIndex(registry.GridTableCount()), nullptr);
}

// Each registry numbers and resolves its own tables: two sets built from the same
// definitions keep their identifiers and their sub-tables come from their own templates,
// whichever set was made first or goes first.
TEST(GridTable, RegistriesKeepTheirTablesApart)
{
    auto build = [](TGridTableRegistry& registry, const char* caption) {
        std::vector<std::unique_ptr<TGridTable>> set;
        set.push_back(TableBuilder(caption).Identifier(5).Rows(2, 2).Float({"x"}).Build(registry));
        set.push_back(TableBuilder("Parent")
                          .Identifier(9)
                          .Enum({"Type"}, {"one"})
                          .SubTables({"Data"}, {5})
                          .Build(registry));
        return set;
    };
    auto first = std::make_unique<TGridTableRegistry>();
    TGridTableRegistry second;
    auto firstSet = build(*first, "First template");
    auto secondSet = build(second, "Second template");
    for (auto* set : {&firstSet, &secondSet}) {
        EXPECT_EQ((*set)[0]->Identifier(), 5);
        EXPECT_EQ((*set)[1]->Identifier(), 9);
    }
    EXPECT_EQ(firstSet[1]->Cells(1, 0).GetTable()->Caption(), "First template");
    EXPECT_EQ(secondSet[1]->Cells(1, 0).GetTable()->Caption(), "Second template");
    EXPECT_EQ(first->GridTableCount(), 3); // template, parent, one sub-table
    firstSet.clear();
    first.reset();
    secondSet[1]->AddRowGroup();
    EXPECT_EQ(secondSet[1]->Cells(1, 1).GetTable()->Caption(), "Second template");
    EXPECT_EQ(second.IndexOfGridTableId(5), 0);
}

// A parent with an enumeration first column and two templates (items 1 and 2; item 3 names
// no table).
class SubTables : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_first = TableBuilder("First Data")
                      .Identifier(kFirstTemplateId)
                      .Rows(2, 2)
                      .TopLeft("Location")
                      .Comments("first")
                      .Float({"Stress"}, "F/L2^2", 100.0L)
                      .Build(m_registry);
        m_second = TableBuilder("Second Data")
                       .Identifier(kSecondTemplateId)
                       .Rows(2, 2)
                       .Float({"Weight"}, "F/L2^3")
                       .Int({"Method"}, 0, 0, 4)
                       .Build(m_registry);
        m_parent = TableBuilder("Parent")
                       .Rows(1, 40)
                       .Enum({"Type"}, {"first", "second", "third"})
                       .SubTables({"Data"}, {kFirstTemplateId, kSecondTemplateId, -1})
                       .Build(m_registry);
    }

    TGridTableRegistry m_registry; // first: it outlives the tables
    std::unique_ptr<TGridTable> m_first;
    std::unique_ptr<TGridTable> m_second;
    std::unique_ptr<TGridTable> m_parent;
};

TEST_F(SubTables, EachRowGetsACopyOfItsTemplate)
{
    TGridTable* sub = m_parent->Cells(1, 0).GetTable();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Caption(), "First Data");
    EXPECT_EQ(sub->TopLeft(), "Location");
    EXPECT_EQ(sub->Comments(), "first");
    EXPECT_EQ(sub->Number(), 1);
    EXPECT_EQ(sub->RowCount(), 2);
    EXPECT_EQ(sub->MaxRows(), 2);
    EXPECT_NE(sub->Identifier(), kFirstTemplateId);
    ASSERT_EQ(sub->ColumnCount(), 1);
    EXPECT_EQ(sub->Columns(0).GetFloat(1), 100.0L);
    EXPECT_EQ(sub->Owner(), m_parent.get());
    EXPECT_EQ(sub->RowPath(), " 1");
}

// The mend: a value without a template entry selects none, never an index outside the list.
TEST_F(SubTables, SubTableByEnumerationValue)
{
    struct Case
    {
        int value;
        const char* caption; // nullptr: no sub-table
    };
    const Case cases[] = {
        {1, "First Data"},
        {2, "Second Data"},
        {3, nullptr},
        {4, nullptr},
        {0, nullptr},
        {-1, nullptr},
    };
    for (const Case& c : cases) {
        m_parent->Columns(0).SetInteger(0, c.value);
        const TGridTable* sub = m_parent->Cells(1, 0).GetTable();
        if (c.caption == nullptr) {
            EXPECT_EQ(sub, nullptr) << c.value;
            EXPECT_EQ(m_parent->Columns(1).GetObject(0), nullptr) << c.value;
        } else {
            ASSERT_NE(sub, nullptr) << c.value;
            EXPECT_EQ(sub->Caption(), c.caption) << c.value;
        }
    }
}

struct Marker : TGridRowObject
{
    explicit Marker(int v)
        : value(v)
    {}
    int value;
};

TEST_F(SubTables, WithoutTemplateTheHandlerSuppliesTheRowObject)
{
    std::vector<int> asked;
    std::vector<int> setRows;
    m_parent->OnInitRow =
        [&](TGridTable&, int col, int, int enumType, std::unique_ptr<TGridRowObject>& data) {
            EXPECT_EQ(col, 1);
            asked.push_back(enumType);
            data = std::make_unique<Marker>(enumType);
        };
    m_parent->OnSetRow = [&](TGridTable&, int, TGridRowObject*, int row) {
        setRows.push_back(row);
    };
    for (int value : {3, 4, 0}) {
        m_parent->Columns(0).SetInteger(0, value);
        auto* marker = dynamic_cast<Marker*>(m_parent->Columns(1).GetObject(0));
        ASSERT_NE(marker, nullptr) << value;
        EXPECT_EQ(marker->value, value);
        EXPECT_EQ(m_parent->Cells(1, 0).GetTable(), nullptr);
    }
    EXPECT_EQ(asked, (std::vector<int>{3, 4, 0}));
    EXPECT_EQ(setRows, (std::vector<int>{0, 0, 0}));
    m_parent->Columns(0).SetInteger(0, 1);
    EXPECT_NE(m_parent->Cells(1, 0).GetTable(), nullptr);
}

TEST_F(SubTables, ChangingTheTypeGivesAFreshCopy)
{
    TGridTable* first = m_parent->Cells(1, 0).GetTable();
    first->Columns(0).SetFloat(0, 5.0L);
    m_parent->Columns(0).SetInteger(0, 2);
    TGridTable* second = m_parent->Cells(1, 0).GetTable();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Caption(), "Second Data");
    EXPECT_EQ(second->ColumnCount(), 2);
    m_parent->Columns(0).SetInteger(0, 1);
    EXPECT_EQ(m_parent->Cells(1, 0).GetTable()->Columns(0).GetFloat(0), 100.0L);
    // Setting the value it already holds keeps the sub-table and its values.
    TGridTable* kept = m_parent->Cells(1, 0).GetTable();
    kept->Columns(0).SetFloat(0, 6.0L);
    m_parent->Columns(0).SetText(0, "1");
    EXPECT_EQ(m_parent->Cells(1, 0).GetTable(), kept);
    EXPECT_EQ(kept->Columns(0).GetFloat(0), 6.0L);
}

TEST_F(SubTables, RowsAreRenumberedOnInsertAndDelete)
{
    m_parent->AddRowGroup();
    m_parent->AddRowGroup();
    m_parent->Columns(0).SetInteger(1, 2);
    m_parent->InsertRowGroup(0);
    ASSERT_EQ(m_parent->RowCount(), 4);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(m_parent->Cells(1, r).GetTable()->Number(), r + 1);
    }
    EXPECT_EQ(m_parent->Cells(1, 2).GetTable()->Caption(), "Second Data");
    m_parent->DeleteRowGroup(0);
    EXPECT_EQ(m_parent->Cells(1, 1).GetTable()->Caption(), "Second Data");
    EXPECT_EQ(m_parent->Cells(1, 1).GetTable()->Number(), 2);
    EXPECT_EQ(m_parent->Cells(1, 1).GetTable()->RowPath(), " 2");
}

TEST_F(SubTables, UnitsReachTheSubTables)
{
    TGridTable* sub = m_parent->Cells(1, 0).GetTable();
    sub->Columns(0).SetFloat(0, 1000.0L);
    m_parent->SetUnits(2);
    EXPECT_EQ(sub->Units(), 2);
    // psf to kPa: divide by lbs per kN over square feet per square metre.
    const long double psfPerKPa = 224.8089237L / (3.280839895L * 3.280839895L);
    EXPECT_NEAR(static_cast<double>(sub->Columns(0).GetFloat(0)),
                static_cast<double>(1000.0L / psfPerKPa),
                1e-12);
    // A row added now is made in the table's current units.
    m_parent->AddRowGroup();
    EXPECT_EQ(m_parent->Cells(1, 1).GetTable()->Units(), 2);
}

// Changed flag: set explicitly (the editor, the owner's code), never by value operations;
// a sub-table's flag shows in its parent; reset clears the whole tree.
TEST_F(SubTables, ChangedFlagAfterEachKindOfEdit)
{
    struct Case
    {
        const char* what;
        void (*edit)(TGridTable&);
        bool changed;
    };
    const Case cases[] = {
        {"cell value", [](TGridTable& t) { t.Columns(0).SetInteger(0, 2); }, false},
        {"text entry", [](TGridTable& t) { t.Columns(0).SetText(0, "2"); }, false},
        {"rows added", [](TGridTable& t) { t.AddRowGroup(); }, false},
        {"units", [](TGridTable& t) { t.SetUnits(2); }, false},
        {"table marked", [](TGridTable& t) { t.SetChanged(true); }, true},
        {"sub-table marked",
         [](TGridTable& t) { t.Cells(1, 0).GetTable()->SetChanged(true); },
         true},
        {"sub-table value",
         [](TGridTable& t) { t.Cells(1, 0).GetTable()->Columns(0).SetFloat(0, 1); },
         false},
    };
    for (const Case& c : cases) {
        m_parent->SetRowCount(0);
        m_parent->Columns(0).SetInteger(0, 1);
        m_parent->SetUnits(1);
        m_parent->ResetChanged();
        ASSERT_FALSE(m_parent->GetChanged()) << c.what;
        c.edit(*m_parent);
        EXPECT_EQ(m_parent->GetChanged(), c.changed) << c.what;
        m_parent->SetChanged(false);
        EXPECT_FALSE(m_parent->GetChanged()) << c.what;
        EXPECT_FALSE(m_parent->Cells(1, 0).GetTable()->GetChanged()) << c.what;
    }
}

TEST_F(SubTables, ChangedFlagOfOtherRowObjectsComesFromTheHandlers)
{
    bool changed = true;
    int resets = 0;
    m_parent->OnInitRow = [](TGridTable&, int, int, int, std::unique_ptr<TGridRowObject>& data) {
        data = std::make_unique<Marker>(0);
    };
    m_parent->OnGetChanged = [&](TGridTable&, int, int, TGridRowObject*, bool& c) {
        c = changed;
    };
    m_parent->OnResetChanged = [&](TGridTable&, int, int, TGridRowObject*) {
        ++resets;
    };
    m_parent->Columns(0).SetInteger(0, 3);
    EXPECT_TRUE(m_parent->GetChanged());
    m_parent->ResetChanged();
    EXPECT_EQ(resets, 1);
    changed = false;
    EXPECT_FALSE(m_parent->GetChanged());
}

// The mend: a cloned table column names its templates by identifier, so freeing tables
// created before the template does not turn it to another table.
TEST(GridTableClone, TemplatesFollowTheirIdentifierNotTheirPosition)
{
    TGridTableRegistry registry;
    auto filler = std::make_unique<TGridTable>(registry);
    auto target =
        TableBuilder("Target").Identifier(91101).Rows(1, 1).Int({"N"}, 0, 0, 1).Build(registry);
    auto outer = std::make_unique<TGridTable>(registry);
    auto column = std::make_unique<TTableColumn>(outer.get());
    column->Templates().AddIndex(registry.IndexOfGridTable(target.get()));
    outer->AddColumn(std::move(column));
    ASSERT_EQ(outer->Cells(0, 0).GetTable()->Caption(), "Target");

    auto copy = TGridTable::CreateFromTemplate(nullptr, 0, *outer);
    filler.reset(); // every later table moves one position up
    const auto& cloned = dynamic_cast<const TTableColumn&>(copy->Columns(0));
    EXPECT_EQ(cloned.TemplateTable(0), target.get());
    copy->AddRowGroup();
    EXPECT_EQ(copy->Cells(0, 1).GetTable()->Caption(), "Target");
}

TEST(GridTable, VisibleColumnsAndHeaderRows)
{
    auto table = TableBuilder("V")
                     .Float({"a", "b", "c"})
                     .Hidden()
                     .Float({"d", "e"})
                     .Int({"f"}, 0, 0, 1)
                     .Build();
    EXPECT_EQ(table->VisibleColumnCount(), 2);
    EXPECT_EQ(&table->VisibleColumns(1), &table->Columns(2));
    EXPECT_EQ(table->IndexOfVisibleColumn(&table->Columns(0)), -1);
    EXPECT_EQ(table->IndexOfVisibleColumn(&table->Columns(2)), 1);
    EXPECT_EQ(table->FixedRowCount(), 2);
    try {
        table->VisibleColumns(2);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Index out of bounds");
    }
}

// --- The seams the editor window fills ---------------------------------------------------

struct EditorLog
{
    std::vector<std::string> calls;
};

class LoggingEditor : public TGridTableEditor
{
public:
    LoggingEditor(EditorLog& log, bool modal)
        : m_log(log)
        , m_modal(modal)
    {}
    ~LoggingEditor() override { m_log.calls.push_back("destroyed"); }
    void ShowModeless() override { m_log.calls.push_back("show"); }
    void ShowModal() override { m_log.calls.push_back("modal"); }
    bool IsModal() const override { return m_modal; }
    void TableGone() override { m_log.calls.push_back("gone"); }
    void SetCaption(const std::string& c) override { m_log.calls.push_back("caption " + c); }
    void HelpPictureChanged() override { m_log.calls.push_back("picture"); }
    void SelectGridCell(int c, int r) override
    {
        m_log.calls.push_back("select " + std::to_string(c) + "," + std::to_string(r));
    }

private:
    EditorLog& m_log;
    bool m_modal;
};

class FakeCombo : public TGridComboControl
{
public:
    void SetTag(int tag) override { m_tag = tag; }
    int Tag() const override { return m_tag; }
    void SetVisible(bool) override {}
    void BringToFront() override {}
    void SetItems(const std::vector<std::string>& list) override { items = list; }
    void SetDropDownCount(int) override {}
    void SetItemIndex(int index) override { m_index = index; }
    int ItemIndex() const override { return m_index; }
    std::vector<std::string> items;

private:
    int m_tag = -1;
    int m_index = -1;
};

class FakeButton : public TGridButtonControl
{
public:
    void SetTag(int tag) override { m_tag = tag; }
    int Tag() const override { return m_tag; }
    void SetVisible(bool) override {}
    void BringToFront() override {}
    void SetCaption(const std::string& caption) override { m_caption = caption; }
    std::string Caption() const override { return m_caption; }

private:
    int m_tag = -1;
    std::string m_caption;
};

class FakeParent : public TGridControlParent
{
public:
    std::unique_ptr<TGridComboControl> CreateCombo() override
    {
        return std::make_unique<FakeCombo>();
    }
    std::unique_ptr<TGridButtonControl> CreateButton() override
    {
        return std::make_unique<FakeButton>();
    }
};

class EditorSeams : public SubTables
{
protected:
    void SetUp() override
    {
        SubTables::SetUp();
        m_registry.SetEditorFactory([this](TGridTable&, bool modal) {
            return std::make_unique<LoggingEditor>(m_log, modal);
        });
    }

    EditorLog m_log;
};

TEST_F(EditorSeams, ShowCreatesTheEditorOnceAndTheTableTellsIt)
{
    m_parent->Show();
    m_parent->Show();
    ASSERT_TRUE(m_parent->HasEditor());
    EXPECT_FALSE(m_parent->EditorIsModal());
    m_parent->GoToCell(1, 0);
    m_parent->SetNumber(3);
    m_parent->SetHelpPicture({1, 2, 3});
    EXPECT_EQ(
        m_log.calls,
        (std::vector<std::string>{"show", "show", "select 2,1", "caption Parent  3", "picture"}));
    m_log.calls.clear();
    m_parent.reset();
    EXPECT_EQ(m_log.calls, (std::vector<std::string>{"gone", "destroyed"}));
}

TEST_F(EditorSeams, WithoutFactoryOrVisibleColumnsThereIsNoEditor)
{
    auto hidden = TableBuilder("H").Float({"x"}).Hidden().Build();
    hidden->Show();
    EXPECT_FALSE(hidden->HasEditor());
    m_registry.SetEditorFactory(nullptr);
    m_parent->ShowModal();
    EXPECT_FALSE(m_parent->HasEditor());
}

TEST_F(EditorSeams, ClosingByTheWindowHandsTheEditorBack)
{
    m_parent->ShowModal();
    EXPECT_TRUE(m_parent->EditorIsModal());
    std::unique_ptr<TGridTableEditor> editor = m_parent->EditorClosing();
    EXPECT_FALSE(m_parent->HasEditor());
    EXPECT_NE(editor, nullptr);
    editor.reset();
    EXPECT_EQ(m_log.calls, (std::vector<std::string>{"modal", "destroyed"}));
}

TEST_F(EditorSeams, CellControlsFollowTheRows)
{
    m_parent->AddRowGroup();
    m_parent->Columns(0).SetInteger(1, 2);
    FakeParent window;
    std::vector<std::string> cellChanges;
    int structureChanges = 0;
    m_parent->SetShownRows(0, 2);
    m_parent->AttachEditor(
        &window,
        [&](int col, int row) {
            cellChanges.push_back(std::to_string(col) + "," + std::to_string(row));
        },
        [&] { ++structureChanges; });

    TColumn& types = m_parent->Columns(0);
    TColumn& data = m_parent->Columns(1);
    ASSERT_TRUE(types.HasControls());
    ASSERT_EQ(types.ControlCount(), 2);
    auto* combo = dynamic_cast<FakeCombo*>(types.Control(1));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Tag(), 1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->items, (std::vector<std::string>{"first", "second", "third"}));
    auto* button = dynamic_cast<FakeButton*>(data.Control(1));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), "2: Second Data");

    // A value set in code shows in the combo; a choice in the combo reaches the cell, and
    // the row's sub-table and button follow.
    types.SetInteger(1, 4);
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(button->Caption(), "2: ");
    combo->SetItemIndex(0);
    combo->OnChange();
    EXPECT_EQ(types.GetInteger(1), 1);
    EXPECT_EQ(button->Caption(), "2: First Data");
    EXPECT_EQ(cellChanges, (std::vector<std::string>{"0,1", "0,1"}));

    m_parent->AddRowGroup();
    EXPECT_EQ(structureChanges, 1);

    try {
        data.CreateControls(&window, 3, 1);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "ATopRow 3");
    }
    try {
        data.CreateControls(&window, 1, 3);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "ACount 3");
    }
    FakeParent other;
    try {
        types.CreateControls(&other, 0, 1);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Error attempt to change parent with controls already allocated");
    }

    m_parent->DetachEditor();
    EXPECT_FALSE(types.HasControls());
    EXPECT_EQ(data.ControlCount(), 0);
    try {
        types.CreateControls(nullptr, 0, 1);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "null parent");
    }
}

TEST_F(EditorSeams, RowButtonOpensTheSubTableEditor)
{
    m_parent->AddRowGroup();
    FakeParent window;
    m_parent->SetShownRows(0, 2);
    m_parent->AttachEditor(&window, nullptr, nullptr);
    auto* button = dynamic_cast<FakeButton*>(m_parent->Columns(1).Control(1));
    ASSERT_NE(button, nullptr);
    button->OnClick();
    TGridTable* sub = m_parent->Cells(1, 1).GetTable();
    EXPECT_TRUE(sub->HasEditor());
    EXPECT_EQ(m_log.calls, (std::vector<std::string>{"show"}));
    // Closing the parent's editor closes the sub-table editors too.
    m_parent->Show();
    m_parent->CloseEditor();
    EXPECT_FALSE(sub->HasEditor());
}

} // namespace
