#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace VexoProxy {

// Limits of one exchange: requests, status line and header lines.
const size_t kRequestLimit = 8192;
const size_t kStatusLineLimit = 1024;
const size_t kHeaderLineLimit = 8192;
// Every wait of an exchange: 5 slices of timeout/5 seconds, then give up.
const int kExchangeTimeout = 10;

// Response headers in arrival order. Names compare without regard to case,
// as HTTP requires.
class HttpHeaderList {
public:
    void Add(const std::string& key, const std::string& value);
    // The first value under key, or null.
    const std::string* GetValByKey(const std::string& key) const;
    // Index of the next entry with key after `after` (-1: from the start); -1 when none.
    int GetNextEntryByKey(const std::string& key, int after) const;
    const std::string& ValueAt(int index) const { return m_entries[static_cast<size_t>(index)].second; }
    size_t Size() const { return m_entries.size(); }
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::pair<std::string, std::string>> m_entries;
};

// Waits up to ms for the socket; >0 ready, 0 time-out, <0 error.
int WaitSocket(int fd, bool for_write, int ms);
void CloseSocket(int fd);

// 0 when all is sent, -1 on error or after more than 5 empty waits.
int VEXOProxyClientPacketSend(int fd, const char* buffer, size_t length, int timeout_total);
// Reads one line up to and including LF, never past it. Its length, -8 when
// size - 1 bytes came without LF, -1 on error, close or time-out.
int VEXOProxyClientReadOneLine(int fd, char* buffer, size_t size, int timeout);
// 0 with the status code, -1 read failure, -5 no code in the status line.
int VEXOProxyGetHttpResponseCode(int fd, int& code);
int VEXOProxyClientParseHttpHeader(int fd, HttpHeaderList& headers);
int VEXOProxyClientClearHttpContentByLength(int fd, uint64_t length);
int VEXOProxyClientClearHttpContentUntilEnd(int fd);
// Status line, headers and body of one answer. 0, or -1 when the status line
// or the headers could not be read.
int VEXOProxyReadHttpAnswer(int fd, int& code, HttpHeaderList& headers);

}  // namespace VexoProxy
