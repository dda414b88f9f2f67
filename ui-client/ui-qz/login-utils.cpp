#include "login-utils.h"

#include <QUrl>

#include "connection-info.h"
#include "site-info.h"

QString getAuthorityString(const QString& host, const QString& user, int port, AutorityStringType type)
{
    if (type == AS_ADDRESS_ONLY && port == kDefaultControlPort)
        return host;
    QUrl url;
    url.setHost(host, QUrl::DecodedMode);
    if ((type & AS_SHOW_DEFAULT_PORT) || port != kDefaultControlPort)
        url.setPort(port);
    QString authority = url.authority();
    if (type == AS_ADDRESS_AND_USER)
        return user + "@" + authority;
    return authority;
}

QString getAuthorityString(const ConnectionInfo& info, AutorityStringType type)
{
    return getAuthorityString(QString::fromStdString(info.domain_name), QString::fromStdString(info.username),
                              info.port, type);
}

QString getAuthorityString(const SiteInfo& info, AutorityStringType type)
{
    return getAuthorityString(info.domain_name, info.user_name, info.control_port, type);
}

void getDomainAndPortFromString(const QString& text, std::string& domain, int& port)
{
    QUrl url;
    url.setAuthority(text.trimmed(), QUrl::TolerantMode);
    QString host = url.host(QUrl::FullyDecoded);
    if (host.isEmpty()) {
        domain = text.toUtf8().toStdString();
        port = kDefaultControlPort;
        return;
    }
    domain = host.toUtf8().toStdString();
    port = url.port(kDefaultControlPort);
}
