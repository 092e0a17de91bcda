#pragma once

#include <functional>
#include <iosfwd>
#include <string>

// Local date and time as the report's date block prints it.
struct TDateTime
{
    int YEAR = 0;
    int MONTH = 0; // 1..12
    int DAY = 0;
    int HOUR = 0;
    int MINUTE = 0;
    int SECOND = 0;
};

using TClock = std::function<TDateTime()>;

// The platform clock, local time.
TDateTime SystemClock();

// What a run takes from its caller beyond the files: where names.dat is, the clock of the
// date block, and the console. The export uses the defaults; tests set their own.
struct TRunEnvironment
{
    std::string namesFile = "names.dat";
    TClock clock;                      // empty: SystemClock
    std::ostream* console = nullptr;   // empty: standard output
    std::istream* consoleIn = nullptr; // empty: standard input
    // The console prompts for missing names.dat lines are offered only to a person at a
    // terminal; otherwise a missing line stops the run.
    bool promptsAllowed = false;
};

// The environment of a real run: names.dat in the current folder, the system clock, the
// process's standard streams, prompts when standard input is a terminal.
TRunEnvironment DefaultEnvironment();
