#pragma once

// The nine capacity methods in one table: the engine's own index (under which the capacity
// pipeline and the load-transfer pairs keep each method apart), the program's method code (the
// order of the flags, the report's tables and the plot rows), the routine that computes the
// side half, the pass that runs it, and the method's texts in the report.

#include <array>

#include "state/MethodResult.h"

struct TRunState;
struct TRunIo;

// The capacity method routines. Each fills its own record s.RESULTS[code] (penetration, skin,
// unit skin, load-transfer side value per grid point) and its load-transfer pairs; the capacity
// pipeline adds the tip and the totals.
void GENERALMETHOD(TRunState& s, TRunIo& io);
void FHWAMETHOD(TRunState& s, TRunIo& io);
void USACEMETHOD(TRunState& s, TRunIo& io);
void LAMBDA2METHOD(TRunState& s, TRunIo& io);
void RP2AMETHOD(TRunState& s, TRunIo& io);
void NGIMETHOD(TRunState& s, TRunIo& io);
void ICPMETHOD(TRunState& s, TRunIo& io);
void FUGROMETHOD(TRunState& s, TRunIo& io);
void UWAMETHOD(TRunState& s, TRunIo& io);

using TMethodRoutine = void (*)(TRunState&, TRunIo&);

// The box around a method's capacity table in the report.
struct TTitleBox
{
    int indent;
    int stars;
    const char* title;
};

struct TMethod
{
    int index;        // engine method index, 1 .. 9
    EMethodCode code; // program method code
    const char* name; // for messages
    TMethodRoutine routine;
    int pass;             // 1 or 2
    bool cone;            // a CPT-based method, computed when the project's offshore flag is 1
    const char* echoLine; // the method's line in the input echo
    TTitleBox titleBox;   // the box over its capacity table
};

// By engine method index. The user-specified method runs in pass 1, once, before the others,
// and only when the soil carries user values (the run driver's rule).
// clang-format off
inline constexpr std::array<TMethod, 9> kMethods{{
    {1, kFhwa, "FHWA", FHWAMETHOD, 1, false,
     "- FHWA (Federal Highway Administration)",
     {28, 22, "*  FED. HWY. METHOD  *"}},
    {2, kUsace, "USACE", USACEMETHOD, 1, false,
     "- USACE (U.S. Army Corps of Engineers)",
     {28, 22, "* ARMY CORPS METHOD  *"}},
    {3, kLambda, "Revised Lambda", LAMBDA2METHOD, 1, false,
     "- Revised Lambda",
     {28, 22, "*  LAMBDA 2 METHOD   *"}},
    {4, kApi, "API RP-2A", RP2AMETHOD, 2, false,
     "- API RP 2A (American Petroleum Institute)",
     {28, 22, "*  API RP-2A (1994)  *"}},
    {5, kNgi, "NGI", NGIMETHOD, 2, true,
     "- NGI (Norwegian Geotechnical Institute)",
     {10, 52, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *"}},
    {6, kIcp, "ICP/MTD", ICPMETHOD, 2, true,
     "- ICP/MTD (Imperial College of London)",
     {20, 35, "*  IMPERIAL COLLEGE (MTD) METHOD  *"}},
    {7, kFugro, "Fugro", FUGROMETHOD, 2, true,
     "- FUGRO (Offshore Driven Piles in Sand)",
     {20, 35, "*    FUGRO 2004 (FUGRO) METHOD    *"}},
    {8, kUwa, "UWA", UWAMETHOD, 2, true,
     "- UWA (University of Western Australia)",
     {13, 45, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"}},
    {9, kGeneral, "User-specified", GENERALMETHOD, 1, false,
     "- Load-transfer Units specified by User",
     {29, 18, "* GENERAL METHOD *"}},
}};
// clang-format on

inline constexpr int kEngineMethodIndexes = static_cast<int>(kMethods.size());
static_assert(kEngineMethodIndexes == kMethodCount);

// The method of an engine index (1 .. 9).
constexpr const TMethod& MethodOfIndex(int index)
{
    return kMethods[static_cast<std::size_t>(index - 1)];
}

// The method of a program method code (1 .. 9); nullptr for any other code.
constexpr const TMethod* MethodOfCode(int code)
{
    for (const TMethod& m : kMethods) {
        if (m.code == code) {
            return &m;
        }
    }
    return nullptr;
}

inline constexpr const TMethod& kMethodFhwa = MethodOfIndex(1);
inline constexpr const TMethod& kMethodUsace = MethodOfIndex(2);
inline constexpr const TMethod& kMethodLambda = MethodOfIndex(3);
inline constexpr const TMethod& kMethodApi = MethodOfIndex(4);
inline constexpr const TMethod& kMethodNgi = MethodOfIndex(5);
inline constexpr const TMethod& kMethodIcp = MethodOfIndex(6);
inline constexpr const TMethod& kMethodFugro = MethodOfIndex(7);
inline constexpr const TMethod& kMethodUwa = MethodOfIndex(8);
inline constexpr const TMethod& kMethodUser = MethodOfIndex(9);

// Every index names its own row, and every code one method.
constexpr bool MethodTableIsSound()
{
    for (int i = 1; i <= kEngineMethodIndexes; ++i) {
        const TMethod& m = MethodOfIndex(i);
        if (m.index != i || MethodOfCode(m.code) != &m) {
            return false;
        }
    }
    return true;
}
static_assert(MethodTableIsSound());
