#pragma once

#include <array>

class TProgramData;
class TProjectTables;

// The rules the computation methods window applies to the project when it is left.

// The taper angle is read by the FHWA method only: it is kept while FHWA is the
// load-settlement method or is computed for capacity, and reset to 0 otherwise.
bool TaperAngleKept(int loadSettlementMethod, int fhwaFlag);

// The reduction factor for tension loading is asked for when the loading is tension and a
// capacity method it acts on is selected (flags indexed by method code 1..9): FHWA, USACE,
// Revised Lambda, API RP 2A and the user-specified method reduce their side resistance by it;
// NGI, ICP/MTD, Fugro and UWA take the load direction into their own formulas instead.
bool TensionFactorUsed(int loadDirection, const std::array<int, 10>& methodFlags);

// USACE is the only capacity method selected (flags indexed by method code 1..9).
bool UsaceIsTheOnlyMethod(const std::array<int, 10>& methodFlags);

// Silt is known to USACE alone: unless it is the only capacity method, every silt layer of
// the soil table becomes a sand layer that keeps the unit weight, friction angle, blow count
// and Ko of its top and bottom; its other sand properties take the template's defaults and
// the layer's depth, limits and factors stay. True when any layer changed.
bool ConvertSiltLayersToSand(const std::array<int, 10>& methodFlags, TProjectTables& tables);

// Shows or hides the user unit skin friction and end bearing (columns 6 and 7) of every
// layer's sub-table and of the sand and clay templates, reopening an open editor of a layer.
void ShowUserValueColumns(TProjectTables& tables, bool shown);
