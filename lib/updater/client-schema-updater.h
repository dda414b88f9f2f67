#pragma once

#include <string>

#include "client-single-updater.h"

// The common body of the upgrade steps: copy "sys-db.sqlite" to
// "sys-db.sqlite.bak", rebuild connection_table in the copy, stamp the new
// version, then rename the copy over the live file. The live file is therefore
// always either the old database or the fully upgraded one.
class ClientSchemaUpdater : public ClientSingleUpdater {
public:
    bool update() override;
    Status getClientStatus() const override;

protected:
    // source_version: the version this step upgrades from; schema_script and
    // version_sql: run on the copy, each as one text.
    ClientSchemaUpdater(const std::string& data_path, int source_version, const char* schema_script,
                        const char* version_sql);

    std::string m_data_path;
    std::string m_sys_db_path;
    std::string m_bak_sys_db_path;

private:
    bool removeStaleCopyJournals() const;
    void giveCopyTheLiveFileMode() const;
    bool updateDBSchema();
    bool updateDBVersion();
    bool execOnCopy(const char* sql) const;

    int m_source_version;
    std::wstring m_log_source;  // source name in this step's log lines
    const char* m_schema_script;
    const char* m_version_sql;
};

// 20 -> 21: rebuilds connection_table with its 13 columns.
class ClientUpdaterV20 : public ClientSchemaUpdater {
public:
    explicit ClientUpdaterV20(const std::string& data_path);
};

// 21 -> 22: adds ssl_allow_untrust and ssl_signature.
class ClientUpdaterV21 : public ClientSchemaUpdater {
public:
    explicit ClientUpdaterV21(const std::string& data_path);
};

// 22 -> 23: adds download_location, the two rate-control flags and the minimum rates.
class ClientUpdaterV22 : public ClientSchemaUpdater {
public:
    explicit ClientUpdaterV22(const std::string& data_path);
};
