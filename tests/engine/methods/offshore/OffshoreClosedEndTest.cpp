// A closed-ended pipe pile under the four CPT-based methods: entered with its wall (ID 23 in
// under a closed end) it is the same pile as entered solid (ID 0), at every printed row of NGI,
// ICP/MTD, Fugro and UWA, in SI and English units, and both agree with the hand computation of
// the closed pile.
#include <cmath>

#include <gtest/gtest.h>

#include "OffshoreRunSupport.h"

namespace {

using namespace offshoretest;

constexpr double kHandTolerance = 1e-4; // relative, against the hand computation
constexpr double kKip = 4.448222;       // kN per kip
constexpr double kFt = 0.3048;          // m per ft
constexpr double kPcf = 0.15708746;     // kN/m3 per pcf
constexpr double kKsf = 47.880259;      // kPa per ksf

// Steel pipe OD 24 in = 609.6 mm, closed end, 20 ft = 6.096 m embedded in 5 ft = 1.524 m
// increments (grid rows at 0, 1.524, 3.048, 4.572, 6.096 m, all printed). Sand down to the
// tip (gamma' 60 pcf = 9.4252476 kN/m3, phi 35, Ko 0.8), clay below it to 12.192 m (Su
// 100 kPa, Sur 50, YSR 2, PI 20); CPT qc 200,000 psf = 9576.0518 kPa at every depth.
TProject ClosedPipe(int units, double insideDiameter)
{
    const bool si = units == 2;
    const double len = si ? kFt : 1.0;
    TProject p;
    p.units = units;
    p.closedEnd = 1;
    p.od = si ? 609.6 : 24;
    p.id = insideDiameter * (si ? 25.4 : 1.0);
    p.emod = si ? 2.0e8 : 29.0e6;
    p.length = 20 * len;
    p.increment = 5 * len;
    p.flags = "0 0 0 0 0 1 1 1 1 ";
    p.lsMethod = 7;
    TLayer sand;
    sand.bottom = 20 * len;
    sand.type = 1;
    sand.ko = 0.8;
    sand.gamma = si ? 60 * kPcf : 60;
    sand.phi = 35;
    sand.nq = 40;
    TLayer clay;
    clay.bottom = 40 * len;
    clay.type = 2;
    clay.gamma = sand.gamma;
    clay.su = si ? 100 : 100 / kKsf * 1000;
    clay.sur = clay.su / 2;
    p.layers = {sand, clay};
    return p;
}

const std::vector<TConeColumns> kClosedPipeCone = {{0, 0, 0}, {2, 20, 0}};

std::string UniformCpt(int units)
{
    const double len = units == 2 ? kFt : 1.0;
    const double qc = units == 2 ? 200 * kKsf : 200000;
    return CptFile(units, {{0.0, qc}, {60 * len, qc}});
}

struct TRowValues
{
    double skin; // kN
    double tip;  // kN
};

struct TMethodRows
{
    int code;
    TRowValues rows[5];
};

// Hand computation in SI. sigma'v at the bottom of segment k is k x 1.524 x 9.4252476 =
// 14.364077 k kPa; the closed end gives R* = OD / 2 = 304.8 mm, Ar = 1; perimeter
// p = 3.14159 x 0.6096 = 1.915113 m; plugged area A = 0.6096^2 x 0.7853975 = 0.291863 m2.
// The unit friction at row j > 1 is the bottom value of segment j - 1 (h from its top depth
// 1.524 (j - 2) m to the tip), at row 1 the top value of segment 1; side resistance adds
// (f(j-1) + f(j)) / 2 x p x 1.524 per row. The tip is the plugged tip A q averaged over
// z +- 1.5 OD = z +- 0.9144 m (half the window above the ground at row 1; at row 5 the lower
// half lies in the clay).
//  NGI: f = (z_top / L) pa 2.1 (Dr - 0.1)^1.7 (s/pa)^0.25 x 1.6 (closed) x 1.3 x 1.0 with
//       Dr = 0.4 ln(qc / (22 sqrt(s pa))): rows 2..5: z_top/L = 0, 0.25, 0.5, 0.75, Dr =
//       0.976411, 0.837782, 0.756689, 0.699152 -> f = 0, 47.6735, 86.5692, 119.3965 kPa;
//       Qs = 0, 0, 69.5707, 265.4733, 566.0425 kN. Tip q = 0.8 qc / (1 + Dr^2) at each segment
//       end (Dr unfloored; 273.87 at the surface, where sigma'v is floored at 1e-10 pa; 3921.84,
//       4501.40, 4871.52, 5145.60 at the segment bottoms), 9 Su = 900 kPa in the clay; window
//       integrals give 306.1436, 920.7526, 1298.5119, 1414.8102, 862.2457 kN.
//  ICP: src = 0.029 qc (s/pa)^0.13 max(h/R*, 8)^-0.38 (h/R* = 20, 15, 10, 5 -> 8),
//       eta = qc / sqrt(s pa) = 252.6665, 178.6622, 145.8771, 126.3332,
//       G = qc / (0.0203 + 0.00125 eta - 1.216e-6 eta^2), dsrd = 2 G 0.02 / 304.8 =
//       4.86145, 6.13585, 7.10925, 7.91327 kPa; f = (src + dsrd) tan 30: 2.806756 (row 1, src
//       0), 42.716448, 52.260480, 64.014003, 72.264786 kPa; Qs = 0, 66.4328, 205.0341,
//       374.7154, 573.5892 kN. Tip q = (1 - 0.5 log10(609.6 / 36)) qc = 3692.801 kPa in sand,
//       0.8 qc = 7660.841 kPa in clay (closed, undrained): A q / 2 = 538.8965, A q = 1077.7930,
//       row 5 (A 3692.801 + A 7660.841) / 2 = 1656.8556 kN.
//  Fugro: f = 0.08 qc (s/pa)^0.05 (h/R*)^-0.9, h/R* = 20, 15, 10, 5: 0 (row 1), 46.904376,
//       62.908558, 92.469056, 175.053322 kPa; Qs = 0, 68.4483, 228.7001, 455.4452, 845.8450 kN.
//       Tip q = 8.5 pa sqrt(qc / pa) Ar^0.25 = 8317.871 kPa, clay 7660.841: 1213.8404,
//       2427.6809 (rows 2 to 4), 2331.7995 kN.
//  UWA: src = 0.03 qc Ar^0.3 max(h/D, 2)^-0.5 with h/D = 10, 7.5, 5, 2.5; qc1N = (qc/pa) /
//       sqrt(s/pa), G = 185 qc qc1N^-0.75, dsrd = 4 G 0.02 / 609.6; f = (src + dsrd) tan 30:
//       52.460571 (row 1, s/pa floored at 1e-7), 54.568201, 63.310986, 77.373553, 108.462431
//       kPa; Qs = 0, 156.1888, 328.2119, 533.5151, 804.7086 kN. Tip q = max(0.15 + 0.45 Ar,
//       0.3) qc = 0.6 qc = 5745.631 kPa, clay 7660.841: 838.4693, 1676.9386, 1956.4284 kN.
const TMethodRows kHand[] = {
    {kNgi,
     {{0.0, 306.1436},
      {0.0, 920.7526},
      {69.5707, 1298.5119},
      {265.4733, 1414.8102},
      {566.0425, 862.2457}}},
    {kIcp,
     {{0.0, 538.8965},
      {66.4328, 1077.7930},
      {205.0341, 1077.7930},
      {374.7154, 1077.7930},
      {573.5892, 1656.8556}}},
    {kFugro,
     {{0.0, 1213.8404},
      {68.4483, 2427.6809},
      {228.7001, 2427.6809},
      {455.4452, 2427.6809},
      {845.8450, 2331.7995}}},
    {kUwa,
     {{0.0, 838.4693},
      {156.1888, 1676.9386},
      {328.2119, 1676.9386},
      {533.5151, 1676.9386},
      {804.7086, 1956.4284}}},
};

void ExpectNear(double value, double expected, const std::string& what)
{
    const double scale = std::max(std::abs(expected), 1.0);
    EXPECT_LT(std::abs(value - expected) / scale, kHandTolerance) << what << ": " << value;
}

TEST(OffshoreClosedEnd, WallUnderAClosedEndIsTheSolidPileByHand)
{
    struct TCase
    {
        const char* name;
        int units;
        double insideDiameter; // in
    };
    const TCase cases[] = {
        {"SI with wall", 2, 23.0},
        {"SI solid", 2, 0.0},
        {"English with wall", 1, 23.0},
        {"English solid", 1, 0.0},
    };
    for (const TCase& c : cases) {
        const TStateRun run =
            RunConeProject(ConeProjectLines(ClosedPipe(c.units, c.insideDiameter), kClosedPipeCone),
                           UniformCpt(c.units));
        ASSERT_EQ(run.status, 0) << c.name << "\n" << run.report;
        const TRunState& s = *run.state;
        ASSERT_EQ(s.PILEDATA.NROWS, 5) << c.name;
        const double force = c.units == 2 ? 1.0 : kKip;
        for (const TMethodRows& m : kHand) {
            const TMethodResult& r = s.RESULTS[m.code];
            ASSERT_TRUE(r.COMPUTED) << c.name << ", method " << m.code;
            for (int j = 1; j <= 5; ++j) {
                const std::string what = std::string(c.name) + ", method " + std::to_string(m.code)
                                         + ", row " + std::to_string(j);
                const TRowValues& want = m.rows[j - 1];
                ExpectNear(r.SKIN[j] * force, want.skin, what + " skin");
                ExpectNear(r.TIP[j] * force, want.tip, what + " tip");
                ExpectNear(r.TOTAL[j] * force, want.skin + want.tip, what + " total");
                EXPECT_EQ(r.MARK[j], kTipPlugged) << what;
            }
        }
    }
}

} // namespace
