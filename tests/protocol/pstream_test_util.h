#pragma once

#include <fstream>
#include <string>

#include "log.h"
#include "support/digest.h"
#include "support/temp_dir.h"

// Bytes from hexadecimal pairs separated by blanks: Hex("42 40").
inline std::string Hex(const char* text) {
    return qm_test::fromSpacedHex(text);
}

inline std::string ToHex(const std::string& bytes) {
    return qm_test::toSpacedHex(bytes, true);
}

using qm_test::readFile;
using qm_test::TempDir;
using qm_test::writeFile;

// Sends the "stream" component's messages at or below `level` to a file
// that the test can read back.
class LogCapture {
public:
    explicit LogCapture(int level) {
        std::ofstream(dir_.file("levels")) << "stream=" << level << "\n";
        Logger::Initialize(Logger::FILE_LOGGER, dir_.file("ui.log"), dir_.file("levels"), 50);
    }
    ~LogCapture() { Logger::Initialize(Logger::STDERR_LOGGER, "", "", 50); }
    std::string Text() const { return readFile(dir_.file("ui.log")); }

private:
    TempDir dir_;
};
