#pragma once

#include <QString>

class MiscLog;

// The texts of the event log view: one rich-text sentence per record, with
// the names of files and folders coloured, and a plain tooltip with the full
// paths. Pure functions of their arguments.

// Writes the record's sentence (rich text, every text from the record
// escaped) and its plain tooltip. For a type without a sentence (8 and
// above) both keep what the caller put in them.
void getLogString(const MiscLog& log, QString& text, QString& tooltip);
// An anchor without link target showing the escaped text in the colour
// (six hex digits, no "#").
QString getColoredString(const QString& text, const QString& colour);
// The part of the path after its last "/" or "\"; the whole path without
// either; empty when the path ends with one.
QString getBaseName(const QString& path);
