// Unicode normalisation and validity of ustring, through ICU.
#include "ustring/ustring.h"

#include <cstdio>

#include <unicode/unorm2.h>
#include <unicode/ustring.h>

namespace {

void warn(const char* what, UErrorCode code, int line)
{
    std::fprintf(stderr, "Warning: %s: error code %d at line %d\n", what, static_cast<int>(code), line);
    std::fflush(stderr);
}

} // namespace

ustring ustring::normalize(const ustring& x, normalization_form n)
{
    ustring result;
    if (x.empty())
        return result;
    UErrorCode err = U_ZERO_ERROR;
    // The "nfc" data set serves both forms.
    const UNormalizer2* norm =
        unorm2_getInstance(nullptr, "nfc", n == NFD ? UNORM2_DECOMPOSE : UNORM2_COMPOSE, &err);
    if (!norm || U_FAILURE(err)) {
        warn("unorm2_getInstance", err, __LINE__);
        return result;
    }
    const UChar* source = x.c_str();
    const int32_t needed = unorm2_normalize(norm, source, -1, nullptr, 0, &err);
    err = U_ZERO_ERROR;
    result.realloc_wdata(static_cast<size_t>(needed) + 1);
    const int32_t written =
        unorm2_normalize(norm, source, -1, result.wdata, static_cast<int32_t>(result.wdata_cap), &err);
    if (U_FAILURE(err)) {
        warn("unorm2_normalize", err, __LINE__);
        result.clear();
        return result;
    }
    result.wdata_len = static_cast<size_t>(written);
    result.wdata[result.wdata_len] = 0;
    result.convert_from_wdata();
    return result;
}

ustring ustring::normalize(normalization_form n) const { return normalize(*this, n); }

bool ustring::is_valid(const ustring& x)
{
    if (x.empty())
        return true;
    UErrorCode err = U_ZERO_ERROR;
    int32_t needed = 0;
    u_strFromUTF8(nullptr, 0, &needed, x.data, -1, &err);
    return err != U_INVALID_CHAR_FOUND;
}
