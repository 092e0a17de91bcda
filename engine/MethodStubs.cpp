// Routines not yet computed: each leaves its result record uncomputed, so the driver prints
// no table and writes no plot rows for it. A routine's own file replaces its line here.
#include "MethodSteps.h"

void PRINTLOADSET(TRunState&, TRunIo&) {}
void TZVERIFY(TRunState&, TRunIo&) {}
