// The CPT profile holds Qc in ksf (English) or kPa (SI), as the CPT data window reads it; the
// side file that the engine reads holds lb/ft^2 (English) or kPa.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "CptSideFile.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "TestFolder.h"
#include "plot/TGraphPlot.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CptProfileUnitsTest : public ::testing::Test
{
protected:
    void SetUp() override { ResetProject(m_data, &m_tables, &m_cpt); }

    void Profile(std::initializer_list<std::pair<long double, long double>> points)
    {
        m_cpt.SetLineCount(1);
        m_cpt.Line(0).SetPointCount(static_cast<int>(points.size()));
        int i = 0;
        for (const auto& [depth, qc] : points) {
            m_cpt.Line(0).Points(i).Y = depth;
            m_cpt.Line(0).Points(i).X = qc;
            ++i;
        }
    }

    TTestFolder m_folder{"cpt-units"};
    TProgramData m_data;
    TProjectTables m_tables;
    TGraphPlot m_cpt;
};

TEST_F(CptProfileUnitsTest, SideFileHoldsPoundsPerSquareFootInEnglishAndKilopascalsInSi)
{
    struct TCase
    {
        int units;
        long double qc; // as the profile holds it
        const char* text;
    };
    const TCase cases[] = {
        {1, 40, " 1 2\r\n  0.00E+00  4.00E+04\r\n  5.00E+00  4.00E+04\r\n"},
        {1, 0.125L, " 1 2\r\n  0.00E+00  1.25E+02\r\n  5.00E+00  1.25E+02\r\n"},
        {2, 1915, " 2 2\r\n  0.00E+00  1.92E+03\r\n  5.00E+00  1.92E+03\r\n"},
    };
    for (const TCase& c : cases) {
        m_data.SetUnits(c.units, &m_tables, &m_cpt);
        m_data.FileName = m_folder.File("p.qr7d");
        Profile({{0, c.qc}, {5, c.qc}});
        SaveProjectFile(m_data, m_tables, &m_cpt);
        EXPECT_EQ(ReadAll(m_folder / "p.cpt"), c.text);
        OpenProjectFile(m_data.FileName, m_data, m_tables, &m_cpt);
        ASSERT_EQ(m_cpt.Line(0).PointCount(), 2);
        EXPECT_NEAR(m_cpt.Line(0).Points(1).X, c.qc, c.qc * 0.005L) << "3 digits in the file";
        EXPECT_EQ(m_data.CptPointCount, 2);
    }
}

// The examples describe one pile in both systems: their profiles agree once read.
TEST_F(CptProfileUnitsTest, ExampleProfilesAgreeAcrossTheUnitSystems)
{
    const fs::path examples = fs::path(QUARN_SOURCE_DIR) / "examples";
    OpenProjectFile((examples / "english" / "PipeSandClay.qr7d").string(),
                    m_data,
                    m_tables,
                    &m_cpt);
    ASSERT_GT(m_cpt.Line(0).PointCount(), 1);
    EXPECT_NEAR(m_cpt.Line(0).Points(0).X, 40.0L, 1e-9L) << "ksf";
    // 40 ksf is 1915.2 kPa: 4.448222 kN per kip over 0.09290304 m^2 per ft^2.
    const long double kpaPerKsf = 4.448222L / 0.09290304L;
    m_data.SetUnits(2, &m_tables, &m_cpt);
    EXPECT_NEAR(m_cpt.Line(0).Points(0).X, 40 * kpaPerKsf, 1e-6L);

    TGraphPlot si;
    TProgramData siData;
    TProjectTables siTables;
    OpenProjectFile((examples / "si" / fs::path("PipeSandClay.qr7d")).string(),
                    siData,
                    siTables,
                    &si);
    ASSERT_GT(si.Line(0).PointCount(), 1);
    EXPECT_NEAR(si.Line(0).Points(0).X, 1920.0L, 1e-9L) << "kPa as written";
    EXPECT_NEAR(si.Line(0).Points(0).X, m_cpt.Line(0).Points(0).X, 5.0L) << "3 digits";
}

// English points in the side file of an SI project: 2000 lb/ft^2 is 2 ksf, 95.76 kPa.
TEST_F(CptProfileUnitsTest, EnglishSideFileOfAnSiProjectIsConverted)
{
    m_data.SetUnits(2, &m_tables, &m_cpt);
    m_data.FileName = m_folder.File("p.qr7d");
    SaveProjectFile(m_data, m_tables, &m_cpt);
    std::ofstream(m_folder / "p.cpt", std::ios::binary) << " 1 1\r\n  1.00E+01  2.00E+03\r\n";
    OpenProjectFile(m_data.FileName, m_data, m_tables, &m_cpt);
    ASSERT_EQ(m_cpt.Line(0).PointCount(), 1);
    EXPECT_NEAR(m_cpt.Line(0).Points(0).Y, 3.048L, 1e-9L);
    EXPECT_NEAR(m_cpt.Line(0).Points(0).X, 2 * 4.448222L / 0.09290304L, 1e-6L);
}

TEST(CptSideFileQc, ConversionBetweenProfileAndFile)
{
    EXPECT_EQ(SideFileQc(40, 1), 40000);
    EXPECT_EQ(SideFileQc(40, 2), 40);
    EXPECT_EQ(ProfileQc(40000, 1), 40);
    EXPECT_EQ(ProfileQc(1915, 2), 1915);
}

} // namespace
