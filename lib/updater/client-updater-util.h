#pragma once

#include <set>
#include <string>

// The "release_version" of a system database file as an integer; -1 when the
// file cannot be opened, has no system_table or no such row.
int GetSystemDBVersion(const std::string& path);

// Removes every entry of `folder` whose name is not in `keep`. True when the
// folder is missing or was read whole and every removal succeeded.
bool RemoveTrashedSessionEnv(const std::string& folder, const std::set<std::string>& keep);
