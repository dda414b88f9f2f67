#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "file-op.h"
#include "foundation/descriptor_exhaustion.h"
#include "kavelin/list-node-util.h"
#include "log.h"

namespace {

class ListNodeUtilTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kavelin-list-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
    }
    void TearDown() override { FSRemove(ustring(m_root)); }

    std::string path(const std::string& name) const { return m_root + "/" + name; }
    void makeDir(const std::string& name) const { ASSERT_EQ(mkdir(path(name).c_str(), 0755), 0); }
    void writeFile(const std::string& name, const std::string& content) const
    {
        std::ofstream(path(name), std::ios::binary) << content;
    }

    std::string m_root;
};

std::vector<std::string> names(const std::vector<DIR_ENTRY>& entries)
{
    std::vector<std::string> result;
    for (const DIR_ENTRY& entry : entries)
        result.push_back(entry.name.c_str_utf8());
    std::sort(result.begin(), result.end());
    return result;
}

} // namespace

TEST_F(ListNodeUtilTest, ListLocalHidesSystemFoldersCaseSensitively)
{
    writeFile("a.txt", "12345");
    makeDir("sub");
    makeDir("@eaDir");
    makeDir("#recycle");
    makeDir("#Recycle");
    std::vector<DIR_ENTRY> entries(1);  // appended to, not replaced
    entries[0].name = ustring("earlier");
    ASSERT_EQ(listLocal("", ustring(m_root), entries), 0);
    EXPECT_EQ(names(entries), (std::vector<std::string>{"#Recycle", "a.txt", "earlier", "sub"}));
    for (const DIR_ENTRY& entry : entries) {
        if (std::string(entry.name.c_str_utf8()) == "a.txt") {
            EXPECT_EQ(entry.type, FT_FILE);
            EXPECT_EQ(entry.size, 5u);
            EXPECT_NE(entry.mtime, 0u);
        }
        if (std::string(entry.name.c_str_utf8()) == "sub") {
            EXPECT_EQ(entry.type, FT_DIR);
        }
    }
}

TEST_F(ListNodeUtilTest, ListLocalResults)
{
    writeFile("file", "x");
    makeDir("empty");
    std::vector<DIR_ENTRY> entries;
    EXPECT_EQ(listLocal("", ustring(path("file")), entries), 1);
    EXPECT_EQ(listLocal("", ustring(path("missing")), entries), -1);
    EXPECT_EQ(listLocal("", ustring(path("empty")), entries), 0);
    EXPECT_TRUE(entries.empty());
}

// A folder that exists but cannot be opened for reading (here: no descriptor
// left) is a failed listing, not an empty folder.
TEST_F(ListNodeUtilTest, ListLocalReportsAFolderItCannotRead)
{
    writeFile("a.txt", "1");
    std::vector<DIR_ENTRY> entries(1);
    int result;
    {
        DescriptorExhaustion exhaustion;
        ASSERT_TRUE(exhaustion.limited());
        result = listLocal("", ustring(m_root), entries);
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(entries.size(), 1u);
}

TEST_F(ListNodeUtilTest, ChildNamesRoundTrip)
{
    const std::vector<ustring> written = {ustring("plain"), ustring("ünïcödé 名前"), ustring("say \"hi\""),
                                          ustring("back\\slash"), ustring("")};
    const ustring file(path("children.json"));
    ASSERT_EQ(serializeChildren(file, written), 0);
    std::vector<ustring> read = {ustring("stale")};
    ASSERT_EQ(deserializeChildren(file, read), 0);
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i)
        EXPECT_STREQ(read[i].c_str_utf8(), written[i].c_str_utf8());

    ASSERT_EQ(serializeChildren(file, {ustring("a"), ustring("b")}), 0);
    std::ifstream in(path("children.json"));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[\"a\",\"b\"]\n");
    ASSERT_EQ(serializeChildren(file, {}), 0);
    EXPECT_EQ(deserializeChildren(file, read), 0);
    EXPECT_TRUE(read.empty());
}

TEST_F(ListNodeUtilTest, SerializeReportsAFileItCannotWrite)
{
    EXPECT_EQ(serializeChildren(ustring(path("no-such-dir/children.json")), {ustring("a")}), -1);
}

TEST_F(ListNodeUtilTest, DeserializeRefusesWhatIsNotANameList)
{
    // The refusals are logged; the log goes to a file of this test's own.
    const std::string log_file = path("ui.log");
    std::ofstream(path("levels")) << "default_component=3\n";
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_file, path("levels"), 50), 0);
    auto logText = [&log_file] {
        std::ifstream in(log_file);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };

    const struct {
        const char* name;
        const char* content;  // null: no file at all
        int result;
        std::vector<std::string> names;
        const char* logged;  // null: nothing
    } cases[] = {
        {"missing file", nullptr, -1, {}, "parse input '"},
        {"empty file", "", -1, {}, "parse input '"},
        {"broken json", "[\"a\",", -1, {}, "parse input '"},
        {"a map", "{\"a\": 1}", -1, {}, "' is not in array type"},
        {"null and booleans", "[null, true, false, \"x\"]", 0, {"", "true", "false", "x"}, nullptr},
        {"a nested array", "[\"a\", [\"b\"]]", -1, {}, "is not a name"},
        {"a map element", "[\"a\", {\"b\": 1}]", -1, {}, "is not a name"},
        {"a number element", "[\"a\", 5]", -1, {}, "is not a name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path(std::string("case-") + c.name);
        if (c.content)
            writeFile("case-" + std::string(c.name), c.content);
        std::vector<ustring> read = {ustring("stale")};
        const size_t logged_before = logText().size();
        EXPECT_EQ(deserializeChildren(ustring(file), read), c.result);
        std::vector<std::string> got;
        for (const ustring& name : read)
            got.push_back(name.c_str_utf8());
        EXPECT_EQ(got, c.names);
        const std::string logged = logText().substr(logged_before);
        if (c.logged) {
            EXPECT_NE(logged.find(c.logged), std::string::npos) << logged;
            EXPECT_NE(logged.find(file), std::string::npos) << logged;
        } else {
            EXPECT_EQ(logged, "");
        }
    }
    Logger::Initialize(Logger::STDERR_LOGGER, "", "", 50);
}
