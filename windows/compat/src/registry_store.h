#pragma once

// The registry's storage: one hive per root, kept in one text file.
//
// File format (UTF-8, one record per line, '%', tab, CR and LF escaped as %XX):
//   QMREG 1
//   K<TAB>key path
//   V<TAB>value name<TAB>type<TAB>data as hexadecimal bytes
// A V line belongs to the K line above it; "K" with an empty path is the root.

#include <functional>
#include <string>
#include <vector>

#include "compat/win_types.h"

namespace compat {
namespace reg {

enum RootId { ROOT_HKLM = 0, ROOT_HKCU = 1 };

struct Value {
    std::u16string name; // "" is the key's default value
    DWORD type = 0;
    std::string data;    // the raw bytes as written
};

struct Key {
    std::u16string path; // components joined with '\', first spelling kept
    std::vector<Value> values;

    Value* findValue(const std::u16string& name);
};

class Hive {
public:
    Hive();
    // Case-insensitive lookup of a normalised path; null when absent.
    Key* find(const std::u16string& path);
    // Creates the key and its missing ancestors; existing parts keep their spelling.
    Key& create(const std::u16string& path, bool* created);
    // Names (last components) of the direct sub-keys, in file order.
    std::vector<std::u16string> children(const std::u16string& path) const;
    void remove(const std::u16string& path);

    std::vector<Key> keys; // keys[0] is the root, path ""
};

// Splits on '\', drops empty components, joins again.
std::u16string normalisePath(const std::u16string& path);
std::u16string joinPath(const std::u16string& a, const std::u16string& b);

std::string rootName(RootId root);
std::string rootDir(RootId root);
std::string rootFile(RootId root);
bool isReadOnly(RootId root);
// True when `path` is, or lies below, a key listed in "<ROOT>.deny" (one key
// path a line): writes there are refused, as a key's access rights would.
bool isDenied(RootId root, const std::u16string& path);

// Reads the root's hive; a missing file is an empty hive.
// ERROR_SUCCESS or ERROR_REGISTRY_CORRUPT.
LONG loadHive(RootId root, Hive& hive);
// Loads, applies `change`, and writes back when it returns ERROR_SUCCESS, all
// under the root's lock. A read-only or corrupt root is refused before `change`.
LONG modifyHive(RootId root, const std::function<LONG(Hive&)>& change);

} // namespace reg
} // namespace compat
