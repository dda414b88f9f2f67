#include "compat/com.h"

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IShellExtInit = {0x000214E8, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IShellCopyHookW = {0x000214FC, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

const char kHex[] = "0123456789ABCDEF";

void putHex(LPWSTR& out, uint64_t value, int digits)
{
    for (int i = digits - 1; i >= 0; --i)
        *out++ = static_cast<WCHAR>(kHex[(value >> (i * 4)) & 0xF]);
}

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool readHex(const char16_t*& in, int digits, uint64_t* value)
{
    uint64_t v = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = hexValue(in[i]);
        if (d < 0)
            return false;
        v = (v << 4) | static_cast<uint64_t>(d);
    }
    in += digits;
    *value = v;
    return true;
}

} // namespace

int StringFromGUID2(REFGUID guid, LPWSTR out, int max_units)
{
    if (!out || max_units < 39)
        return 0;
    LPWSTR p = out;
    *p++ = u'{';
    putHex(p, guid.Data1, 8);
    *p++ = u'-';
    putHex(p, guid.Data2, 4);
    *p++ = u'-';
    putHex(p, guid.Data3, 4);
    *p++ = u'-';
    putHex(p, guid.Data4[0], 2);
    putHex(p, guid.Data4[1], 2);
    *p++ = u'-';
    for (int i = 2; i < 8; ++i)
        putHex(p, guid.Data4[i], 2);
    *p++ = u'}';
    *p = 0;
    return 39;
}

namespace compat {

bool guidFromString(const char16_t* text, GUID* guid)
{
    if (!text || !guid || text[0] != u'{')
        return false;
    const char16_t* p = text + 1;
    uint64_t v = 0;
    GUID g{};
    if (!readHex(p, 8, &v) || *p++ != u'-')
        return false;
    g.Data1 = static_cast<uint32_t>(v);
    if (!readHex(p, 4, &v) || *p++ != u'-')
        return false;
    g.Data2 = static_cast<uint16_t>(v);
    if (!readHex(p, 4, &v) || *p++ != u'-')
        return false;
    g.Data3 = static_cast<uint16_t>(v);
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && *p++ != u'-')
            return false;
        if (!readHex(p, 2, &v))
            return false;
        g.Data4[i] = static_cast<uint8_t>(v);
    }
    if (*p++ != u'}' || *p != 0)
        return false;
    *guid = g;
    return true;
}

} // namespace compat
