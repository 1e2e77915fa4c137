#include <gtest/gtest.h>

#include "base/Text.h"

namespace orvane {
namespace {

TEST(ValidUtf8, KeepsTextAndReplacesEverythingElse) {
    const std::string good = "plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \x1B";
    EXPECT_EQ(toValidUtf8(good), good);
    const std::string fffd = "\xEF\xBF\xBD";
    // A lone surrogate as toUtf8 writes it is one character, so one replacement.
    EXPECT_EQ(toValidUtf8(toUtf8(u"a\xD800z")), "a" + fffd + "z");
    EXPECT_EQ(toValidUtf8(toUtf8(u"a\xDFFF")), "a" + fffd);
    EXPECT_EQ(toValidUtf8(toUtf8(u"\U0001F600")), "\xF0\x9F\x98\x80");  // a pair is kept
    EXPECT_EQ(toValidUtf8("\xFF"), fffd);
    EXPECT_EQ(toValidUtf8("\xC0\xAF"), fffd + fffd);              // overlong
    EXPECT_EQ(toValidUtf8("\xE0\x80\xAF"), fffd + fffd + fffd);   // overlong
    EXPECT_EQ(toValidUtf8("\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);  // beyond U+10FFFF
    EXPECT_EQ(toValidUtf8("ab\xE2\x82"), "ab" + fffd + fffd);     // cut short
    EXPECT_EQ(toValidUtf8("\x80z"), fffd + "z");
}

}  // namespace
}  // namespace orvane
