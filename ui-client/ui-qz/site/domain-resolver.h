#pragma once

#include <functional>
#include <string>
#include <vector>

// How the first login of a site turns its domain name into addresses:
// appends address texts; 0, or -1 when the resolver failed.
typedef std::function<int(const std::string& name, std::vector<std::string>& addresses)> DomainResolver;

// The system resolver unless a test replaced it.
int resolveSiteDomainName(const std::string& name, std::vector<std::string>& addresses);
// Replaces the resolver for the whole process; an empty one restores the system's.
void setSiteDomainResolver(DomainResolver resolver);
