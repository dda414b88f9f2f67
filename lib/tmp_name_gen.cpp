#include "tmp_name_gen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

pthread_mutex_t TmpNameGen::m_lock = PTHREAD_MUTEX_INITIALIZER;

TmpNameGen& TmpNameGen::getInstance()
{
    static TmpNameGen instance;
    return instance;
}

TmpNameGen::TmpNameGen()
{
    std::memset(m_s_box, 0, sizeof m_s_box);
    std::memset(m_key, 0, sizeof m_key);
    std::memset(m_buffer, 0, sizeof m_buffer);
    get_key(m_key, sizeof m_key);
    rc4_init(m_s_box, m_key);
}

// The key text: a nanosecond clock reading, then the process id, so that two
// processes started in the same instant still draw different names.
void TmpNameGen::get_key(unsigned char* key, size_t size)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const unsigned long long counter =
        static_cast<unsigned long long>(ts.tv_sec) * 1000000000ULL + static_cast<unsigned long long>(ts.tv_nsec);
    std::snprintf(reinterpret_cast<char*>(key), size, "%llu%ld", counter, static_cast<long>(getpid()));
}

void TmpNameGen::rc4_init(unsigned char* s_box, unsigned char* key)
{
    for (int i = 0; i < 256; ++i)
        s_box[i] = static_cast<unsigned char>(i);
    if (key[0] == 0) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        for (int i = 0; i < 256; ++i)
            key[i] = static_cast<unsigned char>(std::rand() & 0xFF);
    }
    // All 256 key bytes take part, the terminator and the zeros after it included.
    unsigned j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + s_box[i] + key[i]) & 0xFF;
        const unsigned char t = s_box[i];
        s_box[i] = s_box[j];
        s_box[j] = t;
    }
}

// i and j restart at every call; the permutation carries over.
void TmpNameGen::rc4_randomize(unsigned char* s_box, unsigned char* buffer, int length)
{
    unsigned j = 0;
    for (int k = 0; k < length; ++k) {
        const unsigned i = static_cast<unsigned>(k + 1) & 0xFF;
        j = (j + s_box[i]) & 0xFF;
        const unsigned char t = s_box[i];
        s_box[i] = s_box[j];
        s_box[j] = t;
        buffer[k] = s_box[(s_box[i] + s_box[j]) & 0xFF];
    }
}

void TmpNameGen::lock() { pthread_mutex_lock(&m_lock); }

void TmpNameGen::unlock() { pthread_mutex_unlock(&m_lock); }

ustring TmpNameGen::getTmpName()
{
    static const char map[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-_";
    char name[9];
    lock();
    rc4_randomize(m_s_box, m_buffer, 6);
    // Six bytes as eight 6-bit indexes, most significant bits first.
    for (int g = 0; g < 2; ++g) {
        const unsigned char* b = m_buffer + 3 * g;
        char* out = name + 4 * g;
        out[0] = map[b[0] >> 2];
        out[1] = map[((b[0] & 3) << 4) | (b[1] >> 4)];
        out[2] = map[((b[1] & 15) << 2) | (b[2] >> 6)];
        out[3] = map[b[2] & 63];
    }
    unlock();
    name[8] = 0;
    return ustring(name, 8);
}

std::string TmpNameGen::fitName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t room = kMaxNameBytes - kSuffixBytes;
    if (path.size() - start <= room)
        return path;
    // Never cut inside a UTF-8 sequence: back up to the start of the
    // character that would be split. The random part keeps names apart.
    size_t cut = start + room;
    while (cut > start && (static_cast<unsigned char>(path[cut]) & 0xC0) == 0x80)
        --cut;
    return path.substr(0, cut);
}

ustring TmpNameGen::getTmpPath(const ustring& path)
{
    std::string result = fitName(path.c_str_utf8());
    result += '-';
    result += getTmpName().c_str_utf8();
    result += ".vexofm";
    return ustring(result);
}
