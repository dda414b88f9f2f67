// Address texts of the login window, settings and tabs.
#include <gtest/gtest.h>

#include "login-utils.h"
#include "site-info.h"

TEST(CoreLoginUtils, AuthorityStrings)
{
    struct Row {
        const char* name;
        QString host;
        int port;
        int type;
        QString expected;
    } rows[] = {
        {"ipv4 default port only", "10.0.0.5", 3362, AS_ADDRESS_ONLY, "10.0.0.5"},
        {"ipv4 other port only", "10.0.0.5", 5000, AS_ADDRESS_ONLY, "10.0.0.5:5000"},
        {"ipv6 default port with user", "fe80::1", 3362, AS_ADDRESS_AND_USER, "bob@[fe80::1]"},
        {"ipv6 other port with user", "fe80::1", 4000, AS_ADDRESS_AND_USER, "bob@[fe80::1]:4000"},
        {"ipv6 other port only", "::1", 4000, AS_ADDRESS_ONLY, "[::1]:4000"},
        {"show default port", "nas.local", 3362, AS_SHOW_DEFAULT_PORT, "nas.local:3362"},
        {"show default port with a form is neither form", "nas.local", 3362,
         AS_SHOW_DEFAULT_PORT | AS_ADDRESS_AND_USER, "nas.local:3362"},
        {"host lower-cased", "NAS.Local", 3362, AS_ADDRESS_AND_USER, "bob@nas.local"},
        {"address only keeps host as given", "NAS.Local", 3362, AS_ADDRESS_ONLY, "NAS.Local"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(getAuthorityString(row.host, "bob", row.port, static_cast<AutorityStringType>(row.type)),
                  row.expected)
            << row.name;

    SiteInfo site;
    site.domain_name = "host";
    site.user_name = "u";
    site.control_port = 7;
    EXPECT_EQ(getAuthorityString(site, AS_ADDRESS_AND_USER), "u@host:7");
}

TEST(CoreLoginUtils, DomainAndPortFromText)
{
    struct Row {
        const char* name;
        QString text;
        std::string domain;
        int port;
    } rows[] = {
        {"blanks around ipv4", "  192.168.1.2 ", "192.168.1.2", 3362},
        {"ipv4 with port", "192.168.1.2:8080", "192.168.1.2", 8080},
        {"bracketed ipv6 with port", "[fe80::2]:99", "fe80::2", 99},
        {"user dropped", "ann@[fe80::2]:99", "fe80::2", 99},
        {"empty", "", "", 3362},
        {"name", "nas.example", "nas.example", 3362},
    };
    for (const Row& row : rows) {
        std::string domain = "stale";
        int port = -1;
        getDomainAndPortFromString(row.text, domain, port);
        EXPECT_EQ(domain, row.domain) << row.name;
        EXPECT_EQ(port, row.port) << row.name;
    }
}
