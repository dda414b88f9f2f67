// The remote site helper's file operations, heartbeat, close and options.
// The login lives in remote-login.cpp.
#include "remote-site-helper.h"

#include <vector>

#include "db-util.h"
#include "log.h"
#include "site-entry-name.h"
#include "site-info-manager.h"
#include "site-log-row.h"
#include "site-time.h"

namespace {

const char kComponent[] = "default_component";
const unsigned kLoginTimeout = 10;

// Log rows show server paths rooted at "/". Callers pass paths both with and
// without the leading "/"; adding a second one made rows read "//docs/a".
std::string rootedLogPath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    return "/" + path;
}

}  // namespace

SiteFileInfo convertFromProtocol(const ProtoUI::Node& node)
{
    SiteFileInfo info;
    info.name = QString::fromUtf8(node.name.data(), static_cast<int>(node.name.size()));
    info.is_dir = node.is_dir;
    info.size = node.is_dir ? 0 : node.size;
    info.mtime = localDateTimeFromMSecs(static_cast<qint64>(node.mtime) * 1000);
    return info;
}

int appendShareEntries(const std::vector<ProtoUI::Share>& shares, SiteFileList& file_infos)
{
    int dropped = 0;
    for (const ProtoUI::Share& share : shares) {
        if (!isPlainEntryName(share.name)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] remote-site-helper(%d): share with the unusable name '%s' dropped\n", share.name);
            ++dropped;
            continue;
        }
        SiteFileInfo info;
        info.is_shared_folder = true;
        info.name = QString::fromUtf8(share.name.data(), static_cast<int>(share.name.size()));
        info.is_dir = true;
        file_infos.append(info);
    }
    return dropped;
}

int appendNodeEntries(const std::vector<ProtoUI::Node>& nodes, const std::string& path, SiteFileList& file_infos)
{
    int dropped = 0;
    file_infos.reserve(file_infos.size() + static_cast<int>(nodes.size()));
    for (const ProtoUI::Node& node : nodes) {
        // Names are joined to local folders by downloads: one that means the
        // folder itself, a parent or a deeper path must not get that far.
        if (!isPlainEntryName(node.name)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] remote-site-helper(%d): entry with the unusable name '%s' in %s dropped\n", node.name,
                   path);
            ++dropped;
            continue;
        }
        file_infos.append(convertFromProtocol(node));
    }
    return dropped;
}

RemoteSiteHelper::RemoteSiteHelper(uint64_t peer_id, int* abort_flag, QObject* parent)
    : SiteHelper(parent), m_peer_id(peer_id), m_abort_flag(abort_flag), m_connection(new ProtoUI())
{
    m_connection->SetAbortFlag(m_abort_flag);
    SiteInfo info;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(m_peer_id, info)) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] remote-site-helper(%d): Cannot find peer_id %llu in SiteInfoManager\n",
               static_cast<unsigned long long>(m_peer_id));
        return;
    }
    configure(info);
}

RemoteSiteHelper::~RemoteSiteHelper()
{
    delete m_connection;
}

void RemoteSiteHelper::configure(const SiteInfo& info)
{
    m_connection->SetUser(info.user_name.toStdString(), info.password.toStdString(), info.otp.toStdString());
    m_connection->SetServer(info.ip.toStdString(), static_cast<unsigned>(info.control_port));
    m_connection->SetSSL(true, !info.ssl_allow_untrust, info.domain_name.toStdString(),
                         info.ssl_signature.toStdString());
    m_connection->SetTimeout(kLoginTimeout);
}

bool RemoteSiteHelper::readSiteInfo(SiteInfo& info)
{
    if (SiteInfoManager::getInstance()->getSiteInfoByPeerId(m_peer_id, info))
        return true;
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] remote-site-helper(%d): Cannot find SiteInfo of peer %llu\n",
           static_cast<unsigned long long>(m_peer_id));
    return false;
}

int RemoteSiteHelper::failRequest(int line, const wchar_t* format)
{
    const std::string message = m_connection->GetLastErrorMessage();
    if (Logger::IsNeedToLog(Logger::L_ERR, kComponent))
        Logger::tLogMsg(Logger::L_ERR, kComponent, format, line, message);
    // The client words a server's refusal as "protocol error, reason = '<reason>'".
    static const std::string kPrefix = "protocol error, reason = '";
    if (m_failure_reason.empty() && message.size() > kPrefix.size() + 1 &&
        message.compare(0, kPrefix.size(), kPrefix) == 0 && message.back() == '\'')
        m_failure_reason = message.substr(kPrefix.size(), message.size() - kPrefix.size() - 1);
    return static_cast<int>(m_connection->GetLastError());
}

int RemoteSiteHelper::heartBeat()
{
    if (m_connection->HeartBeat() < 0)
        return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): HeartBeat failed (%s)\n");
    return 0;
}

int RemoteSiteHelper::closePeer()
{
    if (m_connection->ClosePeer() < 0)
        return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): ClosePeer failed (%s)\n");
    return 0;
}

int RemoteSiteHelper::setUdp()
{
    SiteInfo info;
    if (!readSiteInfo(info))
        return -1;
    if (m_connection->SetUdp(info.encrypted, info.compressed) < 0)
        return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): SetUdp failed (%s)\n");
    return 0;
}

int RemoteSiteHelper::listNode(const std::string& path, bool& is_dir, SiteFileList& file_infos)
{
    if (path.empty()) {
        std::vector<ProtoUI::Share> shares;
        if (m_connection->ListShare(shares) < 0)
            return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): ListShare failed (%s)\n");
        appendShareEntries(shares, file_infos);
        return 0;
    }

    std::vector<ProtoUI::Node> nodes;
    if (m_connection->ListNode(path, is_dir, nodes) < 0)
        return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): ListNode failed (%s)\n");
    appendNodeEntries(nodes, path, file_infos);
    return 0;
}

int RemoteSiteHelper::mkdir(const std::string& path)
{
    // The record first: a closed site gets no change made.
    SiteInfo info;
    if (!readSiteInfo(info))
        return -1;
    if (m_connection->CreateDir(path) < 0)
        return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): CreateDirectory failed (%s)\n");
    writeSiteLogRow(info, LOG_MKDIR, {rootedLogPath(path)});
    return 0;
}

int RemoteSiteHelper::rename(const std::string& from, const std::string& to)
{
    SiteInfo info;
    if (!readSiteInfo(info))
        return -1;
    if (m_connection->Rename(from, to) < 0)
        return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): Rename failed (%s)\n");
    writeSiteLogRow(info, LOG_RENAME, {rootedLogPath(from), rootedLogPath(to)});
    return 0;
}

int RemoteSiteHelper::copy(const std::string& from, const std::string& to)
{
    SiteInfo info;
    if (!readSiteInfo(info))
        return -1;
    if (m_connection->Copy(from, to) < 0)
        return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): Copy failed (%s)\n");
    writeSiteLogRow(info, LOG_COPY, {rootedLogPath(from), rootedLogPath(to)});
    return 0;
}

int RemoteSiteHelper::remove(const std::string& parent, const std::list<std::string>& names)
{
    SiteInfo info;
    if (!readSiteInfo(info))
        return -1;
    const std::list<std::string> items = names;
    for (const std::string& name : items) {
        if (!isPlainEntryName(name)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] remote-site-helper(%d): Remove in %s refused: '%s' is not an item name\n", parent,
                   name);
            return ProtoUI::ERROR_INVALID_ARGUMENT;
        }
    }
    for (const std::string& name : items) {
        const std::string path = parent + "/" + name;
        if (m_connection->Remove(path) < 0)
            return failRequest(__LINE__, L"[ERROR] remote-site-helper(%d): Remove failed (%s)\n");
        writeSiteLogRow(info, LOG_REMOVE, {rootedLogPath(path)});
    }
    return 0;
}
