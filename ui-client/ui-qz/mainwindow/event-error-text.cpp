#include "event-error-text.h"

#include <QStringList>

#include "event.h"
#include "protocol/proto-ui.h"
#include "str_table.h"

namespace {

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QString firstName(const Event& event)
{
    return event.names.empty() ? QString() : utf8(event.names.front());
}

QString allNames(const Event& event)
{
    QStringList names;
    for (const std::string& name : event.names)
        names << utf8(name);
    return names.join(QStringLiteral(", "));
}

// The folder a move goes to: the new path without its last component.
QString moveDestination(const Event& event)
{
    const std::string& path = event.opt_path;
    const size_t slash = path.rfind('/');
    return utf8(slash == std::string::npos ? path : path.substr(0, slash));
}

QString fill(int id, const QString& first)
{
    return StrTable::LoadStr(id).arg(first);
}

// One pass over both placeholders, so a "%2" inside a name stays as it is.
QString fill(int id, const QString& first, const QString& second)
{
    return StrTable::LoadStr(id).arg(first, second);
}

QString renameText(const Event& event, int error)
{
    const QString name = firstName(event);
    const bool is_move = !event.names.empty() && event.names.front() == event.opt_name;
    const QString target = is_move ? moveDestination(event) : utf8(event.opt_name);
    switch (error) {
    case ProtoUI::ERROR_RENAME_NO_PERM:
        return fill(is_move ? StrTable::error_move_permission : StrTable::error_rename_permission, name, target);
    case ProtoUI::ERROR_RENAME_DISKFULL:
        return fill(StrTable::error_move_diskfull, name, target);
    case ProtoUI::ERROR_RENAME_SHARE_QUOTA:
        return fill(StrTable::error_move_share_quota, name, target);
    case ProtoUI::ERROR_RENAME_USER_QUOTA:
        return fill(StrTable::error_move_user_quota, name, target);
    case ProtoUI::ERROR_RENAME_TARGET_EXISTS:
        return fill(is_move ? StrTable::error_move_target_exists : StrTable::error_rename_target_exists, name,
                    target);
    default:
        return fill(is_move ? StrTable::error_move_general : StrTable::error_rename_general, name, target);
    }
}

QString copyText(const Event& event, int error)
{
    const QString names = allNames(event);
    const QString target = utf8(event.opt_name);
    switch (error) {
    case ProtoUI::ERROR_COPY_NO_PERM:
        return fill(StrTable::error_copy_permission, names, target);
    case ProtoUI::ERROR_COPY_DISKFULL:
        return fill(StrTable::error_copy_diskfull, names, target);
    case ProtoUI::ERROR_COPY_SHARE_QUOTA:
        return fill(StrTable::error_copy_share_quota, names, target);
    case ProtoUI::ERROR_COPY_USER_QUOTA:
        return fill(StrTable::error_copy_user_quota, names, target);
    default:
        return fill(StrTable::error_copy_general, names, target);
    }
}

}  // namespace

bool eventErrorText(const Event& event, int error, QString& text)
{
    switch (event.type) {
    case EV_MKDIR:
        text = fill(error == ProtoUI::ERROR_MKDIR_NO_PERM ? StrTable::error_mkdir_permission
                                                          : StrTable::error_mkdir_general,
                    firstName(event));
        return true;
    case EV_RENAME:
        text = renameText(event, error);
        return true;
    case EV_REMOVE:
        text = fill(error == ProtoUI::ERROR_REMOVE_NO_PERM ? StrTable::error_remove_permission
                                                           : StrTable::error_remove_general,
                    allNames(event));
        return true;
    case EV_COPY:
        text = copyText(event, error);
        return true;
    case EV_UPLOAD:
    case EV_DOWNLOAD:
        // An upload refused for a name a server would split at its "\\".
        text = fill(event.type == EV_UPLOAD && error == ProtoUI::ERROR_INVALID_ARGUMENT ? StrTable::error_upload_name
                                                                                        : StrTable::error_load_transfer,
                    firstName(event));
        return true;
    default:
        return false;
    }
}
