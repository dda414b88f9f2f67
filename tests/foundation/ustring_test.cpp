#include "ustring/ustring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

// Composed é, and e followed by the combining acute accent.
const char kComposed[] = "\xC3\xA9";
const char kDecomposed[] = "e\xCC\x81";

std::u16string utf16(const ustring& s) { return std::u16string(s.c_str()); }

// Exposes the buffer capacity, which the sizing rule is about.
struct InspectableString : ustring {
    using ustring::ustring;
    using ustring::operator=;
    size_t utf8_capacity() const { return data_cap; }
};

TEST(UstringConversion, EmptyStringGivesEmptyTexts)
{
    ustring s;
    EXPECT_EQ(s.length(), 0u);
    EXPECT_TRUE(s.empty());
    EXPECT_STREQ(s.c_str_utf8(), "");
    EXPECT_EQ(utf16(s), u"");
}

TEST(UstringConversion, BothDirectionsCountUtf8Bytes)
{
    ustring e(kComposed);
    EXPECT_EQ(e.length(), 2u);
    EXPECT_EQ(utf16(e), u"\u00E9");

    // A character outside the BMP: 4 bytes, a surrogate pair in UTF-16.
    ustring from16(u"a\U0001F600\u00E9");
    EXPECT_STREQ(from16.c_str_utf8(), "a\xF0\x9F\x98\x80\xC3\xA9");
    EXPECT_EQ(from16.length(), 7u);
    EXPECT_EQ(utf16(from16).size(), 4u);

    ustring mixed("x");
    mixed += u"\u00E9";
    mixed += "y";
    mixed += u'z';
    EXPECT_STREQ(mixed.c_str_utf8(), "x\xC3\xA9yz");
    EXPECT_EQ(utf16(mixed), u"x\u00E9yz");
}

TEST(UstringConversion, EveryChangeRebuildsTheUtf16Copy)
{
    ustring s("a/b");
    ASSERT_EQ(utf16(s), u"a/b");
    s.replace('/', '\\');
    EXPECT_EQ(utf16(s), u"a\\b");
    s.append("c");
    EXPECT_EQ(utf16(s), u"a\\bc");
    s[0] = 'z';
    EXPECT_EQ(utf16(s), u"z\\bc");
    s.trim("zc");
    EXPECT_EQ(utf16(s), u"\\b");
    s = ustring(kComposed);
    EXPECT_EQ(utf16(s), u"\u00E9");
}

TEST(UstringConversion, UnpairedSurrogateGivesEmptyStringAndOneWarning)
{
    const uchar16_t bad[] = {u'a', 0xD800, u'b', 0};
    testing::internal::CaptureStderr();
    ustring s(bad);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(utf16(s), u"");
    EXPECT_EQ(err.rfind("Warning: u_strToUTF8: error code ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

TEST(UstringConversion, InvalidUtf8IsKeptAndReported)
{
    ustring s("ab\xC3(");
    EXPECT_EQ(s.length(), 4u);
    EXPECT_FALSE(ustring::is_valid(s));
    EXPECT_TRUE(ustring::is_valid(ustring()));
    EXPECT_TRUE(ustring::is_valid(ustring(kDecomposed)));

    testing::internal::CaptureStderr();
    EXPECT_EQ(utf16(s), u"");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Warning: u_strFromUTF8: error code "), std::string::npos);

    // Appending UTF-16 keeps the original bytes rather than dropping them.
    testing::internal::CaptureStderr();
    s += u"\u00E9";
    testing::internal::GetCapturedStderr();
    EXPECT_STREQ(s.c_str_utf8(), "ab\xC3(\xC3\xA9");
}

TEST(UstringUnicode, NormalisationMakesBothFormsEqual)
{
    const ustring composed(kComposed), decomposed(kDecomposed);
    EXPECT_NE(composed, decomposed); // byte-wise until normalised

    EXPECT_EQ(ustring::normalize(decomposed, ustring::NFC), composed);
    EXPECT_EQ(composed.normalize(ustring::NFD), decomposed);
    EXPECT_EQ(composed.normalize(ustring::NFC), composed);
    EXPECT_EQ(decomposed.normalize(ustring::NFD).length(), 3u);
    EXPECT_EQ(decomposed.length(), 3u) << "normalize must not change its argument";

    const ustring word("Cafe\xCC\x81 \xC3\x85ngstr\xC3\xB6m");
    const ustring nfc = word.normalize(ustring::NFC);
    EXPECT_STREQ(nfc.c_str_utf8(), "Caf\xC3\xA9 \xC3\x85ngstr\xC3\xB6m");
    EXPECT_EQ(nfc.normalize(ustring::NFD).normalize(ustring::NFC), nfc);
    EXPECT_TRUE(ustring::normalize(ustring(), ustring::NFD).empty());
}

TEST(UstringSearch, PositionsFollowTheStartRules)
{
    const size_t npos = ustring::npos;
    const ustring abc("abc"), path("a/b/c"), empty;
    struct Case {
        const char* name;
        size_t got;
        size_t want;
    } cases[] = {
        {"find empty needle at 0", abc.find("", 0), 0},
        {"find empty needle at length", abc.find("", 3), npos},
        {"find at length", abc.find("c", 3), npos},
        {"find beyond length", abc.find('a', 10), npos},
        {"find needle", path.find("b/", 0), 2},
        {"find from after match", path.find('/', 2), 3},
        {"find std::string needle", path.find(std::string("/c"), 0), 3},
        {"find ustring needle", path.find(ustring("c"), 0), 4},
        {"find_first_of at length", abc.find_first_of("abc", 3), npos},
        {"find_first_of empty set", abc.find_first_of("", 0), npos},
        {"find_first_of", path.find_first_of("cb", 0), 2},
        {"find_first_not_of", path.find_first_not_of("a/", 0), 2},
        {"find_first_not_of empty set", abc.find_first_not_of("", 1), 1},
        {"find_first_not_of all in set", abc.find_first_not_of("cba", 0), npos},
        {"find_last_of from npos", path.find_last_of('/', npos), 3},
        {"find_last_of from 2", path.find_last_of('/', 2), 1},
        {"find_last_of empty set", path.find_last_of("", npos), npos},
        {"find_last_not_of", path.find_last_not_of("c/", npos), 2},
        {"find_last_not_of empty set", path.find_last_not_of("", 10), 4},
        {"rfind from npos", path.rfind("b/", npos), 2},
        {"rfind never runs past the end", path.rfind("c/", npos), npos},
        {"rfind from below match", path.rfind("b/", 1), npos},
        {"rfind empty needle", path.rfind("", 3), 3},
        {"rfind on empty string", empty.rfind("", npos), npos},
        {"rfind char", path.rfind('a', npos), 0},
        {"multi-byte needle", ustring("x\xC3\xA9y\xC3\xA9").rfind(kComposed, npos), 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(UstringSearch, SubstrBounds)
{
    const ustring s("hello");
    EXPECT_EQ(s.substr(1, 3), "ell");
    EXPECT_EQ(s.substr(2), "llo");
    EXPECT_EQ(s.substr(2, 100), "llo");
    EXPECT_TRUE(s.substr(s.length(), 5).empty());
    try {
        s.substr(s.length() + 1, 0);
        ADD_FAILURE() << "substr beyond the end must throw";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "substr");
    }
}

TEST(UstringSearch, TrimRemovesRunsOfListedBytes)
{
    struct Case {
        const char* text;
        const char* list;
        const char* ltrimmed;
        const char* rtrimmed;
        const char* trimmed;
    } cases[] = {
        {"  \tab ", " \t", "ab ", "  \tab", "ab"},
        {"   ", " ", "", "", ""},
        {"xx", "", "xx", "xx", "xx"},
        {"", " ", "", "", ""},
        {"/a/b//", "/", "a/b//", "/a/b", "a/b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ustring(c.text).ltrim(c.list), c.ltrimmed) << c.text;
        EXPECT_EQ(ustring(c.text).rtrim(ustring(c.list)), c.rtrimmed) << c.text;
        EXPECT_EQ(ustring(c.text).trim(c.list), c.trimmed) << c.text;
    }
}

TEST(UstringCompare, ByteWiseWithAsciiFolding)
{
    EXPECT_EQ(ustring::compare("ABC", "abc", true), 0);
    EXPECT_LT(ustring::compare("ABC", "abc", false), 0);
    EXPECT_NE(ustring::compare("\xC3\x84", "\xC3\xA4", true), 0); // Ä and ä
    EXPECT_EQ(ustring::compare("ab", "abc", false), -'c');
    EXPECT_GT(ustring::compare("\xC3\xA9", "z", false), 0); // unsigned bytes
    EXPECT_EQ(ustring("abcX").compare("abcY", 3), 0);
    EXPECT_EQ(ustring("a").compare("b", 0), 0);
    EXPECT_LT(ustring("abcX").compare("abcY", 4), 0);

    EXPECT_TRUE(ustring("a") < ustring("b"));
    EXPECT_TRUE(ustring("b") > ustring("a"));
    EXPECT_TRUE(ustring("a") <= ustring("a"));
    EXPECT_TRUE(ustring("a") >= ustring("a"));
    EXPECT_TRUE(ustring("a") == "a");
    EXPECT_TRUE("a" != ustring("b"));
}

TEST(UstringBuffers, SelfAssignAndSelfAppend)
{
    ustring s("abc");
    s = s;
    EXPECT_EQ(s, "abc");
    s.assign(s.c_str_utf8());
    EXPECT_EQ(s, "abc");
    s.append(s.c_str_utf8());
    EXPECT_EQ(s, "abcabc");
    s += s;
    EXPECT_EQ(s, "abcabcabcabc");
    s.assign(s.c_str_utf8(), 2);
    EXPECT_EQ(s, "ab");
    s.append(s.c_str_utf8(), 100);
    EXPECT_EQ(s, "abab");
    s.append(s, 1, 2);
    EXPECT_EQ(s, "ababba");

    ustring w(u"\u00E9x");
    w += w.c_str();
    EXPECT_EQ(utf16(w), u"\u00E9x\u00E9x");
}

TEST(UstringBuffers, ExactSizingShrinksAfterClear)
{
    InspectableString s(std::string(100, 'x'));
    EXPECT_EQ(s.utf8_capacity(), 101u);
    s.clear();
    EXPECT_EQ(s.utf8_capacity(), 101u);
    s = "ab";
    EXPECT_EQ(s.utf8_capacity(), 3u);
    EXPECT_EQ(InspectableString().utf8_capacity(), 4u);
}

TEST(UstringBuffers, AssignFromStandardStringsAndCounts)
{
    const std::string with_nul("ab\0cd", 5);
    EXPECT_EQ(ustring(with_nul).length(), 2u); // stops at the first 0 byte

    ustring s;
    s.assign(std::string("hello"), 1, 3);
    EXPECT_EQ(s, "ell");
    EXPECT_THROW(s.assign(std::string("hi"), 3, 1), std::out_of_range);
    s.assign('-', 3);
    EXPECT_EQ(s, "---");
    s.assign(u'\u00E9', 2);
    EXPECT_STREQ(s.c_str_utf8(), "\xC3\xA9\xC3\xA9");
    s.assign("abcdef", 4);
    EXPECT_EQ(s, "abcd");

    // The literal is split so that \xA9 does not swallow the d.
    EXPECT_EQ(ustring("a") + "b" + 'c' + u"\u00E9" + ustring("d"), "abc\xC3\xA9" "d");
    ustring moved(std::move(s));
    EXPECT_EQ(moved, "abcd");
    s = "reused";
    EXPECT_EQ(s, "reused");
}

TEST(UstringStreams, WordsInAndBytesOut)
{
    std::istringstream in("  first second");
    ustring word;
    in >> word;
    EXPECT_EQ(word, "first");
    std::ostringstream out;
    out << ustring(kComposed) << '|';
    EXPECT_EQ(out.str(), std::string(kComposed) + "|");
}

} // namespace
