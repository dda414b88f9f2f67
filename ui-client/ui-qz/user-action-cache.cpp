#include "user-action-cache.h"

#include <QRegularExpression>

namespace {

void renameChild(SiteSelectedInfo& info, const QString& parent, const QString& from, const QString& to)
{
    if (info.parent != parent)
        return;
    for (NodeInfo& child : info.children) {
        if (child.name == from) {
            child.name = to;
            return;
        }
    }
}

}  // namespace

bool SiteSelectedInfo::isRoot() const
{
    static const QRegularExpression root("\\A[0-9]+:\\z");
    return parent.isEmpty() || root.match(parent).hasMatch();
}

QString SiteSelectedInfo::toString() const
{
    QString text = view_mode == VM_TREE ? "tree" : view_mode == VM_TABLE ? "table" : "list";
    text += ", parent: " + parent + ", children: (";
    for (int i = 0; i < children.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += children[i].name + " [" + QString::number(static_cast<int>(children[i].type)) + "]";
    }
    return text + ")";
}

UserActionCache* UserActionCache::getInstance()
{
    static UserActionCache cache;
    return &cache;
}

void UserActionCache::updateSelectedInfo(uint64_t peer_id, const SiteSelectedInfo& info)
{
    m_selected_peer = peer_id;
    m_selected_info[peer_id] = info;
}

int UserActionCache::getSelectedInfo(uint64_t& peer_id, SiteSelectedInfo& info)
{
    peer_id = m_selected_peer;
    info = m_selected_info[m_selected_peer];
    return 0;
}

int UserActionCache::getSelectedInfoBySite(const uint64_t& peer_id, SiteSelectedInfo& info)
{
    auto it = m_selected_info.constFind(peer_id);
    if (it == m_selected_info.constEnd())
        return -1;
    info = it.value();
    return 0;
}

bool UserActionCache::needCatchAction(const uint64_t& peer_id, int view_mode)
{
    if (peer_id != m_selected_peer)
        return false;
    return m_selected_info[m_selected_peer].view_mode == view_mode;
}

void UserActionCache::keepCopyInfo(bool is_cut)
{
    m_is_cut_finished = false;
    m_is_cut = is_cut;
    m_copy_peer = m_selected_peer;
    m_copy_selected_info = m_selected_info[m_selected_peer];
}

int UserActionCache::getCopyInfo(uint64_t& peer_id, SiteSelectedInfo& info)
{
    if (m_is_cut_finished || m_copy_selected_info.children.isEmpty())
        return -1;
    peer_id = m_copy_peer;
    info = m_copy_selected_info;
    return 0;
}

bool UserActionCache::isCutAction()
{
    return m_is_cut;
}

void UserActionCache::cutFinished()
{
    m_is_cut_finished = true;
}

void UserActionCache::keepDragInfo()
{
    m_drag_peer = m_selected_peer;
    m_drag_info = m_selected_info[m_selected_peer];
}

int UserActionCache::getDragInfo(uint64_t& peer_id, SiteSelectedInfo& info)
{
    if (m_drag_info.children.isEmpty())
        return -1;
    peer_id = m_drag_peer;
    info = m_drag_info;
    return 0;
}

void UserActionCache::renameSelectedInfo(uint64_t peer_id, const QString& parent, const QString& from,
                                         const QString& to)
{
    auto it = m_selected_info.find(peer_id);
    if (it != m_selected_info.end())
        renameChild(it.value(), parent, from, to);
}

void UserActionCache::renameCopyInfo(uint64_t peer_id, const QString& parent, const QString& from,
                                     const QString& to)
{
    if (peer_id == m_copy_peer)
        renameChild(m_copy_selected_info, parent, from, to);
}

void UserActionCache::renameUserActionInfo(uint64_t peer_id, const QString& parent, const QString& from,
                                           const QString& to)
{
    renameSelectedInfo(peer_id, parent, from, to);
    renameCopyInfo(peer_id, parent, from, to);
}
