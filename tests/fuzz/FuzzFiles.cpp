// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fuzz {
namespace {

struct TPrivateFolder {
  std::string Path;
  TPrivateFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/astravia-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()))
      std::abort();
    Path = pattern + "/";
  }
  ~TPrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
};

} // namespace

const std::string& Folder() {
  static const TPrivateFolder folder;
  return folder.Path;
}

std::string WriteInput(const std::uint8_t* Data, std::size_t Size, const char* Name) {
  const std::string path = Folder() + Name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(Data, 1, Size, file) != Size || std::fclose(file) != 0)
    std::abort();
  return path;
}

} // namespace fuzz
