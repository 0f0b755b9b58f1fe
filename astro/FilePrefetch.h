// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a file on a worker thread ahead of need: start-up begins reading and decoding its large
// files, builds its windows meanwhile, and takes each result when the code that needs it runs.
// A result is taken at most once, and only while the file still has the size and modification
// time it had when the load began; otherwise the caller loads the file itself.
#pragma once

#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

namespace astro {

template <class T> class TFilePrefetch {
public:
  // Runs Load on a worker thread unless a load of the same file is pending; a file that does not
  // exist is left to its caller.
  void Start(const std::string& FileName, std::function<T()> Load) {
    const std::optional<TStamp> stamp = StampOf(FileName);
    if (!stamp)
      return;
    const std::lock_guard lock(Lock);
    TPending& pending = Pending[KeyOf(FileName)];
    if (pending.Result.valid())
      return;
    pending.Stamp = *stamp;
    pending.Result = std::async(std::launch::async, std::move(Load));
  }

  // The result of the load of FileName (rethrowing what the load threw), or nothing when no load
  // was started or the file has changed since.
  std::optional<T> Take(const std::string& FileName) {
    TPending pending;
    {
      const std::lock_guard lock(Lock);
      const auto found = Pending.find(KeyOf(FileName));
      if (found == Pending.end())
        return std::nullopt;
      pending = std::move(found->second);
      Pending.erase(found);
    }
    T result = pending.Result.get();
    if (StampOf(FileName) != pending.Stamp)
      return std::nullopt;
    return result;
  }

  // Waits for every load not taken and drops its result: a load must not outlive its owner.
  void DropAll() {
    std::map<std::string, TPending> pending;
    {
      const std::lock_guard lock(Lock);
      pending.swap(Pending);
    }
    for (auto& entry : pending)
      entry.second.Result.wait();
  }

private:
  using TStamp = std::pair<std::uintmax_t, std::filesystem::file_time_type>;
  struct TPending {
    TStamp Stamp;
    std::future<T> Result;
  };

  static std::optional<TStamp> StampOf(const std::string& FileName) {
    std::error_code error;
    const std::filesystem::path path(FileName);
    if (!std::filesystem::is_regular_file(path, error))
      return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
      return std::nullopt;
    const auto modified = std::filesystem::last_write_time(path, error);
    if (error)
      return std::nullopt;
    return TStamp{size, modified};
  }

  static std::string KeyOf(const std::string& FileName) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(FileName, error);
    return (error ? std::filesystem::path(FileName) : absolute).lexically_normal().string();
  }

  std::mutex Lock;
  std::map<std::string, TPending> Pending;
};

} // namespace astro
