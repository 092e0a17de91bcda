#include "entry/UnitsCatalogue.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "support/Helpers.h"

TUnit::TUnit(std::string symbol, std::string name, long double factor)
    : Symbol(std::move(symbol))
    , Name(std::move(name))
    , Factor(factor)
{}

TCategory::TCategory(std::string name)
    : Name(std::move(name))
{}

void TCategory::AddUnit(const std::string& symbol, const std::string& name, long double factor)
{
    for (const TUnit* unit : m_units) {
        if (unit->Symbol == symbol) {
            throw eNameError(symbol + " already exists. A unit's symbol must be unique.");
        }
    }
    m_units.Add(new TUnit(symbol, name, factor));
    if (GetCount() == 1) {
        SetBaseUnit(0);
    }
}

void TCategory::DeleteUnit(int index)
{
    GetUnit(index); // index check before anything changes
    const int last = GetCount() - 1;
    if (index == BaseIndex) {
        SetBaseUnit(-1);
    }
    for (int* selected : {&BaseIndex, &FromIndex, &ToIndex}) {
        if (*selected > index) {
            --*selected;
        }
    }
    for (int* selected : {&FromIndex, &ToIndex}) {
        if (*selected == index && index == last && GetCount() > 1) {
            --*selected;
        }
    }
    m_units.Delete(index);
}

void TCategory::SetBaseUnit(int index)
{
    if (index != -1) {
        const long double base = GetUnit(index)->Factor;
        RaiseUnless(std::isfinite(base) && base != 0,
                    "Unit " + GetUnit(index)->Symbol + " cannot be the base: its factor is "
                        + std::string(base == 0 ? "zero." : "not a number."));
        for (int i = 0; i < GetCount(); ++i) {
            if (i != index) {
                GetUnit(i)->Factor /= base;
            }
        }
        GetUnit(index)->Factor = 1.0L;
    }
    BaseIndex = index;
}

TCategory* TCategories::GetCategory(int index) const
{
    if (index < 0 || index >= GetCount()) {
        throw EListError(std::to_string(index) + " Out of Range 0-" + std::to_string(GetCount()));
    }
    return m_categories.GetItem(index);
}

TCategory* TCategories::AddCategory(const std::string& name)
{
    for (const TCategory* category : m_categories) {
        if (category->Name == name) {
            throw eNameError(name + " already exists.");
        }
    }
    auto* category = new TCategory(name);
    category->InCatalogue = true;
    m_categories.Add(category);
    return category;
}

void FillUnitCategories(TCategories& categories)
{
    TCategory* length = categories.AddCategory("Length");
    length->AddUnit("mm", "millimeters", 1);
    length->AddUnit("cm", "centimeters", 10);
    length->AddUnit("m", "meters", 1000);
    length->AddUnit("km", "kilometers", 1000000);
    length->AddUnit("in", "inches", 25.4L);
    length->AddUnit("ft", "feet", 304.8L);
    length->AddUnit("yd", "yards", 914.4L);
    length->AddUnit("f", "fathoms", 1828.8L);
    length->AddUnit("mi", "miles, statute", 1609344);
    length->AddUnit("nmi", "nautical miles, U.S.", 1852000);
    length->AddUnit("league", "leagues, statute", 4828032);
    length->AddUnit("au", "astronomical units", 1.4959789e14L);

    TCategory* time = categories.AddCategory("Time");
    time->AddUnit("PH s", "seconds", 1);
    time->AddUnit("ns", "nanoseconds", 1e-9L);
    time->AddUnit("ms", "milliseconds", 0.001L);
    time->AddUnit("mn", "minutes", 60);
    time->AddUnit("hr", "hours", 3600);
    time->AddUnit("day", "days", 86400);
    time->AddUnit("wk", "weeks", 604800);
    time->AddUnit("mth", "months", 2629800);
    time->AddUnit("yr", "years", 31557600);
    time->AddUnit("dec", "decades", 315576000);
    time->AddUnit("cen", "centuries", 3155760000.0L);
    time->AddUnit("mnm", "millenia", 31557600000.0L);
    time->AddUnit("eon", "eons", 3.15576e16L);

    // Pound-force is defined exactly: 0.45359237 kg x 9.80665 m/s^2 (NIST SP 811, B.8).
    constexpr long double kGravity = 9.80665L;
    constexpr long double kPoundForce = 0.45359237L * kGravity;
    TCategory* force = categories.AddCategory("Force");
    force->AddUnit("N", "newtons", 1);
    force->AddUnit("kN", "kilonewtons", 1000);
    force->AddUnit("amu", "atomic mass units", 1.6284334591e-26L);
    force->AddUnit("mg", "milligrams", 1e-6L * kGravity);
    force->AddUnit("g", "grams force", 1e-3L * kGravity);
    force->AddUnit("kg", "kilograms force", kGravity);
    force->AddUnit("tn", "metric tons", 1000 * kGravity);
    force->AddUnit("oz", "ounces force", kPoundForce / 16);
    force->AddUnit("lb", "pounds force", kPoundForce);
    force->AddUnit("kip", "kilopounds", 1000 * kPoundForce);
    force->AddUnit("ton", "U.S. Tons force, short", 2000 * kPoundForce);

    // Only the names: temperatures need offsets, which a factor cannot carry.
    TCategory* temperature = categories.AddCategory("Temperature");
    temperature->AddUnit("C", "Celsius", 1);
    temperature->AddUnit("F", "Fahrenheit", 1);
    temperature->AddUnit("K", "Kelvin", 1);
    temperature->AddUnit("R", "Rankine", 1);

    TCategory* angle = categories.AddCategory("Angle");
    angle->AddUnit("PH rev", "place holder", 1);
    angle->AddUnit("rad", "radians", 1 / (2 * std::numbers::pi_v<long double>));
    angle->AddUnit("gr", "grades", 0.0025L);
    angle->AddUnit("deg", "degrees", 1 / 360.0L);
    angle->AddUnit("quad", "quadrants", 0.25L);
    angle->AddUnit("rev", "revolutions", 1);

    TCategory* bits = categories.AddCategory("Computer Bits");
    bits->AddUnit("b", "bits", 1);
    bits->AddUnit("Kb", "kilobits", 0x1p10L);
    bits->AddUnit("Mb", "megabits", 0x1p20L);
    bits->AddUnit("Gb", "gigabits", 0x1p30L);
    bits->AddUnit("Tb", "terabits", 0x1p40L);
    bits->AddUnit("B", "bytes", 8);
    bits->AddUnit("KB", "kilobytes", 0x1p13L);
    bits->AddUnit("MB", "megabytes", 0x1p23L);
    bits->AddUnit("GB", "gigabytes", 0x1p33L);
    bits->AddUnit("TB", "terabytes", 0x1p43L);
}

TCategories* UnitCategories = nullptr;

namespace {
int initializeCount = 0;
}

void InitializeUnitCategories()
{
    if (initializeCount++ == 0) {
        auto* categories = new TCategories;
        try {
            FillUnitCategories(*categories);
        } catch (...) {
            delete categories;
            --initializeCount;
            throw;
        }
        UnitCategories = categories;
    }
}

void FinalizeUnitCategories()
{
    if (initializeCount > 0 && --initializeCount == 0) {
        delete std::exchange(UnitCategories, nullptr);
    }
}
