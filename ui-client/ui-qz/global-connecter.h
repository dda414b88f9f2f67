#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

#include <cstdint>
#include <map>
#include <vector>

#include "kavelin/resume-info.h"
#include "site-file-info.h"
#include "site-info.h"

typedef std::vector<ResumeInfo> ResumeInfoList;
typedef std::map<int, bool> ActionButtonStates;
Q_DECLARE_METATYPE(ResumeInfoList)
Q_DECLARE_METATYPE(ActionButtonStates)

// The process-wide signal hub. Components relay their own same-named
// signals into it and connect its signals to their slots, so nobody holds a
// pointer to anybody across threads. It lives on the application's main
// thread, whichever thread asks for it first, so every notification passes
// through the main event loop in emission order.
class GlobalConnecter : public QObject {
    Q_OBJECT
public:
    static GlobalConnecter* getInstance();

signals:
    void sigShowMainWindow();
    void sigShowLoginWindow();
    void sigShowAboutWindow();
    void sigShowHelpWindow();
    void sigShowEggWindow();
    void sigConnectSite(SiteInfo info);
    void sigRemoveSite(uint64_t peer_id);
    void sigConnectControlChannelSuccess(uint64_t peer_id);
    void sigConnectSiteDone(uint64_t peer_id);
    void sigAddSiteDone(uint64_t peer_id);
    void sigRemoveSiteDone();
    void sigSiteDisconnected(uint64_t peer_id, bool shoulde_reconnect);
    void sigUpdatePath(uint64_t peer_id, QString path, SiteFileList file_infos);
    void sigHandleEventDone(uint id);
    void sigHandleEventDoneUpdateUI(uint id);
    void sigResumeDisconnectedJobs(uint64_t peer_id);
    void sigResumeDisconnectedJobsDone(uint64_t peer_id);
    void sigClosePeerDone(uint64_t peed_id);
    void sigCloseAllPeers();
    void sigCloseAllPeersDone();
    void sigDisconnectAllPeers();
    void sigUpdateTopToolBar();
    void sigTopToolBarItemChange(QString text);
    void sigChangeServerName(uint64_t peer_id, QString new_name);
    void sigActionClicked(int type);
    void sigEventAdded(uint id);
    void sigCloseSite(uint64_t peer_id);
    void sigBlockKeyPress(bool enable);
    void sigSaveSite();
    void sigQueuePageHidden();
    void sigTransferActionButtonClicked(int id);
    void sigUpdateActionBarButton(ActionButtonStates map);
    void sigTaskCountChanged(int count);
    void sigRefreshPeerPage(uint64_t peer_id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);

private:
    GlobalConnecter();
};

// Registers every type the hub's signals carry; idempotent.
void registerHubMetaTypes();
