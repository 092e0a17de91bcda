#include "ProjectTables.h"

namespace {

// Line breaks of the editor's comment label.
const char* const kBullet = "\xC2\xB7 "; // middle dot, UTF-8

std::string SoilComments()
{
    return std::string("Max. Side Friction and Max. End Bearing:\n") + kBullet
           + "If entries are left as zero, the program assumes no limits in side transfer\n"
           + kBullet
           + "Use a very small number (eg. 0.001) for layers where load transfer should be "
             "ignored\n"
           + kBullet
           + "The bottom of the last layer has to be deeper than the pile tip by 2 pile "
             "diameters.\n"
           + kBullet
           + "The user can use the reduction factors for LRFD requirement or other design "
             "considerations such as driving strength loss.";
}

const char* const kSandComments =
    "Friction Angle may be computed from Blow Counts if Blow Counts is a value other than "
    "zero\n"
    "API recommendations for Ko (coefficient of lateral earth pressure) are:\n"
    "Ko = 1 for full-displacement piles, and Ko = 0.8 for open-ended pipe piles\n"
    "API recommendations for Nq (bearing capacity factor) may vary from 8 to 50 according to "
    "the density of sand\n"
    "Ko and Nq are required input, but only used by the API method \n"
    "These values may be different for other computation methods (FHWA, USACE, etc.)\n"
    "The interface friction angle is 5 degrees less than the inputted internal friction angle";

const char* const kClayComments =
    "Remolded Shear Strength is only used for open-ended pipe piles to compute\n"
    "the resistance in skin friction along the inner surface of the pipe as the\n"
    "soil plug enters the pipe.  A reduced strength may account for the fact\n"
    "that the internal plug may be highly disturbed as it enters the pile.\n"
    "PI and YSR are required only for Offshore-Pile Design Methods.";

const char* const kLayerTopLeft = "Location, 1=Top, 2=Bottom";

// Headings shared by the three soil templates.
const std::vector<std::string> kUnitWeight = {"Effective Unit ", "Weight,"};
const std::vector<std::string> kFrictionAngle = {"Friction Angle", "(degrees)"};
const std::vector<std::string> kBlowCount = {"Blow Counts", "(optional)"};
const std::vector<std::string> kKo = {"Coefficient", "Ko"};
const std::vector<std::string> kQc = {"Qc from CPT", "(optional),"};
const std::vector<std::string> kUserSkin = {"User Unit Skin", "Friction,"};
const std::vector<std::string> kUserEnd = {"User Unit End", "Bearing,"};
const std::vector<std::string> kUndrained = {"Undrained Shear", "Strength,"};

// User unit values are shown only while the user-specified method drives the
// load-settlement curve, which a new project does not select.
TableBuilder LayerTemplate(const char* caption, int identifier)
{
    TableBuilder b(caption);
    b.Identifier(identifier).Rows(2, 2).TopLeft(kLayerTopLeft);
    return b;
}

} // namespace

TableBuilder SandTemplateDefinition()
{
    TableBuilder b = LayerTemplate("Sand Layer Data", kSandTemplateId);
    b.Comments(kSandComments)
        .Float(kUnitWeight, "F/L2^3")
        .Float(kFrictionAngle)
        .Int(kBlowCount, 0, 0, 100)
        .Float(kKo)
        .Float({"Bearing Capacity", "Factor Nq (API)"})
        .Float(kQc, "F/L2^2")
        .Float(kUserSkin, "F/L2^2")
        .Hidden()
        .Float(kUserEnd, "F/L2^2")
        .Hidden();
    return b;
}

TableBuilder ClayTemplateDefinition()
{
    TableBuilder b = LayerTemplate("Clay Layer Data", kClayTemplateId);
    b.Comments(kClayComments)
        .Float(kUnitWeight, "F/L2^3")
        .Float(kUndrained, "F/L2^2")
        .Float({"Remolded Shear", "Strength,"}, "F/L2^2")
        .Float({"Plastic Index", "PI (%, optional)"})
        .Float({"Yield Stress Ratio", "YSR (optional)"})
        .Float(kQc, "F/L2^2")
        .Float(kUserSkin, "F/L2^2")
        .Hidden()
        .Float(kUserEnd, "F/L2^2")
        .Hidden()
        .Int({"Adhesion", "Method"}, 0, 0, 4);
    return b;
}

TableBuilder SiltTemplateDefinition()
{
    TableBuilder b = LayerTemplate("Silt Layer Data", kSiltTemplateId);
    b.Float(kUnitWeight, "F/L2^3")
        .Float(kFrictionAngle)
        .Int(kBlowCount, 0, 0, 100)
        .Float(kKo)
        .Float(kUndrained, "F/L2^2")
        .Float({"Dummy"})
        .Hidden()
        .Float(kUserSkin, "F/L2^2")
        .Hidden()
        .Float(kUserEnd, "F/L2^2")
        .Hidden();
    return b;
}

TableBuilder SoilTableDefinition()
{
    TableBuilder b("Soil Properties");
    b.Identifier(kSoilTableId)
        .Rows(1, kMaxSoilLayers)
        .TopLeft("Layer")
        .Comments(SoilComments())
        .Enum({"Soil Type"}, {"sand", "clay", "silt"})
        .Float({"Depth at Bottom ", "of each Layer"}, "L2")
        .SubTables({"Layer Data"}, {kSandTemplateId, kClayTemplateId, kSiltTemplateId})
        .Float({"Max. Side Friction"}, "F/L2^2")
        .Float({"Max. End Bearing"}, "F/L2^2")
        .Float({"Reduction/Resistance ", "Factors on Side Friction"}, "", 1.0L)
        .Float({"Reduction/Resistance ", "Factors on End Bearing"}, "", 1.0L);
    return b;
}

TableBuilder TzDepthTableDefinition()
{
    TableBuilder b("Depths for Internally-generated t-z curves");
    b.Identifier(kTzDepthTableId).Rows(1, 0).Float({"Depth below the ground", "surface"}, "L2");
    return b;
}

TableBuilder SectionTableDefinition()
{
    TableBuilder b("Cross Section Area");
    b.Identifier(kSectionTableId)
        .Rows(2, kMaxAreaRows)
        .Float({"Distance from ", "pile head,"}, "L2")
        .Float({"Cross section area,"}, "L^2");
    return b;
}

TProjectTables::TProjectTables()
    : m_sand(SandTemplateDefinition().Build(m_registry))
    , m_clay(ClayTemplateDefinition().Build(m_registry))
    , m_silt(SiltTemplateDefinition().Build(m_registry))
    , m_soil(SoilTableDefinition().Build(m_registry))
    , m_tzDepth(TzDepthTableDefinition().Build(m_registry))
    , m_section(SectionTableDefinition().Build(m_registry))
{}

// The soil table goes first: its sub-tables are copies, but nothing should outlive the
// templates they were made from.
TProjectTables::~TProjectTables()
{
    m_soil.reset();
}

std::array<TGridTable*, 6> TProjectTables::All() const
{
    return {m_sand.get(),
            m_clay.get(),
            m_silt.get(),
            m_soil.get(),
            m_tzDepth.get(),
            m_section.get()};
}

void TProjectTables::ResetRows()
{
    for (TGridTable* table : All()) {
        table->SetRowCount(0);
        table->SetRowCount(table->MinRows());
    }
}

void TProjectTables::SetUnits(int units)
{
    for (TGridTable* table : All()) {
        table->SetUnits(units);
    }
}

bool TProjectTables::GetChanged() const
{
    for (TGridTable* table : All()) {
        if (table->GetChanged()) {
            return true;
        }
    }
    return false;
}

void TProjectTables::ResetChanged()
{
    for (TGridTable* table : All()) {
        table->ResetChanged();
    }
}
