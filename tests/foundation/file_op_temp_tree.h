#pragma once
// A temporary folder per test, with helpers to lay out files, folders and
// links in it. Cleaned up with std::filesystem, never with the code under test.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

class TempTree {
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-fs-XXXXXX").string();
        if (!mkdtemp(&pattern[0]))
            ADD_FAILURE() << "mkdtemp failed";
        m_root = pattern;
    }
    ~TempTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(const std::string& relative) const { return m_root + "/" + relative; }

    void file(const std::string& relative, const std::string& content) const
    {
        std::filesystem::create_directories(std::filesystem::path(path(relative)).parent_path());
        std::ofstream out(path(relative), std::ios::binary | std::ios::trunc);
        out << content;
    }
    void folder(const std::string& relative) const { std::filesystem::create_directories(path(relative)); }
    void link(const std::string& target, const std::string& relative) const
    {
        std::filesystem::create_symlink(target, path(relative));
    }

    static std::string read(const std::string& full_path)
    {
        std::ifstream in(full_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool exists(const std::string& full_path)
    {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::symlink_status(full_path, ignored));
    }

private:
    std::string m_root;
};
