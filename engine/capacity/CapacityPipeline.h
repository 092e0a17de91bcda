#pragma once

// The capacity pipeline that follows every capacity method's unit side friction: unit end
// bearing per segment, the end-bearing force on the wall annulus, the friction of the soil plug
// inside an open pile, their sum, the resampling onto the penetration grid with the unplugged
// tip capacity, and the choice between the plugged (averaged over 1.5 diameters above and
// below the tip) and the unplugged tip, with the self weight in tension. It runs for the method
// it is given (methods/MethodTable.h) on the arrays of s.PIPELINE.

#include "methods/MethodTable.h"
#include "state/RunState.h"

// The six steps, in their order; each relies on the arrays of the steps before it.
void TIPUNIT(TRunState& s, const TMethod& method);
void TIPANNULUS(TRunState& s, const TMethod& method);
void PLUGFRIC(TRunState& s, const TMethod& method);
void TOTALCAP(TRunState& s);
void REGRID(TRunState& s);
void STORERESULT(TRunState& s, const TMethod& method, bool storeRecord);

// The six steps in order. With storeRecord, the method's result record takes its tip (reduced
// by the end-bearing factor of the soil below the tip), total, marker and load-transfer tip,
// and is marked computed; the driver's pre-runs before the methods of a pass leave the records
// alone and only refresh the pipeline arrays and the plug markers.
void RunCapacityPipeline(TRunState& s, const TMethod& method, bool storeRecord);

// The pipeline after a method routine: the six steps, storing the method's record.
void CAPPIPE(TRunState& s, const TMethod& method);
