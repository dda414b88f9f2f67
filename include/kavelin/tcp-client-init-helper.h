#pragma once

#include "kavelin/tcp-helper.h"

// The connecting end of a data connection's handshake: sends the use
// request with a transfer seed, reads the answer, runs TLS (checking the
// server certificate against the pinned signature) and LZ4 set-up, and
// sends the activation.
class TcpClientInitHelper : public TcpHelper {
public:
    explicit TcpClientInitHelper(TcpTransfer* transfer);
    ~TcpClientInitHelper() override;

    bool isIdle() override;
    int handleRead() override;
    int handleWrite() override;
    // Finishes a half-written header first (returns -1 to defer the abort).
    int preAbort() override;
    int verifyToken() override;
    int processHeader() override;

    // Fills the use request with a fresh transfer seed; -1 when the store has
    // none for the peer (nothing is sent then).
    int convertRemoteTransferUse();
    bool checkSocket();
    bool verifySSLSignature();
    int finalize();
    int setTcpKeepAlive();

    InitState getState() const { return m_state; }

private:
    int handshakeStep();

    InitState m_state;
};
