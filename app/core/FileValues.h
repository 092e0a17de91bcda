#pragma once

class TWordReader;

// The next word of a project or CPT side file as a real number the engine can read back: the
// engine reads every number the program writes as a 64-bit real and refuses one of more than
// 1E15 in size, or one too small to be held other than 0 (1E309 and 1E-400 would reach it as
// not a number at all). Such a value raises EInOutError at its line and item:
//   "Error on Line n Item m\rA number of at most 1E15 in size was expected but not found."
//   "Error on Line n Item m\rA number of 0 or at least 1E-307 in size was expected but not
//   found."
long double ReadEngineReal(TWordReader& reader);

// The text above for a value the engine would refuse, or nullptr.
const char* EngineRangeProblem(long double value);
