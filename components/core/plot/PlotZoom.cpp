#include "plot/PlotZoom.h"

#include <algorithm>
#include <cmath>

void ZoomInAxis(long double a,
                long double b,
                long double fullMin,
                long double fullMax,
                long double& viewMin,
                long double& viewMax)
{
    viewMin = std::min(a, b);
    viewMax = std::max(a, b);
    const long double full = fullMax - fullMin;
    if (full > 20 * (viewMax - viewMin)) {
        const long double span = full / 20;
        const long double middle = (a + b) / 2;
        viewMin = middle - span / 2;
        viewMax = middle + span / 2;
        if (viewMin < fullMin) {
            viewMin = fullMin;
            viewMax = fullMin + span;
        } else if (viewMax > fullMax) {
            viewMax = fullMax;
            viewMin = fullMax - span;
        }
    }
}

void ZoomOutAxis(long double v,
                 long double fullMin,
                 long double fullMax,
                 long double& viewMin,
                 long double& viewMax)
{
    const long double h = std::min(viewMax - viewMin, (fullMax - fullMin) / 2);
    if (!(h > 0) || !std::isfinite(h)) {
        return;
    }
    v = std::clamp(v, fullMin + h, fullMax - h);
    viewMin = v - h;
    viewMax = v + h;
}
