#include "InputChecks.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

namespace {

const std::string kTaperMessage0716 =
    "Taper angle is large since it generates a negative diameter at tip of pile.\n"
    "Taper angle should be smaller than 0.716 degrees.\n"
    "Please check input data (Pile Material Window)";

const std::string kModulusMessage = "Modulus of Elasticity should be greater than zero.\n"
                                    "Please check input data (Pile Material Window)";

std::string RemoldedMessage(int layer, const char* method)
{
    return "Remolded Shear Strength for layer " + std::to_string(layer)
           + " should be greater than zero \nwhile using " + method
           + " Method.\nPlease check input data (Soils/Clay Window)";
}

// FHWA, timber pile, OD 12 in, TL 40 ft: tip = 12 - 2 x 480 x tan(angle x 0.01745).
TProgramData TaperedPile(long double angle)
{
    TProgramData data;
    data.MethodFlags[MethodCode::kFhwa] = 1;
    data.PileType = PileTypeCode::kTimber;
    data.OD = 12.0L;
    data.TL = 40.0L;
    data.E = 1.5e6L;
    data.TaperAngle = angle;
    return data;
}

TEST(InputChecks, TaperAngle)
{
    struct Case
    {
        const char* name;
        int pileType;
        int fhwa;
        long double angle;
        bool fails;
    };
    const Case cases[] = {
        {"1 degree gives a negative tip", PileTypeCode::kTimber, 1, 1.0L, true},
        {"0.7 degree passes", PileTypeCode::kTimber, 1, 0.7L, false},
        {"0.716 passes (largest angle rounded down)", PileTypeCode::kTimber, 1, 0.716L, false},
        {"0.717 fails", PileTypeCode::kTimber, 1, 0.717L, true},
        {"Raymond step-taper", PileTypeCode::kRaymondStepTaper, 1, 1.0L, true},
        {"Raymond uniform taper", PileTypeCode::kRaymondUniformTaper, 1, 1.0L, true},
        {"tapered monotube", PileTypeCode::kTaperedMonotube, 1, 1.0L, true},
        {"steel pipe is not checked", PileTypeCode::kSteelPipe, 1, 1.0L, false},
        {"precast concrete is not checked", PileTypeCode::kPrecastConcrete, 1, 1.0L, false},
        {"H-pile is not checked", PileTypeCode::kHPile, 1, 1.0L, false},
        {"without FHWA nothing is checked", PileTypeCode::kTimber, 0, 1.0L, false},
        {"zero angle", PileTypeCode::kTimber, 1, 0.0L, false},
        {"negative angle", PileTypeCode::kTimber, 1, -5.0L, false},
    };
    for (const Case& c : cases) {
        TProgramData data = TaperedPile(c.angle);
        data.PileType = c.pileType;
        data.MethodFlags[MethodCode::kFhwa] = c.fhwa;
        const auto message = TaperCheckMessage(data);
        EXPECT_EQ(message.has_value(), c.fails) << c.name;
        if (message && c.pileType == PileTypeCode::kTimber) {
            EXPECT_EQ(*message, kTaperMessage0716) << c.name;
        }
    }
}

TEST(InputChecks, LargestTaperAngle)
{
    // atan(12 / 2 / 480) = 0.01249935 rad; / 0.01745 = 0.716295 degrees.
    EXPECT_NEAR(static_cast<double>(LargestTaperAngle(TaperedPile(1.0L))), 0.716295, 1e-6);
    // SI: OD 300 mm, TL 12 m: atan(150 / 12000) / 0.01745 = 0.716295 as well.
    TProgramData si = TaperedPile(1.0L);
    si.UnitSystem = 2;
    si.OD = 300.0L;
    si.TL = 12.0L;
    EXPECT_NEAR(static_cast<double>(LargestTaperAngle(si)), 0.716295, 1e-6);
    const auto message = TaperCheckMessage(si);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, kTaperMessage0716);
    si.TaperAngle = 0.7L;
    EXPECT_FALSE(TaperCheckMessage(si).has_value());
}

TEST(InputChecks, Modulus)
{
    struct Case
    {
        long double e;
        bool fails;
    };
    for (const Case& c :
         {Case{0.0L, true}, Case{-1.0L, true}, Case{1e-30L, false}, Case{29.0e6L, false}}) {
        TProgramData data;
        data.E = c.e;
        const auto message = ModulusCheckMessage(data);
        EXPECT_EQ(message.has_value(), c.fails) << static_cast<double>(c.e);
        if (message) {
            EXPECT_EQ(*message, kModulusMessage);
        }
    }
}

class RemoldedStrength : public ::testing::Test
{
protected:
    // Four layers: sand, clay with strength, clay with none, clay with none.
    void SetUp() override
    {
        TGridTable& soil = m_tables.D();
        soil.SetRowCount(4);
        const int types[] = {SoilTypeCode::kSand,
                             SoilTypeCode::kClay,
                             SoilTypeCode::kClay,
                             SoilTypeCode::kClay};
        for (int row = 0; row < 4; ++row) {
            soil.Columns(SoilColumn::kSoilType).SetInteger(row, types[row]);
        }
        Remolded(1, 0, 0.5L);
        Remolded(1, 1, 0.7L);
    }

    void Remolded(int layerRow, int locationRow, long double value)
    {
        TGridTable* layer = m_tables.D().Cells(SoilColumn::kLayerData, layerRow).GetTable();
        ASSERT_NE(layer, nullptr);
        layer->Columns(ClayColumn::kRemoldedStrength).SetFloat(locationRow, value);
    }

    TProjectTables m_tables;
    TProgramData m_data;
};

TEST_F(RemoldedStrength, FirstZeroClayLayerNamesTheFirstSelectedMethod)
{
    struct Case
    {
        int icp, fugro, uwa;
        const char* method; // nullptr: passes
    };
    const Case cases[] = {
        {1, 1, 0, "ICP/MTD"},
        {1, 0, 0, "ICP/MTD"},
        {0, 1, 1, "Fugro"},
        {0, 0, 1, "UWA"},
        {1, 1, 1, "ICP/MTD"},
        {0, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        m_data.MethodFlags[MethodCode::kIcpMtd] = c.icp;
        m_data.MethodFlags[MethodCode::kFugro] = c.fugro;
        m_data.MethodFlags[MethodCode::kUwa] = c.uwa;
        const auto message = RemoldedStrengthCheckMessage(m_data, m_tables.D());
        if (c.method == nullptr) {
            EXPECT_FALSE(message.has_value());
        } else {
            ASSERT_TRUE(message.has_value()) << c.method;
            // Layer 3 is the first clay layer with 0 at top and bottom; layer 4 gets none.
            EXPECT_EQ(*message, RemoldedMessage(3, c.method));
        }
    }
}

TEST_F(RemoldedStrength, ZeroAtOneEndOnlyPasses)
{
    m_data.MethodFlags[MethodCode::kUwa] = 1;
    Remolded(2, 0, 0.4L); // layer 3: top given, bottom 0
    const auto message = RemoldedStrengthCheckMessage(m_data, m_tables.D());
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, RemoldedMessage(4, "UWA"));
    Remolded(3, 1, 0.4L); // layer 4: bottom given
    EXPECT_FALSE(RemoldedStrengthCheckMessage(m_data, m_tables.D()).has_value());
}

TEST_F(RemoldedStrength, ValidateInputRunsAllThreeChecks)
{
    struct TRecorder : TInputCheckReporter
    {
        std::vector<std::string> Messages;
        void Warning(const std::string& text) override { Messages.push_back(text); }
    };
    TRecorder recorder;
    TProgramData data = TaperedPile(1.0L);
    data.E = 0;
    data.MethodFlags[MethodCode::kFugro] = 1;
    EXPECT_FALSE(ValidateInput(data, m_tables.D(), recorder));
    ASSERT_EQ(recorder.Messages.size(), 3u);
    EXPECT_EQ(recorder.Messages[0], kTaperMessage0716);
    EXPECT_EQ(recorder.Messages[1], kModulusMessage);
    EXPECT_EQ(recorder.Messages[2], RemoldedMessage(3, "Fugro"));

    recorder.Messages.clear();
    TProgramData good = TaperedPile(0.7L);
    EXPECT_TRUE(ValidateInput(good, m_tables.D(), recorder));
    EXPECT_TRUE(recorder.Messages.empty());
}

} // namespace

namespace {

// A negative length, diameter, unit weight or CPT depth ran to status 0 without a word (a
// negative OD was even called a zero one): each is named with its window, and a pile of the
// other shape is not asked for the value it does not use.
TEST(InputChecks, NegativeValuesNameTheirField)
{
    const char* const kCircular = "\nPlease check input data (Circular Pile Window)";
    struct Case
    {
        const char* name;
        std::function<void(TProgramData&, TProjectTables&, std::vector<long double>&)> edit;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"all given", [](TProgramData&, TProjectTables&, std::vector<long double>&) {}, {}},
        {"OD -24",
         [](TProgramData& d, TProjectTables&, std::vector<long double>&) { d.OD = -24; },
         {std::string("Outside Diameter should not be negative.") + kCircular}},
        {"ID -22.5",
         [](TProgramData& d, TProjectTables&, std::vector<long double>&) { d.ID = -22.5L; },
         {std::string("Inside Diameter should not be negative.") + kCircular}},
        {"ZFL -1",
         [](TProgramData& d, TProjectTables&, std::vector<long double>&) { d.ZFL = -1; },
         {std::string("Zero-Friction Length should not be negative.") + kCircular}},
        {"noncircular: perimeter -70 and ZFL -1, ID not used",
         [](TProgramData& d, TProjectTables&, std::vector<long double>&) {
             d.Circular = 0;
             d.Perimeter = -70;
             d.ZFL = -1;
             d.ID = -5;
         },
         {"Perimeter should not be negative.\nPlease check input data (Noncircular Pile Window)",
          "Zero-Friction Length should not be negative.\nPlease check input data (Noncircular "
          "Pile Window)"}},
        {"unit weight of the bottom of clay layer 2",
         [](TProgramData&, TProjectTables& t, std::vector<long double>&) {
             t.D()
                 .Cells(SoilColumn::kLayerData, 1)
                 .GetTable()
                 ->Columns(ClayColumn::kUnitWeight)
                 .SetFloat(1, -55);
         },
         {"Effective Unit Weight for layer 2 (bottom) should not be negative.\nPlease check input "
          "data (Soils/Clay Window)"}},
        {"CPT point 3",
         [](TProgramData&, TProjectTables&, std::vector<long double>& cpt) { cpt[2] = -0.5L; },
         {"Depth of CPT point 3 should not be negative.\nPlease check input data (CPT Data "
          "Window)"}},
        {"zero is no negative",
         [](TProgramData& d, TProjectTables&, std::vector<long double>& cpt) {
             d.OD = 0;
             d.ID = 0;
             d.ZFL = 0;
             cpt[0] = 0;
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TProjectTables tables;
        tables.D().SetRowCount(2);
        tables.D().Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
        for (int row = 0; row < 2; ++row) {
            TGridTable* layer = tables.D().Cells(SoilColumn::kLayerData, row).GetTable();
            layer->Columns(SandColumn::kUnitWeight).SetFloat(0, 60);
            layer->Columns(SandColumn::kUnitWeight).SetFloat(1, 62);
        }
        TProgramData data;
        data.OD = 24;
        data.ID = 22.5L;
        data.ZFL = 2;
        std::vector<long double> cpt = {0.5L, 5, 10};
        c.edit(data, tables, cpt);
        EXPECT_EQ(NegativeInputMessages(data, tables.D(), cpt), c.messages);
    }
}

} // namespace
