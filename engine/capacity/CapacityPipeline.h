#pragma once

// The capacity pipeline that follows every capacity method's unit side friction: unit end
// bearing per segment, the end-bearing force on the wall annulus, the friction of the soil plug
// inside an open pile, their sum, the resampling onto the penetration grid with the unplugged
// tip capacity, and the choice between the plugged (averaged over 1.5 diameters above and
// below the tip) and the unplugged tip, with the self weight in tension. It runs under the
// engine method index s.METHODIDX (1 FHWA, 2 USACE, 3 Revised Lambda, 4 API RP-2A, 5 NGI,
// 6 ICP/MTD, 7 Fugro, 8 UWA, 9 user-specified) on the arrays of s.PIPELINE.

#include "state/RunState.h"

// The six steps, in their order; each relies on the arrays of the steps before it.
void TIPUNIT(TRunState& s);
void TIPANNULUS(TRunState& s);
void PLUGFRIC(TRunState& s);
void TOTALCAP(TRunState& s);
void REGRID(TRunState& s);
void STORERESULT(TRunState& s, bool storeRecord);

// The six steps in order. With storeRecord, the result record of the method METHODIDX names
// takes its tip (reduced by the end-bearing factor of the soil below the tip), total, marker
// and load-transfer tip, and is marked computed; the driver's pre-runs before the methods of a
// pass leave the records alone and only refresh the pipeline arrays and the plug markers.
void RunCapacityPipeline(TRunState& s, bool storeRecord);

// Program method code of an engine method index (9 user-specified is code 5).
int MethodCodeOfIndex(int methodIndex);
