#pragma once

#include <QObject>
#include <QString>

#include "site-item-info.h"
#include "user-action-cache.h"

// The signal hub of one site pane. The pane owns it; every widget of the pane
// gets its address, feeds it by connecting its own same-named signals and
// hears it by connecting these signals to its slots. No widget calls another.
class SiteConnecter : public QObject {
    Q_OBJECT
public:
    explicit SiteConnecter(QObject* parent = nullptr) : QObject(parent) {}

signals:
    void sigQueryPath(QString path, bool use_cache);
    void sigQueryPathDone(QString path);
    void sigCurrentPathChanged(QString path);
    void sigUpdateCurrentPath(QString path);
    void sigSelectionChanged(SiteSelectedInfo info);
    void sigSortInfoChanged();
    void sigRefreshDetailView();
    void sigItemDoubleClicked(SiteItemInfo info);
    void sigChangeView();
    void sigStartMkdir();
    void sigStartRename();
    void sigMkdirDone(QString name);
    void sigRenameDone(QString name);
    void sigAssignEventId(unsigned int id);
    void sigClearItemEventId(unsigned int id);
    void sigRemoveItemWithEventId(unsigned int id);
    void sigFocusTableItem(QString name);
    void sigFocusListItem(QString name);
    void sigUpdateItem(QString parent, QString old_name, QString new_name);
    void sigUpdateSubTreePaths(QString old_path, QString new_name, QString new_path);
    void sigUpdateCutStatus();
    void sigChangeSiteName();
    void sigChangePage();
};
