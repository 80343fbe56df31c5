// An object lives exactly as long as its counted references, however they are held.
#include <gtest/gtest.h>

#include <atomic>

#include "runtime/lang/JArray.h"
#include "runtime/lang/ref/WeakReference.h"
#include "runtime/lang/tests/TestClasses.h"

using namespace java::lang;
using langtest::Channel;
using langtest::Readable;
using langtest::Tracked;
using langtest::Writable;

namespace {

struct DropCase {
    const char* name;
    // Receives the only reference; must end with the object gone, checking it is alive just before.
    void (*drop)(JavaPtr<Tracked>& only, const std::atomic<int>& destroyed);
};

const DropCase dropCases[] = {
    {"set to null", [](auto& only, auto&) { only = nullptr; }},
    {"moved into a local that leaves scope",
     [](auto& only, auto& destroyed) {
         JavaPtr<Tracked> local = std::move(only);
         EXPECT_FALSE(only);
         EXPECT_EQ(destroyed, 0);
     }},
    {"overwritten by another object",
     [](auto& only, auto& destroyed) {
         static std::atomic<int> otherDestroyed{0};
         only = jnew<Tracked>(&otherDestroyed);
         EXPECT_EQ(destroyed, 1);
         only = nullptr;
     }},
    {"copied to an Object view, then both dropped",
     [](auto& only, auto& destroyed) {
         JavaPtr<Object> view = only;
         only = nullptr;
         EXPECT_EQ(destroyed, 0);
     }},
    {"converting move to an Object view",
     [](auto& only, auto&) {
         JavaPtr<Object> view = std::move(only);
         EXPECT_FALSE(only);
         EXPECT_EQ(view->referenceCount(), 1);
     }},
    {"converting move-assignment over a held Object view",
     [](auto& only, auto&) {
         JavaPtr<Object> view = jnew<Object>();
         view = std::move(only);
         EXPECT_EQ(view->referenceCount(), 1);
     }},
    {"copy-assigned to itself first",
     [](auto& only, auto& destroyed) {
         JavaPtr<Tracked>& alias = only;
         only = alias;
         EXPECT_EQ(destroyed, 0);
         EXPECT_EQ(only->referenceCount(), 1);
         only = nullptr;
     }},
    {"move-assigned to itself first",
     [](auto& only, auto&) {
         JavaPtr<Tracked>& alias = only;
         only = std::move(alias);
         ASSERT_TRUE(only);
         EXPECT_EQ(only->referenceCount(), 1);
         only = nullptr;
     }},
    {"stored as an array element, array dropped",
     [](auto& only, auto& destroyed) {
         auto array = jnew<JArray<Tracked>>(3);
         (*array)[1] = std::move(only);
         EXPECT_EQ(destroyed, 0);
     }},
};

TEST(Lifetime, ObjectIsDestroyedExactlyWhenItsLastReferenceGoes) {
    for (const DropCase& dropCase : dropCases) {
        SCOPED_TRACE(dropCase.name);
        std::atomic<int> destroyed{0};
        JavaPtr<Tracked> only = jnew<Tracked>(&destroyed);
        EXPECT_EQ(only->referenceCount(), 1);
        dropCase.drop(only, destroyed);
        EXPECT_EQ(destroyed, 1);
    }
}

TEST(Lifetime, ReplacingAReferenceByTheOldReferentsOwnFieldKeepsTheFieldsObject) {
    for (bool byMove : {false, true}) {
        SCOPED_TRACE(byMove ? "moved" : "copied");
        std::atomic<int> destroyed{0};
        JavaPtr<Tracked> head = jnew<Tracked>(&destroyed);
        head->next = jnew<Tracked>(&destroyed);
        Tracked* second = head->next.get();
        if (byMove) {
            head = std::move(head->next);
        } else {
            head = head->next;
        }
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(head.get(), second);
        EXPECT_EQ(head->referenceCount(), 1);
        head = nullptr;
        EXPECT_EQ(destroyed, 2);
    }
}

TEST(Lifetime, InterfaceViewsCountAndCompareAsTheSameObject) {
    std::atomic<int> destroyed{0};
    JavaPtr<Channel> channel = jnew<Channel>(&destroyed);
    JavaPtr<Readable> reading = channel;
    JavaPtr<Writable> writing = recastObj<Writable>(reading);
    EXPECT_EQ(channel->referenceCount(), 3);
    EXPECT_TRUE(reading == writing);
    EXPECT_TRUE(writing == channel);

    channel = nullptr;
    reading = nullptr;
    EXPECT_EQ(destroyed, 0);
    writing = nullptr;
    EXPECT_EQ(destroyed, 1);
}

// Its destructor hands itself to code that takes counted references, as listeners do on removal.
class LeavesWithTemporaryReferences : public Tracked {
public:
    using Tracked::Tracked;
    ~LeavesWithTemporaryReferences() override {
        JavaPtr<LeavesWithTemporaryReferences> self(this);
        JavaPtr<Object> view = self;
        JavaPtr<Object> copy = view;
        self = nullptr;
        view = nullptr;
    }
};

TEST(Lifetime, DestructorTakingTemporaryReferencesToItselfDoesNotDestroyAgain) {
    std::atomic<int> destroyed{0};
    JavaPtr<Object> object = jnew<LeavesWithTemporaryReferences>(&destroyed);
    object = nullptr;
    EXPECT_EQ(destroyed, 1);
}

// Registers itself from its constructor body, guarding its count as the application classes do.
class RegistersItself : public Tracked {
public:
    RegistersItself(const JavaPtr<JArray<Object>>& registry, std::atomic<int>* destroyed) : Tracked(destroyed) {
        raiseCount();
        registry->append(JavaPtr<Object>(this));
        lowerCountWithoutRelease();
    }
};

TEST(Lifetime, ConstructorGuardingItsCountSurvivesTemporaryReferences) {
    std::atomic<int> destroyed{0};
    auto registry = jnew<JArray<Object>>(0);
    JavaPtr<RegistersItself> made = jnew<RegistersItself>(registry, &destroyed);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(made->referenceCount(), 2);
    EXPECT_TRUE(registry->data[0] == made);
    made = nullptr;
    registry = nullptr;
    EXPECT_EQ(destroyed, 1);
}

TEST(Lifetime, ArrayAppendCarriesCountsOverAndKeepsIdentity) {
    std::atomic<int> destroyed{0};
    auto array = jnew<JArray<Tracked>>(0);
    JavaPtr<JArray<Tracked>> otherHolder = array;
    for (int i = 0; i < 3; ++i) array->append(jnew<Tracked>(&destroyed));
    EXPECT_EQ(otherHolder->length, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(array->data[i]->referenceCount(), 1);

    array->append(array->data[0]);
    ASSERT_EQ(array->length, 4);
    EXPECT_TRUE(array->data[3] == array->data[0]);
    EXPECT_EQ(array->data[0]->referenceCount(), 2);

    array = nullptr;
    EXPECT_EQ(destroyed, 0);
    otherHolder = nullptr;
    EXPECT_EQ(destroyed, 3);
}

TEST(WeakReference, AnswersTheReferentWithoutCountingItAndIsClearedWhenItDies) {
    std::atomic<int> destroyed{0};
    JavaPtr<Object> referent = jnew<Tracked>(&destroyed);
    auto kept = jnew<ref::WeakReference>(referent);
    auto cleared = jnew<ref::WeakReference>(referent);
    auto dropped = jnew<ref::WeakReference>(referent);
    EXPECT_EQ(referent->referenceCount(), 1);
    EXPECT_TRUE(cleared->get() == referent);
    cleared->clear();
    EXPECT_FALSE(cleared->get());
    dropped = nullptr;
    EXPECT_TRUE(kept->get() == referent);

    referent = nullptr;
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(kept->get());
}

}  // namespace
