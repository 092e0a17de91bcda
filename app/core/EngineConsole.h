#pragma once

#include <string>
#include <vector>

// What the engine writes on its console (the standard output) during its call, collected
// so the run can show the engine's own reason for a stop: the output goes to a file in
// memory while the object lives, and Finish hands it back and passes it on to the standard
// output as it was (a terminal for quarn-run). Nothing is collected where the system offers
// no memory file; the output then goes where it always went.
class TEngineConsole
{
public:
    TEngineConsole();
    ~TEngineConsole();
    TEngineConsole(const TEngineConsole&) = delete;
    TEngineConsole& operator=(const TEngineConsole&) = delete;

    // Puts the standard output back and answers what was written meanwhile.
    std::string Finish();

private:
    int m_saved = -1;
    int m_capture = -1;
};

// The engine's error lines of a console text ("ERROR - ...", "ERROR IN ..."), trimmed, in
// order; a line
// repeated at once is taken once, and at most ten are taken.
std::vector<std::string> EngineErrorLines(const std::string& console);
