#pragma once

// The cone-resistance branches of the capacity pipeline's unit end bearing and annulus force,
// for the CPT-based methods (NGI, ICP/MTD, Fugro, UWA). The pipeline (CapacityPipeline.h)
// calls them; they live apart so the CPT methods own their formulas.

#include "methods/MethodTable.h"
#include "state/RunState.h"

// Unit end bearing of segment k under a CPT-based method, top and bottom entries (ksf or kPa).
// On entry qTop and qBottom hold the pipeline's default: 9 x SEGSU for a clay or silt segment,
// 0 for a sand segment. pTop and pBottom are the effective vertical stresses at the segment's
// top and bottom (SIGV, ksf or kPa). On return they hold the final values, the user maximum
// (SEGQMAX) included where the method applies it.
void TIPUNITCONE(TRunState& s,
                 const TMethod& method,
                 int k,
                 double pTop,
                 double pBottom,
                 double& qTop,
                 double& qBottom);

// Cone resistance qc of segment k in stress units (ksf or kPa; English values as read in psf
// are divided by 1000): the soil table's value, else the CPT profile at the segment's top,
// else 2.8 x pa x N with pa = 2.0885546 ksf / 100 kPa. The annulus force of an open end
// section under a method after API RP-2A takes it as its unit value.
double TIPCONEQC(TRunState& s, int k);
