#include <gtest/gtest.h>

#include "GrlweapFile.h"
#include "ProjectTables.h"
#include "grid/TColumn.h"

namespace {

// The layers come from the soil table as the user sees it: type codes 1..3 and the bottom
// depth as its cell shows it (eight significant digits).
TEST(GrlweapSoilLayersTest, ReadFromTheSoilTable)
{
    TProjectTables tables;
    TGridTable& soil = tables.D();
    soil.SetRowCount(3);
    const int types[] = {1, 2, 3};
    const long double depths[] = {20.123456789L, 45.0L, 60.5L};
    for (int row = 0; row < 3; ++row) {
        soil.Columns(SoilColumn::kSoilType).SetInteger(row, types[row]);
        soil.Columns(SoilColumn::kBottomDepth).SetFloat(row, depths[row]);
    }
    const std::vector<TSoilLayerInfo> layers = SoilLayersFromTable(soil);
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[0].SoilType, 1);
    EXPECT_EQ(layers[0].BottomDepth, 20.123457L);
    EXPECT_EQ(layers[1].SoilType, 2);
    EXPECT_EQ(layers[1].BottomDepth, 45.0L);
    EXPECT_EQ(layers[2].SoilType, 3);
    EXPECT_EQ(layers[2].BottomDepth, 60.5L);
}

} // namespace
