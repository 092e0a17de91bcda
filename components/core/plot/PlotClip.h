#pragma once

#include "plot/PlotLayout.h"

// Segments of a curve kept to the pixels a canvas can take: points within +-kPixelLimit are
// drawn as they are; a segment reaching beyond is cut at the limit so that far-away points keep
// the direction of their segment.

// Both coordinates within +-kPixelLimit.
bool InsidePixelLimit(long double x, long double y);

// Cuts the segment to the square +-kPixelLimit (Liang-Barsky). False when nothing of it lies
// inside; else the ends are moved to where the segment enters and leaves the square.
bool ClipToPixelLimit(long double& x0, long double& y0, long double& x1, long double& y1);
