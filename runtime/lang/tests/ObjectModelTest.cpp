#include <gtest/gtest.h>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/JArray.h"
#include "runtime/text/String.h"

using namespace java::lang;

TEST(Smoke, Builds) {
    JavaPtr<String> s = jnew<String>("java.lang.Object");
    EXPECT_EQ(s->hashCode(), 1063877011);
    EXPECT_EQ(Object::typeID, 1063877011);
}
