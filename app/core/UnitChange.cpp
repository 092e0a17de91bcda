#include "UnitChange.h"

#include <algorithm>
#include <utility>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "entry/StoredNumberLimits.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"

namespace {

// The project's own numbers that a change of units converts, by the names their entries show.
const std::pair<const char*, long double TProgramData::*> kConvertedFields[] = {
    {"Pile Stickup Length, PSL", &TProgramData::PSL},
    {"Outer Diameter, OD", &TProgramData::OD},
    {"Inner Diameter, ID", &TProgramData::ID},
    {"Total Length, TL", &TProgramData::TL},
    {"Lower End Section Length, ESL", &TProgramData::ESL},
    {"Inner Diameter of Lower-End Section, EID", &TProgramData::EID},
    {"Zero-Friction Length from Ground, ZFL", &TProgramData::ZFL},
    {"Perimeter for Noncircular Section", &TProgramData::Perimeter},
    {"Tip Area for Noncircular Section", &TProgramData::TipArea},
    {"Modulus of Elasticity, E", &TProgramData::E},
    {"Constant cross section area", &TProgramData::ConstantArea},
    {"Length of each computation increment", &TProgramData::Increment},
    {"User-specified critical depth", &TProgramData::CriticalDepth},
    {"Bottom of the last layer", &TProgramData::BottomOfLastLayer},
};

bool Held(long double value)
{
    return CheckStoredNumber(value) == EStoredNumber::Held;
}

} // namespace

std::string UnitChangeProblem(const TProgramData& data,
                              const TProjectTables* tables,
                              const TGraphPlot* cptProfile,
                              int system)
{
    system = std::clamp(system, 1, 2);
    if (system == data.UnitSystem) {
        return {};
    }
    // The change itself, made on copies: the numbers are what it would make of them.
    TProgramData trial = data;
    TGraphPlot trialProfile;
    if (cptProfile != nullptr && cptProfile->LineCount() > 0) {
        const TLine& curve = cptProfile->Line(0);
        trialProfile.SetLineCount(1);
        TLine& copy = trialProfile.Line(0);
        copy.SetPointCount(curve.PointCount());
        for (int i = 0; i < curve.PointCount(); ++i) {
            copy.Points(i) = curve.Points(i);
        }
    }
    trial.SetUnits(system, nullptr, &trialProfile);
    for (const auto& [name, field] : kConvertedFields) {
        if (!Held(trial.*field)) {
            return name;
        }
    }
    if (trialProfile.LineCount() > 0) {
        const TLine& curve = trialProfile.Line(0);
        for (int i = 0; i < curve.PointCount(); ++i) {
            if (!Held(curve.Points(i).X) || !Held(curve.Points(i).Y)) {
                return "CPT profile, point " + std::to_string(i + 1);
            }
        }
    }
    if (tables != nullptr) {
        for (const TGridTable* table : tables->All()) {
            if (std::string problem = table->UnitsProblem(system); !problem.empty()) {
                return problem;
            }
        }
    }
    return {};
}

std::string UnitChangeRefusal(const std::string& problem)
{
    return "The units cannot be changed: " + problem
           + " would be no number a project file can hold (at most 1E15 in size, and 0 or at "
             "least 1E-307).";
}
