#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "runtime/text/Math.h"

using java::lang::Math;

TEST(Math, SineAndCosineFollowTheLibraryAcrossManyTurns) {
    double worst = 0;
    for (double x = -1000; x <= 1000; x += 0.0137) {
        worst = std::max(worst, std::fabs(Math::sin(x) - std::sin(x)));
        worst = std::max(worst, std::fabs(Math::cos(x) - std::cos(x)));
    }
    EXPECT_LT(worst, 1e-5);
    for (double x : {0.0, Math::PI / 4, Math::PI / 2, Math::PI, -Math::PI, 3 * Math::PI / 2, 1000.0, -1000.0}) {
        EXPECT_NEAR(Math::sin(x), std::sin(x), 1e-5) << x;
        EXPECT_NEAR(Math::cos(x), std::cos(x), 1e-5) << x;
    }
    EXPECT_TRUE(std::isnan(Math::sin(INFINITY)));
    EXPECT_TRUE(std::isnan(Math::cos(NAN)));
    EXPECT_DOUBLE_EQ(Math::toRadians(180), Math::PI);
}

// The old single-part reduction lost the quarter near 1e12 and gave exactly 0 or 1 from 1e17.
TEST(Math, SineAndCosineKeepTheirBoundForRandomAnglesOfEveryExponent) {
    std::mt19937_64 random(12);
    double worst = 0;
    double worstAt = 0;
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        for (int i = 0; i < 8; ++i) {
            const double mantissa = std::uniform_real_distribution<double>(1, 2)(random);
            double x = std::ldexp(mantissa, exponent);
            if (!std::isfinite(x)) x = DBL_MAX;
            if (i % 2) x = -x;
            for (double error : {std::fabs(Math::sin(x) - std::sin(x)), std::fabs(Math::cos(x) - std::cos(x))}) {
                if (error > worst) {
                    worst = error;
                    worstAt = x;
                }
            }
        }
    }
    EXPECT_LE(worst, 4e-6) << "at " << worstAt;
    // Among the doubles nearest to a multiple of pi/2.
    for (double x : {6381956970095103.0 * 0x1p797, 5.0e22, 1e300, 1e16, 1e17}) {
        EXPECT_NEAR(Math::sin(x), std::sin(x), 4e-6) << x;
        EXPECT_NEAR(Math::cos(x), std::cos(x), 4e-6) << x;
    }
}

TEST(Math, SquareRootEndsForEveryKindOfDouble) {
    const double inf = std::numeric_limits<double>::infinity();
    const double finite[] = {DBL_TRUE_MIN, 3 * DBL_TRUE_MIN, DBL_MIN / 3, DBL_MIN, 1e-300, 0.25, 1, 2, 3, 10,
                             1e15 + 1, 6.02e23, 1e300, DBL_MAX};
    for (double x : finite) EXPECT_NEAR(Math::sqrt(x), std::sqrt(x), std::sqrt(x) * 4 * DBL_EPSILON) << x;
    for (double x = 0.5; x < 1000; x += 0.37)
        EXPECT_NEAR(Math::sqrt(x), std::sqrt(x), std::sqrt(x) * 4 * DBL_EPSILON) << x;
    EXPECT_EQ(Math::sqrt(0.0), 0.0);
    EXPECT_TRUE(std::signbit(Math::sqrt(-0.0)));
    EXPECT_EQ(Math::sqrt(inf), inf);
    EXPECT_EQ(Math::sqrt(4.0), 2.0);
    for (double x : {-1.0, -DBL_TRUE_MIN, -inf, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_TRUE(std::isnan(Math::sqrt(x))) << x;
}
