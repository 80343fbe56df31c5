// The sexagesimal text forms of Coordinates: degrees:minutes.fraction and
// degrees:minutes:seconds.fraction.

#include "runtime/lang/Exceptions.h"
#include "runtime/location/Coordinates.h"
#include "runtime/text/Character.h"
#include "runtime/text/Integer.h"
#include "runtime/text/String.h"

namespace javax::microedition::location {

using java::lang::Character;
using java::lang::IllegalArgumentException;
using java::lang::Integer;
using java::lang::jnew;
using java::lang::String;

namespace {


int32_t truncated(double value) { return static_cast<int32_t>(value); }

// Three digits, with the part's own minus sign before them, so that the reader takes them back
// as thousandths: -0.05 is ".-050".
JavaPtr<String> fractionText(double fraction) {
    int32_t thousandths = truncated(fraction * 1000.0);
    // A fraction a hair below 1 can round up to 1000.
    if (thousandths > 999) thousandths = 999;
    if (thousandths < -999) thousandths = -999;
    const int32_t magnitude = thousandths < 0 ? -thousandths : thousandths;
    char digits[] = {'-', static_cast<char>('0' + magnitude / 100), static_cast<char>('0' + magnitude / 10 % 10),
                     static_cast<char>('0' + magnitude % 10), 0};
    return jnew<String>(thousandths < 0 ? digits : digits + 1);
}

// The text after a point as a decimal fraction: its number over ten to the count of the digits
// that number was read from (a minus sign is no digit).
double fractionOf(const JavaPtr<String>& text) {
    double fraction = Integer::parseInt(text);
    int32_t at = text->length() > 0 && text->units()[0] == u'-' ? 1 : 0;
    for (; at < text->length() && Character::digit(text->units()[at], 10) >= 0; ++at) fraction *= 0.1;
    return fraction;
}

// Adds a whole part, or a whole part and a fraction separated by a point, each over the unit.
double plusPart(double value, const JavaPtr<String>& text, double unit) {
    const int32_t point = text->indexOf('.');
    if (point < 0) return value + Integer::parseInt(text) / unit;
    value += Integer::parseInt(text->substring(0, point)) / unit;
    return value + fractionOf(text->substring(point + 1)) / unit;
}

}  // namespace

JavaPtr<String> Coordinates::convert(double coordinate, int32_t outputType) {
    if (outputType != DD_MM && outputType != DD_MM_SS) throw IllegalArgumentException();
    if (!(coordinate >= -180 && coordinate < 180)) throw IllegalArgumentException();
    const int32_t degrees = truncated(coordinate);
    const double minutes = (coordinate - degrees) * 60.0;
    const int32_t wholeMinutes = truncated(minutes);
    JavaPtr<String> text = jnew<String>(degrees) + ":" + wholeMinutes;
    if (outputType == DD_MM) return text + "." + fractionText(minutes - wholeMinutes);
    const double seconds = (minutes - wholeMinutes) * 60.0;
    const int32_t wholeSeconds = truncated(seconds);
    return text + ":" + wholeSeconds + "." + fractionText(seconds - wholeSeconds);
}

double Coordinates::convert(const JavaPtr<String>& coordinate) {
    if (!coordinate) throw java::lang::NullPointerException();
    const int32_t colon = coordinate->indexOf(':');
    if (colon < 0) throw IllegalArgumentException();
    double value = Integer::parseInt(coordinate->substring(0, colon));
    const JavaPtr<String> rest = coordinate->substring(colon + 1);
    const int32_t secondColon = rest->indexOf(':');
    if (secondColon < 0) return plusPart(value, rest, 60.0);
    value += Integer::parseInt(rest->substring(0, secondColon)) / 60.0;
    return plusPart(value, rest->substring(secondColon + 1), 3600.0);
}

}  // namespace javax::microedition::location
