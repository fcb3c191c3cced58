#pragma once
// The settings file on disk: read whole and bounded, replaced whole and
// atomically. POSIX calls (open, fsync, rename), kept to this file.
#include <cstddef>
#include <string>

namespace cbo {

// A settings file larger than this is refused before it is read.
constexpr size_t kMaxSettingsFileBytes = size_t{16} * 1024 * 1024;

// The bytes of the file at `path`. Refused with a Widget error that names the
// file and says why: it does not exist, cannot be opened, is a folder, a
// device, a pipe or a socket, or is larger than kMaxSettingsFileBytes.
std::string ReadSettingsFile(const std::string& path);

// Makes `text` the content of the file at `path` in one step: the text goes
// to a new temporary file in the file's folder (created exclusively under a
// unique name, so no link is followed and no other save shares it), which
// gets the permission bits (and, where the process may, the owner) of the
// file it replaces, 0600 for a new file; it is flushed to disk, renamed over
// the file, and the folder is flushed. A symbolic link has the file it points
// to replaced and stays a link. A reader sees the old file or the new one,
// never a part; of saves running at once the last to rename wins. A failure
// leaves the old file as it was and is a Widget error that names the file
// and says why.
void ReplaceSettingsFile(const std::string& path, const std::string& text);

}  // namespace cbo
