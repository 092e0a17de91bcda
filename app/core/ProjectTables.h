#pragma once

#include <array>
#include <memory>

#include "grid/TGridTable.h"
#include "grid/TableBuilder.h"

// The grid tables of a project: the soil layers with one property sub-table per layer, the
// three per-soil-type property templates, the extra t-z depths and the cross-section area
// table. Their columns are defined once, in ProjectTables.cpp.
//
// Each set owns the registry its tables and sub-tables live in: identifiers are unique within
// a set and templates are found in it, so any number of sets can be alive at once.

// Columns of the soil layers table `D`.
namespace SoilColumn {
inline constexpr int kSoilType = 0;        // enumeration: 1 sand, 2 clay, 3 silt
inline constexpr int kBottomDepth = 1;     // L2
inline constexpr int kLayerData = 2;       // sub-table from the template of the soil type
inline constexpr int kMaxSideFriction = 3; // F/L2^2
inline constexpr int kMaxEndBearing = 4;   // F/L2^2
inline constexpr int kSideFactor = 5;      // reduction/resistance factor, default 1
inline constexpr int kEndFactor = 6;       // reduction/resistance factor, default 1
} // namespace SoilColumn

// Columns of the sand sub-table (row 0 top of the layer, row 1 bottom).
namespace SandColumn {
inline constexpr int kUnitWeight = 0;    // F/L2^3
inline constexpr int kFrictionAngle = 1; // degrees
inline constexpr int kBlowCount = 2;     // integer 0..100
inline constexpr int kKo = 3;
inline constexpr int kNq = 4;
inline constexpr int kQc = 5;               // F/L2^2
inline constexpr int kUserSkinFriction = 6; // F/L2^2
inline constexpr int kUserEndBearing = 7;   // F/L2^2
} // namespace SandColumn

namespace ClayColumn {
inline constexpr int kUnitWeight = 0;        // F/L2^3
inline constexpr int kUndrainedStrength = 1; // F/L2^2
inline constexpr int kRemoldedStrength = 2;  // F/L2^2
inline constexpr int kPlasticIndex = 3;      // %
inline constexpr int kYieldStressRatio = 4;
inline constexpr int kQc = 5;               // F/L2^2
inline constexpr int kUserSkinFriction = 6; // F/L2^2
inline constexpr int kUserEndBearing = 7;   // F/L2^2
inline constexpr int kAdhesionMethod = 8;   // integer 0..4
} // namespace ClayColumn

namespace SiltColumn {
inline constexpr int kUnitWeight = 0;    // F/L2^3
inline constexpr int kFrictionAngle = 1; // degrees
inline constexpr int kBlowCount = 2;     // integer 0..100
inline constexpr int kKo = 3;
inline constexpr int kUndrainedStrength = 4; // F/L2^2
inline constexpr int kDummy = 5;             // not used
inline constexpr int kUserSkinFriction = 6;  // F/L2^2
inline constexpr int kUserEndBearing = 7;    // F/L2^2
} // namespace SiltColumn

namespace TzDepthColumn {
inline constexpr int kDepth = 0; // L2
}

namespace SectionColumn {
inline constexpr int kDistance = 0; // L2
inline constexpr int kArea = 1;     // L^2
} // namespace SectionColumn

inline constexpr int kSandTemplateId = 1;
inline constexpr int kClayTemplateId = 2;
inline constexpr int kSiltTemplateId = 19;
inline constexpr int kSoilTableId = 10;
inline constexpr int kTzDepthTableId = 0;
inline constexpr int kSectionTableId = 46;
inline constexpr int kMaxSoilLayers = 40;
inline constexpr int kMaxAreaRows = 100;

// The definitions, one per table.
TableBuilder SandTemplateDefinition();
TableBuilder ClayTemplateDefinition();
TableBuilder SiltTemplateDefinition();
TableBuilder SoilTableDefinition();
TableBuilder TzDepthTableDefinition();
TableBuilder SectionTableDefinition();

class TProjectTables
{
public:
    // Builds the six tables in English units, each with its MinRows rows of defaults; the
    // templates first, so that the soil table's first row gets its sand sub-table.
    TProjectTables();
    ~TProjectTables();
    TProjectTables(const TProjectTables&) = delete;
    TProjectTables& operator=(const TProjectTables&) = delete;

    TGridTable& tblDataSand() const { return *m_sand; }
    TGridTable& tblDataClay() const { return *m_clay; }
    TGridTable& tblDataSilt() const { return *m_silt; }
    TGridTable& D() const { return *m_soil; }
    TGridTable& TblTZDepth() const { return *m_tzDepth; }
    TGridTable& Sectionaldata() const { return *m_section; }

    // The six tables in creation order.
    std::array<TGridTable*, 6> All() const;

    // Every table to 0 rows and then its MinRows rows of defaults.
    void ResetRows();
    // Converts every table (and sub-table) to the unit system.
    void SetUnits(int units);
    bool GetChanged() const;
    void ResetChanged();

    // The registry of this set's tables and their sub-tables.
    TGridTableRegistry& Registry() { return m_registry; }

private:
    TGridTableRegistry m_registry; // first: it outlives the tables
    std::unique_ptr<TGridTable> m_sand;
    std::unique_ptr<TGridTable> m_clay;
    std::unique_ptr<TGridTable> m_silt;
    std::unique_ptr<TGridTable> m_soil;
    std::unique_ptr<TGridTable> m_tzDepth;
    std::unique_ptr<TGridTable> m_section;
};
