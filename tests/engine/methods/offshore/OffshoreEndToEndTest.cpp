// The four CPT-based methods over whole runs: a sand pile on a CPT profile with clay at the
// tip, checked by hand at one row per method, the clay rule's report lines where they belong,
// and the same pile in English and SI units.
#include <cmath>

#include <gtest/gtest.h>

#include "OffshoreRunSupport.h"
#include "methods/offshore/OffshoreWiring.h"

namespace {

using namespace offshoretest;

constexpr double kHandTolerance = 1e-4;   // relative, against the hand computation
constexpr double kParityTolerance = 2e-4; // relative, English against SI

double Relative(double value, double expected)
{
    return std::abs(value - expected) / std::max(std::abs(expected), 1e-12);
}

// Closed-ended steel pile OD 762 mm (solid: without an inside diameter the end section is
// closed too), 20 m embedded, 1 m increments. Sand 0..18 m (gamma' 10
// kN/m3, phi 35, Ko 0.8), clay 18..20 m without a plasticity index, clay 20..24 m with PI 30
// (Su 100 kPa, Sur 50 kPa, YSR 2). CPT: qc 10 MPa at every depth; no qc in the soil table.
TProject SandPile()
{
    TProject p;
    p.units = 2;
    p.od = 762;
    p.id = 0;
    p.emod = 2.0e8;
    p.length = 20;
    p.flags = "0 0 0 0 0 1 1 1 1 ";
    p.lsMethod = 7;
    TLayer sand;
    sand.bottom = 18;
    sand.type = 1;
    sand.ko = 0.8;
    sand.gamma = 10;
    sand.phi = 35;
    sand.nq = 40;
    TLayer clayA;
    clayA.bottom = 20;
    clayA.type = 2;
    clayA.gamma = 8;
    clayA.su = 100;
    clayA.sur = 50;
    TLayer clayB = clayA;
    clayB.bottom = 24;
    p.layers = {sand, clayA, clayB};
    return p;
}

const std::vector<TConeColumns> kSandPileCone = {{20, 0, 0}, {2, -1, 0}, {2, 30, 0}};
const std::vector<std::pair<double, double>> kUniformCpt = {{0.0, 10000.0}, {30.0, 10000.0}};

int Find(const std::vector<std::string>& lines, const std::string& part, int from = 0)
{
    for (int i = from; i < static_cast<int>(lines.size()); ++i) {
        if (lines[static_cast<std::size_t>(i)].find(part) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

// Hand computation at penetration 10 m (grid row 11). The unit skin friction there is the
// bottom value of segment 10 (9..10 m): sigma'v = 10 x 10 = 100 kPa = pa, top depth 9 m,
// distance to the tip h = 11,000 mm, R* = 381 mm, h/R* = 28.8714, tan(35 - 5) = 0.577350.
//  NGI:   Dr = 0.4 ln(10000 / (22 sqrt(100 x 100))) = 0.605651;
//         f = (9/20) x 100 x 2.1 x 0.505651^1.7 x 1 x 1.6 x 1.3 x 1.0 = 61.6654 kPa.
//  ICP:   src = 0.029 x 10000 x 1 x 28.8714^-0.38 = 80.8017; eta = 100,
//         G = 10000 / (0.0203 + 0.125 - 0.01216) = 75108.9; dsrd = 2 G 0.02 / 381 = 7.88545;
//         f = 88.6871 x 0.577350 = 51.2035 kPa.
//  Fugro: f = 0.08 x 10000 x 1 x 28.8714^-0.9 = 38.7855 kPa.
//  UWA:   y = 11000 / 762 = 14.4357, src = 0.03 x 10000 / sqrt(y) = 78.9591;
//         qc1N = 100, G = 185 x 10000 x 100^-0.75 = 58502.1, dsrd = 4 G 0.02 / 762 = 6.14196;
//         f = 85.1011 x 0.577350 = 49.1331 kPa.
// End bearing of the closed pile at 10 m: the window 10 +- 1.5 x 0.762 m lies in uniform sand,
// so the averaged tip is A q with A = 0.762^2 x 0.7853975 = 0.456036 m2:
//  ICP:   q = (1 - 0.5 log10(762 / 36)) qc = 3371.74 kPa -> 1537.63 kN.
//  Fugro: q = 8.5 x 100 x sqrt(10000 / 100) x 1 = 8500 kPa -> 3876.31 kN.
//  UWA:   q = (0.15 + 0.45) qc = 6000 kPa -> 2736.22 kN.
TEST(OffshoreEndToEnd, SandPileAgreesWithTheHandComputation)
{
    const TStateRun run =
        RunConeProject(ConeProjectLines(SandPile(), kSandPileCone), CptFile(2, kUniformCpt));
    ASSERT_EQ(run.status, 0) << run.report;
    const TRunState& s = *run.state;
    const int row = RowAt(s, 10.0);
    struct TRowCase
    {
        int code;
        double unitSkin;
        double tip; // 0: not checked
    };
    const TRowCase cases[] = {
        {kNgi, 61.6654, 0.0},
        {kIcp, 51.2035, 1537.63},
        {kFugro, 38.7855, 3876.31},
        {kUwa, 49.1331, 2736.22},
    };
    for (const TRowCase& c : cases) {
        const TMethodResult& r = s.RESULTS[c.code];
        ASSERT_TRUE(r.COMPUTED) << "method " << c.code;
        EXPECT_NEAR(r.PENETRATION[row], 10.0, 1e-9);
        EXPECT_LT(Relative(r.UNITSKIN[row], c.unitSkin), kHandTolerance)
            << "method " << c.code << ": " << r.UNITSKIN[row];
        if (c.tip > 0.0) {
            EXPECT_LT(Relative(r.TIP[row], c.tip), kHandTolerance)
                << "method " << c.code << ": " << r.TIP[row];
        }
        EXPECT_NEAR(r.TOTAL[row], r.SKIN[row] + r.TIP[row], 1e-6 * r.TOTAL[row]);
        // Side resistance grows down the pile in sand.
        EXPECT_GT(r.SKIN[row], r.SKIN[row - 1]);
    }
}

// The clay segments from 18 m down lie within 8 R* = 3.048 m of the tip, or below it: six
// segments per method. The first two (18..20 m) have no plasticity index. ICP/MTD, Fugro and
// UWA each write ERROR and WARNING for each of those two, then WARNING for the other four,
// before their own tables, each message one line with one leading blank and no empty line
// between them; NGI writes none.
TEST(OffshoreEndToEnd, ClayNearTheTipIsReportedByTheClayRule)
{
    const TStateRun run =
        RunConeProject(ConeProjectLines(SandPile(), kSandPileCone), CptFile(2, kUniformCpt));
    ASSERT_EQ(run.status, 0) << run.report;
    const std::vector<std::string> lines = SplitLines(run.report);
    const std::string error = std::string(" ") + kNoPlasticIndexMessage;
    const std::string warning = std::string(" ") + kShortTipDistanceMessage;
    const std::vector<std::string> expected =
        {error, warning, error, warning, warning, warning, warning, warning};

    const int ngi = Find(lines, "(NGI) METHOD");
    const int icp = Find(lines, "(MTD) METHOD");
    const int fugro = Find(lines, "(FUGRO) METHOD");
    const int uwa = Find(lines, "(UWA) METHOD");
    ASSERT_TRUE(ngi > 0 && icp > ngi && fugro > icp && uwa > fugro) << run.report;
    EXPECT_GT(Find(lines, "h/R SHOULD"), ngi) << "no message before the NGI table";

    const int bounds[][2] = {{ngi, icp}, {icp, fugro}, {fugro, uwa}};
    for (const auto& b : bounds) {
        std::vector<std::string> messages;
        for (int i = b[0]; i < b[1]; ++i) {
            const std::string& line = lines[static_cast<std::size_t>(i)];
            if (line == error || line == warning) {
                EXPECT_NE(lines[static_cast<std::size_t>(i - 1)], "") << "line " << i + 1;
                messages.push_back(line);
            }
        }
        EXPECT_EQ(messages, expected) << "between report lines " << b[0] + 1 << " and " << b[1] + 1;
    }
    for (std::size_t i = static_cast<std::size_t>(uwa); i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find("h/R SHOULD"), std::string::npos) << "line " << i + 1;
    }
}

// The same open-ended pile in both unit systems: OD 30 in = 762 mm, end-section inside
// diameter 28 in = 711.2 mm, 60 ft = 18.288 m embedded in 1 ft = 0.3048 m increments; sand
// gamma' 62 pcf = 9.7394227 kN/m3 with a CPT profile rising from 4,000 to 180,000 psf (191.521
// to 8,618.45 kPa), then clay (Su 1,000 psf = 47.880259 kPa) at the tip. Forces compare at
// 4.448222 kN per kip.
TEST(OffshoreEndToEnd, EnglishAndSiAgree)
{
    constexpr double kFt = 0.3048;
    constexpr double kPcf = 0.15708746;
    constexpr double kKsfToKpa = 47.880259;
    constexpr double kKip = 4.448222;
    auto pile = [&](int units) {
        const bool si = units == 2;
        const double len = si ? kFt : 1.0;
        TProject p;
        p.units = units;
        p.od = si ? 762 : 30;
        p.id = si ? 711.2 : 28;
        p.eid = si ? 711.2 : 28;
        p.esl = 0;
        p.closedEnd = 0;
        p.emod = si ? 2.0e8 : 29.0e6;
        p.length = 60 * len;
        p.increment = len;
        p.flags = "0 0 0 0 0 1 1 1 1 ";
        p.lsMethod = 6;
        TLayer sand;
        sand.bottom = 55 * len;
        sand.type = 1;
        sand.ko = 0.8;
        sand.gamma = si ? 62 * kPcf : 62;
        sand.phi = 33;
        sand.nq = 40;
        TLayer clay;
        clay.bottom = 80 * len;
        clay.type = 2;
        clay.gamma = si ? 55 * kPcf : 55;
        clay.su = si ? kKsfToKpa : 1000;
        clay.sur = si ? 0.5 * kKsfToKpa : 500;
        p.layers = {sand, clay};
        return p;
    };
    const std::vector<TConeColumns> cone = {{25, 0, 0}, {1.5, 25, 0}};
    auto cpt = [&](int units) {
        const bool si = units == 2;
        const double q = si ? kKsfToKpa / 1000.0 : 1.0;
        const double len = si ? kFt : 1.0;
        return CptFile(units, {{0.0, 4000 * q}, {50 * len, 180000 * q}, {90 * len, 40000 * q}});
    };
    const TStateRun english = RunConeProject(ConeProjectLines(pile(1), cone), cpt(1));
    const TStateRun si = RunConeProject(ConeProjectLines(pile(2), cone), cpt(2));
    ASSERT_EQ(english.status, 0) << english.report;
    ASSERT_EQ(si.status, 0) << si.report;
    ASSERT_EQ(english.state->PILEDATA.NGRID, si.state->PILEDATA.NGRID);
    for (int code : {kNgi, kIcp, kFugro, kUwa}) {
        const TMethodResult& e = english.state->RESULTS[code];
        const TMethodResult& m = si.state->RESULTS[code];
        ASSERT_TRUE(e.COMPUTED && m.COMPUTED) << "method " << code;
        for (int j = 2; j <= english.state->PILEDATA.NGRID; ++j) {
            EXPECT_LT(Relative(e.SKIN[j] * kKip, m.SKIN[j]), kParityTolerance)
                << "method " << code << " row " << j;
            EXPECT_LT(Relative(e.TIP[j] * kKip, m.TIP[j]), kParityTolerance)
                << "method " << code << " row " << j;
            EXPECT_LT(Relative(e.UNITSKIN[j] * kKsfToKpa, m.UNITSKIN[j]), kParityTolerance)
                << "method " << code << " row " << j;
            EXPECT_EQ(e.MARK[j], m.MARK[j]) << "method " << code << " row " << j;
        }
    }
}

} // namespace
