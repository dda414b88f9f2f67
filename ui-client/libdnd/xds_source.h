#pragma once

#include <QByteArray>

// The source side of the X direct-save drag protocol (XdndDirectSave0): the
// drag's source window carries a file name in its XdndDirectSave0 property;
// at the drop the file manager replaces it with the URI of that name in the
// folder shown, then asks the source for the data of type XdndDirectSave0,
// which the source answers with "S" (saved), "F" (fall back) or "E" (error).
// Only this file speaks X11; without an X display every call does nothing.
namespace xds {

// The drag's type, the property's name, and the answers.
extern const char kType[];
extern const char kSaved[];
extern const char kError[];

// Writes `name` into the property of the running drag's source window.
// False when no drag of this process owns the X drag selection.
bool offerName(QByteArray const& name);

// The property as the drop target left it; empty when it is missing, not
// 8-bit text, or longer than a URI may be.
QByteArray readDestination();

// Removes the property, so that a stale URI never serves a later drop.
void withdraw();

} // namespace xds
