#pragma once

// Numerical core of the FHWA method for driven piles: Nordlund's side friction in cohesionless
// soil, Tomlinson's adhesion in cohesive soil, and the Thurman/Nordlund end bearing.
// Source: Hannigan, Goble, Likins and Rausche, "Design and Construction of Driven Pile
// Foundations", FHWA-NHI-05-042 (2006), chapter 9.7.1 (Nordlund method, Tomlinson alpha method);
// Nordlund, "Bearing capacity of piles in cohesionless soils", J. Soil Mech. Found. Div. ASCE
// 89 (SM3), 1963; Tomlinson, "Pile Design and Construction Practice" (1979).
// Pure functions; the conventions of the arguments are those of Pass1Core.h.

#include <span>

#include "methods/pass1/Pass1Core.h"

// The pile as the FHWA method sees it, in the run's units.
struct FhwaPile
{
    double od = 0.0; // OD: outside diameter (in / mm; perimeter / 3.1416 if noncircular)
    double id = 0.0; // ID: inside diameter (in / mm)
    double endSectionLength = 0.0; // ENDSECTLENGTH (ft / m)
    double endSectionId = 0.0;     // ENDSECTID (in / mm)
    double tipArea = 0.0;          // TIPAREA as held: ft2 (English) or m2 (SI); 0 if circular
    double taperAngle = 0.0;       // TAPERANGLE (degrees)
    double stickup = 0.0;          // STICKUP (ft / m)
    double pileLength = 0.0;       // PILELENGTH, the embedded length (ft / m)
    int pileType = 1;              // PILETYPE 1..7
};

// Pile diameter (ft / m) at a depth below the ground surface: OD at the head, narrowing by
// 2 tan(taper) per unit length from the head (stick-up plus depth).
double FhwaDiameterAt(const FhwaPile& pile, double depth, const Pass1Units& u);

// Perimeter 3.14159 x the diameter at the depth (ft / m).
double FhwaPerimeterAt(const FhwaPile& pile, double depth, const Pass1Units& u);

// Displaced volume per unit length (ft3/ft in both systems; the SI volume is converted) of a
// sand segment whose bottom lies at segmentBottom, with plugFlag the FHWA plug flag of the
// segment's row as the pile has it in compression (1 plugged or closed, 2 unplugged). A
// noncircular section displaces its own area: an H-pile its steel (steelArea, ft2 / m2, when
// the project gives one; else the tip area), a solid section its tip area.
double FhwaDisplacedVolume(const FhwaPile& pile,
                           double segmentBottom,
                           int plugFlag,
                           const Pass1Units& u,
                           double steelArea = 0.0);

// K-delta for a friction angle (degrees), blended linearly between the charts for 25, 30, 35 and
// 40 degrees, at the taper angle and displaced volume given.
double FhwaKDelta(double phi, double taperAngle, double volume);

struct FhwaSandInput
{
    double sigvTop = 0.0;       // effective vertical stress at the segment's top (ksf / kPa)
    double sigvBottom = 0.0;    // ... and at its bottom
    double phi = 0.0;           // SEGPHI (degrees)
    double segmentBottom = 0.0; // SEGBOT (ft / m)
    int plugFlag = 0;           // PLUGFLAG of the FHWA method at the segment's row, compression
    double steelArea = 0.0;     // H-pile: steel cross-section area at the segment (ft2 / m2)
};
struct FhwaSandResult
{
    double volume = 0.0;           // displaced volume per unit length (ft3/ft)
    double deltaRatio = 0.0;       // delta / phi
    double delta = 0.0;            // interface friction angle (degrees)
    double correctionFactor = 0.0; // CF of K-delta
    double kDelta = 0.0;
    double top = 0.0;    // unit side friction at the top and bottom (ksf / kPa);
    double bottom = 0.0; // also the load-transfer pair of a sand segment
};
// Nordlund: f = K-delta x CF x sigma'v x sin(delta + omega) / cos(omega).
FhwaSandResult FhwaSandFriction(const FhwaSandInput& in, const FhwaPile& pile, const Pass1Units& u);

// A soil layer as the embedment ratio sees it: top and bottom depth (ft / m) of the layer's
// two soil rows, and whether it is cohesive (clay or silt, soil type above 1).
struct FhwaSoilLayer
{
    double top = 0.0;
    double bottom = 0.0;
    bool clay = false;
};

// Embedment ratio of a clay segment for the adhesion graphs: the pile's embedded length in
// cohesive soil down to the bottom of the segment's layer (or the pile tip), each clay layer
// counted once whatever the increment, over the mean diameter of the segment's layer. The
// layer is the one with top < segmentBottom <= bottom (the last layer above the segment when
// none holds it).
double FhwaEmbedmentRatio(std::span<const FhwaSoilLayer> layers,
                          double segmentBottom,
                          const FhwaPile& pile,
                          const Pass1Units& u);

// Adhesion graph: 1 = A, 2 = B, 3 = C (Tomlinson 1979, as given with the alpha method in
// Hannigan et al. 2006).
inline constexpr int kFhwaGraphUndecided = 10;
struct FhwaGraphInput
{
    int graphSoFar = kFhwaGraphUndecided; // the graph of the clay run above; undecided after sand
    double adhesionOption = 0.0;          // SEGADH: 0 estimated, 1..3 the user's graph
    bool hasSegmentAbove = false;         // false for the segment at the ground surface
    double soilTypeAbove = 0.0;           // SEGTYPE of the segment above
    double suAbove = 0.0;                 // SEGSU of the segment above
    double suOwn = 0.0;                   // SEGSU of the segment itself
};
// An undecided graph is chosen from the soil above: A below sand, B below clay weaker than
// 0.8 ksf, C otherwise; at the ground surface from the segment itself (B or C by its own
// strength). A user option above 1e-6 takes over, rounded and kept within 1..3.
int FhwaAdhesionGraph(const FhwaGraphInput& in, const Pass1Units& u);

struct FhwaClayResult
{
    double adhesion = 0.0; // adhesion factor
    double top = 0.0;      // unit side friction, the same at top and bottom (ksf / kPa)
    double bottom = 0.0;
    double transferTop = 0.0;    // load-transfer pair: adhesion x remolded strength,
    double transferBottom = 0.0; // adhesion x undrained strength
};
FhwaClayResult FhwaClayFriction(double su,
                                double suRemolded,
                                int graph,
                                double embedmentRatio,
                                const Pass1Units& u);

// The whole segment walk of the method, in segment order (the graph choice carries from a clay
// segment to the next until a sand segment resets it).
struct FhwaProfileInput
{
    std::span<const double> segBottom; // SEGBOT
    std::span<const double> segType;   // SEGTYPE
    std::span<const double> segPhi;    // SEGPHI
    std::span<const double> segSu;     // SEGSU
    std::span<const double> segSur;    // SEGSUR (remolded strength of clay)
    std::span<const double> segAdh;    // SEGADH (adhesion option)
    std::span<const double> sigv;      // SIGV, two entries per segment
    std::span<const int> plugFlag;     // PLUGFLAG of the FHWA method, one per segment row
    std::span<const FhwaSoilLayer> layers;
    FhwaPile pile;
    std::span<const double> steelArea; // H-pile steel area per segment (ft2 / m2); may be empty
};
struct FhwaSegmentResult
{
    bool clay = false;
    double top = 0.0; // FSUNIT pair
    double bottom = 0.0;
    double transferTop = 0.0; // UNITXFER pair of the FHWA method
    double transferBottom = 0.0;
    FhwaSandResult sand; // sand segments
    int graph = 0;       // clay segments: graph, embedment ratio and adhesion factor
    double embedmentRatio = 0.0;
    double adhesion = 0.0;
};
// Fills out[0 .. segBottom.size() - 1].
void FhwaSegmentFrictions(const FhwaProfileInput& in,
                          const Pass1Units& u,
                          std::span<FhwaSegmentResult> out);

// Unit end bearing of a segment (Thurman 1964 / Nordlund, Hannigan et al. 9.7.1.1): in sand
// q = alpha-t x N'q x sigma'v, at most the limiting tip resistance and the user's maximum; in
// clay 9 x su.
struct FhwaTipInput
{
    double soilType = 1.0; // SEGTYPE
    double sigvTop = 0.0;
    double sigvBottom = 0.0;
    double phi = 0.0;                        // SEGPHI
    double su = 0.0;                         // SEGSU
    double maxEndBearing = kPass1NotLimited; // SEGQMAX
};
struct FhwaTipResult
{
    double embedmentRatio = 0.0; // pile length over diameter
    double nq = 0.0;             // N'q
    double alphaT = 0.0;
    double limit = 0.0; // ksf / kPa
    double top = 0.0;
    double bottom = 0.0;
};
FhwaTipResult FhwaTipUnit(const FhwaTipInput& in, const FhwaPile& pile, const Pass1Units& u);
