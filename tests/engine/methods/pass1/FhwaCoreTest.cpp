#include "methods/pass1/FhwaCore.h"

#include <array>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kChart = 1e-9;  // chart reads at and between digitised points
constexpr double kHand = 1e-6;   // hand-worked values quoted to 7 or more digits
constexpr double kParity = 5e-4; // English against SI after conversion (relative)
constexpr double kKsfToKpa = 47.88;
constexpr double kFtToM = 0.3048;

const Pass1Units& English()
{
    return Pass1UnitsFor(1);
}
const Pass1Units& Si()
{
    return Pass1UnitsFor(2);
}

FhwaPile OpenPipe24()
{
    // 24 in x 0.5 in open steel pipe, no enhanced end section (the end section is the whole
    // pile with the pile's own inside diameter).
    FhwaPile p;
    p.od = 24.0;
    p.id = 23.0;
    p.endSectionLength = 50.0 - 0.0000001;
    p.endSectionId = 23.0;
    p.pileLength = 50.0;
    p.pileType = 1;
    return p;
}

TEST(Pass1FhwaVolume, DisplacedVolumeByPlugAndSection)
{
    FhwaPile pipe = OpenPipe24();
    // Unplugged: the wall, 3.14159 x 0.25 x (24^2 - 23^2) / 144 = 36.9136825 / 144 = 0.2563450.
    EXPECT_NEAR(FhwaDisplacedVolume(pipe, 10.0, 2, English()), 0.2563450174, kHand);
    // Plugged: the whole section, 3.14159 x 0.25 x 576 / 144 = 3.14159.
    EXPECT_NEAR(FhwaDisplacedVolume(pipe, 10.0, 1, English()), 3.14159, kHand);

    // Closed end (end-section inside diameter 0): 3.1416 x 0.25 x 576 / 144 = 3.1416.
    FhwaPile closed = pipe;
    closed.id = 0.0;
    closed.endSectionId = 0.0;
    EXPECT_NEAR(FhwaDisplacedVolume(closed, 10.0, 1, English()), 3.1416, kHand);

    // Tapered timber, 14 in at the head, taper 0.5 degrees, stick-up 2 ft, segment bottom 10 ft:
    // tan(0.5 x 0.01745) = 0.0087252214; D = 14/12 - 2 x 0.0087252214 x 12 = 0.9572613529 ft;
    // V = 3.14159 x 0.25 x D^2 = 0.7196984476.
    FhwaPile timber;
    timber.od = 14.0;
    timber.endSectionLength = 40.0;
    timber.taperAngle = 0.5;
    timber.stickup = 2.0;
    timber.pileLength = 40.0;
    timber.pileType = 2;
    EXPECT_NEAR(FhwaDisplacedVolume(timber, 10.0, 1, English()), 0.7196984476, kHand);

    // H-pile: the steel area given as the tip area, whatever the plug flag.
    FhwaPile h;
    h.od = 40.0;
    h.tipArea = 0.1;
    h.endSectionLength = 40.0;
    h.pileType = 6;
    EXPECT_NEAR(FhwaDisplacedVolume(h, 10.0, 1, English()), 0.1, kChart);

    // SI: the same pipe in mm gives m3/m / 0.0929 = 0.2563534 ft3/ft, within 0.01 %.
    FhwaPile si = pipe;
    si.od = 609.6;
    si.id = 584.2;
    si.endSectionId = 584.2;
    si.endSectionLength = 50.0 * kFtToM;
    si.pileLength = 50.0 * kFtToM;
    EXPECT_NEAR(FhwaDisplacedVolume(si, 3.0, 2, Si()), 0.2563534058, kHand);
}

TEST(Pass1FhwaKDelta, BlendsTheChartsByFrictionAngle)
{
    // At taper 0 and volume 1 (the middle curve): K-delta 25: 0.85, 30: 1.15, 35: 1.75, 40: 3.
    struct Case
    {
        double phi;
        double expected;
    };
    for (const Case& c : {Case{20.0, 0.85},
                          Case{25.0, 0.85},
                          Case{27.5, 0.85 + 2.5 * (1.15 - 0.85) / 5.0},
                          Case{32.5, 1.45}, // halfway between the 30 and 35 degree charts
                          Case{37.0, 1.75 + 2.0 * (3.0 - 1.75) / 5.0},
                          Case{45.0, 3.0}}) {
        EXPECT_NEAR(FhwaKDelta(c.phi, 0.0, 1.0), c.expected, kChart) << "phi " << c.phi;
    }
}

TEST(Pass1FhwaSand, NordlundUnitFrictionFromTheChartReads)
{
    // H-pile with the steel area 1 ft2 (V = 1), phi 30, no taper, stress 1.0 / 1.2 ksf:
    // delta/phi = 0.98 (type 6 from V 0.6 on); delta = 29.4;
    // CF at ratio 0.98, phi 30: 0.94 + (0.98 - 0.8) x (1 - 0.94) / 0.2 = 0.994;
    // K-delta 30 at (0, 1) = 1.15;
    // f = 1.15 x 0.994 x sin(29.4 deg) x sigma = 0.5611518980 sigma.
    FhwaPile h;
    h.od = 40.0;
    h.tipArea = 1.0;
    h.endSectionLength = 40.0;
    h.pileLength = 40.0;
    h.pileType = 6;
    FhwaSandInput in;
    in.sigvTop = 1.0;
    in.sigvBottom = 1.2;
    in.phi = 30.0;
    in.segmentBottom = 10.0;
    in.plugFlag = 1;
    const FhwaSandResult r = FhwaSandFriction(in, h, English());
    EXPECT_NEAR(r.volume, 1.0, kChart);
    EXPECT_NEAR(r.deltaRatio, 0.98, kChart);
    EXPECT_NEAR(r.delta, 29.4, kChart);
    EXPECT_NEAR(r.correctionFactor, 0.994, kChart);
    EXPECT_NEAR(r.kDelta, 1.15, kChart);
    EXPECT_NEAR(r.top, 0.5611518980, kHand);
    EXPECT_NEAR(r.bottom, 0.6733822776, kHand);

    // The same in SI: 0.09290304 m2, 47.88 / 57.456 kPa.
    FhwaPile hs = h;
    hs.od = 1016.0;
    hs.tipArea = 0.09290304;
    hs.endSectionLength = 40.0 * kFtToM;
    hs.pileLength = 40.0 * kFtToM;
    in.sigvTop = 1.0 * kKsfToKpa;
    in.sigvBottom = 1.2 * kKsfToKpa;
    in.segmentBottom = 10.0 * kFtToM;
    const FhwaSandResult s = FhwaSandFriction(in, hs, Si());
    EXPECT_NEAR(s.top / kKsfToKpa / r.top, 1.0, kParity);
    EXPECT_NEAR(s.bottom / kKsfToKpa / r.bottom, 1.0, kParity);
}

TEST(Pass1FhwaSand, TaperEntersTheAngleAndTheCharts)
{
    // Tapered H-pile (taper 0.2 degrees, steel area 0.1 ft2, V = 0.1), phi 32, stress 2 ksf:
    // delta/phi = 0.747 (type 6 at V 0.1); delta = 23.904;
    // CF at ratio 0.747, phi 32: curves 0.6 (0.795) and 0.8 (0.93):
    //   0.795 + 0.147 x 0.135 / 0.2 = 0.894225;
    // K-delta at taper 0.2 on the V 0.1 curve: 30 deg 1.26, 35 deg 2: 1.26 + 2 x 0.74 / 5 = 1.556;
    // f = 1.556 x 0.894225 x sin(24.104 deg) / cos(0.2 deg) x 2 = 1.1364974028.
    FhwaPile h;
    h.od = 40.0;
    h.tipArea = 0.1;
    h.endSectionLength = 40.0;
    h.pileLength = 40.0;
    h.taperAngle = 0.2;
    h.pileType = 6;
    FhwaSandInput in;
    in.sigvTop = 2.0;
    in.sigvBottom = 2.0;
    in.phi = 32.0;
    in.segmentBottom = 10.0;
    in.plugFlag = 1;
    const FhwaSandResult r = FhwaSandFriction(in, h, English());
    EXPECT_NEAR(r.correctionFactor, 0.894225, kChart);
    EXPECT_NEAR(r.kDelta, 1.556, kChart);
    EXPECT_NEAR(r.top, 1.1364974028, kHand);
}

TEST(Pass1FhwaClay, EmbedmentRatioCountsEachClayLayerOnce)
{
    // Sand 0-10, clay 10-30, sand 30-40, clay 40-60; pile 50 ft embedded, 12 in.
    const std::array<FhwaSoilLayer, 4> layers{FhwaSoilLayer{0, 10, false},
                                              FhwaSoilLayer{10, 30, true},
                                              FhwaSoilLayer{30, 40, false},
                                              FhwaSoilLayer{40, 60, true}};
    FhwaPile pile;
    pile.od = 12.0;
    pile.pileLength = 50.0;
    // In the upper clay: 20 ft of clay over 1 ft, at every segment of the layer, its last
    // included, whatever the increment (0.5 ft or 1 ft segments end at 29.5 and 30).
    for (double bottom : {11.0, 15.0, 29.5, 30.0}) {
        EXPECT_NEAR(FhwaEmbedmentRatio(layers, bottom, pile, English()), 20.0, kChart)
            << "segment bottom " << bottom;
    }
    // In the lower clay: the upper clay (20) plus the embedded part of its own layer (50 - 40).
    EXPECT_NEAR(FhwaEmbedmentRatio(layers, 45.0, pile, English()), 30.0, kChart);
    EXPECT_NEAR(FhwaEmbedmentRatio(layers, 60.0, pile, English()), 30.0, kChart);

    // SI: the same profile in metres and millimetres gives the same ratios.
    std::array<FhwaSoilLayer, 4> si = layers;
    for (FhwaSoilLayer& l : si) {
        l.top *= kFtToM;
        l.bottom *= kFtToM;
    }
    FhwaPile pileSi = pile;
    pileSi.od = 304.8;
    pileSi.pileLength = 50.0 * kFtToM;
    EXPECT_NEAR(FhwaEmbedmentRatio(si, 45.0 * kFtToM, pileSi, Si()), 30.0, kHand);

    // Tapered (0.5 degrees, stick-up 2 ft): the mean diameter of the layer 10-30 is
    // 0.5 x ((1 - 2 x 0.0087252214 x 32) + (1 - 2 x 0.0087252214 x 12)) = 0.6160902582 ft;
    // 20 / 0.6160902582 = 32.4627759246.
    FhwaPile tapered = pile;
    tapered.taperAngle = 0.5;
    tapered.stickup = 2.0;
    EXPECT_NEAR(FhwaEmbedmentRatio(layers, 20.0, tapered, English()), 32.4627759246, kHand);
}

TEST(Pass1FhwaClay, AdhesionGraphChoice)
{
    struct Case
    {
        const char* name;
        FhwaGraphInput in;
        int units;
        int graph;
    };
    const Case cases[] = {
        {"below sand: A", {kFhwaGraphUndecided, 0.0, true, 1.0, 0.0, 1.0}, 1, 1},
        {"below soft clay: B", {kFhwaGraphUndecided, 0.0, true, 2.0, 0.5, 1.0}, 1, 2},
        {"below stiff clay: C", {kFhwaGraphUndecided, 0.0, true, 2.0, 1.0, 0.5}, 1, 3},
        {"below silt 0.79 ksf: B", {kFhwaGraphUndecided, 0.0, true, 3.0, 0.79, 1.0}, 1, 2},
        // SI strengths in kPa are read against 0.8 ksf = 38.304 kPa.
        {"SI below 30 kPa clay: B", {kFhwaGraphUndecided, 0.0, true, 2.0, 30.0, 50.0}, 2, 2},
        {"SI below 40 kPa clay: C", {kFhwaGraphUndecided, 0.0, true, 2.0, 40.0, 10.0}, 2, 3},
        // At the ground surface the segment's own strength chooses.
        {"surface soft: B", {kFhwaGraphUndecided, 0.0, false, 0.0, 0.0, 0.5}, 1, 2},
        {"surface stiff: C", {kFhwaGraphUndecided, 0.0, false, 0.0, 0.0, 1.2}, 1, 3},
        // A graph already chosen in this clay run stays.
        {"kept", {1, 0.0, true, 2.0, 0.5, 0.5}, 1, 1},
        // The user's option wins, rounded and kept within A..C.
        {"user B", {1, 2.0, true, 1.0, 0.0, 0.5}, 1, 2},
        {"user 7 read as C", {kFhwaGraphUndecided, 7.0, true, 1.0, 0.0, 0.5}, 1, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FhwaAdhesionGraph(c.in, Pass1UnitsFor(c.units)), c.graph) << c.name;
    }
}

TEST(Pass1FhwaClay, TomlinsonAdhesionTimesStrength)
{
    struct Case
    {
        int graph;
        double su;
        double ratio;
        double adhesion; // worked from the digitised graphs
    };
    const Case cases[] = {
        // A, ratio 30 at 1 ksf: curves 20 (1.0) and 40 (0.9): 0.9 + 10 x 0.1 / 20 = 0.95.
        {1, 1.0, 30.0, 0.95},
        // B, ratio 15 at 0.5 ksf: 0.519 + 5 x (0.84 - 0.519) / 10 = 0.6795.
        {2, 0.5, 15.0, 0.6795},
        // C, ratio 25 at 2 ksf: 0.688 + 15 x (0.9 - 0.688) / 30 = 0.794.
        {3, 2.0, 25.0, 0.794},
    };
    for (const Case& c : cases) {
        const FhwaClayResult r = FhwaClayFriction(c.su, 0.4, c.graph, c.ratio, English());
        EXPECT_NEAR(r.adhesion, c.adhesion, kChart) << "graph " << c.graph;
        EXPECT_NEAR(r.top, c.adhesion * c.su, kChart);
        EXPECT_NEAR(r.bottom, c.adhesion * c.su, kChart);
        EXPECT_NEAR(r.transferTop, c.adhesion * 0.4, kChart);
        EXPECT_NEAR(r.transferBottom, c.adhesion * c.su, kChart);
        // SI: 47.88 kPa per ksf, the same adhesion.
        const FhwaClayResult s =
            FhwaClayFriction(c.su * kKsfToKpa, 0.4 * kKsfToKpa, c.graph, c.ratio, Si());
        EXPECT_NEAR(s.top / kKsfToKpa, r.top, kHand) << "graph " << c.graph;
    }
}

TEST(Pass1FhwaWalk, ClayAtTheSurfaceGetsItsAdhesionAndSandResetsTheGraph)
{
    // Segments of 1 ft: clay 0-2 (su 0.5), sand 2-3, clay 3-4 (su 1.0); pile 12 in, 4 ft.
    // Segment 1: graph B from itself (0.5 < 0.8); ratio (2 - 0) / 1 = 2 < 10: first B curve at
    //   0.5 ksf = 0.519; f = 0.2595; load transfer top 0.519 x remolded 0.25 = 0.12975.
    // Segment 2: same graph (kept), same layer.
    // Segment 4: below sand, graph A; ratio (2 + 1) / 1 = 3 < 10: A is 1: f = 1.0.
    const std::array<FhwaSoilLayer, 3> layers{FhwaSoilLayer{0, 2, true},
                                              FhwaSoilLayer{2, 3, false},
                                              FhwaSoilLayer{3, 4, true}};
    const std::array<double, 4> bottom{1, 2, 3, 4};
    const std::array<double, 4> type{2, 2, 1, 2};
    const std::array<double, 4> phi{0, 0, 30, 0};
    const std::array<double, 4> su{0.5, 0.5, 0, 1.0};
    const std::array<double, 4> sur{0.25, 0.25, 0, 0.5};
    const std::array<double, 4> adh{0, 0, 0, 0};
    const std::array<double, 8> sigv{0, 0.05, 0.05, 0.1, 0.1, 0.22, 0.22, 0.27};
    const std::array<int, 4> plug{1, 1, 1, 1};
    FhwaPile pile;
    pile.od = 12.0;
    pile.endSectionLength = 4.0;
    pile.pileLength = 4.0;
    pile.pileType = 3;
    std::array<FhwaSegmentResult, 4> out{};
    FhwaSegmentFrictions({bottom, type, phi, su, sur, adh, sigv, plug, layers, pile, {}},
                         English(),
                         out);
    EXPECT_EQ(out[0].graph, 2);
    EXPECT_NEAR(out[0].top, 0.2595, kChart);
    EXPECT_NEAR(out[0].transferTop, 0.12975, kChart);
    EXPECT_EQ(out[1].graph, 2);
    EXPECT_FALSE(out[2].clay);
    EXPECT_GT(out[2].top, 0.0);
    EXPECT_NEAR(out[2].transferBottom, out[2].bottom, kChart);
    EXPECT_EQ(out[3].graph, 1);
    EXPECT_NEAR(out[3].embedmentRatio, 3.0, kChart);
    EXPECT_NEAR(out[3].top, 1.0, kChart);
}

TEST(Pass1FhwaTip, NordlundToeResistanceWithItsLimit)
{
    // 12 in pile 30 ft embedded: ratio 30; phi 30: N'q 30, alpha-t 0.52 (key-30 curve);
    // N = 15.6; limit 6.66 tsf x 2 = 13.32 ksf.
    FhwaPile pile;
    pile.od = 12.0;
    pile.pileLength = 30.0;
    FhwaTipInput in;
    in.phi = 30.0;
    in.sigvTop = 0.5;
    in.sigvBottom = 2.0;
    const FhwaTipResult r = FhwaTipUnit(in, pile, English());
    EXPECT_NEAR(r.embedmentRatio, 30.0, kChart);
    EXPECT_NEAR(r.nq, 30.0, kChart);
    EXPECT_NEAR(r.alphaT, 0.52, kChart);
    EXPECT_NEAR(r.limit, 13.32, kChart);
    EXPECT_NEAR(r.top, 7.8, kChart);      // 0.5 x 15.6
    EXPECT_NEAR(r.bottom, 13.32, kChart); // 2 x 15.6 = 31.2, limited

    // The user's maximum lowers the limit.
    in.maxEndBearing = 10.0;
    EXPECT_NEAR(FhwaTipUnit(in, pile, English()).bottom, 10.0, kChart);

    // SI: 13.32 x 47.88 = 637.7616 kPa; 0.5 ksf = 23.94 kPa gives 373.464 kPa.
    FhwaPile si = pile;
    si.od = 304.8;
    si.pileLength = 30.0 * kFtToM;
    in.maxEndBearing = kPass1NotLimited;
    in.sigvTop = 0.5 * kKsfToKpa;
    in.sigvBottom = 2.0 * kKsfToKpa;
    const FhwaTipResult s = FhwaTipUnit(in, si, Si());
    EXPECT_NEAR(s.limit, 637.7616, kHand);
    EXPECT_NEAR(s.top, 373.464, kHand);

    // Clay: 9 su.
    FhwaTipInput clay;
    clay.soilType = 2.0;
    clay.su = 1.5;
    EXPECT_NEAR(FhwaTipUnit(clay, pile, English()).top, 13.5, kChart);
}

TEST(Pass1FhwaPile, PerimeterNarrowsWithTheTaper)
{
    // 14 in butt, taper 0.5 degrees, stick-up 2 ft: at 10 ft
    // 3.14159 x (14/12 - 2 x 0.0087252214 x 12) = 3.0073226938 ft; no taper: 3.14159 x 14/12.
    FhwaPile timber;
    timber.od = 14.0;
    timber.taperAngle = 0.5;
    timber.stickup = 2.0;
    EXPECT_NEAR(FhwaPerimeterAt(timber, 10.0, English()), 3.0073226938, kHand);
    timber.taperAngle = 0.0;
    EXPECT_NEAR(FhwaPerimeterAt(timber, 10.0, English()), 3.14159 * 14.0 / 12.0, kChart);
    // A taper that would close the section gives 0, never a negative perimeter.
    timber.taperAngle = 5.0;
    EXPECT_DOUBLE_EQ(FhwaPerimeterAt(timber, 100.0, English()), 0.0);
}

} // namespace
