#include "plot/PlotClip.h"

#include <algorithm>
#include <cmath>

namespace {

// Brings a far end of a segment whose other end is near to within a few limits of it, along
// the segment, so that the clipping below works on numbers of like size.
void PullTowards(long double nx, long double ny, long double& fx, long double& fy)
{
    const long double dx = fx - nx;
    const long double dy = fy - ny;
    const long double reach = std::max(std::fabs(dx), std::fabs(dy));
    if (reach > 2 * kPixelLimit) {
        const long double s = 2 * kPixelLimit / reach;
        fx = nx + dx * s;
        fy = ny + dy * s;
    }
}

} // namespace

bool InsidePixelLimit(long double x, long double y)
{
    return std::fabs(x) <= kPixelLimit && std::fabs(y) <= kPixelLimit;
}

bool ClipToPixelLimit(long double& x0, long double& y0, long double& x1, long double& y1)
{
    if (InsidePixelLimit(x0, y0)) {
        PullTowards(x0, y0, x1, y1);
    } else if (InsidePixelLimit(x1, y1)) {
        PullTowards(x1, y1, x0, y0);
    }
    const long double dx = x1 - x0;
    const long double dy = y1 - y0;
    long double t0 = 0;
    long double t1 = 1;
    const long double p[4] = {-dx, dx, -dy, dy};
    const long double q[4] = {x0 + kPixelLimit,
                              kPixelLimit - x0,
                              y0 + kPixelLimit,
                              kPixelLimit - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const long double r = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const long double ox = x0;
    const long double oy = y0;
    x0 = ox + t0 * dx;
    y0 = oy + t0 * dy;
    x1 = ox + t1 * dx;
    y1 = oy + t1 * dy;
    return true;
}
