#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "log.h"
#include "support/temp_dir.h"

// Bytes from hexadecimal pairs separated by blanks: Hex("42 40").
inline std::string Hex(const char* text) {
    std::string bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair)
        bytes += static_cast<char>(std::stoul(pair, nullptr, 16));
    return bytes;
}

inline std::string ToHex(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        if (!text.empty())
            text += ' ';
        text += kHex[c >> 4];
        text += kHex[c & 15];
    }
    return text;
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
