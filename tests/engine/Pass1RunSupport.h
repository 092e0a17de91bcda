#pragma once

// Helpers of the pass-1 method tests: a small project written line by line (one pile, a few
// uniform layers), and one whole run through RUNANALYSIS that keeps the run state, so a test
// reads each method's own result record after the run.

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "EngineTestSupport.h"
#include "input/InputReader.h"
#include "input/ListReader.h"
#include "methods/MethodTable.h"
#include "profile/Segments.h"
#include "profile/StressProfile.h"
#include "report/RunIo.h"
#include "run/RunDriver.h"
#include "state/RunState.h"

namespace pass1test {

using namespace enginetest;

// One layer: the same values at its top and bottom rows except the depth (and the strength
// and unit weight when a bottom value is given).
struct TLayer
{
    double bottom = 0;
    int type = 1;     // 1 sand, 2 clay, 3 silt
    double ko = 0;    // sand and silt
    double gamma = 0; // effective unit weight (pcf or kN/m3)
    double phi = 0;   // sand and silt (degrees)
    double nq = 0;    // sand
    double su = 0;    // clay and silt (psf or kPa)
    double sur = 0;   // clay: remolded strength
    double userF = 0; // user unit skin friction (psf or kPa)
    double userQ = 0; // user unit end bearing
    double rfs = 1;   // side reduction factor
    double rfe = 1;   // end-bearing reduction factor
    int adhesion = 0; // clay: 0 estimated, 1..3 graph A, B, C
    double fmax = 0;  // 0: not limited
    double qmax = 0;
};

struct TProject
{
    int units = 1;
    int printInterval = 1;
    int closedEnd = 1;
    double od = 12; // in or mm
    double id = 11;
    double emod = 29.0e6; // psi or kPa
    double length = 40;   // total length (ft or m)
    double stickup = 0;
    double esl = 0;
    double eid = 0;
    double zeroFriction = 0;
    double increment = 1;
    int pileType = 1;
    double taper = 0;
    int lsMethod = 3;
    int tzFactor = 0;
    std::string flags = "1 1 1 0 0 0 0 0 0 ";
    int loadType = 0;
    double tensionFactor = 1;
    int plug = 0;
    int critOption = 0;
    double critDepth = 0;
    std::vector<double> tzDepths; // extra t-z depths (ft or m); none: no verification curves
    int areaMode = 0;
    double constantArea = 0;                         // in2 or m2
    std::vector<std::pair<double, double>> areaRows; // distance from the head, area
    std::vector<TLayer> layers;

    std::vector<std::string> Lines() const
    {
        const auto num = FileNumber;
        std::vector<std::string> l;
        l.push_back("Pass-1 test pile");
        l.push_back("Tester");
        l.push_back("T-1");
        l.push_back(std::to_string(units) + " " + std::to_string(printInterval) + " "
                    + std::to_string(2 * layers.size()) + " " + std::to_string(closedEnd) + " ");
        l.push_back("0 0 " + num(od) + " " + num(id) + " " + num(emod) + " " + num(length) + " "
                    + num(stickup));
        l.push_back(num(esl) + " " + num(eid));
        l.push_back(num(zeroFriction) + " " + num(increment) + " " + std::to_string(pileType) + " "
                    + num(taper) + " " + std::to_string(lsMethod) + " 1 "
                    + std::to_string(tzFactor));
        l.push_back(flags);
        l.push_back(num(layers.empty() ? 0 : layers.back().bottom) + " " + num(constantArea));
        double top = 0;
        for (const TLayer& s : layers) {
            for (double depth : {top, s.bottom}) {
                l.push_back(num(depth) + " " + std::to_string(s.type) + " " + num(s.ko) + " "
                            + num(s.gamma) + " " + num(s.phi) + " " + num(s.nq) + " ");
                l.push_back(num(s.fmax) + " " + num(s.qmax) + " " + num(s.su) + " " + num(s.sur)
                            + " 0 0 0 " + num(s.userF) + " " + num(s.userQ) + " " + num(s.rfs) + " "
                            + num(s.rfe) + " " + std::to_string(s.adhesion) + " ");
            }
            top = s.bottom;
        }
        if (tzDepths.empty()) {
            l.push_back("0");
        } else {
            l.push_back("1");
            l.push_back(std::to_string(tzDepths.size()));
            for (double depth : tzDepths) {
                l.push_back(num(depth));
            }
        }
        l.push_back(std::to_string(loadType) + " " + num(tensionFactor));
        l.push_back("0 " + std::to_string(plug));
        l.push_back(std::to_string(areaRows.size()) + " " + std::to_string(areaMode));
        for (const auto& [distance, area] : areaRows) {
            l.push_back(num(distance) + " " + num(area));
        }
        l.push_back(std::to_string(critOption) + " " + num(critDepth));
        return l;
    }
};

struct TStateRun
{
    std::unique_ptr<TRunState> state = std::make_unique<TRunState>();
    int status = -1;
    std::string report;
    std::string plot;
};

// Writes the project lines and the CPT side file, runs RUNANALYSIS on a fresh state and keeps
// the state.
inline TStateRun RunKeepingState(const std::vector<std::string>& lines, const std::string& cpt)
{
    TTempDir dir;
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(lines));
    WriteFile(dir.Path() / "P.cpt", cpt);
    WriteNames(dir, "P");
    std::ostringstream console;
    std::istringstream noInput;
    TStateRun run;
    int status = 0;
    RUNANALYSIS(*run.state, TestEnvironment(dir, console, noInput), status);
    run.status = status;
    run.report = ReadFile(dir.Path() / "P.qr7o");
    run.plot = ReadFile(dir.Path() / "P.qr7p");
    return run;
}

// The same for a project without CPT points.
inline TStateRun RunKeepingState(const TProject& project)
{
    return RunKeepingState(project.Lines(), std::to_string(project.units) + " 0\r\n");
}

// The run state as the driver hands it to the pass-1 methods: the project read, the layers
// snapped, the segments filled and the grid laid, with the test's own stress profile: linear
// in each segment from its unit weight, held at its value at heldBelow (ft or m) below that
// depth when heldBelow is positive. Every plug marker is 1 (closed or plugged).
inline std::unique_ptr<TRunState> StateBeforeMethods(const TProject& project, double heldBelow = 0)
{
    auto state = std::make_unique<TRunState>();
    TRunState& s = *state;
    const std::string text = JoinCrLf(project.Lines());
    TListReader in(std::string_view(text), "P.qr7d", "INPUT FILE");
    ReadProjectFile(s, in);
    TPileData& p = s.PILEDATA;
    p.PILELENGTH -= p.STICKUP;
    SnapLayers(s);
    p.NSEG = static_cast<int>(SegmentCount(p.DEEPESTSOIL, p.INCREMENT));
    FillSegments(s);
    p.NGRID = GridPointCount(p.PILELENGTH, p.INCREMENT);
    const double perThousand = p.UNITS == 1 ? 1000.0 : 1.0;
    TStressProfile& st = s.STRESS;
    double held = 0;
    for (int k = 1; k <= p.NSEG; ++k) {
        const double top = k == 1 ? 0.0 : st.SIGV[2 * k - 2];
        const double gamma = s.SEGDATA.SEGGAMMA[k] / perThousand;
        st.SIGV[2 * k - 1] = top;
        st.SIGV[2 * k] = top + (s.SEGDATA.SEGBOT[k] - s.SEGDATA.SEGTOP[k]) * gamma;
        st.SIGV[2 * k + 1] = st.SIGV[2 * k];
        if (heldBelow > 0 && s.SEGDATA.SEGTOP[k] < heldBelow + 1e-9
            && heldBelow <= s.SEGDATA.SEGBOT[k] + 1e-9) {
            held = top + (heldBelow - s.SEGDATA.SEGTOP[k]) * gamma;
        }
    }
    for (int e = 1; e <= 2 * p.NSEG + 1; ++e) {
        st.SIGVLIM[e] = st.SIGV[e];
        if (heldBelow > 0 && held > 0 && st.SIGVLIM[e] > held) {
            st.SIGVLIM[e] = held;
        }
    }
    for (int m = 1; m <= kEngineMethodIndexes; ++m) {
        for (int j = 1; j <= kMaxGridPoints; ++j) {
            s.PLUGFLAG(m, j) = 1;
            s.COMPPLUGFLAG(m, j) = 1;
        }
    }
    return state;
}

// Runs one method routine on the state.
inline void RunRoutine(void (*routine)(TRunState&, TRunIo&), TRunState& s)
{
    std::ostringstream report;
    std::ostringstream console;
    TRunIo io{report, console, {}, {}, 0};
    routine(s, io);
}

// Closed-ended steel pipe, OD 12 in, ID 11 in, E 29,000,000 psi, 40 ft embedded in one clay
// layer of su 1000 psf (1.0 ksf) and effective unit weight 50 pcf down to 50 ft.
inline TProject UniformClayPile()
{
    TProject p;
    p.od = 12;
    p.id = 11;
    p.length = 40;
    p.flags = "0 0 1 0 0 0 0 0 0 ";
    p.lsMethod = 3;
    TLayer clay;
    clay.bottom = 50;
    clay.type = 2;
    clay.gamma = 50;
    clay.su = 1000;
    clay.sur = 500;
    p.layers = {clay};
    return p;
}

// Timber pile (type 2), OD 12 in at the head, taper 0.25 degrees, 30 ft embedded in sand of Ko
// 1.0, friction angle 30 and effective unit weight 60 pcf down to 40 ft.
inline TProject TaperedTimberPile()
{
    TProject p;
    p.pileType = 2;
    p.od = 12;
    p.id = 0;
    p.closedEnd = 1;
    p.taper = 0.25;
    p.length = 30;
    p.flags = "0 1 0 0 0 0 0 0 0 ";
    p.lsMethod = 2;
    TLayer sand;
    sand.bottom = 40;
    sand.type = 1;
    sand.ko = 1.0;
    sand.gamma = 60;
    sand.phi = 30;
    sand.nq = 20;
    p.layers = {sand};
    return p;
}

// Grid row of a penetration on the run's increment.
inline int RowAt(const TRunState& s, double penetration)
{
    return static_cast<int>(penetration / s.PILEDATA.INCREMENT + 0.5) + 1;
}

} // namespace pass1test
