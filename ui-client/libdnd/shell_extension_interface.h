#pragma once

#include <QString>

#include "compat/sync.h"

// The client's side of the block shared with the shell extension: the named
// mutex for the whole life of the interface, the block from one drag's
// InitDrag to the next drag's or to destruction. Used on the GUI thread only.
class CShellExtensionInterface {
public:
    CShellExtensionInterface();
    virtual ~CShellExtensionInterface();
    CShellExtensionInterface(const CShellExtensionInterface&) = delete;
    CShellExtensionInterface& operator=(const CShellExtensionInterface&) = delete;

    // Makes a fresh block for a drag: all zero, version 1, state 1 (dragging),
    // the placeholder in the path field. A block held from an earlier drag
    // goes first.
    void InitDrag();
    // The destination the extension wrote (state 2), or ""; the state goes back to 0.
    QString GetTarget();

private:
    // Closes the block and removes its name: the client owns it, and a
    // Windows block vanishes with its last handle.
    void DropBlock();

    HANDLE m_hMutex;
    HANDLE m_hMapping;
};
