#pragma once

#include "report/RunIo.h"
#include "state/RunState.h"

// The computation routines the run driver calls, in the driver's order. Each capacity method
// fills its own record s.RESULTS[MethodCode] (penetration, skin, tip, total, unit skin, tip
// marker and the load-transfer hand-over per grid point) and sets COMPUTED; the driver prints
// a method's table only from a computed record.

// Effective-stress profile along the segments.
void STRESSPROF(TRunState& s, TRunIo& io);
// The capacity pipeline for s.METHODIDX (tip, annulus, plug friction, totals, regrid, store).
void CAPPIPE(TRunState& s, TRunIo& io);

// Pass 1.
void GENERALMETHOD(TRunState& s, TRunIo& io);
void FHWAMETHOD(TRunState& s, TRunIo& io);
void USACEMETHOD(TRunState& s, TRunIo& io);
void LAMBDA2METHOD(TRunState& s, TRunIo& io);
// Pass 2.
void RP2AMETHOD(TRunState& s, TRunIo& io);
void NGIMETHOD(TRunState& s, TRunIo& io);
void ICPMETHOD(TRunState& s, TRunIo& io);
void FUGROMETHOD(TRunState& s, TRunIo& io);
void UWAMETHOD(TRunState& s, TRunIo& io);

// Load distribution and load-settlement, from s.LOADSETINPUT: report sections to io.report,
// plot-data sections (t-z curves, load distribution, load-settlement) to io.plotTail, which
// the driver writes after the capacity blocks.
void PRINTLOADSET(TRunState& s, TRunIo& io);
// t-z curves at the extra depths.
void TZVERIFY(TRunState& s, TRunIo& io);
