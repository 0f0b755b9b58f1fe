// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilePrefetch.h"
#include "FileText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

std::string WriteFile(const char* name, const std::string& text) {
  const std::string path = std::string(ASTRAVIA_TEST_OUTPUT_DIR) + "/" + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

} // namespace

TEST(FilePrefetch, AResultIsTakenOnceAndOnlyForTheFileAsItWas) {
  astro::TFilePrefetch<std::string> prefetch;
  const std::string path = WriteFile("prefetch-a.txt", "first");
  prefetch.Start(path, [path] { return ReadFileText(path); });
  prefetch.Start(path, [] { return std::string("a second load of a pending file is ignored"); });
  EXPECT_EQ(prefetch.Take(path), "first");
  EXPECT_EQ(prefetch.Take(path), std::nullopt);

  prefetch.Start(path, [path] { return ReadFileText(path); });
  WriteFile("prefetch-a.txt", "changed meanwhile"); // another size: the early result is stale
  EXPECT_EQ(prefetch.Take(path), std::nullopt);

  const std::string missing = std::string(ASTRAVIA_TEST_OUTPUT_DIR) + "/prefetch-none.txt";
  prefetch.Start(missing, [] { return std::string("never"); });
  EXPECT_EQ(prefetch.Take(missing), std::nullopt);
}

TEST(FilePrefetch, TheLoadsErrorReachesTheTakerAndDroppedLoadsAreWaitedFor) {
  astro::TFilePrefetch<int> prefetch;
  const std::string path = WriteFile("prefetch-b.txt", "x");
  prefetch.Start(path, []() -> int { throw std::runtime_error("Cannot open file b"); });
  EXPECT_THROW(prefetch.Take(path), std::runtime_error);

  std::atomic<bool> finished = false;
  prefetch.Start(path, [&finished] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    finished = true;
    return 1;
  });
  prefetch.DropAll();
  EXPECT_TRUE(finished);
  EXPECT_EQ(prefetch.Take(path), std::nullopt);
}
