#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "grid/GridTableView.h"
#include "grid/GridTableViewModel.h"
#include "grid/TColumnTypes.h"
#include "grid/TTableForm.h"
#include "grid/TableBuilder.h"
#include "seams/MessageSeam.h"

namespace {

// Frees windows that were handed to deleteLater.
void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Identifiers of the sub-table templates.
constexpr int kSandId = 7101;
constexpr int kClayId = 7102;

// Visible columns of the main table, in order.
constexpr int kTypeCol = 0;
constexpr int kDepthCol = 1;
constexpr int kCountCol = 2;
constexpr int kDataCol = 3;

// How a refused entry's message names the cells of row 1 (group 1) of the test table.
const std::string kCountField = "\rField: Test Table, row 1, Count";
const std::string kDepthField = "\rField: Test Table, row 1, Depth at Bottom, (ft)";

class TableFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        m_registry.SetEditorFactory(TableFormEditorFactory());
        m_sand = TableBuilder("Sand Data")
                     .Identifier(kSandId)
                     .Rows(2, 2)
                     .TopLeft("Location")
                     .Float({"Unit weight"}, "F/L2^3")
                     .Float({"Friction angle"})
                     .Build(m_registry);
        m_clay = TableBuilder("Clay Data")
                     .Identifier(kClayId)
                     .Rows(2, 2)
                     .Float({"Unit weight"}, "F/L2^3")
                     .Float({"Shear strength"}, "F/L2^2")
                     .Build(m_registry);
        m_table = MakeTable(2, 6);
    }

    void TearDown() override
    {
        m_table.reset();
        m_sand.reset();
        m_clay.reset();
        FlushDeletes();
    }

    std::unique_ptr<TGridTable> MakeTable(int minRows, int maxRows)
    {
        return TableBuilder("Test Table")
            .Rows(minRows, maxRows)
            .RowGroup(2)
            .TopLeft("Layer")
            .Comments("Depths below the mudline.")
            .Enum({"Soil Type"}, {"sand", "clay"})
            .Float({"Depth at", "Bottom,"}, "L2")
            .Int({"Count"}, 1, 1, 40)
            .SubTables({"Layer Data"}, {kSandId, kClayId})
            .Build(m_registry);
    }

    TTableForm* Open(TGridTable& table)
    {
        table.Show();
        TTableForm* form = TableFormOf(table);
        EXPECT_NE(form, nullptr);
        return form;
    }

    // What the user types into a cell before leaving it.
    static void Type(TTableForm& form, int column, int row, const std::string& text)
    {
        ASSERT_TRUE(form.SelectCell(column, row));
        form.GridModel()->SetCellText(column, row, QString::fromStdString(text));
    }

    static void PressEnter(TTableForm& form)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(form.Grid(), &press);
    }

    static QPushButton* Button(TTableForm& form, const char* name)
    {
        return form.findChild<QPushButton*>(name);
    }

    std::vector<TMessageRequest> m_messages;
    TMessageSeam::Override m_answers{[this](const TMessageRequest& request) {
        m_messages.push_back(request);
        return EMessageResult::Ok;
    }};
    TGridTableRegistry m_registry; // first: it outlives the tables
    std::unique_ptr<TGridTable> m_sand;
    std::unique_ptr<TGridTable> m_clay;
    std::unique_ptr<TGridTable> m_table;
};

TEST_F(TableFormTest, ShowsHeadingsGroupNumbersCommentsAndCaption)
{
    m_table->SetRowCount(4);
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->objectName(), "TableForm");
    EXPECT_EQ(form->windowTitle().toStdString(), "Test Table ");
    EXPECT_TRUE(form->isVisible());

    // Two heading lines: the float column's last line carries its unit.
    EXPECT_EQ(m_table->FixedRowCount(), 2);
    EXPECT_EQ(form->GridCellText(0, 0), "Layer");
    EXPECT_EQ(form->GridCellText(1 + kTypeCol, 0), "Soil Type");
    EXPECT_EQ(form->GridCellText(1 + kTypeCol, 1), "");
    EXPECT_EQ(form->GridCellText(1 + kDepthCol, 0), "Depth at");
    EXPECT_EQ(form->GridCellText(1 + kDepthCol, 1), "Bottom, (ft)  ");
    // Rows in groups of two share their number.
    const std::vector<std::string> groups = {"1", "1", "2", "2"};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(form->GridCellText(0, 2 + r), groups[static_cast<std::size_t>(r)]) << r;
        EXPECT_EQ(form->GridModel()->headerData(r, Qt::Vertical, Qt::DisplayRole).toString(),
                  QString::fromStdString(groups[static_cast<std::size_t>(r)]));
    }
    EXPECT_EQ(form->GridColumnCount(), 5);
    EXPECT_EQ(form->GridRowCount(), 6);

    auto* comments = form->findChild<QLabel*>("lblComments");
    ASSERT_NE(comments, nullptr);
    EXPECT_TRUE(comments->isVisible());
    EXPECT_EQ(comments->text(), "Depths below the mudline.");
    for (const char* name : {"Grid", "BtnAdd", "BtnIns", "BtnDel", "imgHelp"}) {
        EXPECT_NE(form->findChild<QWidget*>(name), nullptr) << name;
    }
    // Typing starts in the first column that takes text.
    EXPECT_EQ(form->CurrentColumn(), kDepthCol);
    EXPECT_EQ(form->CurrentRow(), 0);
}

TEST_F(TableFormTest, ShowsAtMostTenRowsWithAScrollBar)
{
    struct Case
    {
        int rows;
        int shown;
        bool scrollBar;
    };
    for (const Case c : {Case{26, 10, true}, Case{4, 4, false}}) {
        auto table = MakeTable(2, 0);
        table->SetRowCount(c.rows);
        TTableForm* form = Open(*table);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->ShownRowCount(), c.shown) << c.rows;
        EXPECT_EQ(form->Grid()->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, c.scrollBar)
            << c.rows;
        // The grid's data area holds exactly the shown rows.
        EXPECT_EQ(form->Grid()->viewport()->height(),
                  c.shown * form->Grid()->verticalHeader()->defaultSectionSize())
            << c.rows;
    }
}

TEST_F(TableFormTest, AddingBeyondTenRowsScrollsToTheNewRows)
{
    auto table = MakeTable(2, 0);
    table->SetRowCount(8);
    int resizes = 0;
    table->OnResize = [&resizes](TGridTable&) {
        ++resizes;
    };
    TTableForm* form = Open(*table);
    ASSERT_NE(form, nullptr);
    EXPECT_GT(resizes, 0);
    const int rowHeight = form->Grid()->verticalHeader()->defaultSectionSize();
    const int height8 = form->height();
    Button(*form, "BtnAdd")->click(); // 10 rows: the window grows by the group
    EXPECT_EQ(form->ShownRowCount(), 10);
    EXPECT_EQ(form->height(), height8 + 2 * rowHeight);
    Button(*form, "BtnAdd")->click(); // 12 rows: the grid scrolls instead
    EXPECT_EQ(table->RowCount(), 12);
    EXPECT_EQ(form->ShownRowCount(), 10);
    EXPECT_EQ(form->height(), height8 + 2 * rowHeight);
    EXPECT_EQ(form->Grid()->verticalScrollBar()->value(), 2);
    // The cell controls follow the scrolled rows.
    EXPECT_EQ(form->CellControl(kTypeCol, 0), nullptr);
    ASSERT_NE(form->CellControl(kTypeCol, 11), nullptr);
    EXPECT_TRUE(form->CellControl(kTypeCol, 11)->isVisible());
    auto* button = qobject_cast<QPushButton*>(form->CellControl(kDataCol, 11));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "12: Sand Data");
}

TEST_F(TableFormTest, CommittedEntriesAreEvaluatedAndShownNormalised)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(m_table->GetChanged());
    Type(*form, kDepthCol, 0, "2*3");
    ASSERT_TRUE(form->SelectCell(kDepthCol, 1));
    EXPECT_EQ(m_table->Columns(kDepthCol).GetFloat(0), 6.0L);
    EXPECT_EQ(form->GridCellText(1 + kDepthCol, 2), "6");
    EXPECT_TRUE(m_table->GetChanged());
    EXPECT_TRUE(m_messages.empty());

    // Enter takes the entry too, and moves down.
    ASSERT_TRUE(form->SelectCell(kCountCol, 0));
    form->GridModel()->SetCellText(kCountCol, 0, "7");
    PressEnter(*form);
    EXPECT_EQ(m_table->GetInteger(kCountCol, 0), 7);
    EXPECT_EQ(form->CurrentColumn(), kCountCol);
    EXPECT_EQ(form->CurrentRow(), 1);
}

TEST_F(TableFormTest, TypingIntoTheCellEditor)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->SelectCell(kDepthCol, 0));
    // The editor is always open on the current cell.
    auto* editor = form->Grid()->viewport()->findChild<QLineEdit*>("GridCellEditor");
    ASSERT_NE(editor, nullptr);
    editor->setText("10/4");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &press);
    EXPECT_EQ(m_table->Columns(kDepthCol).GetFloat(0), 2.5L);
    EXPECT_EQ(form->GridCellText(1 + kDepthCol, 2), "2.5");
    EXPECT_EQ(form->CurrentRow(), 1);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(TableFormTest, ModalEditorRunsUntilClosed)
{
    bool wasModal = false;
    bool closed = false;
    QTimer::singleShot(0, [&] {
        TTableForm* form = TableFormOf(*m_table);
        ASSERT_NE(form, nullptr);
        wasModal = m_table->EditorIsModal();
        // A refused entry keeps the modal window open too.
        Type(*form, kCountCol, 0, "0");
        EXPECT_FALSE(form->close());
        form->GridModel()->SetCellText(kCountCol, 0, "3");
        closed = form->close();
    });
    m_table->ShowModal(); // returns when the window closes
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(m_table->HasEditor());
    EXPECT_EQ(m_table->GetInteger(kCountCol, 0), 3);
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0].text, "Entry must be between 1 and 40." + kCountField);
}

TEST_F(TableFormTest, RefusedEntryKeepsTheUserInTheCell)
{
    struct Case
    {
        int column;
        const char* text;
        const char* message; // empty: the evaluator's own text
    };
    const Case cases[] = {
        {kCountCol, "0", "Entry must be between 1 and 40."},
        {kCountCol, "41", "Entry must be between 1 and 40."},
        {kCountCol, "2.5", "Entry must be an integer."},
        {kDepthCol, "1e16", "Entry must be a number of at most 1E15 in size."},
        {kDepthCol, "2^1024", "Entry must be a number of at most 1E15 in size."},
        {kDepthCol, "-1e400", "Entry must be a number of at most 1E15 in size."},
        {kDepthCol, "1e-400", "Entry must be 0 or a number of at least 1E-307 in size."},
        {kDepthCol, "abc", ""},
    };
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    m_table->Columns(kDepthCol).SetFloat(1, 12.5L);
    for (const Case& c : cases) {
        m_messages.clear();
        Type(*form, c.column, 1, c.text);
        EXPECT_FALSE(form->SelectCell(kDepthCol, 0)) << c.text;
        ASSERT_EQ(m_messages.size(), 1U) << c.text;
        EXPECT_EQ(m_messages[0].type, EMessageType::Information);
        EXPECT_EQ(m_messages[0].buttons, EMessageButtons::Ok);
        // The message names the cell: the table, the row and the column's heading.
        const std::string field = c.column == kCountCol ? kCountField : kDepthField;
        if (*c.message != '\0') {
            EXPECT_EQ(m_messages[0].text, c.message + field);
        } else {
            EXPECT_EQ(m_messages[0].text,
                      "Entry could not be evaluated:\rinvalid character(s) in expression" + field);
        }
        EXPECT_EQ(form->CurrentColumn(), c.column) << c.text;
        EXPECT_EQ(form->CurrentRow(), 1) << c.text;
        EXPECT_EQ(form->GridCellText(1 + c.column, 3), c.text); // the entry stays to be mended
        // Closing is refused as well, with the message again.
        EXPECT_FALSE(form->close()) << c.text;
        EXPECT_TRUE(m_table->HasEditor());
        form->GridModel()->SetCellText(
            c.column,
            1,
            QString::fromStdString(m_table->Columns(c.column).GetText(1)));
    }
    EXPECT_EQ(m_table->GetInteger(kCountCol, 1), 1);
    EXPECT_EQ(m_table->Columns(kDepthCol).GetFloat(1), 12.5L);

    // Once mended, the window closes and lets the table go.
    const QPointer<TTableForm> guard(form);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(m_table->HasEditor());
    FlushDeletes();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(TableFormTest, MovingThroughCellsKeepsValuesAndChangedFlag)
{
    // A value with more digits than a cell shows must survive being passed over.
    const long double precise = 1.23456789012345L;
    m_table->Columns(kDepthCol).SetFloat(0, precise);
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GridCellText(1 + kDepthCol, 2), "1.2345679");
    ASSERT_TRUE(form->SelectCell(kDepthCol, 0));
    ASSERT_TRUE(form->SelectCell(kCountCol, 0));
    ASSERT_TRUE(form->SelectCell(kDepthCol, 1));
    EXPECT_EQ(m_table->Columns(kDepthCol).GetFloat(0), precise);
    EXPECT_FALSE(m_table->GetChanged());
    // Cells whose control edits them cannot be selected.
    EXPECT_FALSE(form->SelectCell(kTypeCol, 0));
    EXPECT_FALSE(form->SelectCell(kDataCol, 0));
}

TEST_F(TableFormTest, EnterRunsDownTheColumnsThatTakeText)
{
    m_table->SetRowCount(4);
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    struct Step
    {
        int column;
        int row;
    };
    ASSERT_TRUE(form->SelectCell(kDepthCol, 2));
    // Last row of a column: the next column's first row; after the last text column, back
    // to the first one (the combo and button columns are passed over).
    for (const Step s : {Step{kDepthCol, 3}, Step{kCountCol, 0}}) {
        PressEnter(*form);
        EXPECT_EQ(form->CurrentColumn(), s.column);
        EXPECT_EQ(form->CurrentRow(), s.row);
    }
    ASSERT_TRUE(form->SelectCell(kCountCol, 3));
    PressEnter(*form);
    EXPECT_EQ(form->CurrentColumn(), kDepthCol);
    EXPECT_EQ(form->CurrentRow(), 0);
}

TEST_F(TableFormTest, RowButtonsAddInsertAndDeleteGroups)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    QPushButton* add = Button(*form, "BtnAdd");
    QPushButton* ins = Button(*form, "BtnIns");
    QPushButton* del = Button(*form, "BtnDel");
    ASSERT_TRUE(add && ins && del);
    EXPECT_TRUE(add->isVisible());
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(del->isEnabled()); // at MinRows

    const int heightBefore = form->height();
    add->click();
    EXPECT_EQ(m_table->RowCount(), 4);
    EXPECT_EQ(form->ShownRowCount(), 4);
    EXPECT_GT(form->height(), heightBefore); // the window grew by the new group
    EXPECT_TRUE(del->isEnabled());
    EXPECT_TRUE(m_table->GetChanged());

    for (int r = 0; r < 4; ++r) {
        m_table->Columns(kDepthCol).SetFloat(r, r + 1);
    }
    // Insert before the group that holds row 3: two new rows at 2 and 3.
    ASSERT_TRUE(form->SelectCell(kDepthCol, 3));
    ins->click();
    ASSERT_EQ(m_table->RowCount(), 6);
    const long double afterInsert[] = {1, 2, 0, 0, 3, 4};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(m_table->Columns(kDepthCol).GetFloat(r), afterInsert[r]) << r;
    }
    EXPECT_EQ(form->GridCellText(1 + kDepthCol, 2 + 4), "3");
    EXPECT_FALSE(add->isEnabled()); // at MaxRows
    EXPECT_FALSE(ins->isEnabled());

    // Delete the group that holds row 5: rows 4 and 5 go.
    ASSERT_TRUE(form->SelectCell(kDepthCol, 5));
    del->click();
    ASSERT_EQ(m_table->RowCount(), 4);
    const long double afterDelete[] = {1, 2, 0, 0};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(m_table->Columns(kDepthCol).GetFloat(r), afterDelete[r]) << r;
    }
    EXPECT_TRUE(m_messages.empty());
}

// Tab leads from the grid to the row buttons; Return and Space press the focused one.
TEST_F(TableFormTest, ReturnAndSpacePressTheFocusedRowButton)
{
    struct TCase
    {
        Qt::Key key;
        int rows;
    };
    const TCase cases[] = {{Qt::Key_Return, 4}, {Qt::Key_Enter, 6}, {Qt::Key_Space, 8}};
    const std::unique_ptr<TGridTable> table = MakeTable(2, 20);
    TTableForm* form = Open(*table);
    ASSERT_NE(form, nullptr);
    QApplication::setActiveWindow(form);
    QPushButton* add = Button(*form, "BtnAdd");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.rows);
        form->Grid()->setFocus(Qt::MouseFocusReason);
        for (int i = 0; i < 10 && QApplication::focusWidget() != add; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        ASSERT_EQ(QApplication::focusWidget(), add);
        QTest::keyClick(add, c.key);
        EXPECT_EQ(table->RowCount(), c.rows);
        EXPECT_TRUE(m_messages.empty());
    }
    table->CloseEditor();
}

// The window opens at least as wide as its caption needs, so the frame's title bar shows it
// whole: a table of one narrow column under a long caption.
TEST_F(TableFormTest, WindowIsAsWideAsItsCaptionNeeds)
{
    const std::unique_ptr<TGridTable> depths =
        TableBuilder("Depths for Internally-generated t-z curves")
            .Rows(1, 100)
            .Float({"Depth"}, "L2")
            .Build(m_registry);
    QMdiArea frame;
    frame.resize(1200, 800);
    frame.show();
    m_registry.SetEditorFactory(TableFormEditorFactory(&frame));
    TTableForm* form = Open(*depths);
    ASSERT_NE(form, nullptr);
    QCoreApplication::processEvents();
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    ASSERT_NE(sub, nullptr);
    // The title bar as the frame lays it out: the space its caption has beside its buttons.
    QStyleOptionTitleBar option;
    option.initFrom(sub);
    option.text = sub->windowTitle();
    option.titleBarFlags = sub->windowFlags();
    option.subControls = QStyle::SC_All;
    option.rect = QRect(0,
                        0,
                        sub->width(),
                        sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, sub));
    const QRect label =
        sub->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, sub);
    QFont bold = QApplication::font("QMdiSubWindowTitleBar");
    bold.setBold(true);
    EXPECT_EQ(sub->windowTitle().toStdString(), "Depths for Internally-generated t-z curves ");
    EXPECT_GE(label.width(), QFontMetrics(bold).horizontalAdvance(sub->windowTitle().trimmed()));
    // The grid keeps its width; the window around it is wider.
    EXPECT_GT(form->width(), form->Grid()->width() + 2 * TTableForm::Gap());
    depths->CloseEditor();
}

TEST_F(TableFormTest, RowButtonsNeedACurrentRowAndAnAcceptedEntry)
{
    m_table->SetRowCount(4);
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    form->Grid()->selectionModel()->clearCurrentIndex();
    Button(*form, "BtnIns")->click();
    Button(*form, "BtnDel")->click();
    ASSERT_EQ(m_messages.size(), 2U);
    EXPECT_EQ(m_messages[0].text, "Grid.Row not in valid range");
    EXPECT_EQ(m_messages[1].text, "Grid.Row not in valid range");
    EXPECT_EQ(m_table->RowCount(), 4);

    // A pending refused entry is neither lost nor passed over by a row edit.
    m_messages.clear();
    Type(*form, kCountCol, 1, "99");
    Button(*form, "BtnAdd")->click();
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0].text, "Entry must be between 1 and 40." + kCountField);
    EXPECT_EQ(m_table->RowCount(), 4);
    EXPECT_EQ(form->GridCellText(1 + kCountCol, 2 + 1), "99");
    EXPECT_EQ(form->CurrentRow(), 1);
}

TEST_F(TableFormTest, StoringPendingEditsStoresTheTypedCell)
{
    // The main window stores a child's pending edit through its edit-host interface.
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    TEditHost* host = form;
    Type(*form, kCountCol, 1, "7");
    EXPECT_TRUE(host->StorePendingEdits());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_table->Columns(kCountCol).GetText(1), "7");

    // A refused entry is reported and stays in its cell.
    Type(*form, kCountCol, 1, "99");
    EXPECT_FALSE(host->StorePendingEdits());
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0].text, "Entry must be between 1 and 40." + kCountField);
    EXPECT_EQ(m_table->Columns(kCountCol).GetText(1), "7");
    EXPECT_EQ(form->GridCellText(1 + kCountCol, 2 + 1), "99");
}

TEST_F(TableFormTest, RowButtonsFollowTheRowLimits)
{
    auto fixed = TableBuilder("Fixed").Rows(2, 2).Float({"A"}).Build(m_registry);
    TTableForm* form = Open(*fixed);
    ASSERT_NE(form, nullptr);
    for (const char* name : {"BtnAdd", "BtnIns", "BtnDel"}) {
        EXPECT_FALSE(Button(*form, name)->isVisible()) << name;
    }
    auto full = TableBuilder("Full").Rows(1, 40).Float({"A"}).Build(m_registry);
    full->SetRowCount(40);
    form = Open(*full);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(Button(*form, "BtnAdd")->isEnabled());
    EXPECT_FALSE(Button(*form, "BtnIns")->isEnabled());
    EXPECT_TRUE(Button(*form, "BtnDel")->isEnabled());
}

TEST_F(TableFormTest, ComboChoiceWritesTheCellAndReplacesTheSubTable)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    auto* combo = qobject_cast<QComboBox*>(form->CellControl(kTypeCol, 1));
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentIndex(), 0);
    ASSERT_NE(m_table->Columns(kDataCol).GetTable(1), nullptr);
    EXPECT_EQ(m_table->Columns(kDataCol).GetTable(1)->Caption(), "Sand Data");

    combo->setCurrentIndex(1);
    emit combo->activated(1); // the user's choice
    EXPECT_EQ(m_table->GetInteger(kTypeCol, 1), 2);
    ASSERT_NE(m_table->Columns(kDataCol).GetTable(1), nullptr);
    EXPECT_EQ(m_table->Columns(kDataCol).GetTable(1)->Caption(), "Clay Data");
    EXPECT_TRUE(m_table->GetChanged());
    auto* button = qobject_cast<QPushButton*>(form->CellControl(kDataCol, 1));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "2: Clay Data");

    // A value set by code shows in its combo; one without an item shows no selection and
    // is not written back.
    m_table->Columns(kTypeCol).SetInteger(0, 4);
    auto* first = qobject_cast<QComboBox*>(form->CellControl(kTypeCol, 0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->currentIndex(), -1);
    EXPECT_EQ(m_table->GetInteger(kTypeCol, 0), 4);

    // Entering a combo takes the entry of the current cell first.
    Type(*form, kCountCol, 1, "-1");
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(combo, &focusIn);
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0].text, "Entry must be between 1 and 40." + kCountField);
    EXPECT_EQ(form->CurrentColumn(), kCountCol);
    EXPECT_EQ(form->CurrentRow(), 1);
}

TEST_F(TableFormTest, RowButtonOpensTheSubTableEditor)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    auto* button = qobject_cast<QPushButton*>(form->CellControl(kDataCol, 0));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->text(), "1: Sand Data");
    TGridTable* sub = m_table->Columns(kDataCol).GetTable(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(sub->HasEditor());
    button->click();
    ASSERT_TRUE(sub->HasEditor());
    TTableForm* subForm = TableFormOf(*sub);
    ASSERT_NE(subForm, nullptr);
    EXPECT_TRUE(subForm->isVisible());
    EXPECT_EQ(subForm->windowTitle().toStdString(), "Sand Data  1");
    EXPECT_EQ(subForm->GridCellText(0, 0), "Location");
    EXPECT_FALSE(Button(*subForm, "BtnAdd")->isVisible()); // 2 to 2 rows

    // An entry in the sub-table reaches the sub-table, not the parent.
    Type(*subForm, 0, 0, "120");
    ASSERT_TRUE(subForm->SelectCell(0, 1));
    EXPECT_EQ(sub->Columns(0).GetFloat(0), 120.0L);
    EXPECT_TRUE(m_table->GetChanged()); // asks its sub-tables

    // Rows inserted above it renumber the open sub-table editor.
    ASSERT_TRUE(form->SelectCell(kDepthCol, 0));
    Button(*form, "BtnIns")->click();
    EXPECT_EQ(subForm->windowTitle().toStdString(), "Sand Data  3");
    EXPECT_EQ(m_table->Columns(kDataCol).GetTable(2), sub);

    // Closing the parent's editor closes the sub-table editors as well.
    const QPointer<TTableForm> subGuard(subForm);
    m_table->CloseEditor();
    EXPECT_FALSE(sub->HasEditor());
    FlushDeletes();
    EXPECT_TRUE(subGuard.isNull());
}

TEST_F(TableFormTest, TableFreedWhileItsEditorIsOpen)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    const QPointer<TTableForm> guard(form);
    Type(*form, kDepthCol, 0, "5");
    m_table.reset();
    FlushDeletes();
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(TableFormTest, EmbeddedEditorGoesWithItsHost)
{
    auto* host = new QWidget;
    host->resize(800, 600);
    host->show();
    m_table->SetFormParent(host);
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->parentWidget(), host);
    EXPECT_FALSE(form->isWindow());
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    delete host; // takes the window with it
    EXPECT_FALSE(m_table->HasEditor());
    m_table->SetFormParent(nullptr);
    m_table->Show(); // a fresh window opens
    EXPECT_TRUE(m_table->HasEditor());
}

TEST_F(TableFormTest, ModelessEditorIsAChildOfTheFrame)
{
    QMdiArea frame;
    frame.show();
    m_registry.SetEditorFactory(TableFormEditorFactory(&frame));
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(frame.subWindowList().size(), 1);
    // The frame around the editor is as large as the editor has laid itself out.
    QCoreApplication::processEvents();
    EXPECT_TRUE(sub->contentsRect().contains(form->geometry()));
    EXPECT_GE(form->height(), form->Grid()->geometry().bottom());
    EXPECT_TRUE(sub->close());
    EXPECT_FALSE(m_table->HasEditor());
    FlushDeletes();
    EXPECT_TRUE(frame.subWindowList().isEmpty());
}

TEST_F(TableFormTest, SubTableEditorClosesWhenItsRowGoes)
{
    m_table->SetRowCount(4);
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    // One editor replaced by a type change, one whose row group is deleted.
    TGridTable* replaced = m_table->Columns(kDataCol).GetTable(1);
    TGridTable* deleted = m_table->Columns(kDataCol).GetTable(2);
    ASSERT_TRUE(replaced && deleted);
    replaced->Show();
    deleted->Show();
    const QPointer<TTableForm> replacedForm(TableFormOf(*replaced));
    const QPointer<TTableForm> deletedForm(TableFormOf(*deleted));
    ASSERT_TRUE(replacedForm && deletedForm);

    auto* combo = qobject_cast<QComboBox*>(form->CellControl(kTypeCol, 1));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    ASSERT_TRUE(form->SelectCell(kDepthCol, 3));
    Button(*form, "BtnDel")->click();
    EXPECT_EQ(m_table->RowCount(), 2);
    FlushDeletes();
    EXPECT_TRUE(replacedForm.isNull());
    EXPECT_TRUE(deletedForm.isNull());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(TableFormTest, DraggedFrameSnapsToWholeRows)
{
    auto table = MakeTable(2, 0);
    table->SetRowCount(20);
    TTableForm* form = Open(*table);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(form->ShownRowCount(), 10);
    const int rowHeight = form->Grid()->verticalHeader()->defaultSectionSize();
    const QRect start = form->geometry();
    // Everything but the data rows, measured on the window as opened.
    const int fixedPart = start.height() - 10 * rowHeight;

    struct Case
    {
        double rows; // where the bottom edge is let go, in rows
        int shown;
    };
    for (const Case c : {Case{4.5, 4}, Case{6.01, 6}, Case{6.99, 6}, Case{1.2, 1}}) {
        QRect proposed = start;
        proposed.setHeight(fixedPart + static_cast<int>(c.rows * rowHeight));
        const QRect snapped = form->WMSizing(Qt::BottomEdge, proposed);
        EXPECT_EQ(form->ShownRowCount(), c.shown) << c.rows;
        EXPECT_EQ(snapped.height(), fixedPart + c.shown * rowHeight) << c.rows;
        EXPECT_EQ(snapped.top(), start.top()) << c.rows;
        EXPECT_EQ(form->height(), snapped.height()) << c.rows;
        EXPECT_EQ(form->Grid()->viewport()->height(), c.shown * rowHeight) << c.rows;
    }
    // Dragging the top edge keeps the bottom where it is.
    QRect proposed = start;
    proposed.setTop(start.top() + 3 * rowHeight + rowHeight / 2);
    const QRect snapped = form->WMSizing(Qt::TopEdge, proposed);
    EXPECT_EQ(snapped.bottom(), proposed.bottom());
    EXPECT_EQ(form->ShownRowCount(), 6);
}

TEST_F(TableFormTest, NarrowedFrameScrollsColumns)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(form->ShownColumnCount(), 4);
    const QRect start = form->geometry();
    const int lastWidth = form->Grid()->horizontalHeader()->sectionSize(kDataCol);
    QRect proposed = start;
    proposed.setWidth(start.width() - lastWidth / 2);
    const QRect snapped = form->WMSizing(Qt::RightEdge, proposed);
    EXPECT_LT(form->ShownColumnCount(), 4);
    EXPECT_EQ(form->Grid()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_LE(snapped.width(), proposed.width());
    EXPECT_EQ(snapped.left(), start.left());
    EXPECT_EQ(form->ShownRowCount(), 2); // rows kept while only a side edge moves
}

TEST_F(TableFormTest, HelpPictureSitsBelowTheComments)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    const int heightWithout = form->height();
    auto* picture = form->findChild<QLabel*>("imgHelp");
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->isVisible());

    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    m_table->SetHelpPicture(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_TRUE(picture->isVisible());
    EXPECT_EQ(picture->size(), QSize(40, 30));
    EXPECT_EQ(form->height(), heightWithout + TTableForm::Gap() + 30);
    auto* comments = form->findChild<QLabel*>("lblComments");
    EXPECT_GE(picture->y(), comments->geometry().bottom() + TTableForm::Gap());
}

TEST_F(TableFormTest, DeactivationWithARefusedEntryKeepsTheWindow)
{
    TTableForm* form = Open(*m_table);
    ASSERT_NE(form, nullptr);
    Type(*form, kCountCol, 0, "x+");
    QEvent deactivate(QEvent::ActivationChange);
    QCoreApplication::sendEvent(form, &deactivate);
    // The window was not active in the first place, so that is a deactivation.
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->CurrentColumn(), kCountCol);
    EXPECT_EQ(m_table->GetInteger(kCountCol, 0), 1);
}

} // namespace
