#pragma once

#include <QString>

#include <list>
#include <string>

#include "site-file-info.h"

// Drops the entries whose names cannot stand for one item of `path` ("",
// ".", "..", or holding "/" or NUL) and logs each; returns how many went.
// At the computer's top level ("0:") the names are clean absolute paths.
int dropUnusableEntries(SiteFileList& list, const QString& path);

// Removes every entry whose name, as UTF-8 bytes, is one of `names`; the
// others keep their order. One pass over the list with a set of the names.
int removeEntriesByName(SiteFileList& list, const std::list<std::string>& names);

// True when the id path `target` is `folder` itself or lies below it, on the
// same site. Server paths also separate with "\".
bool isSameOrInside(const QString& folder, const QString& target);
