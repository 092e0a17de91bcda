#pragma once

#include <vector>

#include "CptDataFile.h"

class TGraphPlot;

// A CPT plot as the CPT window shows it: one curve of the points read, against depth, with
// the captions of its kind in the unit system:
//   Qc:  "CPT Profile", "Qc, ksf" / "Qc, kPa", curve "CPT Data";
//   SPT: "Converted SPT from CPT Data", "SPT, N", curve "Converted SPT";
//   Su:  "Converted Undrained Shear Strength Su from CPT Data",
//        "Undrained Shear Strength Su, k/ft^2" / "... kPa", curve "Converted Su";
// and "Depth, ft" / "Depth, m" for depth. The project's CPT points are the Qc plot's; the
// converted kinds belong in a plot of their own, so that they never replace them.
void SetCptPlot(TGraphPlot& plot,
                const std::vector<TCptDataPoint>& points,
                TCptPlotKind kind,
                int unitSystem);

// The captions alone (the points stay), for a plot shown after a change of units.
void SetCptPlotCaptions(TGraphPlot& plot, TCptPlotKind kind, int unitSystem);
