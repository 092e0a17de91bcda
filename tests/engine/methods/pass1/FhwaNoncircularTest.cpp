// The FHWA method on noncircular piles over whole runs: an H-pile displaces its steel (the
// cross-section area the project gives for its axial stiffness), while its toe bears on the
// box area given as its tip area; a solid square pile displaces its own area, not the circle
// of its perimeter. Hand values from the digitised Nordlund charts.
#include <cmath>

#include <gtest/gtest.h>

#include "OffshoreRunSupport.h"

namespace {

using namespace offshoretest;

constexpr double kHand = 1e-6; // relative, hand values quoted to 7 or more digits

// 40 ft embedded in uniform sand (phi 30, gamma' 120 pcf, no limits) down to 50 ft, 1 ft
// increments; sigma'v = 0.12 z ksf.
TProject SandProject(int pileType)
{
    TProject p;
    p.pileType = pileType;
    p.closedEnd = 0;
    p.id = 0;
    p.length = 40;
    p.flags = "1 0 0 0 0 0 0 0 0 ";
    p.lsMethod = 1;
    TLayer sand;
    sand.bottom = 50;
    sand.type = 1;
    sand.ko = 1.0;
    sand.gamma = 120;
    sand.phi = 30;
    sand.nq = 20;
    p.layers = {sand};
    return p;
}

// The project lines with a noncircular section (perimeter in, tip area in2).
std::vector<std::string> Noncircular(const TProject& project, double perimeter, double tipArea)
{
    std::vector<std::string> lines = project.Lines();
    std::ostringstream section;
    section.imbue(std::locale::classic());
    section << perimeter << ' ' << tipArea << " 0 0 29000000 " << project.length << " 0";
    lines[kLineSection] = section.str();
    return lines;
}

struct TCase
{
    const char* name;
    int pileType;
    double perimeter; // in
    double tipArea;   // in2
    int areaMode;
    double constantArea;                             // in2
    std::vector<std::pair<double, double>> areaRows; // distance from the head (ft), in2
    double term;   // K-delta x CF x sin(delta): f = term x sigma'v
    double toe;    // kips at 40 ft
    double skin40; // kips at 40 ft
};

// Nordlund in sand, no taper: f = K-delta x CF x sin(delta) x sigma'v, delta = (delta/phi) phi.
// HP 12x74 with box perimeter 48.70 in, box tip area 148.23 in2 and steel area 21.8 in2:
//  steel V = 21.8 / 144 = 0.15138889 ft3/ft: delta/phi on the H-pile curve between 0.1 (0.747)
//    and 0.2 (0.827): 0.747 + 0.51388889 x 0.08 = 0.78811111, delta = 23.643333 deg;
//    K-delta 30 at taper 0 between the curves for V 0.1 (0.85) and 1 (1.15):
//    1.15 + (1 - 0.15138889) x (0.85 - 1.15) / 0.9 = 0.86712963;
//    CF at ratio 0.78811111, phi 30, between the curves 0.6 (0.82) and 0.8 (0.94):
//    0.82 + 0.18811111 x 0.12 / 0.2 = 0.93286667;
//    term = 0.86712963 x 0.93286667 x sin(23.643333 deg) = 0.32440929.
//  box V = 148.23 / 144 = 1.029375: delta/phi 0.98 (flat from V 0.6), delta 29.4 deg;
//    K-delta 1.45 + (10 - 1.029375) x (1.15 - 1.45) / 9 = 1.15097917; CF 0.94 + 0.18 x 0.06 /
//    0.2 = 0.994; term = 1.15097917 x 0.994 x sin(29.4 deg) = 0.56162969.
//  Perimeter 3.14159 x (48.70 / 3.1416) / 12 = 4.0583204 ft; side resistance at 40 ft
//    term x 0.12 x 4.0583204 x 40^2 / 2 (the trapezoids are exact for a linear friction):
//    steel 126.389457, box 218.810231 kips.
//  Toe: D = 48.70 / 3.1416 / 12 = 1.2918046 ft, L/D = 30.964435, alpha-t 0.49 + (45 - 30.964435)
//    x 0.03 / 15 = 0.51807113, N = 30 x 0.51807113 = 15.542134, q = 0.12 z x N reaches the
//    limit 6.66 tsf x 2 = 13.32 ksf below 7.14 ft; the window 40 +- 1.5 D lies below it, so the
//    toe is the box area 148.23 / 144 x 13.32 = 13.711275 kips.
// Solid square concrete pile 12 x 12 in (perimeter 48 in, tip area 144 in2): V = 1 ft3/ft;
//    delta/phi 0.767 (concrete curve at 1), delta 23.01 deg; K-delta 1.15 (the V = 1 curve);
//    CF 0.82 + 0.167 x 0.6 = 0.9202; term = 1.15 x 0.9202 x sin(23.01 deg) = 0.41365327;
//    perimeter 3.14159 x 48 / 3.1416 / 12 = 3.9999873 ft, side 158.842350 kips; toe 1 ft2 x
//    13.32 = 13.32 kips.
// clang-format off
const TCase kCases[] = {
    {"H-pile, constant steel area", 6, 48.70, 148.23, 1, 21.8, {},
     0.32440929, 13.711275, 126.389457},
    {"H-pile, steel area table", 6, 48.70, 148.23, 2, 0.0, {{0.0, 21.8}, {50.0, 21.8}},
     0.32440929, 13.711275, 126.389457},
    {"H-pile, area from the section", 6, 48.70, 148.23, 0, 21.8, {},
     0.56162969, 13.711275, 218.810231},
    {"square concrete", 3, 48.0, 144.0, 0, 0.0, {},
     0.41365327, 13.32, 158.842350},
};
// clang-format on

TEST(FhwaNoncircular, DisplacedVolumeAndToeByHand)
{
    for (const TCase& c : kCases) {
        TProject project = SandProject(c.pileType);
        project.areaMode = c.areaMode;
        project.constantArea = c.constantArea;
        project.areaRows = c.areaRows;
        const TStateRun run =
            RunConeProject(Noncircular(project, c.perimeter, c.tipArea), "1 0\r\n");
        ASSERT_EQ(run.status, 0) << c.name << "\n" << run.report;
        const TRunState& s = *run.state;
        const TMethodResult& r = s.RESULTS[kFhwa];
        for (double z : {10.0, 20.0, 40.0}) {
            const int row = RowAt(s, z);
            const double f = c.term * 0.12 * z;
            EXPECT_NEAR(r.UNITSKIN[row], f, kHand * f) << c.name << " at " << z << " ft";
        }
        const int tip = RowAt(s, 40.0);
        EXPECT_NEAR(r.SKIN[tip], c.skin40, kHand * c.skin40) << c.name;
        EXPECT_NEAR(r.TIP[tip], c.toe, kHand * c.toe) << c.name;
    }
}

} // namespace
