#include "run/RunEnvironment.h"

#include <ctime>
#include <iostream>

#include <unistd.h>

TDateTime SystemClock()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    TDateTime t;
    t.YEAR = local.tm_year + 1900;
    t.MONTH = local.tm_mon + 1;
    t.DAY = local.tm_mday;
    t.HOUR = local.tm_hour;
    t.MINUTE = local.tm_min;
    t.SECOND = local.tm_sec;
    return t;
}

TRunEnvironment DefaultEnvironment()
{
    TRunEnvironment env;
    env.clock = SystemClock;
    env.console = &std::cout;
    env.consoleIn = &std::cin;
    env.promptsAllowed = isatty(STDIN_FILENO) != 0;
    return env;
}
