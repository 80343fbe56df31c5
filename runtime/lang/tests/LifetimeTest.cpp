// An object lives exactly as long as its counted references, however they are held.
#include <gtest/gtest.h>

#include <atomic>

#include "runtime/lang/JArray.h"
#include "runtime/lang/System.h"
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
    {"set to null",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) { only = nullptr; }},
    {"moved into a local that leaves scope",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         {
             JavaPtr<Tracked> local = std::move(only);
             EXPECT_FALSE(only);
             EXPECT_EQ(destroyed, 0);
         }
     }},
    {"overwritten by another object",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         static std::atomic<int> otherDestroyed{0};
         only = jnew<Tracked>(&otherDestroyed);
         EXPECT_EQ(destroyed, 1);
         only = nullptr;
     }},
    {"copied to an Object view, then both dropped",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         JavaPtr<Object> view = only;
         only = nullptr;
         EXPECT_EQ(destroyed, 0);
         view = nullptr;
     }},
    {"converting move to an Object view",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         JavaPtr<Object> view = std::move(only);
         EXPECT_FALSE(only);
         EXPECT_EQ(view->referenceCount(), 1);
         view = nullptr;
     }},
    {"converting move-assignment over a held Object view",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         JavaPtr<Object> view = jnew<Object>();
         view = std::move(only);
         EXPECT_EQ(view->referenceCount(), 1);
         view = nullptr;
     }},
    {"copy-assigned to itself first",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         JavaPtr<Tracked>& alias = only;
         only = alias;
         EXPECT_EQ(destroyed, 0);
         EXPECT_EQ(only->referenceCount(), 1);
         only = nullptr;
     }},
    {"move-assigned to itself first",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         JavaPtr<Tracked>& alias = only;
         only = std::move(alias);
         ASSERT_TRUE(only);
         EXPECT_EQ(only->referenceCount(), 1);
         only = nullptr;
     }},
    {"replaced through assign by the same object",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         only.assign(only);
         EXPECT_EQ(destroyed, 0);
         only.m_RtypeRelease();
     }},
    {"stored as an array element, array dropped",
     [](JavaPtr<Tracked>& only, const std::atomic<int>& destroyed) {
         auto array = jnew<JArray<Tracked>>(3);
         (*array)[1] = std::move(only);
         EXPECT_EQ(destroyed, 0);
         array = nullptr;
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
    writing->write(7);
    EXPECT_EQ(reading->read(), 7);

    channel = nullptr;
    reading = nullptr;
    EXPECT_EQ(destroyed, 0);
    writing = nullptr;
    EXPECT_EQ(destroyed, 1);
}

// Its destructor hands itself to code that takes counted references, as listeners do on removal.
class LeavesWithTemporaryReferences : public Object {
    JAVA_CLASS(LeavesWithTemporaryReferences, "langtest.LeavesWithTemporaryReferences", Object)
public:
    explicit LeavesWithTemporaryReferences(std::atomic<int>* destroyed) : m_destroyed(destroyed) {}
    ~LeavesWithTemporaryReferences() override {
        JavaPtr<LeavesWithTemporaryReferences> self(this);
        JavaPtr<Object> view = self;
        JavaPtr<Object> copy = view;
        self = nullptr;
        view = nullptr;
        m_destroyed->fetch_add(1);
    }

private:
    std::atomic<int>* m_destroyed;
};

TEST(Lifetime, DestructorTakingTemporaryReferencesToItselfDoesNotDestroyAgain) {
    std::atomic<int> destroyed{0};
    JavaPtr<Object> object = jnew<LeavesWithTemporaryReferences>(&destroyed);
    object = nullptr;
    EXPECT_EQ(destroyed, 1);
}

// Registers itself from its constructor body, guarding its count as the application classes do.
class RegistersItself : public Object {
    JAVA_CLASS(RegistersItself, "langtest.RegistersItself", Object)
public:
    RegistersItself(const JavaPtr<JArray<Object>>& registry, std::atomic<int>* destroyed) : m_destroyed(destroyed) {
        raiseCount();
        registry->append(JavaPtr<Object>(this));
        lowerCountWithoutRelease();
    }
    ~RegistersItself() override { m_destroyed->fetch_add(1); }

private:
    std::atomic<int>* m_destroyed;
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
    EXPECT_EQ(destroyed, 0);
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

TEST(Lifetime, OverlappingArraycopyOfReferencesKeepsCountsInBothDirections) {
    struct Shift {
        const char* name;
        int32_t from, to;
        int expectedOrder[4];  // which original element each slot names afterwards
        int destroyedByCopy;
    };
    const Shift shifts[] = {
        {"up by one", 0, 1, {0, 0, 1, 2}, 1},
        {"down by one", 1, 0, {1, 2, 3, 3}, 1},
        {"onto itself", 0, 0, {0, 1, 2, 3}, 0},
    };
    for (const Shift& shift : shifts) {
        SCOPED_TRACE(shift.name);
        std::atomic<int> destroyed{0};
        auto array = jnew<JArray<Tracked>>(4);
        Tracked* original[4];
        for (int i = 0; i < 4; ++i) {
            array->data[i] = jnew<Tracked>(&destroyed);
            original[i] = array->data[i].get();
        }
        System::arraycopy(array, shift.from, array, shift.to, 3);
        EXPECT_EQ(destroyed, shift.destroyedByCopy);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(array->data[i].get(), original[shift.expectedOrder[i]]) << i;
        array = nullptr;
        EXPECT_EQ(destroyed, 4);
    }
}

TEST(WeakReference, AnswersTheReferentWithoutCountingItAndIsClearedWhenItDies) {
    std::atomic<int> destroyed{0};
    JavaPtr<Object> referent = jnew<Tracked>(&destroyed);
    auto first = jnew<ref::WeakReference>(referent);
    auto second = jnew<ref::WeakReference>(referent);
    EXPECT_EQ(referent->referenceCount(), 1);
    EXPECT_TRUE(first->get() == referent);
    EXPECT_TRUE(second->get() == referent);

    referent = nullptr;
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(first->get());
    EXPECT_FALSE(second->get());
}

TEST(WeakReference, ClearingOrDroppingItLeavesTheReferentAlone) {
    std::atomic<int> destroyed{0};
    JavaPtr<Object> referent = jnew<Tracked>(&destroyed);
    auto cleared = jnew<ref::WeakReference>(referent);
    auto dropped = jnew<ref::WeakReference>(referent);
    auto kept = jnew<ref::WeakReference>(referent);
    cleared->clear();
    EXPECT_FALSE(cleared->get());
    dropped = nullptr;
    EXPECT_TRUE(kept->get() == referent);
    referent = nullptr;
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(kept->get());
}

}  // namespace
