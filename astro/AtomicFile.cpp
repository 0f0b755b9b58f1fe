// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace astro {
namespace {

// The file a path names, a symbolic link followed; the path itself when it names none.
std::string TargetOf(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
    return path;
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t ModeFor(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0)
    return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = FileSystemCalls().Write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0) {
      if (written == 0)
        errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing for readers.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  FileSystemCalls().Fsync(fd);
  close(fd);
}

} // namespace

TFileSystemCalls& FileSystemCalls() {
  static TFileSystemCalls calls{::write, ::fsync, ::rename};
  return calls;
}

TReplaceResult ReplaceFile(const std::string& Path, std::string_view Bytes) {
  const std::string target = TargetOf(Path);
  struct stat info {};
  if (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = EISDIR; // a folder holds the name: no file can be made there
    return TReplaceResult::CannotCreate;
  }
  std::string temporary = target + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0)
    return TReplaceResult::CannotCreate;
  bool done =
      fchmod(fd, ModeFor(target)) == 0 && WriteAll(fd, Bytes) && FileSystemCalls().Fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && done) {
    done = false;
    error = errno;
  }
  if (done && FileSystemCalls().Rename(temporary.c_str(), target.c_str()) != 0) {
    done = false;
    error = errno;
  }
  if (!done) {
    unlink(temporary.c_str());
    errno = error;
    return TReplaceResult::CannotWrite;
  }
  SyncFolder(FolderOf(target));
  return TReplaceResult::Done;
}

} // namespace astro
