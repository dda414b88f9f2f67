#pragma once

#include <QString>

// The resource folder: the path manager's "resource_path", else the program's
// folder + "/../resource", cleaned.
QString vexoResourceFolder();
