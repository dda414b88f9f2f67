#pragma once

#include <QString>

#include <cstdint>

// Shared rules of the three views: the name a root entry shows and the names
// an in-place editor may hand on.
namespace siteviews {

// "My Computer" for the computer's root entry ("0"), the site's name for the
// other root entry, the listed name for everything else.
QString shownName(const QString& listed, bool is_root, const QString& site_name);

// A name the user typed for a rename or a new folder: not blank, not "." or
// "..", and without "/", "\\" or NUL.
bool isAcceptableNewName(const QString& name);

// The millisecond clock that bounds a slice of drawing; tests step their own.
using SliceClock = uint64_t (*)();
void setSliceClock(SliceClock clock);
uint64_t sliceNow();

// How long a slice may run, and the pause between slices, in milliseconds.
constexpr uint64_t kSliceMs = 50;
constexpr int kSlicePauseMs = 10;

}  // namespace siteviews
