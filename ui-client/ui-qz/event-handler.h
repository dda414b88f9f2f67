#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "event.h"
#include "kavelin/resume-info.h"
#include "site-file-info.h"

class LocalSiteHelper;
class RemoteSiteHelper;
class SiteHelper;

// A worker's state as its control channel keeps it.
enum EventHandlerState {
    HANDLER_STATE_CONNECTING = 0,
    HANDLER_STATE_IDLE = 1,
    HANDLER_STATE_BUSY = 2,
    HANDLER_STATE_QUIT = 3,
    HANDLER_STATE_ERROR = 4,
    HANDLER_STATE_MAX = 5,
};

// The worker of one site: runs events from the event table on its own thread
// with its own server connection, reports its state after each job and feeds
// the transfer engine with upload and download tasks.
class EventHandler : public QObject {
    Q_OBJECT
public:
    // Deepest folder level a transfer walk enters; a server that lists a
    // folder inside itself would otherwise be walked without end.
    static const int kMaxWalkDepth = 64;

    EventHandler(uint64_t peer_id, int* abort_flag, QObject* parent);
    ~EventHandler() override;

    // Logs in (called once, from the channel's thread); reports IDLE or QUIT.
    void auth();
    // This computer's helper for 0, the remote one for this site's peer,
    // null for any other peer.
    SiteHelper* getHelper(uint64_t peer_id);

    int handleList(const Event& event);
    int handleMkdir(const Event& event);
    int handleRename(const Event& event);
    int handleRemove(const Event& event);
    int handleCopy(const Event& event);
    int handleSetUdp(const Event& event);
    // 0 when the whole source was walked; a failure code when its top could
    // not be listed or read, a sub-folder could not be listed, or an entry
    // was refused (a name leaving its folder, a walk too deep).
    int handleUpload(const Event& event);
    int handleDownload(const Event& event);
    // Hands the collected tasks to the task store and wakes the engine, at
    // most once per second unless forced; nothing once the abort flag is up.
    void notifyNew(bool force);
    void emitStateChangeWithTranslatedState(const int& result);

signals:
    void sigEventHandlerStateChanged(int state);
    void sigUpdatePath(const uint64_t& peer_id, const QString& path, const SiteFileList& file_infos);
    void sigHandleEventDone(unsigned int id);
    void sigSendClosePeerDone();

public slots:
    void slotHandleEvent(unsigned int id);
    void slotHeartBeat();
    void slotSendClosePeer();

private:
    int walkDownload(const Event& event, int depth);
    int walkUpload(const Event& event, int depth);
    bool aborted() const;

    uint64_t m_peer_id;
    RemoteSiteHelper* m_remote_helper;
    LocalSiteHelper* m_local_helper;
    uint32_t m_last_notify_time;  // monotonic second of the last hand-over; 0 none
    std::vector<ResumeInfo> m_new_infos;
    int* m_abort_flag;
    // The server folders of the running upload walk, outermost first, and
    // those already made, so an empty folder listed before its parent's
    // files still lands inside an existing parent.
    std::vector<std::string> m_upload_chain;
    std::set<std::string> m_made_remote;
};

// A listing entry's name that stays inside its folder when joined to it.
bool isSafeEntryName(const std::string& name);

// A local name a server can store as one item: a safe name without "\",
// which a server reads as a separator (it would make a folder of the part
// before it). On the computer "\" is an ordinary character.
bool isServerEntryName(const std::string& name);
