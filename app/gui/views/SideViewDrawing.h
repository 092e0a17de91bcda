#pragma once

#include <string>
#include <vector>

#include "plot/PlotCanvas.h"

class TGridTable;
class TProgramData;

// The elevation view's geometry and drawing, free of any window: the same routines draw on
// the window, on a printer page and on a recording canvas in tests.
//
// World coordinates: x is the offset from the pile axis, y the depth below the ground surface
// (positive downward), both in the project's length unit (ft or m).

struct TWorldPoint
{
    long double X = 0;
    long double Y = 0;
    friend bool operator==(const TWorldPoint&, const TWorldPoint&) = default;
};

// A pile outline to fill.
struct TPileOutline
{
    TWorldPoint TopLeft;
    TWorldPoint TopRight;
    TWorldPoint BottomLeft;
    TWorldPoint BottomRight;
};

// A world rectangle; the extent of a fresh view is -10 .. 10 by 0 .. 10.
struct TWorldWindow
{
    long double XMin = -10;
    long double XMax = 10;
    long double YMin = 0;
    long double YMax = 10;
    friend bool operator==(const TWorldWindow&, const TWorldWindow&) = default;
};

// One row of the soil-layer table: its soil type code and the depth of its bottom.
struct TSoilLayerRow
{
    int SoilType = 0;
    long double BottomDepth = 0;
};

// What the view draws: the pile outlines, the soil layers and the world extent before the
// aspect correction.
struct TSideViewModel
{
    std::vector<TPileOutline> Outlines;
    std::vector<TSoilLayerRow> Layers;
    TWorldWindow BaseWindow;
    long double PileWidth = 0;  // at the head, ft / m
    long double PileLength = 0; // TL
};

// The rows of the soil-layer table, in order.
std::vector<TSoilLayerRow> SoilLayerRows(const TGridTable& soilTable);

// Builds the pile outline (head at -PSL, tip at TL - PSL, narrowed by the taper angle on each
// side) and the world extent that holds it and the soil layers, widened by 5 %. Without soil
// layers, or when every layer ends at the ground, no layer or outline is kept and the extent
// is the default one. A corner or depth that is not
// a finite number leaves the extent not finite, which CorrectAspect refuses.
TSideViewModel BuildSideView(const TProgramData& data, std::vector<TSoilLayerRow> layers);

// The world extent mapped onto a client area of the given size: the base extent widened in
// one direction so that one world unit spans as many pixels across as down. An extent that is
// empty in one direction takes its span from the other, centred where it was. False (view
// left as the base) when nothing can be mapped: an empty client area, an extent empty in both
// directions, or a bound that is not a finite number.
bool CorrectAspect(const TWorldWindow& base, int clientWidth, int clientHeight, TWorldWindow& view);

// The same, for a drawing that starts `band` pixels below the client's top (the window's own
// controls stand in that band): the extent is mapped onto the rows below it at one scale,
// and the view reaches up over the band at that scale. Without room below the band the whole
// client is used.
bool CorrectAspectBelow(const TWorldWindow& base,
                        int clientWidth,
                        int clientHeight,
                        int band,
                        TWorldWindow& view);

// The mapping between a sound view (CorrectAspect true) and the client pixels.
struct TSideViewMapping
{
    TWorldWindow View;
    int ClientWidth = 0;
    int ClientHeight = 0;

    int PixelX(long double x) const;
    int PixelY(long double y) const;
    long double WorldX(int px) const;
    long double WorldY(int py) const;
};

// Window colours of the drawing.
struct TSideViewColors
{
    TPlotColor Background = kPlotWhite;
    TPlotColor Text = kPlotBlack;
};

// The label of a soil layer: "depth= <top> - <bottom>; Sand" (Clay, Silt), the depths in the
// program's general number format (10 significant digits, so a converted 6.09600000002438
// reads 6.096); empty for any other soil type, which gets no label.
std::string SoilLayerLabel(long double top, long double bottom, int soilType);

// The window caption for the depth under the mouse pointer: "  Depth: 12.3".
std::string DepthCaption(long double depth);

// What the view says when the project has no soil layers yet.
inline constexpr const char* kNoSoilLayersText =
    "There are no soil layers below the ground yet: enter them in Data > Soil Layers.";

// Draws the profile on the window: background, ground line with hatching, layer boundaries
// with their labels, and the pile outlines filled in the text colour. A label that would run
// into the pile is written on a patch of the background over it. Without soil layers: the
// ground line and kNoSoilLayersText under it.
void DrawSideView(TPlotCanvas& canvas,
                  const TSideViewModel& model,
                  const TSideViewMapping& mapping,
                  const TSideViewColors& colors,
                  const TPlotFont& font);

// The depth that spans 80 % of the printed page's height: the bottom of the last soil layer.
// Zero when there is no layer or the bottom is not a positive finite depth: then there is
// nothing to print to scale.
long double PrintedDepthScale(const TSideViewModel& model);

// Draws the simplified printed profile on a page of pageWidth x pageHeight pixels: the
// ground line with hatching, the layer boundaries and labels, and the pile from the ground
// line down, without taper. False (nothing drawn) when PrintedDepthScale is zero.
bool DrawPrintedProfile(TPlotCanvas& canvas,
                        const TSideViewModel& model,
                        int pageWidth,
                        int pageHeight,
                        const TSideViewColors& colors,
                        const TPlotFont& font);
