#pragma once

// The rules of the control options window.

// A print interval is a whole number of increments, 1..500: the entry rounded to the nearest
// integer, a half to the even neighbour (2.5 gives 2, 3.5 gives 4).
int RoundPrintInterval(long double entry);

// A stored increment of 0 (below 1e-6) is shown, and so stored again, as 1.0.
long double ShownIncrement(long double increment);

inline constexpr int kPrintIntervalMin = 1;
inline constexpr int kPrintIntervalMax = 500;
inline constexpr long double kIncrementMax = 500.0L;
inline constexpr int kTitleMaxLength = 80; // characters, on one line
