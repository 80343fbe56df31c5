// Type ids and checked casts: an object answers for its class, bases, interfaces, Object and Smart.
#include <gtest/gtest.h>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/JArray.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/tests/TestClasses.h"
#include "runtime/text/String.h"

using namespace java::lang;
using langtest::Channel;
using langtest::Device;
using langtest::Readable;
using langtest::Tracked;
using langtest::Writable;

namespace {

TEST(TypeId, IsTheStringHashOfTheDottedName) {
    struct Vector {
        const char* name;
        int32_t id;
    };
    const Vector vectors[] = {
        {"java.lang.Object", 1063877011},
        {"javax.microedition.sensor.sensorinfo_plane_tilt_internal", -1808381795},
        {"javax.microedition.sensor.channelinfo_internal", 513557411},
        {"javax.microedition.sensor.sensorconnection_internal", -2055687316},
        {"", 0},
    };
    for (const Vector& vector : vectors) {
        EXPECT_EQ(typeIdOf(vector.name), vector.id) << vector.name;
        EXPECT_EQ(jnew<String>(vector.name)->hashCode(), vector.id) << vector.name;
    }
}

TEST(TypeId, ClassNameIsTheDottedName) {
    const std::pair<JavaPtr<Object>, const char16_t*> rows[] = {
        {jnew<Channel>(), u"langtest.Channel"},
        {jnew<Object>(), u"java.lang.Object"},
        {jnew<NumberFormatException>(), u"java.lang.NumberFormatException"},
        {jnew<JArray<Tracked>>(1), u"langtest.Tracked"},
    };
    for (const auto& [object, name] : rows) EXPECT_EQ(object->getClassTypeName()->view(), name);
}

TEST(Cast, ObjectAnswersForItsClassBasesInterfacesObjectAndSmartOnly) {
    struct Expected {
        const char* name;
        int32_t id;
        bool answers;
    };
    const Expected table[] = {
        {"its class", Channel::typeID, true},
        {"its base class", Device::typeID, true},
        {"first interface", Readable::typeID, true},
        {"second interface", Writable::typeID, true},
        {"Object", Object::typeID, true},
        {"Smart", Smart::typeID, true},
        {"an unrelated class", Tracked::typeID, false},
        {"an unrelated library class", Throwable::typeID, false},
        {"the interface of another class", Runnable::typeID, false},
        {"no class", 12345, false},
    };
    JavaPtr<Channel> channel = jnew<Channel>();
    // Every view of the object must give the same answers.
    Smart* views[] = {channel.smart(), JavaPtr<Object>(channel).get(), JavaPtr<Readable>(channel).get(),
                      JavaPtr<Writable>(channel).get()};
    for (const Expected& row : table) {
        SCOPED_TRACE(row.name);
        for (Smart* view : views) {
            EXPECT_EQ(view->castAsTypeID(row.id) != nullptr, row.answers);
            EXPECT_EQ(instanceofObj(view, row.id), row.answers);
            EXPECT_EQ(Channel::castAsTypeIDS(view, row.id) != nullptr, row.answers);
        }
    }
}

TEST(Cast, CheckedCastGivesTheObjectSeenAsTheClassOrNull) {
    JavaPtr<Channel> channel = jnew<Channel>();
    JavaPtr<Object> asObject = channel;
    JavaPtr<Readable> asReadable = recastObj<Readable>(asObject);
    JavaPtr<Writable> asWritable = recastObj<Writable>(asReadable);
    JavaPtr<Device> asDevice = recastObj<Device>(asWritable);
    JavaPtr<Channel> back = recastObj<Channel>(asReadable);
    ASSERT_TRUE(asReadable && asWritable && asDevice && back);
    // The typed pointers must be the real sub-objects, not the same address reinterpreted.
    EXPECT_EQ(asReadable.get(), static_cast<Readable*>(channel.get()));
    EXPECT_EQ(asWritable.get(), static_cast<Writable*>(channel.get()));
    EXPECT_EQ(back.get(), channel.get());
    asWritable->write(42);
    EXPECT_EQ(asReadable->read(), 42);
    EXPECT_EQ(channel->referenceCount(), 6);

    EXPECT_FALSE(recastObj<Tracked>(asObject));
    EXPECT_FALSE(recastObj<Runnable>(asObject));
    EXPECT_FALSE(recastObj<Channel>(JavaPtr<Object>()));
    EXPECT_EQ(recastObj(nullptr, Object::typeID), nullptr);
    EXPECT_FALSE(Channel::castAsTypeIDS(nullptr, Channel::typeID));
    EXPECT_FALSE(instanceofObj(JavaPtr<Object>(), Object::typeID));
}

TEST(Cast, ExceptionAnswersForItsWholeHierarchy) {
    JavaPtr<Object> thrown = jnew<NumberFormatException>();
    for (int32_t id : {NumberFormatException::typeID, IllegalArgumentException::typeID, RuntimeException::typeID,
                       Exception::typeID, Throwable::typeID, Object::typeID, Smart::typeID})
        EXPECT_TRUE(instanceofObj(thrown, id)) << id;
    EXPECT_FALSE(instanceofObj(thrown, NullPointerException::typeID));
    EXPECT_FALSE(instanceofObj(thrown, IllegalStateException::typeID));
}

TEST(Cast, ThreadAnswersAsRunnable) {
    JavaPtr<Object> thread = jnew<Thread>();
    JavaPtr<Runnable> runnable = recastObj<Runnable>(thread);
    ASSERT_TRUE(runnable);
    EXPECT_EQ(runnable.get(), static_cast<Runnable*>(static_cast<Thread*>(thread.get())));
}

// An array type's id is its element class's id, so a cast must not take one for the other.
TEST(Cast, CastToAnArrayTypeChecksTheArrayItself) {
    JavaPtr<Object> element = jnew<Channel>();
    JavaPtr<Object> channels = jnew<JArray<Channel>>(2);
    JavaPtr<Object> ints = jnew<JArray<int>>(3);
    JavaPtr<Object> grid = jnew<JArray<JArray<int>>>(1);

    EXPECT_FALSE(recastObj<JArray<Channel>>(element));
    EXPECT_FALSE(recastObj<Channel>(channels));
    EXPECT_TRUE(recastObj<JArray<Channel>>(channels) == channels);
    EXPECT_TRUE(recastObj<JArray<int>>(ints) == ints);
    EXPECT_FALSE(recastObj<JArray<float>>(ints));
    EXPECT_FALSE(recastObj<JArray<int>>(grid));
    EXPECT_TRUE(recastObj<JArray<JArray<int>>>(grid));
}

}  // namespace
