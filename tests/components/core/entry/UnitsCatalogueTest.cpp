#include "entry/UnitsCatalogue.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

namespace {

// Factors pass through one or two extended-precision divisions.
constexpr long double kFactorTolerance = 1e-17L;

long double Relative(long double actual, long double expected)
{
    return std::fabs(actual - expected) / std::fabs(expected);
}

TUnit* FindUnit(TCategory& category, const std::string& symbol)
{
    for (int i = 0; i < category.GetCount(); ++i) {
        if (category.GetUnit(i)->Symbol == symbol) {
            return category.GetUnit(i);
        }
    }
    return nullptr;
}

class UnitsCatalogueTest : public ::testing::Test
{
protected:
    void SetUp() override { FillUnitCategories(catalogue); }
    TCategory& Length() { return *catalogue.GetCategory(0); }
    TCategories catalogue;
};

TEST_F(UnitsCatalogueTest, SixCategoriesWithTheirFirstUnitAsBase)
{
    const char* names[] = {"Length", "Time", "Force", "Temperature", "Angle", "Computer Bits"};
    ASSERT_EQ(catalogue.GetCount(), 6);
    for (int i = 0; i < 6; ++i) {
        TCategory* category = catalogue.GetCategory(i);
        EXPECT_EQ(category->Name, names[i]);
        EXPECT_EQ(category->BaseIndex, 0);
        EXPECT_EQ(category->GetUnit(0)->Factor, 1.0L);
        EXPECT_TRUE(category->InCatalogue);
        EXPECT_EQ(category->Amount, 1.0L);
    }
    EXPECT_EQ(Length().GetCount(), 12);
    EXPECT_EQ(FindUnit(*catalogue.GetCategory(5), "TB")->Factor, 8796093022208.0L); // 2^43
    // 1 lbf = 4.4482216152605 N exactly; 1 kip = 1000 lbf
    EXPECT_LE(Relative(FindUnit(*catalogue.GetCategory(2), "kip")->Factor, 4448.2216152605L),
              kFactorTolerance);
    EXPECT_LE(Relative(FindUnit(*catalogue.GetCategory(4), "deg")->Factor, 1.0L / 360),
              kFactorTolerance);
}

TEST_F(UnitsCatalogueTest, InchAsBaseRescalesTheLengths)
{
    const int inch = 4;
    ASSERT_EQ(Length().GetUnit(inch)->Symbol, "in");
    Length().SetBaseUnit(inch);
    EXPECT_EQ(Length().BaseIndex, inch);
    EXPECT_EQ(Length().GetUnit(inch)->Factor, 1.0L);
    EXPECT_LE(Relative(FindUnit(Length(), "ft")->Factor, 12.0L), kFactorTolerance);
    EXPECT_LE(Relative(FindUnit(Length(), "mm")->Factor, 1 / 25.4L), kFactorTolerance);
    EXPECT_LE(Relative(FindUnit(Length(), "mi")->Factor, 63360.0L), kFactorTolerance);
}

TEST_F(UnitsCatalogueTest, DeletingTheBaseLeavesNoBaseAndTheFactors)
{
    Length().DeleteUnit(0);
    EXPECT_EQ(Length().BaseIndex, -1);
    EXPECT_EQ(Length().GetCount(), 11);
    EXPECT_EQ(Length().GetUnit(0)->Symbol, "cm");
    EXPECT_EQ(Length().GetUnit(0)->Factor, 10.0L);
}

TEST_F(UnitsCatalogueTest, DeletingKeepsTheIndicesInStep)
{
    TCategory& length = Length();
    length.SetBaseUnit(3);
    length.FromIndex = 5;
    length.ToIndex = 11; // the last
    length.DeleteUnit(1);
    EXPECT_EQ(length.BaseIndex, 2);
    EXPECT_EQ(length.FromIndex, 4);
    EXPECT_EQ(length.ToIndex, 10);
    length.DeleteUnit(10); // the selected last unit: the selection moves to the new last
    EXPECT_EQ(length.ToIndex, 9);
    EXPECT_EQ(length.GetCount(), 10);
    EXPECT_THROW(length.DeleteUnit(10), EListError);
    EXPECT_EQ(length.GetCount(), 10);
}

TEST_F(UnitsCatalogueTest, DuplicatesRaiseNameError)
{
    try {
        Length().AddUnit("mm", "millimeters", 1);
        FAIL();
    } catch (const eNameError& e) {
        EXPECT_EQ(e.Message(), "mm already exists. A unit's symbol must be unique.");
    }
    EXPECT_NO_THROW(Length().AddUnit("MM", "case differs", 1));
    try {
        catalogue.AddCategory("Time");
        FAIL();
    } catch (const eNameError& e) {
        EXPECT_EQ(e.Message(), "Time already exists.");
    }
}

TEST_F(UnitsCatalogueTest, CategoryIndexOutOfRange)
{
    try {
        catalogue.GetCategory(6);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "6 Out of Range 0-6");
    }
    EXPECT_THROW(catalogue.GetCategory(-1), EListError);
}

TEST_F(UnitsCatalogueTest, ZeroFactorCannotBeTheBase)
{
    Length().AddUnit("nil", "nothing", 0);
    EXPECT_THROW(Length().SetBaseUnit(12), EAssertionFailed);
    EXPECT_EQ(Length().BaseIndex, 0);
}

TEST(UnitCategories, BuiltOnceAndFreedWithTheLastFinalize)
{
    ASSERT_EQ(UnitCategories, nullptr);
    InitializeUnitCategories();
    TCategories* first = UnitCategories;
    ASSERT_NE(first, nullptr);
    InitializeUnitCategories();
    EXPECT_EQ(UnitCategories, first);
    FinalizeUnitCategories();
    EXPECT_EQ(UnitCategories, first);
    FinalizeUnitCategories();
    EXPECT_EQ(UnitCategories, nullptr);
    FinalizeUnitCategories(); // one too many does nothing
    EXPECT_EQ(UnitCategories, nullptr);
}

} // namespace
