#pragma once

#include "state/EngineLimits.h"
#include "state/TArray.h"

// Program method codes: the order of the method flags, of the tables and of the plot rows.
enum EMethodCode : int
{
    kFhwa = 1,
    kUsace = 2,
    kLambda = 3,
    kApi = 4,
    kGeneral = 5,
    kNgi = 6,
    kIcp = 7,
    kFugro = 8,
    kUwa = 9,
};

// Tip marker of a grid point: the tip as a plugged or closed section, or controlled by plug
// friction (unplugged; the report marks such rows with "*").
inline constexpr int kTipPlugged = 1;
inline constexpr int kTipUnplugged = 2;

// What one capacity method leaves for the report table, the plot rows and the load-settlement
// hand-over, per grid point j = 1 .. NGRID. A method fills its own record, so no later method
// can overwrite what an earlier one computed.
struct TMethodResult
{
    bool COMPUTED = false;
    TArray1<double, kMaxGridPoints> PENETRATION; // below the ground surface
    TArray1<double, kMaxGridPoints> SKIN;        // total skin friction (force)
    TArray1<double, kMaxGridPoints> TIP;         // end bearing, or self weight in tension
    TArray1<double, kMaxGridPoints> TOTAL;       // ultimate capacity
    TArray1<double, kMaxGridPoints> UNITSKIN;    // unit skin friction at the penetration
    TArray1<int, kMaxGridPoints> MARK;           // kTipPlugged or kTipUnplugged
    // Load-transfer hand-over to the load-settlement solver: side value and tip value.
    TArray1<double, kMaxGridPoints> TZSIDE;
    TArray1<double, kMaxGridPoints> TZTIP;
};

using TMethodResults = TArray1<TMethodResult, kMethodCount>;
