#pragma once

#include <array>
#include <cstdint>
#include <string>

class TGridTable;

// The rules the soil layers and layer properties windows apply to the soil table `D` and to
// a layer's property sub-table (row 0 top of the layer, row 1 bottom).

// Silt is known to USACE alone: it is offered as a soil type only while USACE is the only
// capacity method (flags indexed by method code 1..9).
bool SiltOffered(const std::array<int, 10>& methodFlags);

// The table holds at most kMaxSoilLayers layers and never fewer than one.
bool CanAddSoilLayer(int layers);
bool CanDeleteSoilLayer(int layers);

// A new layer: sand, bottom at depth 0, no limits of side friction and end bearing, both
// factors 1, and the sand template's default properties.
// Appends one; returns its row, or -1 when the table is full.
int AddSoilLayer(TGridTable& soil);
// Puts one before `row`; the layers from there on move down with all their properties.
// Returns the new layer's row, or -1 when the table is full or the row is outside it.
int InsertSoilLayer(TGridTable& soil, int row);
// Removes the layer; the layers below move up with all their properties. Returns the row
// that is current afterwards: the same row, or the new last layer when the last one went.
// The last remaining layer is not removed.
int DeleteSoilLayer(TGridTable& soil, int row);

// Gives the layer another soil type; its property sub-table follows the new type. Kept at
// top and bottom: the unit weight and the user unit skin friction and end bearing; carried
// between sand and silt: friction angle, blow count and Ko; between clay and silt: the
// undrained shear strength. Sand and clay share nothing more. Nothing happens when the type
// is the same or not a soil type.
void ChangeSoilType(TGridTable& soil, int row, int newType);

// The blow count stored for an entry: the nearest integer, ties to the even one (12.5 gives
// 12, 13.5 gives 14), within the column's 0..100.
std::int32_t RoundBlowCount(long double entry);

// Which properties of a layer the selected methods use, for the layer properties window.
enum class EKoNotes
{
    Api,    // API RP-2A: Ko and Nq
    Usace,  // USACE without API: Ko
    Lambda, // Revised Lambda without API or USACE: Ko
    None,   // none of the three: neither
};

struct TLayerPropertyUse
{
    bool Qc = false;         // a CPT method (NGI, ICP/MTD, Fugro, UWA)
    bool UserValues = false; // the user-specified method
    bool PiYsr = false;      // ICP/MTD
    bool Adhesion = false;   // FHWA: the adhesion option of clay
    EKoNotes KoNotes = EKoNotes::None;
    bool Ko() const { return KoNotes != EKoNotes::None; }
    bool Nq() const { return KoNotes == EKoNotes::Api; }
};

TLayerPropertyUse LayerPropertyUse(const std::array<int, 10>& methodFlags);

// The four lines that head the sand's Ko entries for the notes chosen (None reads as Api).
std::array<std::string, 4> KoNoteLines(EKoNotes notes);

// Sand and silt: a layer is described by blow counts when either of its blow counts is not
// 0, else by friction angles.
bool BlowCountsGiven(const TGridTable& layer);
// Keeps only the chosen way: friction angles set both blow counts to 0, blow counts both
// friction angles. True when a value changed.
bool KeepStrengthChoice(TGridTable& layer, bool frictionAngleChosen);

// Clay: the adhesion option, shown from the bottom row and stored into both rows. True when
// a value changed.
int AdhesionOptionOf(const TGridTable& layer);
bool SetAdhesionOption(TGridTable& layer, int option);
