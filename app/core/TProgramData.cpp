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
        // Towards SI a value is multiplied by its factor, towards English divided by it.
        const bool toEnglish = target == 1;
        auto convert = [toEnglish](long double& value, long double siPerEnglish) {
            value = toEnglish ? value / siPerEnglish : value * siPerEnglish;
        };
        const long double area = kMPerIn * kMPerIn;
        const long double modulus = kKnPerLb / area;
        for (long double* diameter : {&Perimeter, &OD, &ID, &EID}) {
            convert(*diameter, kMmPerIn);
        }
        convert(TipArea, area);
        convert(ConstantArea, area);
        convert(E, modulus);
        for (long double* length :
             {&TL, &ESL, &ZFL, &Increment, &BottomOfLastLayer, &PSL, &CriticalDepth}) {
            convert(*length, kMPerFt);
        }
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
