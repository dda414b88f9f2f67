#pragma once

#include <QString>

#include <string>

class ConnectionInfo;
struct SiteInfo;

// How getAuthorityString shows an address. The two forms are matched
// exactly, not as bits: a form combined with AS_SHOW_DEFAULT_PORT is neither.
enum AutorityStringType {
    AS_ADDRESS_AND_USER = 1,
    AS_ADDRESS_ONLY = 2,
    AS_SHOW_DEFAULT_PORT = 16,
};

const int kDefaultControlPort = 3362;

// "user@host[:port]" or "host[:port]"; the default port is hidden unless asked.
QString getAuthorityString(const QString& host, const QString& user, int port, AutorityStringType type);
QString getAuthorityString(const ConnectionInfo& info, AutorityStringType type);
QString getAuthorityString(const SiteInfo& info, AutorityStringType type);
// Splits a typed address into host (UTF-8) and port (3362 when absent); a
// text without a host gives the text itself and 3362.
void getDomainAndPortFromString(const QString& text, std::string& domain, int& port);
