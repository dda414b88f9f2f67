#include "str_table.h"

#include <QCoreApplication>

#include <mutex>

// The translations are compiled into this static library; its resources are
// registered only when something names them, which this does as the program
// starts, so ":/<code>.qm" is there before start-up loads it.
static void registerTranslationResources() {
  Q_INIT_RESOURCE(qz_translations);
}
Q_CONSTRUCTOR_FUNCTION(registerTranslationResources)

namespace StrTable {

namespace {

constexpr int kTableSize = kLastStrID + 1;

// Indexed by id; id 30 stays null in both arrays and lookups skip it.
const char* stab[kTableSize];
const char* ktab[kTableSize];
std::once_flag g_filled;

void set(int id, const char* key, const char* text) {
  ktab[id] = key;
  stab[id] = text;
}

void fill() {
  set(button_login, "button_login", QT_TRANSLATE_NOOP("global", "Login"));
  set(error_permission, "error_permission", QT_TRANSLATE_NOOP("global", "You don't have enough privilege."));
  set(button_close, "button_close", QT_TRANSLATE_NOOP("global", "Close"));
  set(error_copy_diskfull, "error_copy_diskfull", QT_TRANSLATE_NOOP("global", "Disk full. Failed to copy %1 to %2."));
  set(tooltip_back, "tooltip_back", QT_TRANSLATE_NOOP("global", "Back"));
  set(error_login_max_tries, "error_login_max_tries", QT_TRANSLATE_NOOP("global", "Maximum retries reached."));
  set(button_search, "button_search", QT_TRANSLATE_NOOP("global", "Filter"));
  set(need_remember_password, "need_remember_password", QT_TRANSLATE_NOOP("global", "Remember password?"));
  set(error_copy_share_quota, "error_copy_share_quota", QT_TRANSLATE_NOOP("global", "Shared folder quota insufficient. Failed to copy %1 to %2."));
  set(error_move_diskfull, "error_move_diskfull", QT_TRANSLATE_NOOP("global", "Disk full. Failed to move %1 to %2."));
  set(error_copy_user_quota, "error_copy_user_quota", QT_TRANSLATE_NOOP("global", "User quota insufficient. Failed to copy %1 to %2."));
  set(error_move_share_quota, "error_move_share_quota", QT_TRANSLATE_NOOP("global", "Shared folder quota insufficient. Failed to move %1 to %2."));
  set(error_diskfull, "error_diskfull", QT_TRANSLATE_NOOP("global", "Insufficient disk space."));
  set(error_fbig, "error_fbig", QT_TRANSLATE_NOOP("global", "File size exceeds destination file system limit."));
  set(error_file_unexist, "error_file_unexist", QT_TRANSLATE_NOOP("global", "File does not exist."));
  set(error_temp_lost, "error_temp_lost", QT_TRANSLATE_NOOP("global", "Cannot access the temporary file."));
  set(paging_last, "paging_last", QT_TRANSLATE_NOOP("global", "Last Page"));
  set(error_version_server, "error_version_server", QT_TRANSLATE_NOOP("global", "Please upgrade your Quillmar File Manager package."));
  set(error_move_user_quota, "error_move_user_quota", QT_TRANSLATE_NOOP("global", "User quota insufficient. Failed to move %1 to %2."));
  set(error_share_quota, "error_share_quota", QT_TRANSLATE_NOOP("global", "Shared folder quota full."));
  set(error_user_quota, "error_user_quota", QT_TRANSLATE_NOOP("global", "User quota full."));
  set(err_otp_enforced, "err_otp_enforced", QT_TRANSLATE_NOOP("global", "A one-time password is required. Please log into your ZRM to set your one-time password."));
  set(err_otp_invalid, "err_otp_invalid", QT_TRANSLATE_NOOP("global", "The one-time password you entered is incorrect."));
  set(wizard_enter_otp, "wizard_enter_otp", QT_TRANSLATE_NOOP("global", "Please enter a 6-digit verification code."));
  set(reconnect_countdown, "reconnect_countdown", QT_TRANSLATE_NOOP("global", "Quillmar File Manager will be reconnected in %1 seconds."));
  set(tooltip_display, "tooltip_display", QT_TRANSLATE_NOOP("global", "Display mode\xC2\xA0"));
  set(upgrade_failed, "upgrade_failed", QT_TRANSLATE_NOOP("global", "Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager."));
  set(friday, "friday", QT_TRANSLATE_NOOP("global", "Friday"));
  set(action_paste, "action_paste", QT_TRANSLATE_NOOP("global", "Paste"));
  set(tooltip_forward, "tooltip_forward", QT_TRANSLATE_NOOP("global", "Forward"));
  set(error_login_user, "error_login_user", QT_TRANSLATE_NOOP("global", "Invalid username/password or insufficient user privilege."));
  set(close_app_hint, "close_app_hint", QT_TRANSLATE_NOOP("global", "Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?"));
  set(action_copy, "action_copy", QT_TRANSLATE_NOOP("global", "Copy"));
  set(action_create_folder, "action_create_folder", QT_TRANSLATE_NOOP("global", "Create Folder"));
  set(wednesday, "wednesday", QT_TRANSLATE_NOOP("global", "Wednesday"));
  set(window_title_log, "window_title_log", QT_TRANSLATE_NOOP("global", "Log"));
  set(enter_password, "enter_password", QT_TRANSLATE_NOOP("global", "Please enter the password to connect."));
  set(paging_first, "paging_first", QT_TRANSLATE_NOOP("global", "First Page"));
  set(paging_prev_x, "paging_prev_x", QT_TRANSLATE_NOOP("global", "Previous %1 pages"));
  set(paging_next_x, "paging_next_x", QT_TRANSLATE_NOOP("global", "Next %1 pages"));
  set(tooltip_helpabout, "tooltip_helpabout", QT_TRANSLATE_NOOP("global", "Help\xC2\xA0/ About\xC2\xA0"));
  set(tooltip_logs, "tooltip_logs", QT_TRANSLATE_NOOP("global", "Activity logs"));
  set(tooltip_settings, "tooltip_settings", QT_TRANSLATE_NOOP("global", "Settings"));
  set(tooltip_sort, "tooltip_sort", QT_TRANSLATE_NOOP("global", "Sort by\xC2\xA0"));
  set(tooltip_taskmanager, "tooltip_taskmanager", QT_TRANSLATE_NOOP("global", "Task Manager"));
  set(queue_remote_path, "queue_remote_path", QT_TRANSLATE_NOOP("global", "Remote Path"));
  set(setting_tip_address, "setting_tip_address", QT_TRANSLATE_NOOP("global", "Please enter a valid server address."));
  set(error_rename_permission, "error_rename_permission", QT_TRANSLATE_NOOP("global", "You do not have permission to rename %1 to %2."));
  set(error_login_system, "error_login_system", QT_TRANSLATE_NOOP("global", "Login failed."));
  set(action_remove, "action_remove", QT_TRANSLATE_NOOP("global", "Delete"));
  set(action_rename, "action_rename", QT_TRANSLATE_NOOP("global", "Rename"));
  set(address, "address", QT_TRANSLATE_NOOP("global", "Server address"));
  set(button_apply, "button_apply", QT_TRANSLATE_NOOP("global", "Apply"));
  set(button_cancel, "button_cancel", QT_TRANSLATE_NOOP("global", "Cancel"));
  set(button_connect, "button_connect", QT_TRANSLATE_NOOP("global", "Connect"));
  set(button_ok, "button_ok", QT_TRANSLATE_NOOP("global", "OK"));
  set(button_reset, "button_reset", QT_TRANSLATE_NOOP("global", "Reset"));
  set(close_connection_hint, "close_connection_hint", QT_TRANSLATE_NOOP("global", "Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?"));
  set(days, "days", QT_TRANSLATE_NOOP("global", "day(s)"));
  set(error_copy_general, "error_copy_general", QT_TRANSLATE_NOOP("global", "Failed to copy %1 to %2."));
  set(error_copy_permission, "error_copy_permission", QT_TRANSLATE_NOOP("global", "You do not have permission to copy %1 to %2."));
  set(error_disconnected, "error_disconnected", QT_TRANSLATE_NOOP("global", "Disconnected from the server. Please login again."));
  set(error_list_node_general, "error_list_node_general", QT_TRANSLATE_NOOP("global", "Failed to load this directory."));
  set(error_list_node_permission, "error_list_node_permission", QT_TRANSLATE_NOOP("global", "You do not have permission to load the directory."));
  set(error_login_io, "error_login_io", QT_TRANSLATE_NOOP("global", "Failed to connect to server."));
  set(error_mkdir_general, "error_mkdir_general", QT_TRANSLATE_NOOP("global", "Failed to create directory %1."));
  set(error_mkdir_permission, "error_mkdir_permission", QT_TRANSLATE_NOOP("global", "You do not have permission to create %1."));
  set(error_remove_general, "error_remove_general", QT_TRANSLATE_NOOP("global", "Failed to remove %1."));
  set(error_remove_permission, "error_remove_permission", QT_TRANSLATE_NOOP("global", "You do not have permission to remove %1."));
  set(error_rename_general, "error_rename_general", QT_TRANSLATE_NOOP("global", "Failed to rename %1 to %2."));
  set(error_rename_target_exists, "error_rename_target_exists", QT_TRANSLATE_NOOP("global", "Failed to rename %1 to %2 because %2 already exists."));
  set(file, "file", QT_TRANSLATE_NOOP("global", "File"));
  set(file_name, "file_name", QT_TRANSLATE_NOOP("global", "File Name"));
  set(file_type, "file_type", QT_TRANSLATE_NOOP("global", "File Type"));
  set(filter_from, "filter_from", QT_TRANSLATE_NOOP("global", "From"));
  set(filter_keyword, "filter_keyword", QT_TRANSLATE_NOOP("global", "Keyword"));
  set(filter_size, "filter_size", QT_TRANSLATE_NOOP("global", "Size"));
  set(filter_size_any, "filter_size_any", QT_TRANSLATE_NOOP("global", "Any"));
  set(filter_size_equal, "filter_size_equal", QT_TRANSLATE_NOOP("global", "Equal to"));
  set(filter_size_larger, "filter_size_larger", QT_TRANSLATE_NOOP("global", "Greater than"));
  set(filter_size_smaller, "filter_size_smaller", QT_TRANSLATE_NOOP("global", "Less than"));
  set(filter_sort_asc, "filter_sort_asc", QT_TRANSLATE_NOOP("global", "Ascending"));
  set(filter_sort_desc, "filter_sort_desc", QT_TRANSLATE_NOOP("global", "Descending"));
  set(filter_to, "filter_to", QT_TRANSLATE_NOOP("global", "To"));
  set(folder, "folder", QT_TRANSLATE_NOOP("global", "Folder"));
  set(log_column_duration, "log_column_duration", QT_TRANSLATE_NOOP("global", "Duration"));
  set(log_column_end_time, "log_column_end_time", QT_TRANSLATE_NOOP("global", "End"));
  set(log_column_event, "log_column_event", QT_TRANSLATE_NOOP("global", "Event"));
  set(log_column_start_time, "log_column_start_time", QT_TRANSLATE_NOOP("global", "Start"));
  set(log_column_time, "log_column_time", QT_TRANSLATE_NOOP("global", "Time"));
  set(log_column_type, "log_column_type", QT_TRANSLATE_NOOP("global", "Type"));
  set(log_event_copy, "log_event_copy", QT_TRANSLATE_NOOP("global", "%1 copied %2 to %3."));
  set(log_event_download, "log_event_download", QT_TRANSLATE_NOOP("global", "%1 downloaded %2."));
  set(log_event_login, "log_event_login", QT_TRANSLATE_NOOP("global", "%1 logged in to %2."));
  set(log_event_mkdir, "log_event_mkdir", QT_TRANSLATE_NOOP("global", "%1 created folder %2."));
  set(log_event_remove, "log_event_remove", QT_TRANSLATE_NOOP("global", "%1 deleted %2."));
  set(month_jul, "month_jul", QT_TRANSLATE_NOOP("global", "July"));
  set(log_event_rename, "log_event_rename", QT_TRANSLATE_NOOP("global", "%1 renamed %2 to %3."));
  set(log_event_upload, "log_event_upload", QT_TRANSLATE_NOOP("global", "%1 uploaded %2."));
  set(log_filter_all, "log_filter_all", QT_TRANSLATE_NOOP("global", "All Events"));
  set(log_type_misc, "log_type_misc", QT_TRANSLATE_NOOP("global", "Event logs"));
  set(log_type_transfer, "log_type_transfer", QT_TRANSLATE_NOOP("global", "File transfer log"));
  set(modify_time, "modify_time", QT_TRANSLATE_NOOP("global", "Modified Time"));
  set(monday, "monday", QT_TRANSLATE_NOOP("global", "Monday"));
  set(month_apr, "month_apr", QT_TRANSLATE_NOOP("global", "April"));
  set(month_aug, "month_aug", QT_TRANSLATE_NOOP("global", "August"));
  set(month_dec, "month_dec", QT_TRANSLATE_NOOP("global", "December"));
  set(month_feb, "month_feb", QT_TRANSLATE_NOOP("global", "February"));
  set(month_jan, "month_jan", QT_TRANSLATE_NOOP("global", "January"));
  set(month_jun, "month_jun", QT_TRANSLATE_NOOP("global", "June"));
  set(month_mar, "month_mar", QT_TRANSLATE_NOOP("global", "March"));
  set(month_may, "month_may", QT_TRANSLATE_NOOP("global", "May"));
  set(month_nov, "month_nov", QT_TRANSLATE_NOOP("global", "November"));
  set(month_oct, "month_oct", QT_TRANSLATE_NOOP("global", "October"));
  set(month_sep, "month_sep", QT_TRANSLATE_NOOP("global", "September"));
  set(my_computer, "my_computer", QT_TRANSLATE_NOOP("global", "My Computer"));
  set(paging_items, "paging_items", QT_TRANSLATE_NOOP("global", "item(s)"));
  set(password, "password", QT_TRANSLATE_NOOP("global", "Password"));
  set(queue_ETA, "queue_ETA", QT_TRANSLATE_NOOP("global", "Time Remaining"));
  set(queue_all_transfers, "queue_all_transfers", QT_TRANSLATE_NOOP("global", "All Transfers"));
  set(queue_downloaded, "queue_downloaded", QT_TRANSLATE_NOOP("global", "Downloaded"));
  set(queue_elapsed_time, "queue_elapsed_time", QT_TRANSLATE_NOOP("global", "Elapsed Time"));
  set(queue_local_path, "queue_local_path", QT_TRANSLATE_NOOP("global", "Local Path"));
  set(queue_speed, "queue_speed", QT_TRANSLATE_NOOP("global", "Speed"));
  set(queue_status, "queue_status", QT_TRANSLATE_NOOP("global", "Status"));
  set(queue_ul_dl, "queue_ul_dl", QT_TRANSLATE_NOOP("global", "UL/DL"));
  set(queue_uploaded, "queue_uploaded", QT_TRANSLATE_NOOP("global", "Uploaded"));
  set(remember_password, "remember_password", QT_TRANSLATE_NOOP("global", "Remember password"));
  set(saturday, "saturday", QT_TRANSLATE_NOOP("global", "Saturday"));
  set(setting_changes_not_saved, "setting_changes_not_saved", QT_TRANSLATE_NOOP("global", "Changes are not saved. Are you sure you want to leave?"));
  set(setting_compression_transmission, "setting_compression_transmission", QT_TRANSLATE_NOOP("global", "Enable transfer compression"));
  set(setting_concurrent_transmission, "setting_concurrent_transmission", QT_TRANSLATE_NOOP("global", "Max. concurrent transfers"));
  set(setting_encrypt_transmission, "setting_encrypt_transmission", QT_TRANSLATE_NOOP("global", "Enable transfer encryption"));
  set(setting_files, "setting_files", QT_TRANSLATE_NOOP("global", "files"));
  set(setting_host_info, "setting_host_info", QT_TRANSLATE_NOOP("global", "Host Info"));
  set(setting_host_name, "setting_host_name", QT_TRANSLATE_NOOP("global", "Hostname"));
  set(setting_language_default, "setting_language_default", QT_TRANSLATE_NOOP("global", "System default"));
  set(setting_language_restart_app, "setting_language_restart_app", QT_TRANSLATE_NOOP("global", "Please restart %1 to apply the new language settings."));
  set(setting_language_title, "setting_language_title", QT_TRANSLATE_NOOP("global", "Language"));
  set(setting_max_download, "setting_max_download", QT_TRANSLATE_NOOP("global", "Max. download rate"));
  set(setting_max_upload, "setting_max_upload", QT_TRANSLATE_NOOP("global", "Max. upload rate"));
  set(setting_new_site, "setting_new_site", QT_TRANSLATE_NOOP("global", "New site"));
  set(setting_no_limit, "setting_no_limit", QT_TRANSLATE_NOOP("global", "No limit"));
  set(setting_optional, "setting_optional", QT_TRANSLATE_NOOP("global", "Optional"));
  set(setting_transmission_title, "setting_transmission_title", QT_TRANSLATE_NOOP("global", "Transfer Settings"));
  set(status_failed, "status_failed", QT_TRANSLATE_NOOP("global", "Failed"));
  set(status_paused, "status_paused", QT_TRANSLATE_NOOP("global", "Paused"));
  set(status_waiting, "status_waiting", QT_TRANSLATE_NOOP("global", "Waiting"));
  set(sunday, "sunday", QT_TRANSLATE_NOOP("global", "Sunday"));
  set(thursday, "thursday", QT_TRANSLATE_NOOP("global", "Thursday"));
  set(today, "today", QT_TRANSLATE_NOOP("global", "Today"));
  set(tuesday, "tuesday", QT_TRANSLATE_NOOP("global", "Tuesday"));
  set(username, "username", QT_TRANSLATE_NOOP("global", "Username"));
  set(window_title_setting, "window_title_setting", QT_TRANSLATE_NOOP("global", "Settings"));
  set(wizard_connecting, "wizard_connecting", QT_TRANSLATE_NOOP("global", "Connecting..."));
  set(wizard_invalid_address, "wizard_invalid_address", QT_TRANSLATE_NOOP("global", "Please enter a valid IP address."));
  set(wizard_login_title, "wizard_login_title", QT_TRANSLATE_NOOP("global", "New Connection"));
  set(action_cut, "action_cut", QT_TRANSLATE_NOOP("global", "Cut"));
  set(log_filter_download, "log_filter_download", QT_TRANSLATE_NOOP("global", "Download"));
  set(log_filter_upload, "log_filter_upload", QT_TRANSLATE_NOOP("global", "Upload"));
  set(error_load_transfer, "error_load_transfer", QT_TRANSLATE_NOOP("global", "Cannot load information for %1."));
  set(error_move_general, "error_move_general", QT_TRANSLATE_NOOP("global", "Failed to move %1 to %2."));
  set(error_move_permission, "error_move_permission", QT_TRANSLATE_NOOP("global", "You do not have permission to move %1 to %2."));
  set(error_move_target_exists, "error_move_target_exists", QT_TRANSLATE_NOOP("global", "Failed to move %1 to %2 because %1 already exists."));
  set(log_event_move, "log_event_move", QT_TRANSLATE_NOOP("global", "%1 moved %2 to %3."));
  set(about_msg, "about_msg", QT_TRANSLATE_NOOP("global", "Copyright (c) %1 Quillmar. All rights reserved."));
  set(about_version, "about_version", QT_TRANSLATE_NOOP("global", "Version"));
  set(action_help, "action_help", QT_TRANSLATE_NOOP("global", "Help"));
  set(action_about, "action_about", QT_TRANSLATE_NOOP("global", "About"));
  set(setting_enforced_tooltip, "setting_enforced_tooltip", QT_TRANSLATE_NOOP("global", "This setting is enforced by the server."));
  set(tooltip_minimum_not_support, "tooltip_minimum_not_support", QT_TRANSLATE_NOOP("global", "This connected server does not support minimum bandwidth configuration."));
  set(err_ssl_verify_fail, "err_ssl_verify_fail", QT_TRANSLATE_NOOP("global", "Untrusted SSL certificate"));
  set(err_ssl_change, "err_ssl_change", QT_TRANSLATE_NOOP("global", "SSL certificate has been changed."));
  set(btn_ssl_continue, "btn_ssl_continue", QT_TRANSLATE_NOOP("global", "Proceed anyway"));
  set(setting_download_location, "setting_download_location", QT_TRANSLATE_NOOP("global", "Default download location"));
  set(setting_download_title, "setting_download_title", QT_TRANSLATE_NOOP("global", "Download Settings"));
  set(action_download, "action_download", QT_TRANSLATE_NOOP("global", "Download to default folder"));
  set(action_download_to, "action_download_to", QT_TRANSLATE_NOOP("global", "Download to \xE2\x80\xA6"));
  set(setting_browse_btn, "setting_browse_btn", QT_TRANSLATE_NOOP("global", "Browse"));
  set(tooltip_newtab, "tooltip_newtab", QT_TRANSLATE_NOOP("global", "New tab"));
  set(window_title_queue, "window_title_queue", QT_TRANSLATE_NOOP("global", "Task Manager"));
  set(setting_download_rate, "setting_download_rate", QT_TRANSLATE_NOOP("global", "Download rate"));
  set(setting_max, "setting_max", QT_TRANSLATE_NOOP("global", "Max."));
  set(setting_min, "setting_min", QT_TRANSLATE_NOOP("global", "Min."));
  set(setting_upload_rate, "setting_upload_rate", QT_TRANSLATE_NOOP("global", "Upload rate"));
  set(setting_tip_concurrent, "setting_tip_concurrent", QT_TRANSLATE_NOOP("global", "Please enter a valid number between 1 and 10."));
  set(setting_tip_min, "setting_tip_min", QT_TRANSLATE_NOOP("global", "Must be lower than the value of maximum rate"));
  set(setting_tip_max, "setting_tip_max", QT_TRANSLATE_NOOP("global", "Must be higher than the value of minimum rate"));
  set(setting_tip_username, "setting_tip_username", QT_TRANSLATE_NOOP("global", "Please enter your username."));
  set(app_name, "app_name", QT_TRANSLATE_NOOP("global", "Quillmar File Manager"));
  set(error_version_client, "error_version_client", QT_TRANSLATE_NOOP("global", "Please update your Quillmar File Manager on your computer."));
  set(error_version_short, "error_version_short", QT_TRANSLATE_NOOP("global", "Compatibility error. Please upgrade Quillmar File Manager."));
  set(wizard_login_subtitle, "wizard_login_subtitle", QT_TRANSLATE_NOOP("global", "Connect to a Quillmar File Manager"));
  set(wrong_port, "wrong_port", QT_TRANSLATE_NOOP("global", "The connection cannot be established with wrong port number. Please check the port number and try again. "));
  set(error_data_channel, "error_data_channel", QT_TRANSLATE_NOOP("global", "Connection failed. Please make sure TCP on port %1 is open."));
  set(koralt_attempt, "koralt_attempt", QT_TRANSLATE_NOOP("global", "Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  "));
  set(err_otp_required, "err_otp_required", QT_TRANSLATE_NOOP("global", "Please enter a one-time verification code."));
  set(msg_ssl_error, "msg_ssl_error", QT_TRANSLATE_NOOP("global", "The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection."));
  set(msg_ssl_change, "msg_ssl_change", QT_TRANSLATE_NOOP("global", "The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection."));
  set(log_filter_login, "log_filter_login", QT_TRANSLATE_NOOP("global", "Sign In"));
  set(error_upload_name, "error_upload_name", QT_TRANSLATE_NOOP("global", "Cannot upload %1: a name on the server cannot contain \"\\\"."));
  set(error_transfer_system, "error_transfer_system", QT_TRANSLATE_NOOP("global", "The file could not be read or written."));
  set(error_transfer_io, "error_transfer_io", QT_TRANSLATE_NOOP("global", "The connection was interrupted."));
  set(error_transfer_unknown, "error_transfer_unknown", QT_TRANSLATE_NOOP("global", "The server no longer knows this transfer."));
  set(error_transfer_paused, "error_transfer_paused", QT_TRANSLATE_NOOP("global", "The transfer was paused."));
  set(error_transfer_too_large, "error_transfer_too_large", QT_TRANSLATE_NOOP("global", "The data received was larger than allowed."));
  set(error_server_reason, "error_server_reason", QT_TRANSLATE_NOOP("global", "The server said: %1"));
  set(error_source_changed, "error_source_changed", QT_TRANSLATE_NOOP("global", "The file changed while it was being sent."));
}

}  // namespace

void InitStrTable() {
  std::call_once(g_filled, fill);
}

QString LoadStr(int id) {
  InitStrTable();
  if (id < kFirstStrID || id > kLastStrID || !stab[id]) {
    return QString();
  }
  QString text = QCoreApplication::translate("global", stab[id]);
  text.replace(QLatin1String("\\n"), QLatin1String("\n"));
  text.replace(QLatin1String("\\t"), QLatin1String("\t"));
  return text;
}

QString LoadKey(int id) {
  InitStrTable();
  if (id < kFirstStrID || id > kLastStrID || !ktab[id]) {
    return QString();
  }
  return QString::fromLatin1(ktab[id]);
}

int LookupStrID(const QString& key) {
  InitStrTable();
  const QByteArray wanted = key.toLocal8Bit();
  for (int id = kFirstStrID; id <= kLastStrID; ++id) {
    if (ktab[id] && qstricmp(wanted.constData(), ktab[id]) == 0) {
      return id;
    }
  }
  return -1;
}

}  // namespace StrTable
