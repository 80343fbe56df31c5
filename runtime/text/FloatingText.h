// The decimal text of a float or double as Float and Double print it: the shortest digits that
// read back to the same value, plain from 10^-3 up to 10^7 and as "d.dddE±n" outside.
#pragma once

#include "runtime/lang/JavaPtr.h"

namespace java::lang {

class String;

namespace detail {
JavaPtr<String> floatingText(double value, bool singlePrecision);
}  // namespace detail

}  // namespace java::lang
