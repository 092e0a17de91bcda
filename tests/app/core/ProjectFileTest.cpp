#include "ProjectFile.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CptSideFile.h"
#include "FifoAtPath.h"
#include "FileSizeLimit.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "TestFolder.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"
#include "support/TWordReader.h"

namespace fs = std::filesystem;

namespace {

constexpr long double kExact = 1e-12L;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

class ProjectFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = m_folder.Path();
        ResetProject(m_data, &m_tables, &m_cpt);
    }

    TGridTable& Layer(int row)
    {
        return *m_tables.D().Cells(SoilColumn::kLayerData, row).GetTable();
    }
    long double Sub(int layer, int col, int row) { return Layer(layer).Cells(col, row).GetFloat(); }

    // A project of three layers (sand, clay, silt) with every field away from its default.
    void FillProject(int units)
    {
        m_data.SetUnits(units, &m_tables, &m_cpt);
        m_data.Title = "Title with blanks";
        m_data.Designer = "Designer";
        m_data.JobNumber = "J-1";
        m_data.PrintInterval = 3;
        m_data.Circular = 0;
        m_data.Perimeter = 70.5L;
        m_data.TipArea = 12.25L;
        m_data.OD = 24;
        m_data.ID = 22.5L;
        m_data.E = 29000000;
        m_data.TL = 80;
        m_data.PSL = 5;
        m_data.ESL = 2;
        m_data.EID = 21;
        m_data.ZFL = 1.5L;
        m_data.Increment = 0.5L;
        m_data.PileType = PileTypeCode::kTaperedMonotube;
        m_data.TaperAngle = 0.716L;
        m_data.LoadSettlementMethod = MethodCode::kUserSpecified;
        m_data.TzFactorOption = 1;
        m_data.MethodFlags = {0, 1, 0, 1, 1, 1, 0, 1, 0, 1};
        m_data.ConstantArea = 3.5L;
        m_data.ClosedEnd = 1;
        m_data.PrintExtraTz = 1;
        m_data.LoadDirection = 1;
        m_data.TensionFactor = 0.8L;
        m_data.ClayCondition = 1;
        m_data.PlugCondition = 2;
        m_data.AreaMode = 2;
        m_data.CriticalDepthOption = 2;
        m_data.CriticalDepth = 33.5L;
        TGridTable& soil = m_tables.D();
        soil.SetRowCount(3);
        const int types[] = {1, 2, 3};
        for (int k = 0; k < 3; ++k) {
            soil.Columns(SoilColumn::kSoilType).SetInteger(k, types[k]);
            soil.Columns(SoilColumn::kBottomDepth).SetFloat(k, 10.0L * (k + 1));
            soil.Columns(SoilColumn::kMaxSideFriction).SetFloat(k, 1700 + k);
            soil.Columns(SoilColumn::kMaxEndBearing).SetFloat(k, 90000 + k);
            soil.Columns(SoilColumn::kSideFactor).SetFloat(k, 0.9L);
            soil.Columns(SoilColumn::kEndFactor).SetFloat(k, 0.8L);
            TGridTable& layer = Layer(k);
            for (int r = 0; r < 2; ++r) {
                layer.Columns(0).SetFloat(r, 60 + r);
                if (k == 1) {
                    layer.Columns(ClayColumn::kUndrainedStrength).SetFloat(r, 800 + r);
                    layer.Columns(ClayColumn::kRemoldedStrength).SetFloat(r, 400 + r);
                    layer.Columns(ClayColumn::kPlasticIndex).SetFloat(r, 25);
                    layer.Columns(ClayColumn::kYieldStressRatio).SetFloat(r, 1.5L);
                    layer.Columns(ClayColumn::kQc).SetFloat(r, 30);
                    layer.Columns(ClayColumn::kUserSkinFriction).SetFloat(r, 500);
                    layer.Columns(ClayColumn::kUserEndBearing).SetFloat(r, 600);
                    layer.Columns(ClayColumn::kAdhesionMethod).SetInteger(r, 2);
                } else {
                    layer.Columns(SandColumn::kFrictionAngle).SetFloat(r, 30 + r);
                    layer.Columns(SandColumn::kBlowCount).SetInteger(r, 15 + r);
                    layer.Columns(SandColumn::kKo).SetFloat(r, 0.8L);
                    if (k == 0) {
                        layer.Columns(SandColumn::kNq).SetFloat(r, 20);
                        layer.Columns(SandColumn::kQc).SetFloat(r, 40);
                        layer.Columns(SandColumn::kUserSkinFriction).SetFloat(r, 700);
                        layer.Columns(SandColumn::kUserEndBearing).SetFloat(r, 800);
                    } else {
                        layer.Columns(SiltColumn::kUndrainedStrength).SetFloat(r, 300);
                    }
                }
            }
        }
        m_tables.TblTZDepth().SetRowCount(2);
        m_tables.TblTZDepth().Columns(0).SetFloat(0, 12.5L);
        m_tables.TblTZDepth().Columns(0).SetFloat(1, 25);
        m_tables.Sectionaldata().SetRowCount(3);
        for (int r = 0; r < 3; ++r) {
            m_tables.Sectionaldata().Columns(0).SetFloat(r, 10.0L * r);
            m_tables.Sectionaldata().Columns(1).SetFloat(r, 5.0L + r);
        }
        m_cpt.SetLineCount(1);
        m_cpt.Line(0).SetPointCount(2);
        m_cpt.Line(0).Points(0) = {12.5L, 1};
        m_cpt.Line(0).Points(1) = {150, 2};
        m_data.FileName = (m_dir / "p.qr7d").string();
    }

    TTestFolder m_folder{"projfile"};
    fs::path m_dir;
    TProgramData m_data;
    TProjectTables m_tables;
    TGraphPlot m_cpt;
};

TEST_F(ProjectFileTest, RoundTripKeepsEveryFieldInBothSystemsAndUnderCommaLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        for (int units : {1, 2}) {
            SCOPED_TRACE(std::string(locale) + " units " + std::to_string(units));
            ResetProject(m_data, &m_tables, &m_cpt);
            std::setlocale(LC_ALL, locale);
            FillProject(units);
            SaveProjectFile(m_data, m_tables, &m_cpt);
            const TProgramData written = m_data;
            ResetProject(m_data, &m_tables, &m_cpt);
            OpenProjectFile(written.FileName, m_data, m_tables, &m_cpt);
            std::setlocale(LC_ALL, saved.c_str());
            EXPECT_EQ(m_data.UnitSystem, units);
            EXPECT_EQ(m_data.Title, written.Title);
            EXPECT_EQ(m_data.Designer, written.Designer);
            EXPECT_EQ(m_data.JobNumber, written.JobNumber);
            EXPECT_EQ(m_data.PrintInterval, 3);
            EXPECT_EQ(m_data.Circular, 0);
            EXPECT_EQ(m_data.ClosedEnd, 1);
            EXPECT_NEAR(m_data.Perimeter, 70.5L, kExact);
            EXPECT_NEAR(m_data.TipArea, 12.25L, kExact);
            EXPECT_NEAR(m_data.ID, 22.5L, kExact);
            EXPECT_NEAR(m_data.E, 29000000, kExact);
            EXPECT_NEAR(m_data.PSL, 5, kExact);
            EXPECT_NEAR(m_data.ESL, 2, kExact);
            EXPECT_NEAR(m_data.EID, 21, kExact);
            EXPECT_NEAR(m_data.ZFL, 1.5L, kExact);
            EXPECT_NEAR(m_data.Increment, 0.5L, kExact);
            EXPECT_EQ(m_data.PileType, PileTypeCode::kTaperedMonotube);
            EXPECT_NEAR(m_data.TaperAngle, 0.716L, kExact);
            EXPECT_EQ(m_data.LoadSettlementMethod, MethodCode::kUserSpecified);
            EXPECT_EQ(m_data.TzFactorOption, 1);
            EXPECT_EQ(m_data.MethodFlags, written.MethodFlags);
            EXPECT_NEAR(m_data.BottomOfLastLayer, 30, kExact);
            EXPECT_NEAR(m_data.ConstantArea, 3.5L, kExact);
            EXPECT_EQ(m_data.PrintExtraTz, 1);
            EXPECT_EQ(m_data.LoadDirection, 1);
            EXPECT_NEAR(m_data.TensionFactor, 0.8L, kExact);
            EXPECT_EQ(m_data.ClayCondition, 1);
            EXPECT_EQ(m_data.PlugCondition, 2);
            EXPECT_EQ(m_data.AreaMode, 2);
            EXPECT_EQ(m_data.CriticalDepthOption, 2);
            EXPECT_NEAR(m_data.CriticalDepth, 33.5L, kExact);
            ASSERT_EQ(m_tables.D().RowCount(), 3);
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(m_tables.D().GetInteger(SoilColumn::kSoilType, k), k + 1);
                EXPECT_NEAR(m_tables.D().Cells(SoilColumn::kBottomDepth, k).GetFloat(),
                            10.0L * (k + 1),
                            kExact);
                EXPECT_NEAR(m_tables.D().Cells(SoilColumn::kMaxEndBearing, k).GetFloat(),
                            90000 + k,
                            kExact);
                EXPECT_NEAR(m_tables.D().Cells(SoilColumn::kSideFactor, k).GetFloat(),
                            0.9L,
                            kExact);
                EXPECT_NEAR(Sub(k, 0, 1), 61, kExact);
                EXPECT_EQ(Layer(k).Number(), k + 1);
            }
            EXPECT_NEAR(Sub(0, SandColumn::kNq, 1), 20, kExact);
            EXPECT_EQ(Layer(0).GetInteger(SandColumn::kBlowCount, 1), 16);
            EXPECT_NEAR(Sub(0, SandColumn::kUserEndBearing, 1), 800, kExact);
            EXPECT_NEAR(Sub(1, ClayColumn::kRemoldedStrength, 1), 401, kExact);
            EXPECT_NEAR(Sub(1, ClayColumn::kYieldStressRatio, 0), 1.5L, kExact);
            EXPECT_NEAR(Sub(1, ClayColumn::kUserSkinFriction, 0), 500, kExact);
            EXPECT_EQ(Layer(1).GetInteger(ClayColumn::kAdhesionMethod, 0), 2);
            EXPECT_NEAR(Sub(2, SiltColumn::kUndrainedStrength, 0), 300, kExact);
            EXPECT_NEAR(Sub(2, SiltColumn::kKo, 0), 0.8L, kExact);
            ASSERT_EQ(m_tables.TblTZDepth().RowCount(), 2);
            EXPECT_NEAR(m_tables.TblTZDepth().Cells(0, 0).GetFloat(), 12.5L, kExact);
            ASSERT_EQ(m_tables.Sectionaldata().RowCount(), 3);
            EXPECT_NEAR(m_tables.Sectionaldata().Cells(1, 2).GetFloat(), 7, kExact);
            ASSERT_EQ(m_cpt.LineCount(), 1);
            ASSERT_EQ(m_cpt.Line(0).PointCount(), 2);
            EXPECT_NEAR(m_cpt.Line(0).Points(1).X, 150, kExact);
            EXPECT_NEAR(m_cpt.Line(0).Points(1).Y, 2, kExact);
            EXPECT_EQ(m_data.CptPointCount, 2);
        }
    }
}

TEST_F(ProjectFileTest, ExamplesReadToTheirFields)
{
    const fs::path examples = fs::path(QUARN_SOURCE_DIR) / "examples";
    OpenProjectFile((examples / "english" / "PipeSandClay.qr7d").string(),
                    m_data,
                    m_tables,
                    &m_cpt);
    EXPECT_EQ(m_data.Title, "Steel pipe pile in layered sand and clay");
    EXPECT_EQ(m_data.UnitSystem, 1);
    EXPECT_EQ(m_data.PrintInterval, 5);
    EXPECT_EQ(m_data.Circular, 1);
    EXPECT_NEAR(m_data.OD, 24, kExact);
    EXPECT_NEAR(m_data.E, 29000000, kExact);
    EXPECT_NEAR(m_data.BottomOfLastLayer, 100, kExact);
    ASSERT_EQ(m_tables.D().RowCount(), 4);
    EXPECT_EQ(m_tables.D().GetInteger(SoilColumn::kSoilType, 1), 2);
    EXPECT_NEAR(m_tables.D().Cells(SoilColumn::kBottomDepth, 1).GetFloat(), 45, kExact);
    EXPECT_NEAR(Sub(1, ClayColumn::kUndrainedStrength, 1), 1400, kExact);
    EXPECT_NEAR(Sub(1, ClayColumn::kYieldStressRatio, 0), 2, kExact);
    EXPECT_NEAR(Sub(1, ClayColumn::kPlasticIndex, 0), 25, kExact);
    // The sand is given by its friction angle, as the layer window stores it.
    EXPECT_NEAR(Sub(2, SandColumn::kFrictionAngle, 1), 35, kExact);
    EXPECT_EQ(Layer(2).GetInteger(SandColumn::kBlowCount, 1), 0);
    EXPECT_EQ(m_data.MethodFlags[MethodCode::kUserSpecified], 0);
    EXPECT_EQ(m_data.AreaMode, 0);

    OpenProjectFile((examples / "si" / "PipeSandClay.qr7d").string(), m_data, m_tables, &m_cpt);
    EXPECT_EQ(m_data.UnitSystem, 2);
    EXPECT_NEAR(m_data.OD, 609.6L, kExact);
    EXPECT_NEAR(m_data.Increment, 0.3048L, kExact);
    EXPECT_NEAR(Sub(0, SandColumn::kUnitWeight, 0), 9.7394227L, kExact);
    EXPECT_NEAR(m_tables.D().Cells(SoilColumn::kMaxSideFriction, 0).GetFloat(), 81.39644L, kExact);
}

// Two layers (sand then clay, then silt in the oldest layout) written by hand.
TEST_F(ProjectFileTest, OlderLayoutsReadToTheirFields)
{
    const std::string qr6d = "T\r\nD\r\nJ\r\n1 1 4 \r\n0 10 20 18 3E7 60 4\r\n0 0\r\n"
                             "0 1 1 0 4 1 1\r\n1 0 0 0 0 0 0 0 0 \r\n40 0\r\n"
                             "0.0 1 0.8 60 30 20 \r\n1000 50000 0.0 12 0.0 0.0 5 0 0 0.9 0.7 \r\n"
                             "20 1 0.8 60 32 20 \r\n1000 50000 0.0 14 0.0 0.0 5 0 0 0.9 0.7 \r\n"
                             "20 2 0.0 50 0.0 0.0 \r\n0 0 500 250 1 20 0 0 0 1 1 \r\n"
                             "40 2 0.0 50 0.0 0.0 \r\n0 0 600 300 1 20 0 0 0 1 1 \r\n"
                             "0\r\n0 1\r\n0 0\r\n3\r\n0 4\r\n10 5\r\n20 6\r\n1 12\r\n";
    WriteAll(m_dir / "old.qr6d", qr6d);
    OpenProjectFile((m_dir / "old.qr6d").string(), m_data, m_tables, &m_cpt);
    EXPECT_EQ(m_data.ClosedEnd, 0); // three words on line 4
    EXPECT_NEAR(m_data.PSL, 4, kExact);
    EXPECT_EQ(m_data.TzFactorOption, 1);
    EXPECT_EQ(m_data.MethodFlags[1], 1);
    EXPECT_EQ(m_data.MethodFlags[4], 0);
    EXPECT_NEAR(m_tables.D().Cells(SoilColumn::kEndFactor, 0).GetFloat(), 0.7L, kExact);
    EXPECT_EQ(Layer(1).GetInteger(ClayColumn::kAdhesionMethod, 0), 0);
    EXPECT_EQ(m_data.AreaMode, 2); // one word, three area rows
    EXPECT_NEAR(m_tables.Sectionaldata().Cells(1, 2).GetFloat(), 6, kExact);
    EXPECT_EQ(m_data.CriticalDepthOption, 1);
    EXPECT_NEAR(m_data.CriticalDepth, 12, kExact);

    const std::string qrd = "T\r\nD\r\nJ\r\n2 1 2 0 \r\n0 10 500 480 2E8 20\r\n0 0\r\n"
                            "0 0.5 1 0 5 1\r\n20 7\r\n"
                            "0.0 3 0.5 9 28 0.0 \r\n10 500 20 8 0.0 0.0 0.0 0.0 0.0 0.3 0.3 \r\n"
                            "20 3 0.5 9 29 0.0 \r\n10 500 25 9 0.0 0.0 0.0 0.0 0.0 0.3 0.3 \r\n"
                            "0\r\n0 1\r\n0 0\r\n1\r\n";
    WriteAll(m_dir / "old.qrd", qrd);
    OpenProjectFile((m_dir / "old.qrd").string(), m_data, m_tables, &m_cpt);
    EXPECT_EQ(m_data.UnitSystem, 2);
    EXPECT_EQ(m_data.ClosedEnd, 0);
    EXPECT_EQ(m_data.LoadSettlementMethod, 5);
    EXPECT_EQ(m_data.MethodFlags, (std::array<int, 10>{0, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(m_data.AreaMode, 1); // one row, constant area 7
    EXPECT_EQ(m_tables.D().GetInteger(SoilColumn::kSoilType, 0), 3);
    EXPECT_NEAR(Sub(0, SiltColumn::kUndrainedStrength, 1), 25, kExact);
    EXPECT_EQ(Layer(0).GetInteger(SiltColumn::kBlowCount, 1), 9);
    EXPECT_NEAR(m_tables.D().Cells(SoilColumn::kSideFactor, 0).GetFloat(),
                1,
                kExact); // default kept
}

// A ".qrd" project of the layers given, each as its two soil rows (lines A and B, top then
// bottom), 20 ft apart.
std::string OldestLayoutProject(const std::vector<std::array<std::string, 2>>& layers)
{
    std::string rows;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        for (std::size_t r = 0; r < 2; ++r) {
            rows += std::to_string(20 * (k + r)) + " " + layers[k][r] + " \r\n";
        }
    }
    return "T\r\nD\r\nJ\r\n1 1 " + std::to_string(2 * layers.size())
           + " 0 \r\n0 10 24 23 3E7 60\r\n0 0\r\n0 1 1 0 5 1\r\n"
           + std::to_string(20 * layers.size()) + " 0\r\n" + rows + "0\r\n0 1\r\n0 0\r\n1\r\n";
}

std::array<std::string, 2> Silt(const std::string& topFactors, const std::string& bottomFactors)
{
    return {"3 0.5 110 28 0.0 \r\n10 500 400 8 0.0 0.0 0.0 0.0 0.0 " + topFactors,
            "3 0.5 110 29 0.0 \r\n10 500 450 9 0.0 0.0 0.0 0.0 0.0 " + bottomFactors};
}

// The oldest layout's silt rows carry reduction factors that its reading keeps at 1: the
// open names every layer whose dropped words are not 1, with the values, in one note.
TEST_F(ProjectFileTest, OldestLayoutSaysWhichSiltFactorsItDrops)
{
    const std::array<std::string, 2> sand = {"1 0.8 110 30 20 \r\n1000 50000 0.0 12 0.0 0.0 5 0 0",
                                             "1 0.8 115 32 20 \r\n1000 50000 0.0 14 0.0 0.0 5 0 0"};
    struct Case
    {
        const char* name;
        std::vector<std::array<std::string, 2>> layers;
        std::string note; // the layers as the note names them; empty: no note
    };
    const Case cases[] = {
        {"reduced silt below sand",
         {sand, Silt("0.85 0.75", "0.85 0.75"), Silt("1 1", "1.0 1E0")},
         "layer 2 (side friction 0.85, end bearing 0.75)."},
        {"rows that differ",
         {Silt("1 1", "0.9 1")},
         "layer 1 (top row side friction 1, end bearing 1, bottom row side friction 0.9, end "
         "bearing 1)."},
        {"two layers, one note",
         {Silt("0 0.5", "0 0.5"), sand, Silt("1 0.6", "1 0.6")},
         "layer 1 (side friction 0, end bearing 0.5); layer 3 (side friction 1, end bearing "
         "0.6)."},
        {"every factor 1", {sand, Silt("1 1", "1 1")}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = m_dir / "old.qrd";
        WriteAll(file, OldestLayoutProject(c.layers));
        const std::vector<std::string> notes =
            OpenProjectFile(file.string(), m_data, m_tables, &m_cpt);
        std::vector<std::string> factorNotes;
        std::copy_if(notes.begin(),
                     notes.end(),
                     std::back_inserter(factorNotes),
                     [](const std::string& note) {
                         return note.find("reduction factors") != std::string::npos;
                     });
        if (c.note.empty()) {
            EXPECT_TRUE(factorNotes.empty()) << factorNotes.front();
        } else {
            ASSERT_EQ(factorNotes.size(), 1U);
            const std::string& note = factorNotes.front();
            EXPECT_NE(note.find(file.string()), std::string::npos) << note;
            EXPECT_NE(note.find(": " + c.note), std::string::npos) << note;
        }
        // The reading rule holds: the layers take the default factors.
        ASSERT_EQ(m_tables.D().RowCount(), static_cast<int>(c.layers.size()));
        for (int k = 0; k < m_tables.D().RowCount(); ++k) {
            EXPECT_EQ(m_tables.D().Cells(SoilColumn::kSideFactor, k).GetFloat(), 1.0L);
            EXPECT_EQ(m_tables.D().Cells(SoilColumn::kEndFactor, k).GetFloat(), 1.0L);
        }
    }
}

TEST_F(ProjectFileTest, DamagedFilesNameLineAndItemAndLeaveTheProjectUntouched)
{
    FillProject(1);
    SaveProjectFile(m_data, m_tables, &m_cpt);
    const std::string good = ReadAll(m_data.FileName);
    struct Case
    {
        std::string from, to, message;
    };
    const Case cases[] = {
        {"0.5 7 0.716", "0.5 x 0.716", "Error on Line 7 Item 3\rAn integer was expected"},
        {"70.5 12.25", "70.5 1,5", "Error on Line 5 Item 2\rA floating point number"},
        {"1 3 6 1 ", "1 3 999 1 ", "Error on Line 4 Item 3"},
        {"1 3 6 1 ", "7 3 6 1 ", "Error on Line 4 Item 1"},
    };
    const TProgramData before = m_data;
    for (const Case& c : cases) {
        std::string text = good;
        const auto at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, c.from.size(), c.to);
        WriteAll(m_dir / "bad.qr7d", text);
        try {
            OpenProjectFile((m_dir / "bad.qr7d").string(), m_data, m_tables, &m_cpt);
            ADD_FAILURE() << "read " << c.to;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message().rfind(c.message, 0), 0u) << e.Message();
        }
        EXPECT_EQ(m_data.FileName, before.FileName);
        EXPECT_EQ(m_tables.D().RowCount(), 3);
        EXPECT_EQ(m_cpt.Line(0).PointCount(), 2);
    }
    WriteAll(m_dir / "short.qr7d", good.substr(0, good.size() / 2));
    EXPECT_THROW(OpenProjectFile((m_dir / "short.qr7d").string(), m_data, m_tables, &m_cpt),
                 EInOutError);
    EXPECT_EQ(m_data.Title, before.Title);
}

TEST_F(ProjectFileTest, FailedSaveLeavesThePreviousFilesIntact)
{
    FillProject(1);
    SaveProjectFile(m_data, m_tables, &m_cpt);
    const std::string project = ReadAll(m_data.FileName);
    const std::string cpt = ReadAll(m_dir / "p.cpt");
    m_data.Title = "changed";
    // The disk fills: the CPT side file (some 60 bytes) fits, the project file does not.
    std::string message;
    {
        const TFileSizeLimit full(200);
        EXPECT_FALSE(TrySaveProjectFile(m_data, m_tables, &m_cpt, message));
    }
    EXPECT_NE(message.find("previous files are unchanged"), std::string::npos) << message;
    EXPECT_NE(message.find("File too large"), std::string::npos) << message;
    EXPECT_EQ(ReadAll(m_data.FileName), project);
    EXPECT_EQ(ReadAll(m_dir / "p.cpt"), cpt);
    // No temporary file, marker or lock is left beside the project.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"p.cpt", "p.qr7d"}));
}

TEST_F(ProjectFileTest, WriterEdgeCases)
{
    FillProject(1);
    m_data.Circular = 1;
    m_data.PrintInterval = 0;
    m_data.Increment = 0;
    m_data.PrintExtraTz = 0;
    m_data.LoadSettlementMethod = MethodCode::kApi;
    m_data.MethodFlags[MethodCode::kUserSpecified] = 1; // user method for capacity keeps values
    m_cpt.SetLineCount(0);
    SaveProjectFile(m_data, m_tables, &m_cpt);
    const std::string text = ReadAll(m_data.FileName);
    EXPECT_NE(text.find("\r\n1 1 6 1 \r\n0 0 24 22.5 29000000 80 5\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n1.5 1 7 0.716 4 1 1\r\n"), std::string::npos) << text;
    EXPECT_NE(
        text.find("\r\n0.0 1 0.8 60 30 20 \r\n1700 90000 0.0 15 0.0 0.0 40 700 800 0.9 0.8 0 \r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("0.9 0.8 0 \r\n0\r\n1 0.8\r\n1 2\r\n3 2\r\n"), std::string::npos) << text;
    EXPECT_EQ(m_data.PrintInterval, 1);
    EXPECT_EQ(m_data.TipArea, 0);
    EXPECT_EQ(ReadAll(m_dir / "p.cpt"), " 1 0\r\n");

    m_data.MethodFlags[MethodCode::kUserSpecified] = 0;
    SaveProjectFile(m_data, m_tables, &m_cpt);
    EXPECT_NE(ReadAll(m_data.FileName).find("40 0 0 0.9 0.8 0 \r\n"), std::string::npos);
    EXPECT_EQ(Sub(0, SandColumn::kUserSkinFriction, 0), 0);
    EXPECT_EQ(Sub(1, ClayColumn::kUserEndBearing, 1), 0);
}

TEST(CptSideFile, TextAndBadInput)
{
    TCptSideData data;
    data.UnitSystem = 2;
    data.Points = {{12.5L, -0.03L}, {0, 0}};
    EXPECT_EQ(CptSideFileText(data), " 2 2\r\n  1.25E+01  -3.00E-02\r\n  0.00E+00  0.00E+00\r\n");
    const TTestFolder folder("projfile-cpt");
    const fs::path path = folder / "bad.cpt";
    WriteAll(path, " 1 5\r\n  1.00E+00  2.00E+00\r\n");
    EXPECT_THROW(ReadCptSideFile(path.string()), EInOutError);
    WriteAll(path, " 1 2000000000\r\n");
    EXPECT_THROW(ReadCptSideFile(path.string()), EInOutError);
}

TEST(ProjectFileNames, LayoutByExtension)
{
    EXPECT_EQ(LayoutForFileName("/a/b.QR6D"), ProjectLayout::Qr6d);
    EXPECT_EQ(LayoutForFileName("b.qrd"), ProjectLayout::Qrd);
    EXPECT_EQ(LayoutForFileName("b.qr7d"), ProjectLayout::Qr7d);
    EXPECT_EQ(ProposedSaveName("/a/b.qrd"), "/a/b.qr7d");
    EXPECT_EQ(CptSideFileName("/a/b.qr7d"), "/a/b.cpt");
}

} // namespace

namespace {

// The examples were laid out by hand, item by item, and the engine runs them: a project
// read from one and saved again gives the same bytes, CPT side file included.
// Ten changes to the other unit system and back, as Options > Units makes them, change no
// value either: every field, table cell and CPT point is written as it was read.
TEST_F(ProjectFileTest, ExamplesWrittenAgainAreTheSameBytes)
{
    for (const int trips : {0, 10}) {
        for (const char* system : {"english", "si"}) {
            SCOPED_TRACE(std::string(system) + ", unit round trips " + std::to_string(trips));
            const fs::path folder = fs::path(QUARN_SOURCE_DIR) / "examples" / system;
            OpenProjectFile((folder / "PipeSandClay.qr7d").string(), m_data, m_tables, &m_cpt);
            const int units = m_data.UnitSystem;
            for (int trip = 0; trip < trips; ++trip) {
                m_data.SetUnits(3 - units, &m_tables, &m_cpt);
                m_data.SetUnits(units, &m_tables, &m_cpt);
            }
            m_data.FileName = (m_dir / "again.qr7d").string();
            SaveProjectFile(m_data, m_tables, &m_cpt);
            for (const char* ext : {".qr7d", ".cpt"}) {
                std::istringstream expected(ReadAll(folder / (std::string("PipeSandClay") + ext)));
                std::istringstream written(ReadAll(m_dir / (std::string("again") + ext)));
                std::string want;
                std::string got;
                int line = 0;
                while (std::getline(expected, want)) {
                    ++line;
                    ASSERT_TRUE(std::getline(written, got)) << ext << " ends before line " << line;
                    ASSERT_EQ(got, want) << ext << " line " << line;
                }
                EXPECT_FALSE(std::getline(written, got))
                    << ext << " has more than " << line << " lines";
            }
        }
    }
}

} // namespace

namespace {

TEST_F(ProjectFileTest, DamagedCptSideFileRefusesTheOpenAndTitleBreaksStayOnOneLine)
{
    FillProject(2);
    m_data.Title = "two\r\nlines";
    SaveProjectFile(m_data, m_tables, &m_cpt);
    ResetProject(m_data, &m_tables, &m_cpt);
    OpenProjectFile((m_dir / "p.qr7d").string(), m_data, m_tables, &m_cpt);
    EXPECT_EQ(m_data.Title, "two  lines");
    EXPECT_EQ(m_data.Designer, "Designer");
    EXPECT_EQ(m_data.CptFileName, (m_dir / "p.cpt").string());

    WriteAll(m_dir / "p.cpt", " 2 1\r\n  1.00E+00  x\r\n");
    m_data.Title = "open project";
    try {
        OpenProjectFile((m_dir / "p.qr7d").string(), m_data, m_tables, &m_cpt);
        ADD_FAILURE() << "read a damaged CPT file";
    } catch (const EInOutError& e) {
        EXPECT_NE(e.Message().find("Error on Line 2 Item 2"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(m_data.Title, "open project");
    EXPECT_EQ(m_cpt.Line(0).PointCount(), 2);
}

// A side file holding what the engine refuses is refused on reading, naming the file, line and
// item, and the open project stays: a negative depth, a depth less than the one before it,
// more points than the computation takes. A depth given twice is a step and is read.
TEST_F(ProjectFileTest, CptSideFileTheRunWouldRefuseIsRefusedOnOpening)
{
    FillProject(1);
    SaveProjectFile(m_data, m_tables, &m_cpt);
    const std::string cpt = (m_dir / "p.cpt").string();
    struct Case
    {
        const char* name;
        std::string text;
        std::string error; // empty: opened
    };
    const Case cases[] = {
        {"negative depth",
         " 1 2\r\n  0.00E+00  1.00E+04\r\n  -5.00E-01  2.00E+04\r\n",
         "Error on Line 3 Item 1\rThe CPT depth -0.5 is negative: the depths must be 0 or more."},
        {"decreasing depth",
         " 1 3\r\n  5.00E+01  1.00E+04\r\n  5.00E+00  2.00E+04\r\n  2.00E+01  3.00E+04\r\n",
         "Error on Line 3 Item 1\rThe CPT depth 5 is less than the depth 50 of the point before "
         "it: the depths must not decrease."},
        {"more points than the computation takes",
         " 1 1001\r\n",
         "Error on Line 1 Item 2\rThe computation takes at most 1000 CPT points, not 1001."},
        {"a step",
         " 1 3\r\n  0.00E+00  1.00E+04\r\n  5.00E+00  2.00E+04\r\n  5.00E+00  3.00E+04\r\n",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(cpt, c.text);
        m_data.Title = "open project";
        try {
            OpenProjectFile((m_dir / "p.qr7d").string(), m_data, m_tables, &m_cpt);
            EXPECT_TRUE(c.error.empty());
            EXPECT_EQ(m_data.CptPointCount, 3);
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message(), "CPT file " + cpt + ":\r" + c.error);
            EXPECT_EQ(m_data.Title, "open project");
        }
    }
}

// A FIFO or a folder at the project's or the CPT side file's name is refused at once, naming
// it; nothing waits for a writer, and the open project stays.
TEST_F(ProjectFileTest, APathThatHoldsNoPlainFileIsRefusedWithoutWaiting)
{
    FillProject(1);
    SaveProjectFile(m_data, m_tables, &m_cpt);
    const std::string project = (m_dir / "p.qr7d").string();
    const std::string cpt = (m_dir / "p.cpt").string();
    const std::string fifoProject = (m_dir / "fifo.qr7d").string();
    const std::string folderProject = (m_dir / "folder.qr7d").string();
    fs::create_directory(folderProject);
    fs::remove(cpt);
    struct Case
    {
        std::string open;
        std::string message;
    };
    const auto refused = [](const std::string& path, const char* kind) {
        return "Cannot open file \"" + path + "\": it is " + std::string(kind)
               + ", not a plain file.";
    };
    {
        const TFifoAtPath fifo(cpt);
        ASSERT_TRUE(fifo.Made());
        const TFifoAtPath fifoAsProject(fifoProject);
        ASSERT_TRUE(fifoAsProject.Made());
        const Case cases[] = {
            {project, "CPT file " + cpt + ":\r" + refused(cpt, "a FIFO")},
            {fifoProject, refused(fifoProject, "a FIFO")},
            {folderProject, refused(folderProject, "a folder")},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.open);
            m_data.Title = "open project";
            try {
                OpenProjectFile(c.open, m_data, m_tables, &m_cpt);
                ADD_FAILURE() << "opened";
            } catch (const EInOutError& e) {
                EXPECT_EQ(e.Message(), c.message);
            }
            EXPECT_EQ(m_data.Title, "open project");
        }
        EXPECT_FALSE(fifo.Opened());
        EXPECT_FALSE(fifoAsProject.Opened());
    }
    fs::create_directory(cpt);
    try {
        OpenProjectFile(project, m_data, m_tables, &m_cpt);
        ADD_FAILURE() << "opened";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "CPT file " + cpt + ":\r" + refused(cpt, "a folder"));
    }
}

// English points in the side file of an SI project come in converted (ft to m).
TEST_F(ProjectFileTest, CptPointsOfTheOtherSystemAreConverted)
{
    FillProject(2);
    SaveProjectFile(m_data, m_tables, &m_cpt);
    WriteAll(m_dir / "p.cpt", " 1 1\r\n  1.00E+01  2.00E+00\r\n");
    OpenProjectFile((m_dir / "p.qr7d").string(), m_data, m_tables, &m_cpt);
    ASSERT_EQ(m_cpt.Line(0).PointCount(), 1);
    EXPECT_NEAR(m_cpt.Line(0).Points(0).Y, 3.048L, 1e-9L);
}

} // namespace
