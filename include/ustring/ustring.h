#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

// One UTF-16 code unit; the same type ICU uses for UChar, so the UTF-16 copy
// goes to ICU without a cast.
typedef char16_t uchar16_t;

// Text kept as UTF-8 (the master copy) with a UTF-16 copy built on demand.
// Every position, length and count is in UTF-8 bytes. Not thread-safe even for
// reading: const calls may rebuild the UTF-16 cache.
class ustring {
public:
    static const size_t npos = static_cast<size_t>(-1);
    enum normalization_form { NFC = 0, NFD = 1 };

    ustring();
    ustring(const ustring& x);
    ustring(ustring&& x) noexcept;
    ustring(const char* s);
    ustring(const char* s, size_t len);
    ustring(const std::string& x);
    ustring(char c);
    ustring(const uchar16_t* s);
    ~ustring();

    ustring& operator=(const ustring& x);
    ustring& operator=(ustring&& x) noexcept;
    ustring& operator=(const char* s);
    ustring& operator=(const std::string& x);
    ustring& operator=(char c);
    ustring& operator=(const uchar16_t* s);
    ustring& operator=(uchar16_t c);

    // Bytes of x.substr(pos, len).
    ustring& assign(const ustring& x, size_t pos = 0, size_t len = npos);
    ustring& assign(const char* s);
    // At most len bytes (fewer when a 0 byte comes first).
    ustring& assign(const char* s, size_t len);
    // Throws std::out_of_range when pos is beyond x's size.
    ustring& assign(const std::string& x, size_t pos = 0, size_t len = npos);
    ustring& assign(char c, size_t n);
    ustring& assign(const uchar16_t* s);
    ustring& assign(const uchar16_t* s, size_t len);
    ustring& assign(uchar16_t c, size_t n);

    ustring& append(const char* s);
    ustring& append(const char* s, size_t len);
    ustring& append(const std::string& x, size_t pos = 0, size_t len = npos);
    ustring& append(const ustring& x, size_t pos = 0, size_t len = npos);
    ustring& append(char c, size_t n = 1);
    ustring& append(const uchar16_t* s);
    ustring& append(const uchar16_t* s, size_t len);
    ustring& append(uchar16_t c, size_t n = 1);

    ustring& operator+=(const char* s);
    ustring& operator+=(const std::string& x);
    ustring& operator+=(const ustring& x);
    ustring& operator+=(char c);
    ustring& operator+=(const uchar16_t* s);
    ustring& operator+=(uchar16_t c);

    // The UTF-16 text, rebuilt first when stale.
    const uchar16_t* c_str() const;
    const uchar16_t* c_str_utf16() const;
    const char* c_str_utf8() const { return data; }

    size_t length() const { return data_len; }
    size_t size() const { return data_len; }
    bool empty() const { return data_len == 0; }

    // No bound check. The non-const form marks the UTF-16 copy stale, since
    // the caller may write through the reference.
    char& operator[](size_t pos);
    const char& operator[](size_t pos) const { return data[pos]; }

    void clear();
    void swap(ustring& x) noexcept;

    // Throws std::out_of_range("substr") when pos is beyond the length.
    ustring substr(size_t pos = 0, size_t n = npos) const;
    ustring& replace(char a, char b);

    // Remove the longest run of bytes found in list from the start / end / both.
    ustring& ltrim(const char* list);
    ustring& ltrim(const ustring& list);
    ustring& rtrim(const char* list);
    ustring& rtrim(const ustring& list);
    ustring& trim(const char* list);
    ustring& trim(const ustring& list);

    size_t find(const std::string& x, size_t pos = 0) const;
    size_t find(const ustring& x, size_t pos = 0) const;
    size_t find(const char* x, size_t pos = 0) const;
    size_t find(char x, size_t pos = 0) const;
    size_t find_first_of(const std::string& x, size_t pos = 0) const;
    size_t find_first_of(const ustring& x, size_t pos = 0) const;
    size_t find_first_of(const char* x, size_t pos = 0) const;
    size_t find_first_of(char x, size_t pos = 0) const;
    size_t find_first_not_of(const std::string& x, size_t pos = 0) const;
    size_t find_first_not_of(const ustring& x, size_t pos = 0) const;
    size_t find_first_not_of(const char* x, size_t pos = 0) const;
    size_t find_first_not_of(char x, size_t pos = 0) const;
    size_t rfind(const std::string& x, size_t pos = npos) const;
    size_t rfind(const ustring& x, size_t pos = npos) const;
    size_t rfind(const char* x, size_t pos = npos) const;
    size_t rfind(char x, size_t pos = npos) const;
    size_t find_last_of(const std::string& x, size_t pos = npos) const;
    size_t find_last_of(const ustring& x, size_t pos = npos) const;
    size_t find_last_of(const char* x, size_t pos = npos) const;
    size_t find_last_of(char x, size_t pos = npos) const;
    size_t find_last_not_of(const std::string& x, size_t pos = npos) const;
    size_t find_last_not_of(const ustring& x, size_t pos = npos) const;
    size_t find_last_not_of(const char* x, size_t pos = npos) const;
    size_t find_last_not_of(char x, size_t pos = npos) const;

    // Byte-wise, unsigned; caseless folds ASCII A-Z only. Returns the
    // difference of the first differing bytes, 0 when equal.
    static int compare(const ustring& a, const ustring& b, bool caseless);
    int compare(const ustring& str) const;
    // On at most the first n bytes.
    int compare(const ustring& str, size_t n) const;

    static ustring normalize(const ustring& x, normalization_form n);
    ustring normalize(normalization_form n) const;
    // True unless the text is not well-formed UTF-8.
    static bool is_valid(const ustring& x);

protected:
    void init();
    void realloc_data(size_t bytes);
    void realloc_wdata(size_t units) const;
    void clear_data();
    void clear_wdata() const;
    int convert_from_data() const;
    int convert_from_wdata();

private:
    void append_utf8(const char* s, size_t count);
    void append_utf16(const uchar16_t* s, size_t count);
    void mark_wdata_stale() { wdata_len = 0; wdata[0] = 0; }

protected:
    char* data;
    size_t data_len;
    size_t data_cap;
    mutable uchar16_t* wdata;
    mutable size_t wdata_len;
    mutable size_t wdata_cap;
};

ustring operator+(const ustring& lhs, const ustring& rhs);
ustring operator+(const ustring& lhs, const char* rhs);
ustring operator+(const ustring& lhs, char rhs);
ustring operator+(const ustring& lhs, const uchar16_t* rhs);
ustring operator+(const ustring& lhs, uchar16_t rhs);
ustring operator+(const char* lhs, const ustring& rhs);

bool operator==(const ustring& lhs, const ustring& rhs);
bool operator!=(const ustring& lhs, const ustring& rhs);
bool operator<(const ustring& lhs, const ustring& rhs);
bool operator>(const ustring& lhs, const ustring& rhs);
// The usual non-strict meaning.
bool operator<=(const ustring& lhs, const ustring& rhs);
bool operator>=(const ustring& lhs, const ustring& rhs);
bool operator==(const ustring& lhs, const char* rhs);
bool operator!=(const ustring& lhs, const char* rhs);
bool operator==(const char* lhs, const ustring& rhs);
bool operator!=(const char* lhs, const ustring& rhs);

void swap(ustring& a, ustring& b) noexcept;

std::ostream& operator<<(std::ostream& os, const ustring& s);
std::istream& operator>>(std::istream& is, ustring& s);
