#pragma once

#include <QString>
#include <QTableWidgetItem>

#include "site-file-info.h"

class SiteTableIconWidget;
class SiteTableItemWidget;

// The cell widgets of one details-view row in sight: a name cell and the
// three text cells. Sets are pooled by the view and bound to whichever rows
// are in sight, so a page of any length costs widgets for one screen only.
struct SiteTableRowCells {
    SiteTableIconWidget* name = nullptr;
    SiteTableItemWidget* text[3] = {nullptr, nullptr, nullptr};
    class SiteTableRowItem* row = nullptr;  // bound row, null while free
};

// The column-0 item of a details-view row. It carries what the row shows
// (the entry under its shown name), so rows out of sight need no widgets,
// and it dies with its row, so nothing it holds outlives a removed row.
class SiteTableRowItem : public QTableWidgetItem {
public:
    SiteTableRowItem() : QTableWidgetItem(0) {}

    SiteFileInfo shown;
    bool drawn = false;  // has shown an entry (a reused row, not a new one)
    SiteTableRowCells* cells = nullptr;
};
