#include "config.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace {

class ConfigFile : public testing::Test {
protected:
    void put(const std::string& text) const { qm_test::writeFile(path, text); }
    std::string get() const { return qm_test::readFile(path); }
    static std::map<std::string, std::string> contents(const Config& c)
    {
        return std::map<std::string, std::string>(c.begin(), c.end());
    }

    qm_test::TempDir tmp{"config_test"};
    std::string dir = tmp.path();
    std::string path = dir + "/config";
};

typedef std::map<std::string, std::string> Map;

TEST_F(ConfigFile, ReadsTheLineGrammar)
{
    struct Case {
        const char* name;
        std::string text;
        int result;
        Map store;
    } cases[] = {
        {"values, blanks, comments", "a=1\n\n# only a comment\nb = 'x y' # trailing\n", 0, {{"a", "1"}, {"b", "x y"}}},
        {"empty value needs quotes", "k=''\n", 0, {{"k", ""}}},
        {"no value", "k=\n", -1, {}},
        {"empty key", "=v\n", 0, {{"", "v"}}},
        {"unquoted value may begin with #", "k=#x\n", 0, {{"k", "#x"}}},
        {"unquoted value may hold = and quotes", "k=a=b\"c'\n", 0, {{"k", "a=b\"c'"}}},
        {"text after an unquoted value", "k=a b\n", -1, {}},
        {"blank inside a key", "a b=1\n", -1, {}},
        {"bad key character", "k!=1\n", -1, {}},
        {"key without = at end of file", "a=1\nlonely", 0, {{"a", "1"}}},
        {"key without = then line end", "lonely\na=1\n", -1, {}},
        {"unterminated quote", "k=\"abc\n", -1, {}},
        {"the later line wins", "k=1\nk=2\n", 0, {{"k", "2"}}},
        {"CR LF line ends", "a=1\r\nb=\"2\"\r\n", 0, {{"a", "1"}, {"b", "2"}}},
        {"UTF-8 values", "k=\xC3\xA9t\xC3\xA9\n", 0, {{"k", "\xC3\xA9t\xC3\xA9"}}},
        {"adjacent parts and escapes", "k=\"a\"'\"'\\x0A\n", 0, {{"k", "a\"\n"}}},
        {"bad escape", "k=\"a\"\\x0G\n", -1, {}},
        {"quoted then text", "k=\"a\"b\n", -1, {}},
        {"comment line longer than 8 KiB", "#" + std::string(10000, 'c') + "\nk=v\n", 0, {{"k", "v"}}},
        // The grammar admits no raw control byte (0-31) or DEL inside quotes:
        // such a value is written as \xHH escapes, so a raw one is damage.
        {"TAB inside double quotes", "k=\"a\tb\"\n", -1, {}},
        {"control byte inside single quotes", "k='a\x01" "b'\n", -1, {}},
        {"escape character inside quotes", "k=\"a\x1b[0m\"\n", -1, {}},
        {"DEL inside quotes", "k=\"a\x7f\"\n", -1, {}},
        {"CR inside quotes", "k=\"a\rb\"\n", -1, {}},
        {"NUL inside quotes", std::string("k=\"a\0b\"\n", 8), -1, {}},
        {"control byte in an unquoted value", "k=a\x01" "b\n", -1, {}},
        {"the same bytes as escapes", "k=\"a\"\\x09\"b\"\\x7F\n", 0, {{"k", "a\tb\x7f"}}},
        {"VT and FF after the quote are blanks", "k=\"a\"\x0b\x0c\n", 0, {{"k", "a"}}},
    };
    for (const Case& c : cases) {
        put(c.text);
        Config config;
        config["before"] = "kept unless the file is invalid";
        EXPECT_EQ(config.read(path), c.result) << c.name;
        Map want = c.store;
        if (c.result == 0)
            want["before"] = "kept unless the file is invalid";
        EXPECT_EQ(contents(config), want) << c.name;
    }
}

TEST_F(ConfigFile, EveryValueRoundTrips)
{
    const std::string values[] = {
        "",
        "plain",
        "with spaces",
        " leading and trailing ",
        "#not a comment",
        "a=b",
        "double \" quote",
        "single ' quote",
        "both \" and ' kinds",
        "\"'\"'",
        "'starts with single",
        "line\nbreak",
        "\ttab first",
        "cr\r\nlf",
        std::string("nul\0byte", 8),
        "del\x7f",
        "back\\x41slash",
        "\xC3\xA9\xE2\x82\xAC utf-8",
        std::string(10000, 'v'),
    };
    Config out;
    int n = 0;
    for (const std::string& v : values)
        out["k" + std::to_string(n++)] = v;
    ASSERT_EQ(out.write(path), 0);

    Config in;
    ASSERT_EQ(in.read(path), 0) << get();
    EXPECT_EQ(contents(in), contents(out));
}

TEST_F(ConfigFile, SimpleValuesAreWrittenAsBefore)
{
    // Older readers must keep reading every file they could read.
    EXPECT_EQ(Config::encode_value("x y"), "\"x y\"");
    EXPECT_EQ(Config::encode_value("say \"hi\""), "'say \"hi\"'");
    EXPECT_EQ(Config::encode_value(""), "\"\"");
    EXPECT_EQ(Config::encode_value("a\"b'c"), "\"a\"'\"'\"b'c\"");
    EXPECT_EQ(Config::encode_value("\n"), "\"\"\\x0A");

    Config c;
    c["b"] = "2";
    c["a"] = "1 1";
    c["connect_method"] = "auto";
    ASSERT_EQ(c.write(path), 0);
    EXPECT_EQ(get(), "a=\"1 1\"\nb=\"2\"\nconnect_method=\"auto\"\n");
}

TEST_F(ConfigFile, FailuresLeaveTheFileAlone)
{
    put("old=\"1\"\n");
    Config bad;
    bad["has space"] = "x";
    EXPECT_EQ(bad.write(path), -1);
    EXPECT_EQ(get(), "old=\"1\"\n");

    Config good;
    good["k"] = "v";
    EXPECT_EQ(good.write(""), -1);
    EXPECT_EQ(good.write(dir + "/missing/config"), -1);
    if (geteuid() != 0) {
        chmod(dir.c_str(), 0500);
        EXPECT_EQ(good.write(path), -1);
        chmod(dir.c_str(), 0700);
        EXPECT_EQ(get(), "old=\"1\"\n");
    }
    // No temporary file is left beside the settings file.
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        closedir(d);
    }
    EXPECT_EQ(names, std::vector<std::string>{"config"});
}

TEST_F(ConfigFile, MissingFileAndOtherPathForms)
{
    Config c;
    c["kept"] = "1";
    EXPECT_EQ(c.read(dir + "/absent"), -1);
    EXPECT_EQ(c["kept"], "1");
    EXPECT_EQ(c.read(dir), -1) << "a folder is not a settings file";
    EXPECT_EQ(c.read(std::string()), -1);

    put("n=42\nflag=Yes\nbad=x1\n");
    Config wide(std::wstring(dir.begin(), dir.end()) + L"/config");
    EXPECT_EQ(wide.get_int("n"), 42);
    EXPECT_EQ(wide.get_int("bad", -7), -7);
    EXPECT_EQ(wide.get_int("absent", 3), 3);
    EXPECT_TRUE(wide.get_bool("flag"));
    wide.unset("flag");
    EXPECT_FALSE(wide.get_bool("flag"));
    EXPECT_EQ(wide["absent"], "");
    EXPECT_EQ(contents(wide).count("absent"), 1u); // operator[] inserts
}

} // namespace
