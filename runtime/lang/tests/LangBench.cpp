// Costs of the object-model primitives, each beside the standard-library tool that does the same work.
#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Object.h"

using namespace java::lang;

namespace {

class BenchBase : public Object {
    JAVA_CLASS(BenchBase, "bench.BenchBase", Object)
};
class FirstFace : public virtual Smart {
    JAVA_CLASS(FirstFace, "bench.FirstFace", Smart)
public:
    virtual int first() = 0;
};
class SecondFace : public virtual Smart {
    JAVA_CLASS(SecondFace, "bench.SecondFace", Smart)
public:
    virtual int second() = 0;
};
// A class with a base and two interfaces: the shape of most runtime classes.
class Shape : public BenchBase, public FirstFace, public SecondFace {
    JAVA_CLASS(Shape, "bench.Shape", BenchBase, FirstFace, SecondFace)
public:
    int first() override { return 1; }
    int second() override { return 2; }
};

struct PlainStd {
    virtual ~PlainStd() = default;
    int value = 0;
};

void JavaPtrCopyDrop(benchmark::State& state) {
    JavaPtr<Object> held = jnew<Object>();
    for (auto _ : state) {
        JavaPtr<Object> copy = held;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(JavaPtrCopyDrop);

void SharedPtrCopyDrop(benchmark::State& state) {
    auto held = std::make_shared<PlainStd>();
    for (auto _ : state) {
        std::shared_ptr<PlainStd> copy = held;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(SharedPtrCopyDrop);

void JnewDrop(benchmark::State& state) {
    for (auto _ : state) {
        JavaPtr<Object> made = jnew<Object>();
        benchmark::DoNotOptimize(made);
    }
}
BENCHMARK(JnewDrop);
BENCHMARK(JnewDrop)->Threads(4);

void MakeSharedDrop(benchmark::State& state) {
    for (auto _ : state) {
        auto made = std::make_shared<PlainStd>();
        benchmark::DoNotOptimize(made);
    }
}
BENCHMARK(MakeSharedDrop);
BENCHMARK(MakeSharedDrop)->Threads(4);

// Raw checked casts to the second interface, from the root view of the object.
void CastAsTypeIdToInterface(benchmark::State& state) {
    JavaPtr<Shape> shape = jnew<Shape>();
    Smart* root = shape.smart();
    for (auto _ : state) {
        benchmark::DoNotOptimize(root);
        void* seen = root->castAsTypeID(SecondFace::typeID);
        benchmark::DoNotOptimize(seen);
    }
}
BENCHMARK(CastAsTypeIdToInterface);

void DynamicCastToInterface(benchmark::State& state) {
    JavaPtr<Shape> shape = jnew<Shape>();
    Smart* root = shape.smart();
    for (auto _ : state) {
        benchmark::DoNotOptimize(root);
        SecondFace* seen = dynamic_cast<SecondFace*>(root);
        benchmark::DoNotOptimize(seen);
    }
}
BENCHMARK(DynamicCastToInterface);

// The same cast yielding a counted reference, against the standard counted cast.
void RecastObjToInterface(benchmark::State& state) {
    JavaPtr<Object> object = jnew<Shape>();
    for (auto _ : state) {
        JavaPtr<SecondFace> seen = recastObj<SecondFace>(object);
        benchmark::DoNotOptimize(seen);
    }
}
BENCHMARK(RecastObjToInterface);

void DynamicPointerCastToInterface(benchmark::State& state) {
    std::shared_ptr<Object> object = std::make_shared<Shape>();
    for (auto _ : state) {
        std::shared_ptr<SecondFace> seen = std::dynamic_pointer_cast<SecondFace>(object);
        benchmark::DoNotOptimize(seen);
    }
}
BENCHMARK(DynamicPointerCastToInterface);

void MonitorEnterLeave(benchmark::State& state) {
    static JavaPtr<Object> shared = jnew<Object>();
    for (auto _ : state) {
        LockObject holder = shared->startSync();
        benchmark::DoNotOptimize(holder);
    }
}
BENCHMARK(MonitorEnterLeave);
BENCHMARK(MonitorEnterLeave)->Threads(4);

void MutexLockUnlock(benchmark::State& state) {
    static std::mutex shared;
    for (auto _ : state) {
        std::lock_guard<std::mutex> holder(shared);
        benchmark::DoNotOptimize(&holder);
    }
}
BENCHMARK(MutexLockUnlock);
BENCHMARK(MutexLockUnlock)->Threads(4);

// Each thread its own object: independent monitors must not slow one another down.
void OwnMonitorEnterLeave(benchmark::State& state) {
    JavaPtr<Object> own = jnew<Object>();
    for (auto _ : state) {
        LockObject holder = own->startSync();
        benchmark::DoNotOptimize(holder);
    }
}
BENCHMARK(OwnMonitorEnterLeave)->Threads(4);

void OwnMutexLockUnlock(benchmark::State& state) {
    std::mutex own;
    for (auto _ : state) {
        std::lock_guard<std::mutex> holder(own);
        benchmark::DoNotOptimize(&holder);
    }
}
BENCHMARK(OwnMutexLockUnlock)->Threads(4);

}  // namespace

BENCHMARK_MAIN();
