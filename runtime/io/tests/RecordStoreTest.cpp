#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "StoreTestHelpers.h"
#include "TestDirectories.h"
#include "runtime/io/rms/InvalidRecordIDException.h"
#include "runtime/io/rms/RecordComparator.h"
#include "runtime/io/rms/RecordFilter.h"
#include "runtime/io/rms/RecordStoreFullException.h"
#include "runtime/io/rms/RecordStoreNotFoundException.h"
#include "runtime/io/rms/RecordStoreNotOpenException.h"
#include "runtime/lang/Exceptions.h"

using namespace javax::microedition::rms;
using namespace storetest;
using java::lang::jnew;
using Strings = std::vector<std::string>;

namespace {

Bytes patterned(int32_t length, int seed) {
    auto bytes = jnew<JArray<signed char>>(length);
    for (int32_t i = 0; i < length; ++i) bytes->data[i] = static_cast<signed char>(seed * 31 + i * 7);
    return bytes;
}

std::vector<int32_t> idsOf(const JavaPtr<RecordEnumeration>& records) {
    std::vector<int32_t> ids;
    while (records->hasNextElement()) ids.push_back(records->nextRecordId());
    return ids;
}

// Opens a store with nothing in memory: every open store is closed first, as after a restart.
void reopen(JavaPtr<RecordStore>& store, const char* storeName) {
    store->closeRecordStore();
    store = open(storeName, false);
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
    auto store = open("sizes");
    std::vector<int32_t> ids;
    for (size_t i = 0; i < sizes.size(); ++i)
        ids.push_back(store->addRecord(patterned(sizes[i] + 2, static_cast<int>(i)), 1, sizes[i]));
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

TEST_F(RecordStores, GetRecordGivesACopyAndAddChecksItsArguments) {
    auto store = open("copy");
    const int32_t id = add(store, "abc");
    store->getRecord(id)->data[0] = 'X';
    EXPECT_EQ(asText(store->getRecord(id)), "abc");
    store->addRecord(nullptr, 0, 0);
    EXPECT_THROW(store->addRecord(nullptr, 0, 1), java::lang::NullPointerException);
    EXPECT_THROW(store->addRecord(text("ab"), 1, 2), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_EQ(store->getNumRecords(), 2);
    store->closeRecordStore();
}

TEST_F(RecordStores, IdsAreNeverReusedAndEditsReachTheDisk) {
    auto store = open("edits");
    EXPECT_EQ(add(store, "one"), 1);
    EXPECT_EQ(add(store, "two"), 2);
    EXPECT_EQ(add(store, "three"), 3);
    store->setRecord(2, text("TWO!"), 0, 4);
    store->deleteRecord(1);
    store->deleteRecord(3);
    EXPECT_EQ(add(store, "four"), 4);
    store->deleteRecord(4);
    reopen(store, "edits");
    EXPECT_EQ(add(store, "five"), 5);
    EXPECT_EQ(contentsOf(store), (Strings{"2=TWO!", "5=five"}));
    EXPECT_EQ(store->getNumRecords(), 2);
    for (int32_t id : {0, 1, 3, 6, -1}) {
        SCOPED_TRACE(id);
        EXPECT_THROW(store->getRecord(id), InvalidRecordIDException);
        EXPECT_THROW(store->setRecord(id, text("x"), 0, 1), InvalidRecordIDException);
        EXPECT_THROW(store->deleteRecord(id), InvalidRecordIDException);
    }
    store->closeRecordStore();
}

TEST_F(RecordStores, EnumerationFollowsStoreOrderFilterAndComparator) {
    auto store = open("order");
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
    auto store = open("ends");
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
    auto store = open("live");
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
    EXPECT_THROW(open("missing", false), RecordStoreNotFoundException);
    EXPECT_THROW(open(""), java::lang::IllegalArgumentException);
    EXPECT_THROW(open("123456789012345678901234567890123"), java::lang::IllegalArgumentException);
    EXPECT_THROW(RecordStore::openRecordStore(nullptr, true), java::lang::NullPointerException);

    auto first = open("shared");
    auto second = open("shared", false);
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
    auto a = open("ZARLQ0");
    auto b = open("ZARLQ1");
    add(a, "progress");
    add(b, "settings");
    a->closeRecordStore();
    b->closeRecordStore();
    EXPECT_TRUE(std::filesystem::exists(documents / "rs_0"));
    EXPECT_TRUE(std::filesystem::exists(documents / "rs_1"));

    for (const auto& [storeName, contents] : {std::pair{"ZARLQ1", "1=settings"}, {"ZARLQ0", "1=progress"}}) {
        auto store = open(storeName, false);
        EXPECT_EQ(contentsOf(store), Strings{contents});
        store->closeRecordStore();
    }
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
        auto store = open("victim");
        add(store, "precious");
        store->closeRecordStore();
        std::vector<unsigned char> bytes = readFile(documents / "rs_0");
        c.damage(bytes);
        writeFile(documents / "rs_0", bytes);

        EXPECT_THROW(open("victim", false), RecordStoreFullException);
        EXPECT_THROW(open("victim", true), RecordStoreFullException);
        EXPECT_EQ(readFile(documents / "rs_0"), bytes);  // left for whoever can mend it
    }
}

TEST_F(RecordStores, ADamagedFileDoesNotHideOtherStores) {
    auto good = open("good");
    add(good, "fine");
    good->closeRecordStore();
    writeFile(documents / "rs_7", {'j', 'u', 'n', 'k'});
    writeFile(documents / "rs_tmp0", {'h', 'a', 'l', 'f'});  // left by a save that was cut short
    ASSERT_EQ(::mkfifo((documents / "rs_8").c_str(), 0644), 0);  // never waited on for a writer
    good = open("good", false);
    EXPECT_EQ(contentsOf(good), Strings{"1=fine"});
    good->closeRecordStore();
}

TEST_F(RecordStores, APipeOrADirectoryAtAStoreFileNameHoldsNoStoreAndIsLeftAsItIs) {
    for (const char* what : {"pipe", "directory"}) {
        SCOPED_TRACE(what);
        std::filesystem::remove_all(documents);
        std::filesystem::create_directory(documents);
        const auto placed = documents / "rs_0";
        if (std::string(what) == "pipe") ASSERT_EQ(::mkfifo(placed.c_str(), 0644), 0);
        else std::filesystem::create_directory(placed);
        auto store = open("beside");
        add(store, "kept");
        reopen(store, "beside");
        EXPECT_EQ(contentsOf(store), Strings{"1=kept"});
        store->closeRecordStore();
        EXPECT_TRUE(std::filesystem::is_regular_file(documents / "rs_1"));
        EXPECT_EQ(std::filesystem::status(placed).type(),
                  std::string(what) == "pipe" ? std::filesystem::file_type::fifo : std::filesystem::file_type::directory);
    }
}

TEST_F(RecordStores, DeletingAStoreNeedsItClosed) {
    auto store = open("doomed");
    add(store, "x");
    EXPECT_THROW(RecordStore::deleteRecordStore(name("doomed")), RecordStoreException);
    store->closeRecordStore();
    RecordStore::deleteRecordStore(name("doomed"));
    EXPECT_THROW(RecordStore::deleteRecordStore(name("doomed")), RecordStoreNotFoundException);
    EXPECT_THROW(open("doomed", false), RecordStoreNotFoundException);
    store = open("doomed");
    EXPECT_EQ(add(store, "y"), 1);
    store->closeRecordStore();
}

TEST_F(RecordStores, AStoreBeyondItsBoundIsFullAndUnchanged) {
    auto store = open("big");
    add(store, "small");
    auto huge = jnew<JArray<signed char>>(static_cast<int32_t>(maxStoreFileBytes));
    EXPECT_THROW(store->addRecord(huge, 0, huge->length), RecordStoreFullException);
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_EQ(add(store, "next"), 2);
    store->closeRecordStore();
}

TEST_F(RecordStores, TwoThreadsAddingToOneStoreLoseNothing) {
    auto store = open("threads");
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
