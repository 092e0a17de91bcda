#include "PileRules.h"

#include "ProgramConstants.h"
#include "TProgramData.h"

namespace {

constexpr long double kMmPerM = 1000.0L;

} // namespace

bool IsTaperedPile(int pileType)
{
    return pileType == PileTypeCode::kTimber || pileType == PileTypeCode::kRaymondStepTaper
           || pileType == PileTypeCode::kRaymondUniformTaper
           || pileType == PileTypeCode::kTaperedMonotube;
}

TPileShape PileShapeFor(const TPileShapeChoice& choice, unsigned char closedEndBefore)
{
    switch (choice.PileType) {
    case PileTypeCode::kSteelPipe:
        return {1, static_cast<unsigned char>(choice.SteelClosedEnd ? 1 : 0)};
    case PileTypeCode::kPrecastConcrete:
        return {static_cast<unsigned char>(choice.ConcreteCircular ? 1 : 0),
                static_cast<unsigned char>(choice.ConcreteClosedEnd ? 1 : 0)};
    case PileTypeCode::kHPile:
        return {0, closedEndBefore};
    default:
        return {1, closedEndBefore};
    }
}

bool TaperAngleUsed(int pileType, int fhwaFlag)
{
    return fhwaFlag == 1 && IsTaperedPile(pileType);
}

long double StoredTaperAngle(long double shown, int fhwaFlag)
{
    return fhwaFlag == 0 ? 0.0L : shown;
}

long double ShownSectionArea(const TPileShapeChoice& choice,
                             long double od,
                             long double id,
                             long double tipArea,
                             int unitSystem)
{
    const bool concrete = choice.PileType == PileTypeCode::kPrecastConcrete;
    if (choice.PileType == PileTypeCode::kHPile || (concrete && !choice.ConcreteCircular)) {
        return tipArea;
    }
    long double area = 0;
    if (choice.PileType == PileTypeCode::kSteelPipe || concrete) {
        area = (od * od - id * id) * kPiTo4 / 4.0L;
    } else {
        area = od * od * kPiTo4 / 4.0L;
    }
    // Diameters in mm, the area in m^2.
    return unitSystem == 1 ? area : area / kMmPerM / kMmPerM;
}

TCircularPileEntries CircularPileEntries(int pileType, int circular, int closedEnd)
{
    TCircularPileEntries entries;
    entries.InnerDiameter = pileType == PileTypeCode::kSteelPipe
                            || (pileType == PileTypeCode::kPrecastConcrete && circular == 1);
    entries.EndSection = entries.InnerDiameter && closedEnd == 0;
    entries.PlugCondition = entries.EndSection;
    return entries;
}

bool StickUpIsRefused(long double stickUp)
{
    return stickUp < 0;
}

bool ModulusIsAccepted(long double e)
{
    return e > 0;
}
