#pragma once

#include <QMap>
#include <QString>

#include <cstdint>

#include "site-file-info.h"

// The state of one site pane, owned by the pane and shared by pointer with
// its widgets.
struct SiteData {
    uint64_t m_peer_id = 0;
    uint64_t m_connection_id = 0;
    QString m_site_name;
    QString m_current_path;  // an id path; empty at the pane's top level
    SiteFileFilter m_filter;
    QString m_sort_column;
    bool m_sort_asc = true;
    QMap<QString, SiteFileList> m_file_cache;      // last listing per id path
    QMap<QString, SiteFileList> m_filtered_files;  // rows after filter and sort
};
