#pragma once

// Result codes shared by the channel and the protocol layer: 0 is success,
// every failure is negative. The text of a code is used when a code has to be
// written into the log.
enum {
    ERR_OK = 0,
    ERR_INT = -1,
    ERR_IO = -2,
    ERR_SYS = -3,
    ERR_INVAL = -4,
    ERR_PROTO = -5,
    ERR_AUTH = -6,
    ERR_SERVER = -7,
    ERR_CONFLICT = -8,
    ERR_TIMEOUT = -9,
    ERR_VERSION = -10,
    ERR_NOENT = -11,
    ERR_USER = -12,
    ERR_PASSWORD = -13,
    ERR_ZRMDISABLE = -14,
    ERR_QUOTA = -15,
    ERR_DISKFULL = -16,
    ERR_SYNCFOLDER_MISS = -17,
    ERR_VIEW = -18,
    ERR_PERMISS = -19,
    ERR_VIEW_PATH = -20,
    ERR_CH_CONNECTION_ABORT = -21,
    ERR_LOCAL_DISKFULL = -22,
    ERR_LOCKED_FILE = -23,
    ERR_SSL_VERIFY_FAIL = -24,
    ERR_SSL_CHANGE = -25,
    ERR_PERMISS_READ_ONLY = -26,
    ERR_NO_UPLOAD_PERM = -27,
    ERR_CONFLICT_DOWNLOAD = -28,
    ERR_NOT_MOUNTED = -29,
    ERR_WATCH_VOL_UMOUNT = -30,
    ERR_SESSION_INITIAL = -31,
    ERR_NO_ACCESS_PERM = -32,
    ERR_BUILD_NUM_CHANGED = -33,
    ERR_FILE_TOO_BIG = -34,
    ERR_IP_NOT_ALLOW = -35,
    ERR_XR_ID_CHANGE = -36,
    ERR_OTP_REQUIRED = -37,
    ERR_USER_MAX_TRIES = -38,
    ERR_INVALID_OTP = -39,
    ERR_OTP_ENFORCED = -40,
    ERR_SHARE_QUOTA_FULL = -41,
    // An HTTP proxy answered 407 to the credentials sent: fix the password.
    ERR_PROXY_AUTH_REFUSED = -42,
    // An HTTP proxy wants authentication that the chosen method does not give.
    ERR_PROXY_AUTH_REQUIRED = -43,
    // An HTTP proxy sent an NTLM challenge that cannot be answered.
    ERR_PROXY_BAD_CHALLENGE = -44,
    ERR_MAX = -45,
};

// English text of a result code; "Unknown error" for anything outside 0..ERR_MAX+1.
const wchar_t* GetErrorText(int code);
