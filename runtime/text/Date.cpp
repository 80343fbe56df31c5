#include "runtime/text/Date.h"

#include "runtime/lang/System.h"

namespace java::util {

Date::Date() : m_millis(java::lang::System::currentTimeMillis()) {}

}  // namespace java::util
