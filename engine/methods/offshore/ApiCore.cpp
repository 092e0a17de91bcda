// API RP-2A unit side friction in clay and sand and the sand limit (ApiCore.h).
#include "methods/offshore/ApiCore.h"

#include <algorithm>
#include <cmath>

#include "state/Constants.h"

double ApiClayAlpha(double su, double sigv)
{
    const double psi = std::max(su / std::max(sigv, 1e-10), 1e-10);
    const double alpha = psi <= 1.0 ? 0.5 * std::pow(psi, -0.5) : 0.5 * std::pow(psi, -0.25);
    return std::min(alpha, 1.0);
}

double ApiSandUnitFriction(double k, double sigv, double phi)
{
    return sigv * k * std::tan(std::max(phi - 5.0, 0.0) / kDegreesPerRadian);
}

double ApiSandFrictionLimit(double phi, bool english)
{
    static constexpr double kPhi[] = {20, 25, 30, 35, 40};
    static constexpr double kKsf[] = {1.0, 1.4, 1.7, 2.0, 2.4};
    static constexpr double kKpa[] = {47.8, 67.0, 81.3, 95.7, 114.8};
    const double* f = english ? kKsf : kKpa;
    if (!(phi > kPhi[0])) {
        return f[0];
    }
    for (int i = 1; i < 5; ++i) {
        if (phi <= kPhi[i]) {
            return f[i - 1] + (f[i] - f[i - 1]) * (phi - kPhi[i - 1]) / (kPhi[i] - kPhi[i - 1]);
        }
    }
    return f[4];
}
