#include "Windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252Test, ConvertsBothWays) {
    struct Case {
        const char* utf8;
        const char* bytes;
    };
    const Case cases[] = {
        {"abc", "abc"},
        {"numéro", "num\xE9ro"},
        {"Désactivé", "D\xE9sactiv\xE9"},
        {"€‚ƒ„…†‡ˆ‰Š‹ŒŽ", "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"},
        {"‘’“”•–—˜™š›œžŸ", "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F"},
        {"\u00A0ÿ", "\xA0\xFF"},
        {"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Windows1252::fromUtf8(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(Windows1252::toUtf8(c.bytes), c.utf8) << c.utf8;
    }
}

TEST(Windows1252Test, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    struct Case {
        std::string utf8;
        const char* bytes;
    };
    const Case cases[] = {
        {"日本", "??"},
        {"a\xFF"
         "b",
         "a?b"},                   // not UTF-8 at all
        {"\xC3", "?"},             // cut short
        {"\xC0\xA9", "??"},        // overlong
        {"\xED\xA0\x80", "???"},   // surrogate
        {"\xF0\x9F\x98\x80", "?"}, // outside the code page
        {"\xF4\x90\x80\x80", "????"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Windows1252::fromUtf8(c.utf8), c.bytes);
}

TEST(Windows1252Test, CaseIsIgnoredForAsciiAndAccentedLetters) {
    EXPECT_TRUE(Windows1252::equalsIgnoringCase("Joueur JAUNE", "joueur jaune"));
    EXPECT_TRUE(Windows1252::equalsIgnoringCase("\xC9\xC0\xC7\xD6\xDE", "\xE9\xE0\xE7\xF6\xFE"));
    EXPECT_TRUE(Windows1252::equalsIgnoringCase("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));
    // × and ÷ share the distance of a case pair but are not letters; ß has no capital.
    EXPECT_FALSE(Windows1252::equalsIgnoringCase("\xD7", "\xF7"));
    EXPECT_FALSE(Windows1252::equalsIgnoringCase("\xDF", "\xFF"));
    EXPECT_FALSE(Windows1252::equalsIgnoringCase("[", "{"));
    EXPECT_FALSE(Windows1252::equalsIgnoringCase("ab", "abc"));
}

} // namespace
