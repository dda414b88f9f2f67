#pragma once

#include <cstdint>

// Enumerations shared by the service, its peer connections and the data
// connections. The values travel in engine commands, so they are fixed.

// Which end of a data connection this engine plays.
enum TransferSide : int32_t {
    TRANSFER_SIDE_UNKNOWN = 0,
    TRANSFER_SIDE_SERVER = 1,
    TRANSFER_SIDE_CLIENT = 2,
};

// How a peer's data moves; only TCP moves data.
enum ConnectMethod : int32_t {
    CM_UDP = 0,
    CM_TCP = 1,
    CM_MAX = 2,
    CM_AUTO = 3,
};

// The role of one data connection.
enum TransferUse : int32_t {
    TRANSFER_USE_UNKNOWN = 0,
    TRANSFER_USE_CLIENT_INIT = 1,  // connecting side of the handshake
    TRANSFER_USE_SERVER_INIT = 2,  // accepting side of the handshake
    TRANSFER_USE_ACTIVE = 3,       // sends file data
    TRANSFER_USE_PASSIVE = 4,      // receives file data
    TRANSFER_USE_REPORT = 5,       // carries task reports
    TRANSFER_USE_MAX = 6,
};
