#pragma once

#include <QDateTime>

// The local date-time of an instant, in milliseconds since 1970 UTC. It is
// built with the zone's offset at that instant (read once, from the C
// library), so listings of 100,000 entries do not pay for Qt's local-time
// conversion on every entry and every later comparison.
QDateTime localDateTimeFromMSecs(qint64 msecs);
