// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file whole: the new bytes go to a temporary file in the same folder, are flushed
// to disk, and the temporary file is renamed over the old one. A reader, a crash or a full disk
// sees either the complete old file or the complete new one, never a mix.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace astro {

// The system calls a replacement makes that can fail on a healthy path. Tests swap them through
// FileSystemCalls() to inject faults; the program never changes them.
struct TFileSystemCalls {
  ssize_t (*Write)(int Fd, const void* Data, std::size_t Size);
  int (*Fsync)(int Fd);
  int (*Rename)(const char* From, const char* To);
};

// The calls in use; the real ones unless a test replaced them.
TFileSystemCalls& FileSystemCalls();

enum class TReplaceResult {
  Done,
  CannotCreate, // a folder holds the name, or no temporary file could be made beside it
  CannotWrite,  // writing, flushing or renaming failed; the old file is untouched
};

// Replaces the file at Path (UTF-8) with Bytes, or creates it. A symbolic link is followed, so
// the file it names is replaced and the link kept. The new file keeps the old one's permission
// bits (a created one gets 0666 less the umask). On failure the temporary file is removed and
// errno tells why.
TReplaceResult ReplaceFile(const std::string& Path, std::string_view Bytes);

} // namespace astro
