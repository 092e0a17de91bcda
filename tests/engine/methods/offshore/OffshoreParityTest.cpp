// The same pile and soil in SI and in English units gives the same unit side friction and end
// bearing by every offshore method, after conversion.

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "methods/offshore/OffshoreCore.h"

namespace {

using namespace Offshore;

// Conversion factors of the unit tables: 1 kPa = 20.88543243 psf, 1 m = 3.280839895 ft,
// 1 in = 25.4 mm.
constexpr double kKsfPerKpa = 0.02088543243;
constexpr double kFtPerM = 3.280839895;
constexpr double kMmPerIn = 25.4;
// pa is 2.0885546 ksf against 100 kPa = 2.088543243 ksf: 5.4e-6 apart.
constexpr double kParityTol = 2e-5;

void ExpectSame(double si, double englishKsf, const std::string& what)
{
    const double english = englishKsf / kKsfPerKpa;
    EXPECT_NEAR(english, si, kParityTol * std::abs(si) + 1e-9) << what;
}

Pile ToEnglish(Pile p)
{
    p.od /= kMmPerIn;
    p.endSectId /= kMmPerIn;
    p.length *= kFtPerM;
    return p;
}

Segment ToEnglish(const Segment& s)
{
    return {s.top * kFtPerM, {s.sigma.top * kKsfPerKpa, s.sigma.bottom * kKsfPerKpa}};
}

struct Setting
{
    std::string name;
    Pile pile;
};

std::vector<Setting> Settings()
{
    std::vector<Setting> out;
    for (double id : {0.0, 900.0, 1500.0}) {
        for (Load load : {Load::Compression, Load::Tension}) {
            for (Plug plug : {Plug::Computed, Plug::Plugged, Plug::Unplugged}) {
                Pile p;
                p.od = id > 1000.0 ? 1600.0 : 1000.0;
                p.endSectId = id;
                p.length = 30.0;
                p.pileType = 3;
                p.load = load;
                p.plug = plug;
                out.push_back({"ID " + std::to_string(id) + (load == Load::Tension ? " T" : " C")
                                   + " plug " + std::to_string(static_cast<int>(plug)),
                               p});
            }
        }
    }
    return out;
}

// Segments from the ground surface to the tip.
const std::vector<Segment> kSegments{{0.0, {0.0, 9.0}},
                                     {10.0, {90.0, 95.0}},
                                     {26.0, {230.0, 240.0}},
                                     {29.5, {260.0, 265.0}}};

TEST(OffshoreParity, SandSideFriction)
{
    const double qcSi = 12000.0; // kPa as read
    const double qcSiStress = *SegmentConeResistance(qcSi, std::nullopt, 0.0, true, kSI);
    const double qcEnStress =
        *SegmentConeResistance(qcSi * kKsfPerKpa * 1000.0, std::nullopt, 0.0, true, kEnglish);
    for (const Setting& s : Settings()) {
        const Pile en = ToEnglish(s.pile);
        for (const Segment& seg : kSegments) {
            const Segment segEn = ToEnglish(seg);
            const std::string at = s.name + " at " + std::to_string(seg.top);
            const auto ngiSi = NgiSandFriction(s.pile, seg, qcSiStress, kSI);
            const auto ngiEn = NgiSandFriction(en, segEn, qcEnStress, kEnglish);
            ExpectSame(ngiSi.friction.top, ngiEn.friction.top, "NGI top " + at);
            ExpectSame(ngiSi.friction.bottom, ngiEn.friction.bottom, "NGI bottom " + at);
            const auto icpSi = IcpSandFriction(s.pile, seg, qcSiStress, 33.0, kSI);
            const auto icpEn = IcpSandFriction(en, segEn, qcEnStress, 33.0, kEnglish);
            ExpectSame(icpSi.friction.top, icpEn.friction.top, "ICP top " + at);
            ExpectSame(icpSi.friction.bottom, icpEn.friction.bottom, "ICP bottom " + at);
            const auto fugSi = FugroSandFriction(s.pile, seg, qcSiStress, kSI);
            const auto fugEn = FugroSandFriction(en, segEn, qcEnStress, kEnglish);
            ExpectSame(fugSi.friction.top, fugEn.friction.top, "Fugro top " + at);
            ExpectSame(fugSi.friction.bottom, fugEn.friction.bottom, "Fugro bottom " + at);
            const auto uwaSi = UwaSandFriction(s.pile, seg, qcSiStress, 33.0, kSI);
            const auto uwaEn = UwaSandFriction(en, segEn, qcEnStress, 33.0, kEnglish);
            ExpectSame(uwaSi.friction.top, uwaEn.friction.top, "UWA top " + at);
            ExpectSame(uwaSi.friction.bottom, uwaEn.friction.bottom, "UWA bottom " + at);
        }
    }
}

TEST(OffshoreParity, ClaySideFriction)
{
    const ClaySoil soilSi{60.0, 20.0, 2.0, 25.0, 22.5};
    const ClaySoil soilEn{60.0 * kKsfPerKpa, 20.0 * kKsfPerKpa, 2.0, 25.0, 22.5};
    for (const Setting& s : Settings()) {
        const Pile en = ToEnglish(s.pile);
        for (const Segment& seg : kSegments) {
            const Segment segEn = ToEnglish(seg);
            const std::string at = s.name + " at " + std::to_string(seg.top);
            const auto si = OffshoreClayFriction(s.pile, seg, soilSi, kSI);
            const auto eng = OffshoreClayFriction(en, segEn, soilEn, kEnglish);
            ExpectSame(si.friction.top, eng.friction.top, "clay top " + at);
            ExpectSame(si.friction.bottom, eng.friction.bottom, "clay bottom " + at);
            EXPECT_EQ(si.hOverRWarning, eng.hOverRWarning) << at;
            // Su / sigma' spans all three NGI bands over these depths.
            const auto ngiSi = NgiClayFriction(s.pile, seg, {soilSi.su, soilSi.sur, 30.0});
            const auto ngiEn = NgiClayFriction(en, segEn, {soilEn.su, soilEn.sur, 30.0});
            ExpectSame(ngiSi.friction.bottom, ngiEn.friction.bottom, "NGI clay " + at);
            ExpectSame(ngiSi.transfer.top, ngiEn.transfer.top, "NGI clay plug " + at);
        }
    }
}

TEST(OffshoreParity, EndBearing)
{
    const double qcSi = 12000.0;
    const double qcEn = qcSi * kKsfPerKpa;
    for (const Setting& s : Settings()) {
        const Pile en = ToEnglish(s.pile);
        for (double sigma : {0.0, 95.0, 265.0}) {
            const std::string at = s.name + " sigma " + std::to_string(sigma);
            ExpectSame(NgiEndBearing(s.pile, qcSi, sigma, kSI),
                       NgiEndBearing(en, qcEn, sigma * kKsfPerKpa, kEnglish),
                       "NGI " + at);
        }
        ExpectSame(IcpSandEndBearing(s.pile, qcSi, kSI),
                   IcpSandEndBearing(en, qcEn, kEnglish),
                   "ICP " + s.name);
        ExpectSame(FugroSandEndBearing(s.pile, qcSi, kSI),
                   FugroSandEndBearing(en, qcEn, kEnglish),
                   "Fugro " + s.name);
        ExpectSame(UwaSandEndBearing(s.pile, qcSi, kSI),
                   UwaSandEndBearing(en, qcEn, kEnglish),
                   "UWA " + s.name);
        for (bool drained : {false, true}) {
            ExpectSame(OffshoreClayEndBearing(s.pile, 60.0, qcSi, drained),
                       OffshoreClayEndBearing(en, 60.0 * kKsfPerKpa, qcEn, drained),
                       "clay " + s.name);
        }
    }
}

} // namespace
