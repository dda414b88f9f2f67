#pragma once

#include <QString>
#include <QUrl>

#include <cstdint>
#include <string>

// Id paths name a location in any site: the decimal peer id, ":" and the
// path inside the site (peer 0 is this computer).

// parent + "/" + name, without doubling a trailing "/"; "" gives "/name".
QString combinePath(const QString& parent, const QString& name);
QString combineIdPath(const QString& peer_id, const QString& path);
QString combineIdPath(uint64_t peer_id, const QString& path);
QString combineIdPath(uint64_t peer_id, const std::string& path);  // path in UTF-8
// Cuts at the first ":"; without one, id is the whole input and path empty.
void splitIdPath(const QString& input, QString& id, QString& path);
// The local file path of a dropped URL; empty when it is no local file.
QString getPathFromUrl(const QUrl& url);
// The path to use for a transfer: the path itself.
QString resolveSmbPath(const QString& path);
