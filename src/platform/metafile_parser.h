#pragma once

#include "metafile.h"
#include "metafile_display_list.h"

#include <memory>

namespace platform::wmf {

// Checks the headers and plays every record into a display list; nullptr, with the reason in
// *error when given, at the first thing that is out of bounds or inconsistent.
std::unique_ptr<DisplayList> parseMetafile(const QByteArray &bytes, QString *error);

// The records after the header up to, not including, the end-of-file record. For bytes that
// parseMetafile accepted; stops quietly at anything malformed.
QList<Metafile::Record> splitRecords(const QByteArray &bytes);

} // namespace platform::wmf
