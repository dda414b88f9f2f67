#pragma once

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "protocol/pobject.h"

// Entries of a /proc folder, less "." and "..": descriptors or threads.
inline int countProcEntries(const char* folder)
{
    DIR* dir = opendir(folder);
    if (!dir)
        return -1;
    int count = 0;
    while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            ++count;
    closedir(dir);
    return count - 1;  // the descriptor of the listing itself
}

// A loopback listener that never accepts: data connections to it connect
// and then wait in their handshake for as long as the test runs (when their
// peer has a seed in the task store; without one they give up at once).
class SilentListener {
public:
    SilentListener()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        ::listen(m_fd, 64);
        socklen_t len = sizeof(addr);
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
    }
    ~SilentListener() { ::close(m_fd); }
    int port() const { return m_port; }
    int fd() const { return m_fd; }

private:
    int m_fd;
    int m_port;
};

// A task store and a client-side engine over it, not yet started.
struct Engine {
    Engine() : manager(new VardoCoreManagerImplLock), service(&manager) {}

    int port() const { return service.getControlPort(); }

    PObject dump()
    {
        PObject out;
        EXPECT_EQ(0, service.debugTransferService(out));
        return out;
    }

    // The dumped peer connection of peer_id, or null.
    PObject peer(uint64_t peer_id)
    {
        PObject all = dump();
        for (const PObject& entry : all["05. peer_connection_table"].asArray())
            if (entry["01. m_peer_id"].asUInt64() == peer_id)
                return entry;
        return PObject();
    }

    uint64_t addTask(uint64_t peer_id, ResumeInfo::State state = ResumeInfo::RI_WAITING)
    {
        ResumeInfo task;
        task.peer_id = peer_id;
        task.command = C_PUSH;
        task.local_state = state;
        task.total = 1000;
        task.path_from = "/tmp/from";
        task.path_to = "/to";
        manager.updateInfo(task);
        return task.resume_id;
    }

    ResumeInfo task(uint64_t resume_id)
    {
        ResumeInfo found;
        manager.getResumeInfoFromResumeId(resume_id, found);
        return found;
    }

    void setTask(uint64_t resume_id, const char* key, int32_t value)
    {
        PObject partial;
        partial["resume_id"] = static_cast<PObject::integer_type>(resume_id);
        partial[key] = value;
        manager.updatePartialInfo(partial);
    }

    VardoCoreManager manager;
    TransferService service;
};
