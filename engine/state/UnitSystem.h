#pragma once

// The project's unit system. The project file holds its code (1 English: ft, in, kips, ksf;
// 2 SI: m, mm, kN, kPa) and the reader refuses any other; every part of the engine asks this
// one value instead of testing the code itself.
enum class EUnitSystem
{
    English,
    SI,
};

// The engine's rule for a code: 1 or less is English, anything else SI.
constexpr EUnitSystem UnitSystemOf(int unitsCode)
{
    return unitsCode <= 1 ? EUnitSystem::English : EUnitSystem::SI;
}

constexpr bool IsEnglish(EUnitSystem system)
{
    return system == EUnitSystem::English;
}
