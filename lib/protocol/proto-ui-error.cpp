// ProtoUI's last error and the maps that fill it.
#include "proto-ui-error-map.h"

#include "channel/error-code.h"
#include "protocol/stream.h"

namespace proto_ui_error {

namespace {

// The server's own error codes. Its groups are numbered differently from the
// client's: only the file-operation groups share their numbers.
enum SYNC_PROTO_ERR {
    SPROTO_ERR_OK = 1,
    SPROTO_ERR_ERR = 2,
    SPROTO_ERR_USER = 4096,
    SPROTO_ERR_USER_DISABLE = 4097,
    SPROTO_ERR_USER_PASSWD = 4100,
    SPROTO_ERR_USER_MAX_TRIES = 4102,
    SPROTO_ERR_USER_EXPIRED = 4103,
    SPROTO_ERR_USER_OTP_REQUIRED = 4104,
    SPROTO_ERR_USER_OTP_INVALID = 4105,
    SPROTO_ERR_USER_OTP_ENFORCED = 4106,
    SPROTO_ERR_USER_INVALID_SEED = 4107,
    SPROTO_ERR_SYSTEM = 12288,
    SPROTO_ERR_QUOTA = 12289,
    SPROTO_ERR_DISKFULL = 12290,
    SPROTO_ERR_VERSION = 16384,
    SPROTO_ERR_VERSION_TOO_LOW = 16385,
    SPROTO_ERR_VERSION_TOO_HIGH = 16386,
    SPROTO_ERR_INTERNAL = 20480,
    SPROTO_ERR_REMOVE = 24576,
    SPROTO_ERR_REMOVE_NO_PERM = 24577,
    SPROTO_ERR_COPY = 28672,
    SPROTO_ERR_COPY_NO_PERM = 28673,
    SPROTO_ERR_COPY_DISKFULL = 28674,
    SPROTO_ERR_COPY_SHARE_QUOTA = 28675,
    SPROTO_ERR_COPY_USER_QUOTA = 28676,
    SPROTO_ERR_LIST_NODE = 32768,
    SPROTO_ERR_LIST_NODE_NO_PERM = 32769,
    SPROTO_ERR_MKDIR = 36864,
    SPROTO_ERR_MKDIR_NO_PERM = 36865,
    SPROTO_ERR_RENAME = 40960,
    SPROTO_ERR_RENAME_NO_PERM = 40961,
    SPROTO_ERR_RENAME_DISKFULL = 40962,
    SPROTO_ERR_RENAME_SHARE_QUOTA = 40963,
    SPROTO_ERR_RENAME_USER_QUOTA = 40964,
    SPROTO_ERR_RENAME_TARGET_EXISTS = 40965,
    SPROTO_ERR_CONNECTION = 53248,
    SPROTO_ERR_CONNECTION_IP_NOT_ALLOW = 53249,
};

}  // namespace

ProtoUI::Error FromChannelResult(int code)
{
    switch (code) {
    case ERR_OK:
        return ProtoUI::ERROR_OK;
    case ERR_SSL_VERIFY_FAIL:
        return ProtoUI::ERROR_CHANNEL_SSL_VERIFY;
    case ERR_SSL_CHANGE:
        return ProtoUI::ERROR_CHANNEL_SSL_CHANGE;
    default:
        return ProtoUI::ERROR_CHANNEL_IO;
    }
}

ProtoUI::Error FromStreamResult(int code)
{
    switch (code) {
    case PStream::ERR_OK:
        return ProtoUI::ERROR_OK;
    case PStream::ERR_INPUT:
        return ProtoUI::ERROR_INVALID_ARGUMENT;
    case PStream::ERR_STREAM:
        return ProtoUI::ERROR_PROTOCOL_MISMATCH;
    default:
        return ProtoUI::ERROR_CHANNEL_IO;
    }
}

ProtoUI::Error FromServerCode(int code)
{
    switch (code) {
    case 0:
        return ProtoUI::ERROR_OK;
    case SPROTO_ERR_USER_DISABLE:
        return ProtoUI::ERROR_USER_DISABLED;
    case SPROTO_ERR_USER_PASSWD:
        return ProtoUI::ERROR_USER_PASSWORD;
    case SPROTO_ERR_USER_MAX_TRIES:
        return ProtoUI::ERROR_USER_MAX_TRIES;
    case SPROTO_ERR_USER_EXPIRED:
        return ProtoUI::ERROR_USER_EXPIRED;
    case SPROTO_ERR_USER_OTP_REQUIRED:
        return ProtoUI::ERROR_USER_OTP_REQUIRED;
    case SPROTO_ERR_USER_OTP_INVALID:
        return ProtoUI::ERROR_USER_OTP_INVALID;
    case SPROTO_ERR_USER_OTP_ENFORCED:
        return ProtoUI::ERROR_USER_OTP_ENFORCED;
    case SPROTO_ERR_USER_INVALID_SEED:
        return ProtoUI::ERROR_USER_INVALID_SEED;
    case SPROTO_ERR_SYSTEM:
    case SPROTO_ERR_QUOTA:
    case SPROTO_ERR_DISKFULL:
    case SPROTO_ERR_INTERNAL:
        return ProtoUI::ERROR_SERVER_INTERNAL;
    case SPROTO_ERR_VERSION_TOO_LOW:
        return ProtoUI::ERROR_PROTOCOL_VERSION_TOO_LOW;
    case SPROTO_ERR_VERSION_TOO_HIGH:
        return ProtoUI::ERROR_PROTOCOL_VERSION_TOO_HIGH;
    case SPROTO_ERR_REMOVE_NO_PERM:
        return ProtoUI::ERROR_REMOVE_NO_PERM;
    case SPROTO_ERR_COPY_NO_PERM:
        return ProtoUI::ERROR_COPY_NO_PERM;
    case SPROTO_ERR_COPY_DISKFULL:
        return ProtoUI::ERROR_COPY_DISKFULL;
    case SPROTO_ERR_COPY_SHARE_QUOTA:
        return ProtoUI::ERROR_COPY_SHARE_QUOTA;
    case SPROTO_ERR_COPY_USER_QUOTA:
        return ProtoUI::ERROR_COPY_USER_QUOTA;
    case SPROTO_ERR_LIST_NODE_NO_PERM:
        return ProtoUI::ERROR_LIST_NODE_NO_PERM;
    case SPROTO_ERR_MKDIR_NO_PERM:
        return ProtoUI::ERROR_MKDIR_NO_PERM;
    case SPROTO_ERR_RENAME_NO_PERM:
        return ProtoUI::ERROR_RENAME_NO_PERM;
    case SPROTO_ERR_RENAME_DISKFULL:
        return ProtoUI::ERROR_RENAME_DISKFULL;
    case SPROTO_ERR_RENAME_SHARE_QUOTA:
        return ProtoUI::ERROR_RENAME_SHARE_QUOTA;
    case SPROTO_ERR_RENAME_USER_QUOTA:
        return ProtoUI::ERROR_RENAME_USER_QUOTA;
    case SPROTO_ERR_RENAME_TARGET_EXISTS:
        return ProtoUI::ERROR_RENAME_TARGET_EXISTS;
    case SPROTO_ERR_CONNECTION_IP_NOT_ALLOW:
        return ProtoUI::ERROR_CHANNEL_IP_NOT_ALLOWED;
    default:
        break;
    }
    // Unlisted codes take their group's general error; a negative code falls
    // in group 0xF000 and so to ERROR_SERVER.
    switch (static_cast<unsigned>(code) & 0xF000u) {
    case SPROTO_ERR_USER:
        return ProtoUI::ERROR_USER;
    case SPROTO_ERR_VERSION:
        return ProtoUI::ERROR_PROTOCOL;
    case SPROTO_ERR_REMOVE:
        return ProtoUI::ERROR_REMOVE;
    case SPROTO_ERR_COPY:
        return ProtoUI::ERROR_COPY;
    case SPROTO_ERR_LIST_NODE:
        return ProtoUI::ERROR_LIST_NODE;
    case SPROTO_ERR_MKDIR:
        return ProtoUI::ERROR_MKDIR;
    case SPROTO_ERR_RENAME:
        return ProtoUI::ERROR_RENAME;
    default:
        return ProtoUI::ERROR_SERVER;
    }
}

}  // namespace proto_ui_error

void ProtoUI::ClearError()
{
    m_error = ERROR_OK;
    m_error_message.clear();
}

void ProtoUI::SetError(Error error, const std::string& message)
{
    m_error = error;
    m_error_message = message;
}

void ProtoUI::SetChannelError(int code, const std::string& message)
{
    if (code == 0)
        return ClearError();
    SetError(proto_ui_error::FromChannelResult(code), message);
}

void ProtoUI::SetStreamError(int code, const std::string& message)
{
    if (code == 0)
        return ClearError();
    SetError(proto_ui_error::FromStreamResult(code), message);
}

void ProtoUI::SetProtocolError(int code, const std::string& reason)
{
    if (code == 0)
        return ClearError();
    SetError(proto_ui_error::FromServerCode(code), "protocol error, reason = '" + reason + "'");
}

ProtoUI::Error ProtoUI::GetLastError() const
{
    return m_error;
}

std::string ProtoUI::GetLastErrorMessage() const
{
    return m_error_message;
}
