#pragma once

#include "kavelin/tcp-helper.h"

// The accepting end of a data connection's handshake: resolves the
// presented transfer seed to its peer, adopts the requested use (mirrored),
// encryption and compression, answers, and waits for the activation.
class TcpServerInitHelper : public TcpHelper {
public:
    explicit TcpServerInitHelper(TcpTransfer* transfer);
    ~TcpServerInitHelper() override;

    bool isIdle() override;
    int handleRead() override;
    int handleWrite() override;
    int verifyToken() override;
    int processHeader() override;

    int finalize();
    int setTcpKeepAlive();

    InitState getState() const { return m_state; }

private:
    int handshakeStep();

    InitState m_state;
};
