#include "client-schema-updater.h"

namespace {

const char* const kSchemaScript =
    "BEGIN TRANSACTION;ALTER TABLE connection_table RENAME TO connection_table_old;CREATE TABLE IF NOT EXISTS connection_table ( \n"
    "   id                  INTEGER PRIMARY KEY AUTOINCREMENT, \n"
    "   hostname            VARCHAR, \n"
    "   domain_name         VARCHAR, \n"
    "   port                INTEGER, \n"
    "   username            VARCHAR, \n"
    "   password            VARCHAR, \n"
    "   remember_password   INTEGER, \n"
    "   concurrent          INTEGER, \n"
    "   max_upload          INTEGER, \n"
    "   max_download        INTEGER, \n"
    "   encrypted           INTEGER, \n"
    "   compressed          INTEGER, \n"
    "   ssl_allow_untrust   INTEGER, \n"
    "   ssl_signature       TEXT,    \n"
    "   last_used_time      DATETIME DEFAULT (strftime('%s','now')), \n"
    "   UNIQUE (domain_name, username, port) ON CONFLICT REPLACE \n"
    "); \n"
    "INSERT INTO connection_table (id, hostname, domain_name, port, username, password, remember_password, concurrent, max_upload, max_download, encrypted, compressed, last_used_time, ssl_allow_untrust, ssl_signature)\tSELECT id, hostname, domain_name, port, username, password, remember_password, concurrent, max_upload, max_download, encrypted, compressed, last_used_time, '0' , ''\tFROM connection_table_old;DROP TABLE IF EXISTS connection_table_old;END TRANSACTION;";

const char* const kVersionSql = "INSERT or REPLACE INTO system_table VALUES ('release_version', '22');";

}  // namespace

ClientUpdaterV21::ClientUpdaterV21(const std::string& data_path)
    : ClientSchemaUpdater(data_path, 21, kSchemaScript, kVersionSql)
{
}
