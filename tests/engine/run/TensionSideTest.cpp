// Side resistance in tension against compression over whole runs: the load direction never
// adds resistance. The FHWA displaced volume is how the pile was driven, so an open pipe in
// tension with a tension factor of 1 keeps its compression side resistance at every row; with
// a factor below 1 no method's tension side exceeds its compression side.
#include <gtest/gtest.h>

#include "OffshoreRunSupport.h"

namespace {

using namespace offshoretest;

// Open steel pipe OD 24 in, ID 23 in, 60 ft embedded in 1 ft increments: sand 0..30 ft
// (gamma' 110 pcf, phi 32), clay 30..45 ft (Su 1,200 psf, Sur 600, YSR 2, PI 25), dense sand
// 45..80 ft (gamma' 65 pcf, phi 36); user unit values in every layer; CPT qc rising from
// 40,000 psf at the surface to 300,000 psf at 80 ft. Every method selected.
TProject OpenPipe(int loadType, double tensionFactor)
{
    TProject p;
    p.closedEnd = 0;
    p.od = 24;
    p.id = 23;
    p.length = 60;
    p.printInterval = 5;
    p.flags = "1 1 1 1 1 1 1 1 1 ";
    p.lsMethod = 1;
    p.loadType = loadType;
    p.tensionFactor = tensionFactor;
    TLayer upper;
    upper.bottom = 30;
    upper.type = 1;
    upper.ko = 0.8;
    upper.gamma = 110;
    upper.phi = 32;
    upper.nq = 20;
    upper.userF = 800;
    upper.userQ = 60000;
    TLayer clay;
    clay.bottom = 45;
    clay.type = 2;
    clay.gamma = 55;
    clay.su = 1200;
    clay.sur = 600;
    clay.userF = 700;
    clay.userQ = 10800;
    TLayer lower = upper;
    lower.bottom = 80;
    lower.gamma = 65;
    lower.phi = 36;
    lower.nq = 40;
    lower.userF = 1500;
    lower.userQ = 150000;
    p.layers = {upper, clay, lower};
    return p;
}

const std::vector<TConeColumns> kOpenPipeCone = {{0, 0, 0}, {2, 25, 0}, {0, 0, 0}};

TStateRun RunOpenPipe(int loadType, double tensionFactor)
{
    return RunConeProject(ConeProjectLines(OpenPipe(loadType, tensionFactor), kOpenPipeCone),
                          CptFile(1, {{0.0, 40000.0}, {80.0, 300000.0}}));
}

TEST(TensionSide, FhwaKeepsTheDisplacedVolumeOfCompression)
{
    const TStateRun compression = RunOpenPipe(0, 1.0);
    const TStateRun tension = RunOpenPipe(1, 1.0);
    ASSERT_EQ(compression.status, 0) << compression.report;
    ASSERT_EQ(tension.status, 0) << tension.report;
    const TMethodResult& c = compression.state->RESULTS[kFhwa];
    const TMethodResult& t = tension.state->RESULTS[kFhwa];
    const int rows = compression.state->PILEDATA.NGRID;
    ASSERT_EQ(tension.state->PILEDATA.NGRID, rows);
    // The case is one where the plug state matters: some rows are unplugged in compression,
    // so their sand displaces the wall only.
    bool unplugged = false;
    for (int j = 1; j <= rows; ++j) {
        unplugged = unplugged || c.MARK[j] == kTipUnplugged;
    }
    ASSERT_TRUE(unplugged);
    for (int j = 1; j <= rows; ++j) {
        EXPECT_NEAR(t.SKIN[j], c.SKIN[j], 1e-9 * std::max(1.0, c.SKIN[j])) << "row " << j;
        EXPECT_NEAR(t.UNITSKIN[j], c.UNITSKIN[j], 1e-12) << "row " << j;
        // The tension tip is the self weight, marked as a plugged section.
        EXPECT_EQ(t.MARK[j], kTipPlugged) << "row " << j;
    }
}

TEST(TensionSide, NoMethodGainsSideResistanceInTension)
{
    const TStateRun compression = RunOpenPipe(0, 1.0);
    const TStateRun tension = RunOpenPipe(1, 0.7);
    ASSERT_EQ(compression.status, 0) << compression.report;
    ASSERT_EQ(tension.status, 0) << tension.report;
    const int rows = compression.state->PILEDATA.NGRID;
    for (int code = 1; code <= kMethodCount; ++code) {
        const TMethodResult& c = compression.state->RESULTS[code];
        const TMethodResult& t = tension.state->RESULTS[code];
        ASSERT_TRUE(c.COMPUTED && t.COMPUTED) << "method " << code;
        for (int j = 2; j <= rows; ++j) {
            EXPECT_LE(t.SKIN[j], c.SKIN[j] + 1e-9) << "method " << code << ", row " << j;
        }
    }
}

} // namespace
