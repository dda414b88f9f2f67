#include "channel/error-code.h"

namespace {

// Indexed by -code.
const wchar_t* const kErrorTexts[-ERR_MAX] = {
    L"Successful",
    L"Interrupted",
    L"I/O error",
    L"System error",
    L"Invalid argument",
    L"Protocal error",
    L"Authentication failure",
    L"Server error",
    L"Event conflict",
    L"Connection timeout",
    L"Incompatible version",
    L"No such entry",
    L"Invalid username",
    L"Password and username not matched",
    L"ZRM disabled",
    L"User quota not enough",
    L"Disk is full",
    L"Sync Folder is miss",
    L"View missing/invalid",
    L"no permission ",
    L"pull event by path, but the path is missing",
    L"connection about by setting flag",
    L"Local Disk is full",
    L"file locked or no permission",
    L"ssl certificate verify fail",
    L"ssl certificate changed",
    L"permission is read-only",
    L"no permission to access",
    L"retry server download on local modified",
    L"server enc share not mounted",
    L"sync folder not mounted",
    L"sync folder not mounted",
    L"no access permission",
    L"build number changed",
    L"file too big",
    L"IP is not allowed",
    L"database id is changed",
    L"Otp required",
    L"user max tries",
    L"Invalid otp",
    L"Otp enforced",
    L"Share quota full",
    L"Proxy refused the credentials",
    L"Proxy requires authentication",
    L"Proxy sent an unusable NTLM challenge",
};

}  // namespace

const wchar_t* GetErrorText(int code)
{
    if (code > 0 || code <= ERR_MAX)
        return L"Unknown error";
    return kErrorTexts[-code];
}
