#include <gtest/gtest.h>

#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using namespace java::lang;

namespace {

JavaPtr<String> runtimeText(std::u16string_view text) {
    return jnew<String>(text.data(), static_cast<int32_t>(text.size()));
}

}  // namespace

TEST(String, LiteralEscapesAndBytesBecomeUnits) {
    auto s = jnew<String>("a\\u00a0\xAC\\u12");
    EXPECT_EQ(s->view(), u"a\u00a0\u00ac\\u12");
}

TEST(String, OperatorEqualsHoldsOnlyForTwoEqualLiterals) {
    auto literal = jnew<String>("abc");
    auto sameLiteral = jnew<String>("abc");
    auto built = jnew<String>("ab") + "c";
    EXPECT_TRUE(*literal == sameLiteral);
    EXPECT_FALSE(*literal == built);
    EXPECT_FALSE(*built == built);
    EXPECT_FALSE(*literal == JavaPtr<String>());
    EXPECT_FALSE(*jnew<String>(static_cast<const char*>(nullptr)) == jnew<String>("null"));
    EXPECT_FALSE(*literal == jnew<String>(literal));

    EXPECT_TRUE(built->equals(literal));
    EXPECT_FALSE(literal->equals(JavaPtr<String>()));
    EXPECT_FALSE(literal->equals(jnew<String>("abC")));
}

TEST(String, ConstructorsFromNumbersUnitsAndBytes) {
    EXPECT_EQ(jnew<String>(-2147483647 - 1)->view(), u"-2147483648");
    EXPECT_EQ(String::valueOf(1280)->view(), u"1280");
    EXPECT_EQ(jnew<String>(u'\u00e9')->view(), u"\u00e9");

    auto units = jnew<JArray<jchar>>(4);
    for (int i = 0; i < 4; ++i) (*units)[i] = static_cast<jchar>(u'w' + i);
    EXPECT_EQ(jnew<String>(units)->view(), u"wxyz");
    EXPECT_EQ(jnew<String>(units, 1, 2)->view(), u"xy");
    EXPECT_THROW(jnew<String>(units, 3, 2), IndexOutOfBoundsException);
    EXPECT_THROW(jnew<String>(units, -1, 1), IndexOutOfBoundsException);

    auto bytes = jnew<JArray<signed char>>(3);
    (*bytes)[0] = 'A';
    (*bytes)[1] = static_cast<signed char>(0xAC);
    (*bytes)[2] = static_cast<signed char>(0xFF);
    EXPECT_EQ(jnew<String>(bytes, 0, 3)->view(), u"A\u00ac\u00ff");
    EXPECT_THROW(jnew<String>(bytes, 2, 2), IndexOutOfBoundsException);
    EXPECT_THROW(jnew<String>(bytes, 0, 1, jnew<String>("EBCDIC")), IllegalArgumentException);
    EXPECT_THROW(jnew<String>(JavaPtr<String>()), NullPointerException);
}

TEST(String, CharAtAndSubstringBounds) {
    auto s = jnew<String>("hello");
    EXPECT_EQ(s->charAt(0), u'h');
    EXPECT_EQ(s->charAt(4), u'o');
    for (int index : {-1, 5, 1 << 30}) EXPECT_THROW(s->charAt(index), StringIndexOutOfBoundsException) << index;

    struct Range {
        int begin, end;
        const char16_t* expected;  // null: IndexOutOfBoundsException
    };
    const Range ranges[] = {{0, 5, u"hello"}, {1, 3, u"el"}, {5, 5, u""}, {2, 2, u""},
                            {-1, 2, nullptr}, {0, 6, nullptr}, {3, 2, nullptr}, {6, 6, nullptr}};
    for (const Range& r : ranges) {
        if (r.expected) {
            EXPECT_EQ(s->substring(r.begin, r.end)->view(), r.expected) << r.begin << "," << r.end;
        } else {
            EXPECT_THROW(s->substring(r.begin, r.end), IndexOutOfBoundsException) << r.begin << "," << r.end;
        }
    }
    EXPECT_EQ(s->substring(3)->view(), u"lo");
    EXPECT_THROW(s->substring(6), IndexOutOfBoundsException);
    EXPECT_FALSE(s->substring(0)->isLiteral());
}

TEST(String, Searching) {
    auto s = jnew<String>("fwdsoft_popup_1");
    EXPECT_EQ(s->indexOf('_'), 7);
    EXPECT_EQ(s->indexOf('_', 8), 13);
    EXPECT_EQ(s->indexOf('_', -5), 7);
    EXPECT_EQ(s->indexOf('_', 100), -1);
    EXPECT_EQ(s->indexOf('z'), -1);
    EXPECT_EQ(s->indexOf(0x10000 + '_'), -1);
    EXPECT_EQ(s->lastIndexOf('_'), 13);
    EXPECT_EQ(s->lastIndexOf('z'), -1);
    EXPECT_EQ(jnew<String>()->indexOf('a'), -1);
    EXPECT_EQ(s->indexOf(jnew<String>("popup")), 8);
    EXPECT_EQ(s->indexOf(jnew<String>("popups")), -1);
    EXPECT_EQ(s->indexOf(jnew<String>("")), 0);

    EXPECT_TRUE(s->startsWith(jnew<String>("fwd")));
    EXPECT_TRUE(s->startsWith(jnew<String>("")));
    EXPECT_FALSE(s->startsWith(jnew<String>("fwD")));
    EXPECT_FALSE(jnew<String>()->startsWith(jnew<String>("")));
}

TEST(String, ComparisonAndCase) {
    struct Case {
        const char* left;
        const char* right;
        int compare;
        bool equalIgnoringCase;
    };
    const Case cases[] = {
        {"", "", 0, true},          {"", "abc", -3, false},       {"abc", "", 3, false},
        {"abc", "abd", -1, false},  {"abc", "ab", 1, false},      {"Abc", "aBC", 'A' - 'a', true},
        {"\\u00e9t\\u00e9", "\\u00c9T\\u00c9", 0x20, true},       {"a", "b", -1, false},
    };
    for (const Case& c : cases) {
        auto left = jnew<String>(c.left);
        auto right = jnew<String>(c.right);
        EXPECT_EQ(left->compareTo(right), c.compare) << c.left << " vs " << c.right;
        EXPECT_EQ(left->equalsIgnoreCase(right), c.equalIgnoringCase) << c.left << " vs " << c.right;
    }
    EXPECT_FALSE(jnew<String>("a")->equalsIgnoreCase(JavaPtr<String>()));
}

TEST(String, HashCodeIsThe31PolynomialForEveryLength) {
    const std::u16string_view text = u"java.lang.Object\u00e9\uffff";
    for (size_t length = 0; length <= text.size(); ++length) {
        uint32_t expected = 0;
        for (size_t i = 0; i < length; ++i) expected = expected * 31u + text[i];
        EXPECT_EQ(runtimeText(text.substr(0, length))->hashCode(), static_cast<int32_t>(expected)) << length;
    }
}

TEST(String, ReplaceAndCharArrayCopy) {
    auto ticker = jnew<String>("one\ntwo\n");
    EXPECT_EQ(ticker->replace(10, 32)->view(), u"one two ");
    EXPECT_EQ(ticker->view(), u"one\ntwo\n");

    auto units = ticker->toCharArray();
    ASSERT_EQ(units->length, 8);
    (*units)[0] = u'X';
    EXPECT_EQ(ticker->charAt(0), u'o');
}

TEST(String, ConcatenationAndAppend) {
    struct Named : Object {
        JavaPtr<String> toString() override { return jnew<String>("named"); }
    };
    auto base = jnew<String>("x");
    EXPECT_EQ((base + 42)->view(), u"x42");
    EXPECT_EQ((base + -9000000000LL)->view(), u"x-9000000000");
    EXPECT_EQ((base + u'y')->view(), u"xy");
    EXPECT_EQ((*base + u'\u00e9')->view(), u"x\u00e9");
    EXPECT_EQ((base + jnew<Named>())->view(), u"xnamed");
    EXPECT_EQ((base + JavaPtr<Object>())->view(), u"xnull");
    EXPECT_EQ((*base + runtimeText(u"\u4e2d"))->view(), u"x\u4e2d");

    JavaPtr<String> time = jnew<String>("12");
    JavaPtr<String> alias = time;
    time += jnew<String>(":30");
    EXPECT_EQ(time->view(), u"12:30");
    EXPECT_EQ(alias->view(), u"12");
    EXPECT_FALSE(time->isLiteral());

    JavaPtr<String> empty;
    empty += jnew<String>("!");
    EXPECT_EQ(empty->view(), u"null!");
}

TEST(String, ValIsLowByteCopy) {
    auto s = runtimeText(u"A\u0142z");
    EXPECT_STREQ(s->val(), "A\x42z");
}
