#include "IniDocument.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace std::string_literals;

TEST(IniDocumentTest, IntegersFollowTheFileConventions) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-17", -17},
        {"+8", 8},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999999", std::nullopt},
        {"0x3", 3},
        {"0X1f", 31},
        {"0x7FFFFFFF", INT_MAX},
        {"0x80000000", std::nullopt},
        {"0x", std::nullopt}, // two characters only: not hexadecimal, not decimal
        {"0xg", std::nullopt},
        {"$2", 2},
        {"$ff", 255},
        {"$", std::nullopt},
        {"-$2", std::nullopt},
        {"-0x2", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"1.5", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniDocument::parseInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniDocumentTest, ReadsHandEditedFilesSensibly) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"CR LF", "[S]\r\nk=1\r\n", "S", "k", "1"},
        {"LF only", "[S]\nk=1\nj=2\n", "S", "j", "2"},
        {"no line end at the end", "[S]\r\nk=12", "S", "k", "12"},
        {"lone CR at the end", "[S]\r\nk=12\r", "S", "k", "12"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1"},
        {"blanks before names", "  [S]\r\n\t k=1\r\n", "S", "k", "1"},
        {"blanks around the value", "[S]\r\nk =  7 \t\r\n", "S", "k", "7"},
        {"blanks inside the brackets", "[ S ]\r\nk=1\r\n", "S", "k", "1"},
        {"section case", "[configuration]\r\nk=1\r\n", "CONFIGURATION", "k", "1"},
        {"key case", "[S]\r\nJOUEUR JAUNE=3\r\n", "S", "joueur jaune", "3"},
        {"accented key case", "[S]\r\nNUM\xC9RO=4\r\n", "S", "numéro", "4"},
        {"accented section case", "[\xC9T\xC9]\r\nk=4\r\n", "été", "k", "4"},
        {"first duplicate counts", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},
        {"key in a repeated section", "[S]\r\na=1\r\n[T]\r\n[s]\r\nk=5\r\n", "S", "k", "5"},
        {"key of another section", "[S]\r\na=1\r\n[T]\r\nk=2\r\n", "S", "k", std::nullopt},
        {"key before any section", "k=1\r\n[S]\r\n", "S", "k", std::nullopt},
        {"missing section", "[T]\r\nk=1\r\n", "S", "k", std::nullopt},
        {"empty file", "", "S", "k", std::nullopt},
        {"line without equals", "[S]\r\nk\r\n", "S", "k", std::nullopt},
        {"header without bracket", "[S]\r\n[T\r\nk=1\r\n", "S", "k", "1"},
        {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"equals in the value", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"Windows-1252 value", "[S]\r\nk=\xE9\x80\r\n", "S", "k", "é€"},
        {"UTF-8 file", "\xEF\xBB\xBF[S]\r\nnum\xC3\xA9ro=6\r\n", "S", "NUMÉRO", "6"},
        {"key with NUL", "[S]\r\nk\0=1\r\nk=2\r\n"s, "S", "k", "2"},
    };
    for (const Case& c : cases) {
        const IniDocument ini(c.bytes);
        EXPECT_EQ(ini.readString(c.section, c.key), c.value) << c.what;
    }
}

TEST(IniDocumentTest, ValuesAreReadAsAtMost2047Characters) {
    const std::string digits(2047, '1');
    EXPECT_EQ(IniDocument("[S]\r\nk=" + digits + "99\r\n").readString("S", "k"), digits);
    // Cut at the limit, a long run of zeros before a digit reads as 0.
    EXPECT_EQ(IniDocument("[S]\r\nk=" + std::string(3000, '0') + "5\r\n").readInt("S", "k", 9), 0);
    // A UTF-8 file is never cut inside a character.
    std::string twoByte;
    for (int i = 0; i < 1100; ++i)
        twoByte += "\xC3\xA9";
    const auto value = IniDocument("\xEF\xBB\xBF[S]\nk=" + twoByte + "\n").readString("S", "k");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->size(), 2046u);
}

TEST(IniDocumentTest, IntegersAndBooleansFallBackToTheirDefaults) {
    const IniDocument ini("[S]\r\nbad=abc\r\nfive=5\r\nzero=0\r\nneg=-1\r\n");
    EXPECT_EQ(ini.readInt("S", "bad", 11), 11);
    EXPECT_EQ(ini.readInt("S", "absent", 12), 12);
    EXPECT_EQ(ini.readInt("T", "five", 13), 13);
    EXPECT_TRUE(ini.readBool("S", "five", false));
    EXPECT_TRUE(ini.readBool("S", "neg", false));
    EXPECT_FALSE(ini.readBool("S", "zero", true));
    EXPECT_TRUE(ini.readBool("S", "bad", true));
    EXPECT_FALSE(ini.readBool("S", "bad", false));
}

TEST(IniDocumentTest, WritesChangeOnlyWhatTheyMust) {
    struct Case {
        const char* what;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"new file", "", "S", "k", "1", "[S]\r\nk=1\r\n"},
        {"replace in place", "[S]\r\na=1\r\nk=2\r\nb=3\r\n", "S", "k", "9",
         "[S]\r\na=1\r\nk=9\r\nb=3\r\n"},
        {"replace keeps the file's spelling and indent", "[S]\r\n  KEY = 2 ; x\r\n", "s", "key",
         "3", "[S]\r\n  KEY=3\r\n"},
        {"replace the first duplicate", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "5",
         "[S]\r\nk=5\r\nk=2\r\n"},
        {"replace the last line without line end", "[S]\r\nk=1", "S", "k", "22", "[S]\r\nk=22"},
        {"append after the last key, before blank lines", "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n", "S",
         "k", "4", "[S]\r\na=1\r\nk=4\r\n\r\n[T]\r\nb=2\r\n"},
        {"append before a comment that heads the next section",
         "[S]\r\na=1\r\n; T follows\r\n[T]\r\n", "S", "k", "4",
         "[S]\r\na=1\r\nk=4\r\n; T follows\r\n[T]\r\n"},
        {"append to an empty section", "[S]\r\n[T]\r\nb=2\r\n", "S", "k", "4",
         "[S]\r\nk=4\r\n[T]\r\nb=2\r\n"},
        {"append to a section on the last line without line end", "[S]", "S", "k", "4",
         "[S]\r\nk=4\r\n"},
        {"append after a key on the last line without line end", "[S]\r\na=1", "S", "k", "4",
         "[S]\r\na=1\r\nk=4\r\n"},
        {"append a section after the last line without line end", "[T]\r\nb=2", "S", "k", "4",
         "[T]\r\nb=2\r\n[S]\r\nk=4\r\n"},
        {"append a section after trailing blank lines", "[T]\r\nb=2\r\n\r\n", "S", "k", "4",
         "[T]\r\nb=2\r\n\r\n[S]\r\nk=4\r\n"},
        {"LF file stays LF", "[S]\na=1\n", "S", "k", "4", "[S]\na=1\nk=4\n"},
        {"LF file gets an LF section", "[T]\n", "S", "k", "4", "[T]\n[S]\nk=4\n"},
        {"byte order mark kept, names in UTF-8", "\xEF\xBB\xBF", "J", "numéro", "1",
         "\xEF\xBB\xBF[J]\r\nnum\xC3\xA9ro=1\r\n"},
        {"Windows-1252 names", "", "J", "numéro du joueur en cours", "1",
         "[J]\r\nnum\xE9ro du joueur en cours=1\r\n"},
        {"accented key found whatever its case", "[J]\r\nNUM\xC9RO=1\r\n", "j", "numéro", "2",
         "[J]\r\nNUM\xC9RO=2\r\n"},
        {"foreign bytes kept", "x\0y\r\n[S]\r\n\x81\xFF=1\r\n"s, "S", "k", "2",
         "x\0y\r\n[S]\r\n\x81\xFF=1\r\nk=2\r\n"s},
    };
    for (const Case& c : cases) {
        IniDocument ini(c.before);
        ini.setValue(c.section, c.key, c.value);
        EXPECT_EQ(ini.bytes(), c.after) << c.what;
        EXPECT_EQ(ini.readString(c.section, c.key), std::string(c.value)) << c.what;
    }
}

TEST(IniDocumentTest, RefusesNamesAndValuesThatWouldBreakTheFile) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"S", "k", "1\r\n[Evil]\r\nx=1"},
        {"S", "k", "1\nx=2"},
        {"S", "a=b", "1"},
        {"S]", "k", "1"},
        {"S\n", "k", "1"},
        {"S", "", "1"},
        {"S", "  ", "1"},
        {"S", "[k", "1"},
    };
    for (const Case& c : cases) {
        IniDocument ini("[S]\r\nk=0\r\n");
        EXPECT_THROW(ini.setValue(c.section, c.key, c.value), std::invalid_argument) << c.key;
        EXPECT_EQ(ini.bytes(), "[S]\r\nk=0\r\n");
    }
}

// Files of many short lines that are neither keys nor sections, in every shape a reader
// could stumble on: a delimiter that stands only on a later line must not count.
TEST(IniDocumentTest, LongFilesOfShortLinesReadAndWriteLikeShortOnes) {
    struct Case {
        const char* what;
        std::string filler;
        const char* lineEnd; // of new lines: the file's own
    };
    const Case cases[] = {
        {"lines without equals", "x\n", "\n"},
        {"CR LF lines without equals", "x\r\n", "\r\n"},
        {"headers without bracket", "[x\n", "\n"},
        {"header closed on a later line", "[x\n=]\n", "\n"},
        {"equals without a name", "=v\n", "\n"},
        {"blank lines", " \t\r\n", "\r\n"},
        {"keys of another section", "[Autre]\nk=v\n", "\n"},
    };
    constexpr int kRepeats = 100000;
    for (const Case& c : cases) {
        std::string filler;
        for (int i = 0; i < kRepeats; ++i)
            filler += c.filler;
        IniDocument ini(filler + "[Configuration]\r\nSon=1\r\n" + filler);
        EXPECT_EQ(ini.readInt("Configuration", "Son", 7), 1) << c.what;
        EXPECT_EQ(ini.readString("Configuration", "Temporisation"), std::nullopt) << c.what;
        EXPECT_EQ(ini.readString("Autre", "x"), std::nullopt) << c.what;

        ini.setInt("Configuration", "Son", 0);
        ini.setInt("Configuration", "Temporisation", 12);
        ini.setInt("Nouvelle", "k", 3);
        const std::string eol = c.lineEnd;
        EXPECT_TRUE(ini.bytes() == filler + "[Configuration]\r\nSon=0\r\nTemporisation=12" + eol +
                                       filler + "[Nouvelle]" + eol + "k=3" + eol)
            << c.what;
        EXPECT_EQ(IniDocument(ini.bytes()).readInt("Configuration", "Temporisation", 0), 12)
            << c.what;
    }
}

// Writes keep the document's idea of its lines up to date without reading the file
// again: after any run of writes it must read exactly as a fresh read of its bytes.
TEST(IniDocumentTest, AfterManyWritesTheDocumentReadsAsItsBytesDo) {
    const std::string starts[] = {
        "",
        "[S]\r\nk=1\r\n[T]\r\nk=2\r\n[s]\r\nj=3\r\n",
        "[S]\na=1\n\n[T]\nb=2",
        "\xEF\xBB\xBF[S]\r\nnum\xC3\xA9ro=6\r\n[T]",
        "junk\r\n[S\r\n=x\r\n[S]\r\n  k = 1 \r\n",
    };
    const char* const sections[] = {"S", "T", "U", "s"};
    const char* const keys[] = {"k", "j", "numéro", "a", "longer key"};
    for (const std::string& start : starts) {
        IniDocument ini(start);
        for (int step = 0; step < 60; ++step) {
            const char* section = sections[step % 4];
            const char* key = keys[(step * 7) % 5];
            // Values of changing length move every later line.
            ini.setValue(section, key, std::string(static_cast<std::size_t>(step % 9), 'v'));
            const IniDocument fresh(ini.bytes());
            for (const char* s : sections)
                for (const char* k : keys)
                    ASSERT_EQ(ini.readString(s, k), fresh.readString(s, k))
                        << "start " << start.size() << ", step " << step << ", " << s << "/" << k;
        }
    }
}

} // namespace
