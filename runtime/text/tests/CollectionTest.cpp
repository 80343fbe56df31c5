#include <gtest/gtest.h>

#include <map>
#include <string>

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Enumeration.h"
#include "runtime/text/Hashtable.h"
#include "runtime/text/Integer.h"
#include "runtime/text/NoSuchElementException.h"
#include "runtime/text/String.h"
#include "runtime/text/Vector.h"

using namespace java::lang;
using namespace java::util;

TEST(Vector, RemovingShiftsDownAndClearsTheFreedSlot) {
    auto vector = jnew<Vector>();
    JavaPtr<Object> items[12];
    for (auto& item : items) {
        item = jnew<Integer>(7);  // equal values, distinct objects
        vector->addElement(item);
    }
    EXPECT_EQ(vector->size(), 12);
    EXPECT_GE(vector->capacity(), 12);

    EXPECT_TRUE(vector->removeElement(items[3]));
    EXPECT_FALSE(vector->removeElement(items[3]));
    EXPECT_FALSE(vector->removeElement(jnew<Integer>(7)));  // identity, not equals
    EXPECT_EQ(vector->size(), 11);
    EXPECT_TRUE(vector->elementAt(3) == items[4]);
    EXPECT_TRUE(vector->elementAt(10) == items[11]);
    EXPECT_TRUE(vector->elementAt(11) == nullptr);
    EXPECT_TRUE(vector->elementAt(vector->capacity() - 1) == nullptr);
    EXPECT_THROW(vector->elementAt(vector->capacity()), ArrayIndexOutOfBoundsException);
    EXPECT_THROW(vector->elementAt(-1), ArrayIndexOutOfBoundsException);
}

TEST(Hashtable, KeysAndValuesStayPairedThroughGrowthAndRemoval) {
    auto table = jnew<Hashtable>();
    for (int i = 0; i < 500; ++i) table->put(jnew<String>(i), jnew<Integer>(i * 3));
    for (int i = 0; i < 500; i += 3) EXPECT_TRUE(table->remove(jnew<String>(i)) != nullptr);
    EXPECT_TRUE(table->remove(jnew<String>(0)) == nullptr);
    auto replaced = table->put(jnew<String>(1), jnew<Integer>(-1));
    EXPECT_EQ(recastObj<Integer>(replaced)->intValue(), 3);

    std::map<int, int> seen;
    auto keys = table->keys();
    auto values = table->elements();
    while (keys->hasMoreElements()) {
        ASSERT_TRUE(values->hasMoreElements());
        const int key = Integer::parseInt(recastObj<String>(keys->nextElement()));
        seen[key] = recastObj<Integer>(values->nextElement())->intValue();
    }
    EXPECT_FALSE(values->hasMoreElements());
    EXPECT_THROW(keys->nextElement(), NoSuchElementException);

    EXPECT_EQ(table->size(), 333);
    ASSERT_EQ(seen.size(), 333u);
    for (const auto& [key, value] : seen) {
        EXPECT_NE(key % 3, 0);
        EXPECT_EQ(value, key == 1 ? -1 : key * 3);
        EXPECT_EQ(recastObj<Integer>(table->get(jnew<String>(key)))->intValue(), value);
    }
    EXPECT_TRUE(table->get(jnew<String>(3)) == nullptr);
}

TEST(Hashtable, RejectsNullKeysAndValues) {
    auto table = jnew<Hashtable>();
    EXPECT_THROW(table->put(nullptr, jnew<String>("v")), NullPointerException);
    EXPECT_THROW(table->put(jnew<String>("k"), nullptr), NullPointerException);
    EXPECT_THROW(table->get(nullptr), NullPointerException);
}

TEST(Hashtable, EnumerationIsASnapshot) {
    auto table = jnew<Hashtable>();
    table->put(jnew<String>("a"), jnew<String>("1"));
    auto keys = table->keys();
    table->remove(jnew<String>("a"));
    ASSERT_TRUE(keys->hasMoreElements());
    EXPECT_TRUE(recastObj<String>(keys->nextElement())->equals(jnew<String>("a")));
}
