#include "entry/Units.h"

#include <algorithm>
#include <cmath>

namespace {

// Exponents are one digit. Anything else where one is due is an error, never a read past the
// end of the term.
int ExponentDigit(std::string_view term, std::size_t index)
{
    if (index >= term.size()) {
        throw EConvertError("Unit '" + std::string(term) + "': an exponent digit is missing.");
    }
    const char c = term[index];
    if (c < '0' || c > '9') {
        throw EConvertError("Unit '" + std::string(term) + "': '" + std::string(1, c)
                            + "' is not an exponent digit.");
    }
    return c - '0';
}

// Integer power by repeated squaring, in extended precision.
long double IntPower(long double base, int exponent)
{
    long double result = 1.0L;
    long double square = base;
    for (int e = exponent; e > 0; e >>= 1) {
        if (e & 1) {
            result *= square;
        }
        square *= square;
    }
    return result;
}

int ForceEntry(char digit)
{
    switch (digit) {
    case '1':
        return kUnitF1;
    case '2':
        return kUnitF2;
    case '4':
        return kUnitF4;
    case '5':
        return kUnitF5;
    case '6':
        return kUnitF6;
    default:
        return kUnitF0;
    }
}

int LengthEntry(char digit)
{
    switch (digit) {
    case '0':
        return kUnitL0;
    case '1':
        return kUnitL1;
    case '3':
        return kUnitL3;
    default:
        return kUnitL2;
    }
}

bool IsForceDigit(char c)
{
    return c == '0' || c == '1' || c == '2' || c == '4' || c == '5' || c == '6';
}

const char* UnitName(int entry, int system)
{
    return UnitPlaceholders[entry].Names[ClampUnitSystem(system) - 1];
}

} // namespace

const std::array<TUnitPlaceholder, 10> UnitPlaceholders = {{
    {224.8089237L, {"lbs", "kN", "F"}},
    {0.2248089237L, {"kips", "kN", "F"}},
    {0.1124044745L, {"tons", "kN", "F"}},
    {39.37007874L, {"in", "m", "L"}},
    {0.03937007874L, {"in", "mm", "L"}},
    {3.280839895L, {"ft", "m", "L"}},
    {5.7101483L, {"lb-sec2/in", "Mg", "M"}},
    {1.0L, {"sec", "sec", "T"}},
    {1.0L, {"rad", "rad", "L"}},
    {68.364249L, {"slug", "Mg", "F"}},
}};

int ClampUnitSystem(int system)
{
    return std::clamp(system, kUnitsEnglish, kUnitsLetters);
}

long double PatternFactor(std::string_view term)
{
    std::string rest(term);
    long double forceFactor = 1.0L;
    int forceExponent = 0;
    if (CharAt(rest, 1) == 'F') {
        if (!IsForceDigit(CharAt(rest, 2))) {
            rest.insert(1, 1, '0');
        }
        forceFactor = UnitPlaceholders[ForceEntry(CharAt(rest, 2))].Factor;
        // The force term and one separator character are removed.
        if (CharAt(rest, 3) == '^') {
            forceExponent = ExponentDigit(rest, 3);
            rest = CopyFrom(rest, 6);
        } else {
            forceExponent = 1;
            rest = CopyFrom(rest, 4);
        }
    }
    long double lengthFactor = 1.0L;
    int lengthExponent = 0;
    if (CharAt(rest, 1) == 'L') {
        const char digit = CharAt(rest, 2);
        if (digit < '0' || digit > '3') {
            rest.insert(1, 1, '0');
        }
        lengthFactor = UnitPlaceholders[LengthEntry(CharAt(rest, 2))].Factor;
        lengthExponent = rest.size() > 2 ? ExponentDigit(rest, 3) : 1;
    }
    return IntPower(forceFactor, forceExponent) * IntPower(lengthFactor, lengthExponent);
}

long double UnitFactor(int from, int to, std::string_view pattern)
{
    const int split = PosOrEnd("/", pattern);
    const std::string numerator(pattern.substr(0, split - 1));
    const std::string denominator = CopyFrom(pattern, split + 1);
    long double ratio = 1.0L;
    try {
        ratio = PatternFactor(numerator) / PatternFactor(denominator);
    } catch (const EConvertError& error) {
        throw EConvertError("Unit '" + std::string(pattern) + "' cannot be converted. "
                            + error.Message());
    }
    // The pattern is read for every pair, so a faulty one shows up whatever the systems.
    if (from == kUnitsEnglish && to == kUnitsSI) {
        return 1.0L / ratio;
    }
    if (from == kUnitsSI && to == kUnitsEnglish) {
        return ratio;
    }
    return 1.0L;
}

std::string RenderUnitPattern(std::string_view pattern, int system)
{
    struct Replacement
    {
        const char* placeholder;
        int entry;
    };
    static constexpr Replacement kOrder[] = {
        {"F2", kUnitF2},
        {"F1", kUnitF1},
        {"F4", kUnitF4},
        {"F5", kUnitF5},
        {"F6", kUnitF6},
        {"F", kUnitF0},
        {"L3", kUnitL3},
        {"L2", kUnitL2},
        {"L1", kUnitL1},
        {"L", kUnitL0},
    };
    std::string text(pattern);
    for (const Replacement& r : kOrder) {
        text = ReplaceAll(text, r.placeholder, UnitName(r.entry, system));
    }
    return text;
}

std::string ExpandUnits(std::string_view pattern, int system)
{
    system = ClampUnitSystem(system);
    std::string text(pattern);
    if (system == kUnitsLetters) {
        return text;
    }
    struct Candidate
    {
        const char* placeholder;
        int entry;
    };
    static constexpr Candidate kForces[] = {{"F6", kUnitF6},
                                            {"F5", kUnitF5},
                                            {"F4", kUnitF4},
                                            {"F2", kUnitF2},
                                            {"F1", kUnitF1}};
    static constexpr Candidate kLengths[] = {{"L2", kUnitL2}, {"L1", kUnitL1}, {"L3", kUnitL3}};

    auto renderFirst = [&](const auto& candidates, const char* plain, int plainEntry) {
        for (const Candidate& c : candidates) {
            if (text.find(c.placeholder) != std::string::npos) {
                text = ReplaceAll(text, c.placeholder, UnitName(c.entry, system));
                return;
            }
        }
        text = ReplaceAll(text, plain, UnitName(plainEntry, system));
    };
    renderFirst(kForces, "F", kUnitF0);
    renderFirst(kLengths, "L", kUnitL0);
    return text;
}

bool IsWholeNumber(long double value)
{
    return value >= -2147483648.0L && value <= 2147483647.0L && FracOf(value) == 0;
}
