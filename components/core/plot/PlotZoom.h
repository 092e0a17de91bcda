#pragma once

// Zoom rules of the chart window, per axis, over the range values of one graph.

// A zoom rectangle from a to b: the view becomes a .. b in ascending order, but never narrower
// than one twentieth of the full range; a view widened so is centred on the middle of a and b
// and moved back inside the full range when it sticks out.
void ZoomInAxis(long double a,
                long double b,
                long double fullMin,
                long double fullMax,
                long double& viewMin,
                long double& viewMax);

// Zooming out around v: twice the view's span, at most the full range, centred on v as far
// as the full range allows. A view or full range without a positive finite span stays.
void ZoomOutAxis(long double v,
                 long double fullMin,
                 long double fullMax,
                 long double& viewMin,
                 long double& viewMax);
