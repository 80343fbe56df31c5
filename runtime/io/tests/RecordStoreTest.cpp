#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "TestDirectories.h"
#include "runtime/io/rms/InvalidRecordIDException.h"
#include "runtime/io/rms/RecordComparator.h"
#include "runtime/io/rms/RecordEnumeration.h"
#include "runtime/io/rms/RecordFilter.h"
#include "runtime/io/rms/RecordStore.h"
#include "runtime/io/rms/RecordStoreFullException.h"
#include "runtime/io/rms/RecordStoreNotFoundException.h"
#include "runtime/io/rms/RecordStoreNotOpenException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using namespace javax::microedition::rms;
using java::lang::jnew;
using Bytes = JavaPtr<JArray<signed char>>;

namespace {

JavaPtr<String> name(const char* text) { return jnew<String>(text); }

Bytes patterned(int32_t length, int seed) {
    auto bytes = jnew<JArray<signed char>>(length);
    for (int32_t i = 0; i < length; ++i) bytes->data[i] = static_cast<signed char>(seed * 31 + i * 7);
    return bytes;
}

Bytes text(const char* chars) {
    const auto length = static_cast<int32_t>(std::strlen(chars));
    auto bytes = jnew<JArray<signed char>>(length);
    std::copy(chars, chars + length, bytes->data);
    return bytes;
}

std::string asText(const Bytes& bytes) { return bytes ? std::string(bytes->data, bytes->data + bytes->length) : "<null>"; }

int32_t add(const JavaPtr<RecordStore>& store, const char* chars) {
    Bytes bytes = text(chars);
    return store->addRecord(bytes, 0, bytes->length);
}

std::vector<int32_t> idsOf(const JavaPtr<RecordEnumeration>& records) {
    std::vector<int32_t> ids;
    while (records->hasNextElement()) ids.push_back(records->nextRecordId());
    return ids;
}

// Opens a store with nothing in memory: every open store is closed first, as after a restart.
JavaPtr<RecordStore> reopen(JavaPtr<RecordStore>& store, const char* storeName) {
    store->closeRecordStore();
    store = RecordStore::openRecordStore(name(storeName), false);
    return store;
}

class FirstByteAtLeast : public java::lang::Object, public RecordFilter {
    JAVA_CLASS(FirstByteAtLeast, "test.FirstByteAtLeast", Object, RecordFilter)
public:
    explicit FirstByteAtLeast(char least) : m_least(least) {}
    bool matches(const Bytes& candidate) override { return candidate && candidate->data[0] >= m_least; }

private:
    char m_least;
};

class ByText : public java::lang::Object, public RecordComparator {
    JAVA_CLASS(ByText, "test.ByText", Object, RecordComparator)
public:
    int32_t compare(const Bytes& a, const Bytes& b) override {
        const int order = asText(a).compare(asText(b));
        return order < 0 ? PRECEDES : order > 0 ? FOLLOWS : EQUIVALENT;
    }
};

// Contradicts itself on purpose; the enumeration must still hand out each record once.
class Contrary : public java::lang::Object, public RecordComparator {
    JAVA_CLASS(Contrary, "test.Contrary", Object, RecordComparator)
public:
    int32_t compare(const Bytes&, const Bytes&) override { return PRECEDES; }
};

}  // namespace

using RecordStores = TestDirectories;

TEST_F(RecordStores, RecordsOfEverySizeSurviveARestart) {
    const std::vector<int32_t> sizes = {0, 1, 100, 1 << 20};
    auto store = RecordStore::openRecordStore(name("sizes"), true);
    std::vector<int32_t> ids;
    for (size_t i = 0; i < sizes.size(); ++i) {
        Bytes data = patterned(sizes[i] + 2, static_cast<int>(i));
        ids.push_back(store->addRecord(data, 1, sizes[i]));
    }
    for (int restart = 0; restart < 2; ++restart) {
        SCOPED_TRACE(restart);
        for (size_t i = 0; i < sizes.size(); ++i) {
            Bytes got = store->getRecord(ids[i]);
            if (sizes[i] == 0) {
                EXPECT_EQ(got, nullptr);
                continue;
            }
            ASSERT_NE(got, nullptr);
            ASSERT_EQ(got->length, sizes[i]);
            Bytes expected = patterned(sizes[i] + 2, static_cast<int>(i));
            EXPECT_EQ(std::memcmp(got->data, expected->data + 1, static_cast<size_t>(sizes[i])), 0);
        }
        reopen(store, "sizes");
    }
    store->closeRecordStore();
}

TEST_F(RecordStores, GetRecordGivesACopy) {
    auto store = RecordStore::openRecordStore(name("copy"), true);
    const int32_t id = add(store, "abc");
    store->getRecord(id)->data[0] = 'X';
    EXPECT_EQ(asText(store->getRecord(id)), "abc");
    store->addRecord(nullptr, 0, 0);
    EXPECT_THROW(store->addRecord(nullptr, 0, 1), java::lang::NullPointerException);
    EXPECT_THROW(store->addRecord(text("ab"), 1, 2), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_EQ(store->getNumRecords(), 2);
    store->closeRecordStore();
}

TEST_F(RecordStores, IdsStartAtOneAndAreNeverReused) {
    auto store = RecordStore::openRecordStore(name("ids"), true);
    EXPECT_EQ(add(store, "a"), 1);
    EXPECT_EQ(add(store, "b"), 2);
    EXPECT_EQ(add(store, "c"), 3);
    store->deleteRecord(3);
    EXPECT_EQ(add(store, "d"), 4);
    store->deleteRecord(4);
    reopen(store, "ids");
    EXPECT_EQ(add(store, "e"), 5);
    EXPECT_EQ(store->getNumRecords(), 3);
    store->closeRecordStore();
}

TEST_F(RecordStores, UnknownIdsAreRefusedEverywhere) {
    auto store = RecordStore::openRecordStore(name("unknown"), true);
    add(store, "a");
    store->deleteRecord(1);
    for (int32_t id : {0, 1, 2, -1}) {
        SCOPED_TRACE(id);
        EXPECT_THROW(store->getRecord(id), InvalidRecordIDException);
        EXPECT_THROW(store->setRecord(id, text("x"), 0, 1), InvalidRecordIDException);
        EXPECT_THROW(store->deleteRecord(id), InvalidRecordIDException);
    }
    store->closeRecordStore();
}

TEST_F(RecordStores, SetAndDeleteReachTheDisk) {
    auto store = RecordStore::openRecordStore(name("edits"), true);
    add(store, "one");
    add(store, "two");
    add(store, "three");
    store->setRecord(2, text("TWO!"), 0, 4);
    store->deleteRecord(1);
    reopen(store, "edits");
    EXPECT_EQ(store->getNumRecords(), 2);
    EXPECT_EQ(asText(store->getRecord(2)), "TWO!");
    EXPECT_EQ(asText(store->getRecord(3)), "three");
    EXPECT_THROW(store->getRecord(1), InvalidRecordIDException);
    store->closeRecordStore();
}

TEST_F(RecordStores, EnumerationFollowsStoreOrderFilterAndComparator) {
    auto store = RecordStore::openRecordStore(name("order"), true);
    for (const char* word : {"pear", "apple", "fig", "kiwi", "date"}) add(store, word);
    store->deleteRecord(3);
    reopen(store, "order");

    EXPECT_EQ(idsOf(store->enumerateRecords(nullptr, nullptr, false)), (std::vector<int32_t>{1, 2, 4, 5}));
    EXPECT_EQ(idsOf(store->enumerateRecords(nullptr, jnew<ByText>(), false)), (std::vector<int32_t>{2, 5, 4, 1}));
    EXPECT_EQ(idsOf(store->enumerateRecords(jnew<FirstByteAtLeast>('e'), nullptr, false)),
              (std::vector<int32_t>{1, 4}));
    auto contrary = idsOf(store->enumerateRecords(nullptr, jnew<Contrary>(), false));
    std::sort(contrary.begin(), contrary.end());
    EXPECT_EQ(contrary, (std::vector<int32_t>{1, 2, 4, 5}));

    auto records = store->enumerateRecords(nullptr, jnew<ByText>(), false);
    EXPECT_EQ(records->numRecords(), 4);
    EXPECT_EQ(asText(records->nextRecord()), "apple");
    EXPECT_EQ(records->nextRecordId(), 5);
    records->reset();
    EXPECT_EQ(records->nextRecordId(), 2);
    store->closeRecordStore();
}

TEST_F(RecordStores, EnumerationEndsDeletesAndDestroyAreReported) {
    auto store = RecordStore::openRecordStore(name("ends"), true);
    add(store, "a");
    add(store, "b");
    auto records = store->enumerateRecords(nullptr, nullptr, false);
    store->deleteRecord(1);
    EXPECT_THROW(records->nextRecord(), InvalidRecordIDException);
    EXPECT_EQ(asText(records->nextRecord()), "b");
    EXPECT_FALSE(records->hasNextElement());
    EXPECT_THROW(records->nextRecordId(), InvalidRecordIDException);
    records->destroy();
    EXPECT_THROW(records->hasNextElement(), java::lang::IllegalStateException);
    store->closeRecordStore();
}

TEST_F(RecordStores, KeptUpdatedEnumerationSeesChangesAndHandsOutEachRecordOnce) {
    auto store = RecordStore::openRecordStore(name("live"), true);
    add(store, "a");
    add(store, "b");
    auto records = store->enumerateRecords(nullptr, nullptr, true);
    EXPECT_EQ(records->nextRecordId(), 1);
    add(store, "c");
    store->deleteRecord(2);
    EXPECT_EQ(records->numRecords(), 2);
    EXPECT_EQ(idsOf(records), (std::vector<int32_t>{3}));
    store->closeRecordStore();
}

TEST_F(RecordStores, OpeningFollowsTheNameAndTheOpenCount) {
    EXPECT_THROW(RecordStore::openRecordStore(name("missing"), false), RecordStoreNotFoundException);
    EXPECT_THROW(RecordStore::openRecordStore(name(""), true), java::lang::IllegalArgumentException);
    EXPECT_THROW(RecordStore::openRecordStore(name("123456789012345678901234567890123"), true),
                 java::lang::IllegalArgumentException);
    EXPECT_THROW(RecordStore::openRecordStore(nullptr, true), java::lang::NullPointerException);

    auto first = RecordStore::openRecordStore(name("shared"), true);
    auto second = RecordStore::openRecordStore(name("shared"), false);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->getName()->view(), u"shared");
    first->closeRecordStore();
    EXPECT_EQ(second->getNumRecords(), 0);  // still open once
    second->closeRecordStore();
    EXPECT_THROW(first->getNumRecords(), RecordStoreNotOpenException);
    EXPECT_THROW(first->addRecord(nullptr, 0, 0), RecordStoreNotOpenException);
    EXPECT_THROW(first->enumerateRecords(nullptr, nullptr, false), RecordStoreNotOpenException);
    EXPECT_THROW(first->closeRecordStore(), RecordStoreNotOpenException);
}

TEST_F(RecordStores, EachStoreHasItsOwnFileFoundByNameAfterARestart) {
    auto a = RecordStore::openRecordStore(name("ZARLQ0"), true);
    auto b = RecordStore::openRecordStore(name("ZARLQ1"), true);
    add(a, "progress");
    add(b, "settings");
    a->closeRecordStore();
    b->closeRecordStore();
    EXPECT_TRUE(std::filesystem::exists(documents / "rs_0"));
    EXPECT_TRUE(std::filesystem::exists(documents / "rs_1"));
    const auto bytes = readFile(documents / "rs_0");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "wlsf");

    b = RecordStore::openRecordStore(name("ZARLQ1"), false);
    EXPECT_EQ(asText(b->getRecord(1)), "settings");
    b->closeRecordStore();
    a = RecordStore::openRecordStore(name("ZARLQ0"), false);
    EXPECT_EQ(asText(a->getRecord(1)), "progress");
    a->closeRecordStore();
}

TEST_F(RecordStores, DamagedOrForeignFilesAreRefusedNotReplaced) {
    struct Case {
        const char* what;
        void (*damage)(std::vector<unsigned char>&);
    };
    const std::vector<Case> cases = {
        {"truncated", [](std::vector<unsigned char>& b) { b.resize(b.size() - 3); }},
        {"flipped byte in the records", [](std::vector<unsigned char>& b) { b[b.size() - 6] ^= 0x10; }},
        {"flipped byte in the name", [](std::vector<unsigned char>& b) { b[9] ^= 0x01; }},
        {"foreign", [](std::vector<unsigned char>& b) { b.assign({'G', 'I', 'F', '8', '9', 'a', 0, 0}); }},
        {"empty", [](std::vector<unsigned char>& b) { b.clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(documents);
        std::filesystem::create_directory(documents);
        auto store = RecordStore::openRecordStore(name("victim"), true);
        add(store, "precious");
        store->closeRecordStore();
        std::vector<unsigned char> bytes = readFile(documents / "rs_0");
        c.damage(bytes);
        writeFile(documents / "rs_0", bytes);

        EXPECT_THROW(RecordStore::openRecordStore(name("victim"), false), RecordStoreFullException);
        EXPECT_THROW(RecordStore::openRecordStore(name("victim"), true), RecordStoreFullException);
        EXPECT_EQ(readFile(documents / "rs_0"), bytes);  // left for whoever can mend it
    }
}

TEST_F(RecordStores, ADamagedFileDoesNotHideOtherStores) {
    auto good = RecordStore::openRecordStore(name("good"), true);
    add(good, "fine");
    good->closeRecordStore();
    writeFile(documents / "rs_7", {'j', 'u', 'n', 'k'});
    writeFile(documents / "rs_tmp0", {'h', 'a', 'l', 'f'});  // left by a save that was cut short
    good = RecordStore::openRecordStore(name("good"), false);
    EXPECT_EQ(asText(good->getRecord(1)), "fine");
    good->closeRecordStore();
}

TEST_F(RecordStores, DeletingAStoreNeedsItClosed) {
    auto store = RecordStore::openRecordStore(name("doomed"), true);
    add(store, "x");
    EXPECT_THROW(RecordStore::deleteRecordStore(name("doomed")), RecordStoreException);
    store->closeRecordStore();
    RecordStore::deleteRecordStore(name("doomed"));
    EXPECT_THROW(RecordStore::deleteRecordStore(name("doomed")), RecordStoreNotFoundException);
    EXPECT_THROW(RecordStore::openRecordStore(name("doomed"), false), RecordStoreNotFoundException);
    store = RecordStore::openRecordStore(name("doomed"), true);
    EXPECT_EQ(add(store, "y"), 1);
    store->closeRecordStore();
}

TEST_F(RecordStores, AStoreBeyondItsBoundIsFullAndUnchanged) {
    auto store = RecordStore::openRecordStore(name("big"), true);
    add(store, "small");
    auto huge = jnew<JArray<signed char>>(static_cast<int32_t>(maxStoreFileBytes));
    EXPECT_THROW(store->addRecord(huge, 0, huge->length), RecordStoreFullException);
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_EQ(add(store, "next"), 2);
    store->closeRecordStore();
}

TEST_F(RecordStores, TwoThreadsAddingToOneStoreLoseNothing) {
    auto store = RecordStore::openRecordStore(name("threads"), true);
    std::vector<int32_t> ids[2];
    std::vector<std::thread> writers;
    for (int t = 0; t < 2; ++t)
        writers.emplace_back([&, t] {
            for (int i = 0; i < 40; ++i) ids[t].push_back(add(store, t == 0 ? "main" : "loader"));
        });
    for (auto& writer : writers) writer.join();
    std::set<int32_t> all(ids[0].begin(), ids[0].end());
    all.insert(ids[1].begin(), ids[1].end());
    EXPECT_EQ(all.size(), 80u);
    EXPECT_EQ(*all.begin(), 1);
    EXPECT_EQ(*all.rbegin(), 80);
    reopen(store, "threads");
    EXPECT_EQ(store->getNumRecords(), 80);
    EXPECT_EQ(asText(store->getRecord(ids[1].back())), "loader");
    store->closeRecordStore();
}
