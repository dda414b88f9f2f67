#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "log.h"

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

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A temporary folder, removed with its content at the end of the test.
class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/pstream-test-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        path_ = made != nullptr ? made : "";
    }
    ~TempDir() {
        if (!path_.empty())
            std::system(("rm -rf '" + path_ + "'").c_str());
    }
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Sends the "stream" component's messages at or below `level` to a file
// that the test can read back.
class LogCapture {
public:
    explicit LogCapture(int level) {
        std::ofstream(dir_.File("levels")) << "stream=" << level << "\n";
        Logger::Initialize(Logger::FILE_LOGGER, dir_.File("ui.log"), dir_.File("levels"), 50);
    }
    ~LogCapture() { Logger::Initialize(Logger::STDERR_LOGGER, "", "", 50); }
    std::string Text() const { return ReadWholeFile(dir_.File("ui.log")); }

private:
    TempDir dir_;
};
