// Coordinates: distances on the ellipsoid, range checks, and the text forms written and read back.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "runtime/lang/Exceptions.h"
#include "runtime/location/Coordinates.h"
#include "runtime/text/String.h"

namespace {

using java::lang::IllegalArgumentException;
using java::lang::jnew;
using java::lang::String;
using javax::microedition::location::Coordinates;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

JavaPtr<Coordinates> at(double latitude, double longitude) { return jnew<Coordinates>(latitude, longitude, 0.0f); }

TEST(Coordinates, DistancesFollowTheEllipsoid) {
    struct Row {
        double lat1, lon1, lat2, lon2, metres, tolerance;
    };
    const Row rows[] = {
        {0, 0, 0, 1, 111319.5, 0.02},         // one degree along the equator
        {0, -90, 0, 90, 20037508.0, 1.0},      // half the equator: pi times the equatorial radius
        {51.5, 0, 48.85, 2.35, 338860.0, 50},  // two cities
        {0, 0, 0, 0, 0, 0},                    // the same point, exactly
    };
    for (const Row& row : rows)
        EXPECT_NEAR(at(row.lat1, row.lon1)->distance(at(row.lat2, row.lon2)), row.metres, row.tolerance)
            << row.lat1 << "," << row.lon1 << " to " << row.lat2 << "," << row.lon2;
    EXPECT_LT(at(45, 45)->distance(at(45, 45)), 1.0f);
    EXPECT_EQ(at(10, 20)->azimuthTo(nullptr), 0.0f);
}

TEST(Coordinates, OutOfRangeValuesAreRefusedAndKeepTheOldValue) {
    struct Row {
        const char* what;
        std::function<void(Coordinates&)> change;
        bool accepted;
    };
    const Row rows[] = {
        {"latitude 90", [](Coordinates& c) { c.setLatitude(90); }, true},
        {"latitude -90.0001", [](Coordinates& c) { c.setLatitude(-90.0001); }, false},
        {"longitude -180", [](Coordinates& c) { c.setLongitude(-180); }, true},
        {"longitude 180", [](Coordinates& c) { c.setLongitude(180); }, false},
        {"longitude 179.999", [](Coordinates& c) { c.setLongitude(179.999); }, true},
    };
    for (const Row& row : rows) {
        JavaPtr<Coordinates> point = at(1, 2);
        bool thrown = false;
        try {
            row.change(*point);
        } catch (IllegalArgumentException&) {
            thrown = true;
        }
        EXPECT_EQ(thrown, !row.accepted) << row.what;
        if (thrown) EXPECT_TRUE(point->getLatitude() == 1 && point->getLongitude() == 2) << row.what;
    }
    EXPECT_THROW(at(91, 0), IllegalArgumentException);
    EXPECT_THROW(at(0, 180), IllegalArgumentException);
    EXPECT_NO_THROW(at(0, -180));
}

TEST(Coordinates, DegreesAreWrittenAsMinutesOrSecondsWithThreeDigitFractions) {
    struct Row {
        double degrees;
        int32_t type;
        const char* text;  // null: IllegalArgumentException
    };
    const Row rows[] = {
        {61.5, Coordinates::DD_MM, "61:30.000"},
        {61.5, Coordinates::DD_MM_SS, "61:30:0.000"},
        {-61.5, Coordinates::DD_MM, "-61:-30.000"},
        {10 + 1.0 / 2048, Coordinates::DD_MM, "10:0.029"},
        {-(0.5 / 60), Coordinates::DD_MM, "0:0.-500"},
        {-180, Coordinates::DD_MM_SS, "-180:0:0.000"},
        {61.5, 3, nullptr},
        {180, Coordinates::DD_MM, nullptr},
        {NaN, Coordinates::DD_MM, nullptr},
    };
    for (const Row& row : rows) {
        if (!row.text) {
            EXPECT_THROW(Coordinates::convert(row.degrees, row.type), IllegalArgumentException) << row.degrees;
            continue;
        }
        EXPECT_EQ(std::string(Coordinates::convert(row.degrees, row.type)->val()), row.text);
    }
}

TEST(Coordinates, TextsAreReadPartByPartEachWithItsOwnSign) {
    struct Row {
        const char* text;
        double degrees;
    };
    const Row rows[] = {
        {"61:30", 61.5},
        {"61:30.5", 61 + 30.5 / 60},
        {"61:30:30", 61 + 30.5 / 60},
        {"61:30:30.0", 61 + 30.5 / 60},
        {"-61:-30", -61.5},
        {"-61:30", -60.5},
        {"10:75", 11.25},
        {"10:30.050", 10.5 + 0.05 / 60},
        // A negative fraction counts its digits only: -0.5 minutes, not -0.05.
        {"0:0.-500", -0.5 / 60},
        {"0:0:0.-5", -0.5 / 3600},
    };
    for (const Row& row : rows)
        EXPECT_NEAR(Coordinates::convert(jnew<String>(row.text)), row.degrees, 1e-12) << row.text;
    EXPECT_THROW(Coordinates::convert(jnew<String>("6130")), IllegalArgumentException);
    EXPECT_THROW(Coordinates::convert(JavaPtr<String>()), java::lang::NullPointerException);
    EXPECT_THROW(Coordinates::convert(jnew<String>("99999999999:0")), java::lang::NumberFormatException);
}

TEST(Coordinates, WrittenTextsReadBackWithinTheirLastDigit) {
    const double values[] = {-61.5083, -0.0083, -0.000138, -179.99999, -33.868820, 12.3456, 0.0001, 51.477928};
    for (const double value : values) {
        for (const int32_t type : {Coordinates::DD_MM, Coordinates::DD_MM_SS}) {
            // Thousandths of a minute or of a second, cut off: the text is at most one of them short.
            const double lastDigit = type == Coordinates::DD_MM ? 0.001 / 60 : 0.001 / 3600;
            const JavaPtr<String> text = Coordinates::convert(value, type);
            EXPECT_NEAR(Coordinates::convert(text), value, lastDigit + 1e-12) << value << " as " << text->val();
        }
    }
}

}  // namespace
