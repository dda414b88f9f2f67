#pragma once

#include <QString>

// The folders start-up records in the path manager ("application_path",
// "resource_path", "user_data_path", "log_path"), all cleaned:
// - resource: the program's folder + "/../resource", where the build stages
//   the resources;
// - user data: $QUILLMAR_DATA_DIR, else $XDG_DATA_HOME (default
//   ~/.local/share) + "/quillmar-file-manager";
// - log: $QUILLMAR_LOG_DIR, else $XDG_STATE_HOME (default ~/.local/state) +
//   "/quillmar-file-manager/log".
// Neither the data nor the log folder ever lies beside the program.

// The user data folder from the environment alone; start-up keys the
// single-instance check by it before the application object exists.
QString userDataFolderFromEnvironment();
QString logFolderFromEnvironment();

// Sets the four named folders and creates the user data folder. Needs the
// application object (for the program's folder).
void initializePaths();

// "" when the user data folder exists (made now if missing) and takes new
// files; else why not, for the user. Every database and settings file lives
// there, so a start that cannot write it cannot run.
QString checkUserDataFolder();

// Moves "sys-db.sqlite" to "sys-db.sqlite.broken", replacing an older one.
// 0, or -1 (logged) when the old backup cannot be removed or the move fails.
int backupBrokenDb();
