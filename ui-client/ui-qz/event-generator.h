#pragma once

#include <QString>

#include <cstdint>

#include "event.h"
#include "user-action-cache.h"

// Builds events from what the user did in a view. Each builder fills the
// record in place and returns 0, or returns -1 and leaves it untouched.
// Stateless; used on the main thread.
class EventGenerator {
public:
    // The two path forms. The computer's form is POSIX: parts joined with
    // "/", a leading "/" kept, "\" an ordinary letter. The server form splits
    // at "/" and "\", joins with "/" and keeps a leading "/".
    static std::string normalizePath(const QString& path, bool local_form);
    // The text after the last separator of the form (the server form also
    // counts "\"), or the whole path.
    static QString getName(const QString& path, bool local_form = false);

    int createEventFromSetUdp(Event& event, uint64_t peer);
    int createEventFromList(Event& event, uint64_t peer, const QString& id_path);
    // The three below refuse a folder whose peer text is no number, or names
    // a peer other than this computer or `peer`.
    int createEventFromMkdir(Event& event, uint64_t peer, const SiteSelectedInfo& selection, const QString& name);
    // Also refused: an empty folder, no selected child, or a new id path on
    // another peer.
    int createEventFromRename(Event& event, uint64_t peer, const SiteSelectedInfo& selection,
                              const QString& new_id_path);
    int createEventFromRemove(Event& event, uint64_t peer, const SiteSelectedInfo& selection);
    // Copy on one peer, upload (from 0) or download (to 0); -1 for two
    // different servers or a peer text that is no number.
    int createCopyEventFromPaths(Event& event, uint64_t peer, const QString& from_id_path, const QString& to_id_path);
};

// Reads a decimal peer id; false when the text is not one.
bool parsePeerId(const QString& text, uint64_t& peer_id);
