#pragma once

#include <string>

// True for a name that stands for one item inside its folder: not empty, not
// "." or "..", without "/" or NUL. Names that fail would, joined to a folder,
// mean the folder itself, a parent, or an item further down.
bool isPlainEntryName(const std::string& name);
