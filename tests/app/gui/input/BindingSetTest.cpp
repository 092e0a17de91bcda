// The binding set the input windows, the layer properties and the layer grid share: entries
// are stored all or none, and a changed table cell is told.
#include <memory>
#include <stdexcept>

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "TProgramData.h"
#include "entry/TDataEdit.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"
#include "grid/TableBuilder.h"
#include "input/InputBindings.h"

namespace {

class BindingSetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        m_window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_window.get());
        m_diameter = new TDataEdit;
        m_depth = new TDataEdit;
        layout->addWidget(m_diameter);
        layout->addWidget(m_depth);
        m_table = TableBuilder("Layers").Rows(1, 1).Float({"Depth"}, "L2").Build();
        m_set.Add<TNumberBinding>(
            m_diameter,
            [](TProgramData& data) { return data.OD; },
            [](TProgramData& data, long double entry) { data.OD = entry; });
        m_set.Add<TCellBinding>(
            m_depth,
            [this] { return m_table.get(); },
            0,
            0);
        m_data.OD = 24;
        m_table->Cells(0, 0).SetFloat(10);
        m_window->show();
        m_set.Load(m_data);
    }

    static void Type(TDataEdit* edit, const char* text)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    long double Depth() const { return m_table->Cells(0, 0).GetFloat(); }

    TProgramData m_data;
    std::unique_ptr<TGridTable> m_table;
    std::unique_ptr<QWidget> m_window;
    TDataEdit* m_diameter = nullptr;
    TDataEdit* m_depth = nullptr;
    TBindingSet m_set;
};

} // namespace

TEST_F(BindingSetTest, StoresAllOrNothingAndTellsAChangedCell)
{
    // One entry that cannot be read: the other is not stored either.
    Type(m_depth, "12.5");
    Type(m_diameter, "2*");
    EXPECT_ANY_THROW(m_set.Store(m_data));
    EXPECT_EQ(m_data.OD, 24.0L);
    EXPECT_EQ(Depth(), 10.0L);

    Type(m_diameter, "30");
    EXPECT_TRUE(m_set.Store(m_data));
    EXPECT_EQ(m_data.OD, 30.0L);
    EXPECT_EQ(Depth(), 12.5L);

    // A field of the data that changes is seen in the data; only a cell is told.
    m_set.Load(m_data);
    Type(m_diameter, "36");
    EXPECT_FALSE(m_set.Store(m_data));
    EXPECT_EQ(m_data.OD, 36.0L);
    EXPECT_EQ(Depth(), 12.5L);
}
