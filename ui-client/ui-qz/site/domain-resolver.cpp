#include "domain-resolver.h"

#include <mutex>

#include "file-op-ex.h"

namespace {

std::mutex g_mutex;  // guards g_resolver
DomainResolver g_resolver;

}  // namespace

int resolveSiteDomainName(const std::string& name, std::vector<std::string>& addresses)
{
    DomainResolver resolver;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        resolver = g_resolver;
    }
    if (resolver)
        return resolver(name, addresses);
    return cross::resolveDomainName(name, addresses);
}

void setSiteDomainResolver(DomainResolver resolver)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_resolver = std::move(resolver);
}
