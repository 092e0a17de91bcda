// The four pass-1 methods on one layered pile: English and SI runs of the same pile agree.
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "Pass1RunSupport.h"

namespace {

using namespace pass1test;

constexpr double kParityTolerance = 0.005; // relative, after conversion

// Conversion factors English to SI.
constexpr double kM = 0.3048; // ft
constexpr double kMm = 25.4;  // in
constexpr double kKpaPerPsi = 6.894757;
constexpr double kKnm3PerPcf = 0.1570875;
constexpr double kKpaPerPsf = 0.04788026;
constexpr double kKnPerKip = 4.448222;

// Closed steel pipe, OD 18 in, 60 ft embedded: medium sand, stiff clay, dense sand, with user
// unit values in every layer so the user-specified method runs too.
TProject LayeredPile()
{
    TProject p;
    p.od = 18;
    p.id = 17;
    p.length = 60;
    p.flags = "1 1 1 0 1 0 0 0 0 ";
    p.lsMethod = 3;
    TLayer sand;
    sand.bottom = 20;
    sand.type = 1;
    sand.ko = 1.0;
    sand.gamma = 110;
    sand.phi = 32;
    sand.nq = 25;
    sand.userF = 300;
    sand.userQ = 30000;
    TLayer clay;
    clay.bottom = 45;
    clay.type = 2;
    clay.gamma = 115;
    clay.su = 1200;
    clay.sur = 600;
    clay.userF = 800;
    clay.userQ = 18000;
    clay.rfs = 0.9;
    TLayer dense = sand;
    dense.bottom = 80;
    dense.ko = 0.8;
    dense.gamma = 125;
    dense.phi = 36;
    dense.nq = 40;
    p.layers = {sand, clay, dense};
    return p;
}

TProject InSi(TProject p)
{
    p.units = 2;
    p.od *= kMm;
    p.id *= kMm;
    p.emod *= kKpaPerPsi;
    p.length *= kM;
    p.stickup *= kM;
    p.esl *= kM;
    p.eid *= kMm;
    p.zeroFriction *= kM;
    p.increment *= kM;
    p.critDepth *= kM;
    for (TLayer& l : p.layers) {
        l.bottom *= kM;
        l.gamma *= kKnm3PerPcf;
        l.su *= kKpaPerPsf;
        l.sur *= kKpaPerPsf;
        l.userF *= kKpaPerPsf;
        l.userQ *= kKpaPerPsf;
        l.fmax *= kKpaPerPsf;
        l.qmax *= kKpaPerPsf;
    }
    return p;
}

void ExpectParity(double english, double si, const std::string& what)
{
    EXPECT_NEAR(si / kKnPerKip, english, std::fabs(english) * kParityTolerance + 1e-6) << what;
}

// The side resistance of every pass-1 method, in compression and in tension, with the stress
// held below 15 diameters (22.5 ft) for USACE.
TEST(Pass1EndToEnd, EnglishAndSiSideResistanceAgree)
{
    for (int load : {0, 1}) {
        TProject english = LayeredPile();
        english.loadType = load;
        english.tensionFactor = load == 1 ? 0.7 : 1.0;
        auto e = StateBeforeMethods(english, 22.5);
        auto si = StateBeforeMethods(InSi(english), 22.5 * kM);
        ASSERT_EQ(e->PILEDATA.NGRID, 61);
        ASSERT_EQ(si->PILEDATA.NGRID, 61);
        for (auto* routine : {GENERALMETHOD, FHWAMETHOD, USACEMETHOD, LAMBDA2METHOD}) {
            RunRoutine(routine, *e);
            RunRoutine(routine, *si);
        }
        for (int m : {kFhwa, kUsace, kLambda, kGeneral}) {
            for (int j : {11, 31, 51, 61}) {
                std::ostringstream what;
                what << "method " << m << ", load " << load << ", row " << j;
                ExpectParity(e->RESULTS[m].SKIN[j], si->RESULTS[m].SKIN[j], what.str());
                EXPECT_GT(e->RESULTS[m].SKIN[j], 0.0) << what.str();
            }
        }
        // The user method's tip (no pipeline in compression): 30 ksf on 1.767 ft2 in sand.
        ExpectParity(e->RESULTS[kGeneral].TIP[11], si->RESULTS[kGeneral].TIP[11], "user tip");
    }
}

} // namespace
