#include "misc-log-text.h"

#include <QRegularExpression>

#include "db-util.h"
#include "misc-log.h"
#include "str_table.h"

namespace {

const char kNameColour[] = "2A588C";

QString textArg(const MiscLog& log, size_t index)
{
    // Rows read from the database carry five; a record built by hand may not.
    return index < log.s_arg.size() ? QString::fromStdString(log.s_arg[index]) : QString();
}

QString coloured(const QString& text)
{
    return getColoredString(text, QLatin1String(kNameColour));
}

}  // namespace

QString getColoredString(const QString& text, const QString& colour)
{
    return QStringLiteral("<a style=\"color:#") + colour + QStringLiteral("\">") + text.toHtmlEscaped() +
           QStringLiteral("</a>");
}

QString getBaseName(const QString& path)
{
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    const int last = path.lastIndexOf(separator);
    return last < 0 ? path : path.mid(last + 1);
}

void getLogString(const MiscLog& log, QString& text, QString& tooltip)
{
    // Every placeholder is filled in one pass (the several-argument arg), so
    // a name from the server holding "%1".."%9" stays text and never takes
    // the place of a later argument. The user name and the address are
    // escaped like the names: all of them come from outside.
    const QString user = QString::fromStdString(log.username).toHtmlEscaped();
    const QString s0 = textArg(log, 0);
    const QString s1 = textArg(log, 1);
    const QString arrow = s0 + QStringLiteral(" -> ") + s1;

    switch (log.type) {
    case LOG_LOGIN:
        text = StrTable::LoadStr(StrTable::log_event_login)
                   .arg(user, QString::fromStdString(log.ip).toHtmlEscaped());
        tooltip = QString();
        return;
    case LOG_RENAME: {
        const QString old_name = getBaseName(s0);
        const QString new_name = getBaseName(s1);
        if (old_name == new_name) {
            // Same last component: the item moved to another folder.
            text = StrTable::LoadStr(StrTable::log_event_move).arg(user, coloured(old_name), coloured(s1));
        } else {
            text = StrTable::LoadStr(StrTable::log_event_rename).arg(user, coloured(old_name), coloured(new_name));
        }
        tooltip = arrow;
        return;
    }
    case LOG_COPY:
        text = StrTable::LoadStr(StrTable::log_event_copy).arg(user, coloured(getBaseName(s0)), coloured(s1));
        tooltip = arrow;
        return;
    case LOG_REMOVE:
        text = StrTable::LoadStr(StrTable::log_event_remove).arg(user, coloured(getBaseName(s0)));
        tooltip = s0;
        return;
    case LOG_MKDIR:
        text = StrTable::LoadStr(StrTable::log_event_mkdir).arg(user, coloured(getBaseName(s0)));
        tooltip = s0;
        return;
    case LOG_UPLOAD:
        text = StrTable::LoadStr(StrTable::log_event_upload).arg(user, coloured(getBaseName(s0)));
        tooltip = arrow;
        return;
    case LOG_DOWNLOAD:
        text = StrTable::LoadStr(StrTable::log_event_download).arg(user, coloured(getBaseName(s0)));
        tooltip = arrow;
        return;
    default:
        return;
    }
}
