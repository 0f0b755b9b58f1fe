// SPDX-License-Identifier: GPL-3.0-or-later
// Runs part of a test in a forked child whose address space is capped, so a reader that
// allocates without bound fails the test instead of swapping the machine, and a hang ends it.
// Under AddressSanitizer, which reserves terabytes of address space, only the hang guard holds.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>

#if defined(__SANITIZE_ADDRESS__)
#define ASTRAVIA_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ASTRAVIA_TEST_UNDER_ASAN 1
#endif
#endif

namespace bounded {

// Runs Body in a child allowed MegaBytes of address space beyond what the process maps now and
// two minutes. True when Body returned true within both.
inline bool Run(long MegaBytes, const std::function<bool()>& Body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
#ifdef ASTRAVIA_TEST_UNDER_ASAN
    (void)MegaBytes;
#else
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(MegaBytes) << 20);
    const rlimit cap{limit, limit};
    setrlimit(RLIMIT_AS, &cap);
#endif
    alarm(120);
    bool passed = false;
    try {
      passed = Body();
    } catch (...) {
    }
    _exit(passed ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

} // namespace bounded
