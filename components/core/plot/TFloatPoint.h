#pragma once

// One point of a curve or a layer line. Callers write X and Y directly.
struct TFloatPoint
{
    long double X = 0.0L;
    long double Y = 0.0L;
};
