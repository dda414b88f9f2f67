#pragma once

#include <string>

namespace qm_test {

// A fresh folder under the system's temporary folder, removed with
// everything in it by the destructor. Removal goes through std::filesystem,
// never through the code a test exercises.
class TempDir {
public:
    // Throws std::runtime_error when the folder cannot be made.
    explicit TempDir(const std::string& prefix = "qm-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// The whole content of a file; "" when it cannot be read.
std::string readFile(const std::string& path);
// Creates or replaces a file with `data`; false on failure.
bool writeFile(const std::string& path, const std::string& data);

} // namespace qm_test
