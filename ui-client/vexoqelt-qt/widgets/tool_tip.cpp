#include "tool_tip.h"

QString getHtmlEscapedStringForToolTip(const QString& text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    escaped.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // pre-wrap keeps runs of spaces and the line breaks; the tag makes Qt
    // read the text as rich text.
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + escaped + QStringLiteral("</p>");
}
