#pragma once

#include "state/EngineLimits.h"
#include "state/TArray.h"

// What the capacity pipeline keeps in the run state: the per-segment tip arrays (two entries
// per segment, 2k - 1 at the top of segment k and 2k at its bottom, plus a closing copy), the
// per-row tip capacities (row i at penetration (i - 1) x INCREMENT) and the values it carries
// from one of its runs to the next within an analysis.
struct TPipelineState
{
    TArray1<double, 2 * kMaxSegments + 1> QTIP;     // unit end bearing (ksf / kPa)
    TArray1<double, 2 * kMaxSegments + 1> TIPFORCE; // end-bearing force on the annulus
    TArray1<double, 2 * kMaxSegments + 1> FIN;      // unit friction inside the pile
    TArray1<double, 2 * kMaxSegments + 1> PLUGF;    // cumulative plug friction force
    TArray1<double, 2 * kMaxSegments + 1> TOTTIP;   // annulus force plus plug friction
    TArray1<double, kMaxGridPoints> UNPLUGGED;      // unplugged tip capacity per row
    TArray1<double, kMaxGridPoints> TIPAVG;         // plugged tip capacity, averaged, per row
    TArray1<double, kMaxGridPoints> TIPRESULT;      // the current method's tip per row
    TArray1<double, kMaxGridPoints> TIPFHWA, TIPUSACE, TIPGENERAL;
    // Held stresses of the USACE tip at 15 and 20 diameters, kept for the whole run.
    double S15 = 0;
    double S20 = 0;
};
