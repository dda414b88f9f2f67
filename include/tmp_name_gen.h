#pragma once

#include <pthread.h>

#include <cstddef>
#include <string>

#include "ustring/ustring.h"

// Short random names for temporary files: eight characters of
// [0-9a-zA-Z-_] from an RC4 keystream seeded by a fine-resolution clock.
// A name source, not a random-number service; it does not check whether a
// file of that name exists.
class TmpNameGen {
public:
    static TmpNameGen& getInstance();

    // A new name of exactly 8 characters. Thread-safe.
    ustring getTmpName();
    // path + "-" + name + ".vexofm"; no separator is added, so the caller's
    // path is the prefix of the temporary file's name. A last path component
    // too long to take the 16 added bytes within the file system's 255-byte
    // name limit is shortened first, at a character boundary.
    ustring getTmpPath(const ustring& path);
    // The path with its last component cut to leave room for the added bytes.
    static std::string fitName(const std::string& path);

    static constexpr size_t kMaxNameBytes = 255;
    static constexpr size_t kSuffixBytes = 16;  // "-" + 8 characters + ".vexofm"

private:
    TmpNameGen();
    ~TmpNameGen() {}
    TmpNameGen(const TmpNameGen&) = delete;
    TmpNameGen& operator=(const TmpNameGen&) = delete;

    static void get_key(unsigned char* key, size_t size);
    static void rc4_init(unsigned char* s_box, unsigned char* key);
    static void rc4_randomize(unsigned char* s_box, unsigned char* buffer, int length);
    static void lock();
    static void unlock();

    unsigned char m_s_box[256];
    unsigned char m_key[256];
    unsigned char m_buffer[6];

    static pthread_mutex_t m_lock;
};
