#include "TProgramData.h"

#include <algorithm>

#include "ProjectTables.h"
#include "entry/Units.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"

TProgramData::TProgramData() = default;

bool TProgramData::MethodSelected(int methodCode) const
{
    return methodCode >= 1 && methodCode <= 9
           && MethodFlags[static_cast<std::size_t>(methodCode)] != 0;
}

namespace {

// Qc of the CPT profile is in ksf / kPa, its depth in ft / m.
constexpr const char* kCptQcUnits = "F1/L2^2";
constexpr const char* kCptDepthUnits = "L2";

void ConvertCptPoints(TGraphPlot& cptProfile, int from, int to)
{
    if (cptProfile.LineCount() == 0) {
        return;
    }
    const long double qcFactor = UnitFactor(from, to, kCptQcUnits);
    const long double depthFactor = UnitFactor(from, to, kCptDepthUnits);
    TLine& curve = cptProfile.Line(0);
    for (int i = 0; i < curve.PointCount(); ++i) {
        curve.Points(i).X *= qcFactor;
        curve.Points(i).Y *= depthFactor;
    }
}

} // namespace

void TProgramData::SetUnits(int system, TProjectTables* tables, TGraphPlot* cptProfile)
{
    using namespace UnitConversion;
    const int target = std::clamp(system, 1, 2);
    const int previous = UnitSystem;
    if (target != previous) {
        const bool toEnglish = target == 1;
        const long double f = toEnglish ? kLbPerKn : kKnPerLb; // force
        const long double q = toEnglish ? kInPerM : kMPerIn;   // length of areas and E
        const long double p = toEnglish ? kInPerMm : kMmPerIn; // diameters
        const long double r = toEnglish ? kFtPerM : kMPerFt;   // lengths along the pile
        Perimeter *= p;
        OD *= p;
        ID *= p;
        EID *= p;
        TipArea *= q * q;
        ConstantArea *= q * q;
        E *= f / (q * q);
        TL *= r;
        ESL *= r;
        ZFL *= r;
        Increment *= r;
        BottomOfLastLayer *= r;
        PSL *= r;
        CriticalDepth *= r;
        // A held value outside 1..2 converts nothing in the points.
        if (cptProfile != nullptr && (previous == 1 || previous == 2)) {
            ConvertCptPoints(*cptProfile, previous, target);
        }
    }
    UnitSystem = target;
    if (tables != nullptr) {
        tables->SetUnits(target);
    }
}

void ResetProject(TProgramData& data, TProjectTables* tables, TGraphPlot* cptProfile)
{
    data = TProgramData();
    if (tables != nullptr) {
        tables->SetUnits(data.UnitSystem);
        tables->ResetRows();
        tables->ResetChanged();
    }
    if (cptProfile != nullptr) {
        cptProfile->SetLineCount(0);
    }
}
