#pragma once

// The rules of the pile windows that are about the project, not about widgets: what a pile
// type stores for the section shape and the end, which entries a pile type uses, the
// cross-section area shown for the section, and the limits on stick-up and modulus.

// Pile types 2, 4, 5 and 7 are tapered.
bool IsTaperedPile(int pileType);

// The section shape and end stored with a pile type. A steel pipe takes its own end choice;
// a precast concrete pile its shape and the end choice of the concrete panel; every other
// type is circular except the H-pile, and keeps the end it had.
struct TPileShape
{
    unsigned char Circular = 1;
    unsigned char ClosedEnd = 0;
    bool operator==(const TPileShape&) const = default;
};
struct TPileShapeChoice
{
    int PileType = 1;
    bool ConcreteCircular = true; // "Circular/Tubular" rather than square
    bool SteelClosedEnd = false;
    bool ConcreteClosedEnd = false;
};
TPileShape PileShapeFor(const TPileShapeChoice& choice, unsigned char closedEndBefore);

// The taper angle is read by the FHWA capacity method for tapered piles only.
bool TaperAngleUsed(int pileType, int fhwaFlag);
// The taper angle stored from the pile material window: 0 unless FHWA is computed.
long double StoredTaperAngle(long double shown, int fhwaFlag);

// The cross-section area shown for the section, in in^2 / m^2: the tip area for an H-pile or
// a square concrete pile, the steel ring of a pipe or circular concrete pile, else the full
// circle; diameters are in in / mm.
long double ShownSectionArea(const TPileShapeChoice& choice,
                             long double od,
                             long double id,
                             long double tipArea,
                             int unitSystem);

// Entries of the circular pile window that the pile uses: the inner diameter for a steel
// pipe or a circular concrete pile, the lower end section and the plug only when that pile
// is open-ended.
struct TCircularPileEntries
{
    bool InnerDiameter = false;
    bool EndSection = false;
    bool PlugCondition = false;
    bool operator==(const TCircularPileEntries&) const = default;
};
TCircularPileEntries CircularPileEntries(int pileType, int circular, int closedEnd);

// A stick-up below 0 becomes 0, with this message.
inline constexpr const char* kStickUpMessage =
    "Pile Stickup Length should be a positive number\rIt will be set as 0";
bool StickUpIsRefused(long double stickUp);

// The pile material window closes only with a positive modulus of elasticity.
inline constexpr const char* kModulusMessage =
    "Modulus of Elasticity should be greater than zero.\rPlease check";
bool ModulusIsAccepted(long double e);
