#pragma once
// A temporary folder per test, with helpers to lay out files, folders and
// links in it. Cleaned up with std::filesystem, never with the code under test.

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

class TempTree {
public:
    TempTree() : m_dir("qm-fs") {}
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_dir.path(); }
    std::string path(const std::string& relative) const { return m_dir.file(relative); }

    void file(const std::string& relative, const std::string& content) const
    {
        std::filesystem::create_directories(std::filesystem::path(path(relative)).parent_path());
        qm_test::writeFile(path(relative), content);
    }
    void folder(const std::string& relative) const { std::filesystem::create_directories(path(relative)); }
    void link(const std::string& target, const std::string& relative) const
    {
        std::filesystem::create_symlink(target, path(relative));
    }

    static std::string read(const std::string& full_path) { return qm_test::readFile(full_path); }
    static bool exists(const std::string& full_path)
    {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::symlink_status(full_path, ignored));
    }

private:
    qm_test::TempDir m_dir;
};
