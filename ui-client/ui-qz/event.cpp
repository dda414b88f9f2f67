#include "event.h"

#include <sstream>

namespace {

void writeList(std::ostringstream& out, const std::list<std::string>& items)
{
    out << "{";
    bool first = true;
    for (const std::string& item : items) {
        if (!first)
            out << ", ";
        out << item;
        first = false;
    }
    out << "}, ";
}

}  // namespace

std::string Event::toString() const
{
    std::ostringstream out;
    out << "type: " << static_cast<int>(type) << ", id: " << id << ", parent: " << parent
        << ", site: " << peer_id << ", names: ";
    writeList(out, names);
    out << "paths: ";
    writeList(out, paths);
    out << "source_is_dir: " << (source_is_dir ? 1 : 0) << ", opt_site: " << opt_peer_id
        << ", opt_path: " << opt_path << ", ";
    return out.str();
}
