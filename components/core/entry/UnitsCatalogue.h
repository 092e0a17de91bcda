#pragma once

#include <string>

#include "support/Exception.h"
#include "support/TObjectList.h"

// A duplicate unit symbol or category name.
class eNameError : public Exception
{
public:
    using Exception::Exception;
};

// One unit of measure: how many base units of its category one unit is.
class TUnit
{
public:
    TUnit(std::string symbol, std::string name, long double factor);

    std::string Symbol;
    std::string Name;
    long double Factor;
    // Marks for editors of the catalogue; nothing in the program reads them.
    bool Enabled = true;
    bool Custom = false;
};

// A category of units (length, time, ...) with a base unit and a selected pair ("from", "to").
class TCategory
{
public:
    explicit TCategory(std::string name);

    TUnit* GetUnit(int index) const { return m_units.GetItem(index); }
    int GetCount() const { return m_units.GetCount(); }

    // Raises eNameError "<symbol> already exists. A unit's symbol must be unique." for a symbol
    // already there (case-sensitive). The first unit becomes the base.
    void AddUnit(const std::string& symbol, const std::string& name, long double factor);
    // Frees the unit; the base and the selection indices follow the removal. Deleting the base
    // leaves the category without a base (-1) and the factors unchanged.
    void DeleteUnit(int index);
    // Rescales every factor so that unit `index` is 1; -1 only clears the base. A unit with a
    // zero or non-finite factor cannot be the base (EAssertionFailed).
    void SetBaseUnit(int index);

    std::string Name;
    int BaseIndex = 0;
    int FromIndex = 0;
    int ToIndex = 0;
    bool InCatalogue = false;
    long double Amount = 1.0L;

private:
    TObjectList<TUnit> m_units;
};

// The catalogue: categories, index 0 first.
class TCategories
{
public:
    int GetCount() const { return m_categories.GetCount(); }
    // Raises EListError "<index> Out of Range 0-<count>" outside 0 .. count - 1.
    TCategory* GetCategory(int index) const;
    // Raises eNameError "<name> already exists." for a name already there.
    TCategory* AddCategory(const std::string& name);

private:
    TObjectList<TCategory> m_categories;
};

// Fills a catalogue with the six standard categories (Length, Time, Force, Temperature, Angle,
// Computer Bits), the first unit of each being its base.
void FillUnitCategories(TCategories& categories);

// The program's catalogue: built by the first InitializeUnitCategories, freed when
// FinalizeUnitCategories has been called as often. Null outside that span.
extern TCategories* UnitCategories;
void InitializeUnitCategories();
void FinalizeUnitCategories();
