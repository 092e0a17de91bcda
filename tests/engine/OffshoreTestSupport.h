#pragma once

// Shared helpers of the offshore method tests.

#include <cctype>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

namespace OffshoreTest {

// Hand values are written to 10 significant digits.
inline constexpr double kRelTol = 1e-8;

inline void ExpectRel(double actual, double expected, const std::string& what)
{
    EXPECT_NEAR(actual, expected, kRelTol * std::abs(expected) + 1e-12) << what;
}

// A test-case name made of letters, digits and underscores from a case's description.
struct CaseName
{
    template<typename Info>
    std::string operator()(const Info& info) const
    {
        std::string n = info.param.name;
        for (char& ch : n) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return n;
    }
};

} // namespace OffshoreTest
