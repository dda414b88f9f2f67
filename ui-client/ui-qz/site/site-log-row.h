#pragma once

#include <initializer_list>
#include <string>

#include "site-info.h"

// Writes one general-log row for a site: its domain name and user, the
// current time and the text arguments in order. The result is not examined:
// a row that cannot be written does not undo what it records.
void writeSiteLogRow(const SiteInfo& info, int type, std::initializer_list<std::string> paths);
