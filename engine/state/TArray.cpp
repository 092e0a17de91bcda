#include "state/TArray.h"

#include <string>

#include "state/EngineErrors.h"

void RaiseIndexError(int i, int n)
{
    throw EEngineIndexError("index " + std::to_string(i) + " outside 1.." + std::to_string(n));
}

void RaiseIndexError(int r, int c, int rows, int cols)
{
    throw EEngineIndexError("index (" + std::to_string(r) + "," + std::to_string(c)
                            + ") outside (1.." + std::to_string(rows) + ",1.."
                            + std::to_string(cols) + ")");
}
