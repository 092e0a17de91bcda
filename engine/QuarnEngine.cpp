#include "QuarnEngine.h"

int RunEngine(int argument)
{
    return argument == 2 ? 0 : 1;
}
