#include "client-schema-updater.h"

namespace {

const char* const kSchemaScript =
    "BEGIN TRANSACTION;ALTER TABLE connection_table RENAME TO connection_table_old;CREATE TABLE IF NOT EXISTS connection_table ( \n"
    "   id                      INTEGER PRIMARY KEY AUTOINCREMENT, \n"
    "   hostname                VARCHAR, \n"
    "   domain_name             VARCHAR, \n"
    "   port                    INTEGER, \n"
    "   username                VARCHAR, \n"
    "   password                VARCHAR, \n"
    "   remember_password       INTEGER, \n"
    "   concurrent              INTEGER, \n"
    "   max_upload              INTEGER, \n"
    "   max_download            INTEGER, \n"
    "   encrypted               INTEGER, \n"
    "   compressed              INTEGER, \n"
    "   ssl_allow_untrust       INTEGER, \n"
    "   ssl_signature           TEXT,    \n"
    "   last_used_time          DATETIME DEFAULT (strftime('%s','now')), \n"
    "   download_location       TEXT,    \n"
    "   enable_upload_control   INTEGER, \n"
    "   enable_download_control INTEGER, \n"
    "   min_upload              INTEGER, \n"
    "   min_download            INTEGER, \n"
    "   UNIQUE (domain_name, username, port) ON CONFLICT REPLACE \n"
    "); \n"
    "INSERT INTO connection_table (id, hostname, domain_name, port, username, password, remember_password,    concurrent, enable_upload_control, max_upload, min_upload, enable_download_control, max_download, min_download, encrypted, compressed, last_used_time, ssl_allow_untrust, ssl_signature, download_location)\tSELECT id, hostname, domain_name, port, username, password, remember_password,    concurrent, (max_upload > 0), max_upload, 0, (max_download > 0), max_download, 0, encrypted, compressed, last_used_time, ssl_allow_untrust , ssl_signature, ''\tFROM connection_table_old;DROP TABLE IF EXISTS connection_table_old;END TRANSACTION;";

const char* const kVersionSql = "INSERT or REPLACE INTO system_table VALUES ('release_version', '23');";

}  // namespace

ClientUpdaterV22::ClientUpdaterV22(const std::string& data_path)
    : ClientSchemaUpdater(data_path, 22, kSchemaScript, kVersionSql)
{
}
