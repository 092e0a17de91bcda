#pragma once

// The quoted constants of the program side (its files, graphs and pictures), each once, as the
// engine keeps its own in state/Constants.h. The roundings are the ones the written files were
// always made with: a perimeter or area in a file changes with them, so they stay as quoted.

// Pi to four places: the perimeter OD x 3.1416 of a circular pile, the section areas of the
// pile windows and the taper angle of the side view.
inline constexpr long double kPiTo4 = 3.1416L;
// Pi / 4 to four places: the steel area of the GRLWEAP file.
inline constexpr long double kQuarterPiTo4 = 0.7854L;
