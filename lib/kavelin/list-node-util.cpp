#include "kavelin/list-node-util.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include <json/json.h>

#include "log.h"

namespace {

bool isHiddenEntry(const DIR_ENTRY& entry)
{
    static const char* const kHidden[] = {".", "..", "@tmp", "@eaDir", "#recycle", "@sharebin", "#snapshot"};
    if (entry.type == FT_NOT_EXIST)
        return true;
    const char* name = entry.name.c_str_utf8();
    for (const char* hidden : kHidden) {
        if (std::strcmp(name, hidden) == 0)
            return true;
    }
    return false;
}

} // namespace

int listLocal(const std::string& /*unused*/, const ustring& path, std::vector<DIR_ENTRY>& entries)
{
    FILE_INFO info;
    if (FSStat(path, info, true) != 0 || !info.isExist)
        return -1;
    if (info.type != FT_DIR)
        return 1;
    DIR_HANDLE handle;
    if (FSOpenDir(path, DIR_FLAG_WITH_STAT, handle) != 0)
        return -1;
    DIR_ENTRY entry;
    const size_t listed_before = entries.size();
    int read;
    while ((read = FSReadDir(handle, entry)) >= 1) {
        if (!isHiddenEntry(entry))
            entries.push_back(entry);
    }
    FSCloseDir(handle);
    // The folder is opened by the first read, so a folder that cannot be
    // opened fails here. A failed read must not pass a partial (or empty)
    // listing off as the whole folder.
    if (read < 0) {
        entries.resize(listed_before);
        return -1;
    }
    return 0;
}

int serializeChildren(const ustring& path, const std::vector<ustring>& names)
{
    Json::Value array(Json::arrayValue);
    for (const ustring& name : names)
        array.append(Json::Value(name.c_str_utf8()));

    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    std::string text;
    try {
        text = Json::writeString(builder, array);
    } catch (const Json::Exception& error) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] list-node-util(%d): serialize '%s' failed: %s\n",
               path.c_str_utf8(), error.what());
        return -1;
    }
    std::ofstream file(path.c_str_utf8(), std::ios::out | std::ios::trunc);
    if (!file) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] list-node-util(%d): cannot open '%s' for writing\n",
               path.c_str_utf8());
        return -1;
    }
    file << text << '\n';
    file.close();
    if (!file) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] list-node-util(%d): writing '%s' failed\n",
               path.c_str_utf8());
        return -1;
    }
    return 0;
}

int deserializeChildren(const ustring& path, std::vector<ustring>& names)
{
    names.clear();
    Json::Value root;
    std::ifstream file(path.c_str_utf8(), std::ios::in | std::ios::binary);
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    std::string errors;
    if (!file || !Json::parseFromStream(builder, file, &root, &errors)) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] list-node-util(%d): parse input '%s' failed\n",
               path.c_str_utf8());
        return -1;
    }
    if (!root.isArray()) {
        QM_LOG(Logger::L_ERR, "default_component",
               L"[ERROR] list-node-util(%d): input file '%s' is not in array type\n", path.c_str_utf8());
        return -1;
    }
    // Only strings are names (null and booleans keep their old reading);
    // a number, an array or a map means the file is not a name list, and a
    // partial list must not pass for the whole one.
    try {
        for (const Json::Value& element : root) {
            if (!element.isString() && !element.isNull() && !element.isBool())
                throw Json::LogicError("element is not a name");
            names.push_back(ustring(element.asString()));
        }
    } catch (const Json::Exception& error) {
        names.clear();
        QM_LOG(Logger::L_ERR, "default_component",
               L"[ERROR] list-node-util(%d): input file '%s' holds an element that is not a name: %s\n",
               path.c_str_utf8(), error.what());
        return -1;
    }
    return 0;
}
