// Exceptions are thrown by value and caught by any of their base classes; they carry a message.
#include <gtest/gtest.h>

#include <functional>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/JArray.h"
#include "runtime/lang/tests/TestClasses.h"
#include "runtime/text/String.h"

using namespace java::lang;

namespace {

// Names the first handler, most specific first, that catches what the thrower throws.
const char* caughtBy(const std::function<void()>& thrower) {
    try {
        thrower();
    } catch (NumberFormatException&) {
        return "NumberFormatException";
    } catch (IllegalArgumentException&) {
        return "IllegalArgumentException";
    } catch (IndexOutOfBoundsException&) {
        return "IndexOutOfBoundsException";
    } catch (RuntimeException&) {
        return "RuntimeException";
    } catch (Exception&) {
        return "Exception";
    } catch (Throwable&) {
        return "Throwable";
    }
    return "nothing";
}

TEST(Exception, IsCaughtByTheNearestBaseClassHandler) {
    struct Row {
        std::function<void()> thrower;
        const char* handler;
    };
    const Row rows[] = {
        {[] { throw NumberFormatException(); }, "NumberFormatException"},
        {[] { throw IllegalArgumentException(); }, "IllegalArgumentException"},
        {[] { throw ArrayIndexOutOfBoundsException(); }, "IndexOutOfBoundsException"},
        {[] { throw StringIndexOutOfBoundsException(); }, "IndexOutOfBoundsException"},
        {[] { throw NullPointerException(); }, "RuntimeException"},
        {[] { throw IllegalStateException(); }, "RuntimeException"},
        {[] { throw IllegalMonitorStateException(); }, "RuntimeException"},
        {[] { throw UnsupportedOperationException(); }, "RuntimeException"},
        {[] { throw Exception(); }, "Exception"},
        {[] { throw Throwable(); }, "Throwable"},
        {[] {}, "nothing"},
    };
    for (const Row& row : rows) EXPECT_STREQ(caughtBy(row.thrower), row.handler);
    EXPECT_THROW(throw NumberFormatException(), Exception);
}

TEST(Exception, MessageAndTextOfTheException) {
    struct Row {
        JavaPtr<Throwable> thrown;
        const char* message;  // null for none
        const char* text;
    };
    const Row rows[] = {
        {jnew<NullPointerException>(), nullptr, "java.lang.NullPointerException"},
        {jnew<NullPointerException>("field"), "field", "java.lang.NullPointerException: field"},
        {jnew<NumberFormatException>(jnew<String>("12x")), "12x", "java.lang.NumberFormatException: 12x"},
        {jnew<IllegalArgumentException>(JavaPtr<String>()), nullptr, "java.lang.IllegalArgumentException"},
        {jnew<Exception>(""), "", "java.lang.Exception: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        JavaPtr<String> message = row.thrown->getMessage();
        if (row.message) {
            ASSERT_TRUE(message);
            EXPECT_TRUE(message->equals(jnew<String>(row.message)));
        } else {
            EXPECT_FALSE(message);
        }
        EXPECT_TRUE(row.thrown->toString()->equals(jnew<String>(row.text))) << row.thrown->toString()->val();
    }
}

TEST(Exception, MessageSurvivesBeingThrownAndCaughtByBase) {
    try {
        throw NumberFormatException("bad digit");
    } catch (IllegalArgumentException& caught) {
        EXPECT_TRUE(caught.getMessage()->equals(jnew<String>("bad digit")));
        EXPECT_TRUE(caught.toString()->equals(jnew<String>("java.lang.NumberFormatException: bad digit")));
        // A thrown exception is not held by counted references.
        EXPECT_EQ(caught.referenceCount(), 0);
    }
}

TEST(Exception, DereferencingANullReferenceThrowsNullPointerException) {
    JavaPtr<String> none;
    JavaPtr<JArray<int>> noArray;
    EXPECT_THROW(none->length(), NullPointerException);
    EXPECT_THROW((void)*none, NullPointerException);
    EXPECT_THROW((void)noArray->length, NullPointerException);
}

TEST(Exception, PrintStackTraceWorksBeforeTheStandardStreamsExist) {
    testing::internal::CaptureStderr();
    IllegalStateException("no streams yet").printStackTrace();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "java.lang.IllegalStateException: no streams yet\n");
}

}  // namespace
