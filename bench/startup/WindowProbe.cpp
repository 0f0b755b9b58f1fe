// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program on the X display of $DISPLAY and reports, per run, the milliseconds from exec
// to the MapNotify of the top-level window whose title holds TITLE, and the program's resident
// memory (VmRSS, kB) once it has run for a settling time after mapping. Usage:
//   astravia_window_probe RUNS SETTLE_MS TITLE PROGRAM [ARGS...]
// Prints one line per run: "map_ms <ms> rss_kb <kB>". Needs a display without a window manager
// (Xvfb), where top-level maps reach the root window's substructure.
#include <xcb/xcb.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

using TClock = std::chrono::steady_clock;

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  long value = -1;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    status.ignore(1 << 12, '\n');
  }
  return value;
}

// The window's title (WM_NAME), empty when it has none.
std::string Title(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (!reply)
    return {};
  const std::string title(static_cast<const char*>(xcb_get_property_value(reply)),
                          static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return title;
}

// Waits for the MapNotify of a top-level window whose title holds `title`; false after ten
// seconds or when the program died.
bool WaitForMap(xcb_connection_t* connection, pid_t pid, const std::string& title) {
  const int fd = xcb_get_file_descriptor(connection);
  const TClock::time_point deadline = TClock::now() + std::chrono::seconds(10);
  while (TClock::now() < deadline) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      xcb_window_t window = XCB_NONE;
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
        window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
      std::free(event);
      if (window != XCB_NONE && Title(connection, window).find(title) != std::string::npos)
        return true;
    }
    if (waitpid(pid, nullptr, WNOHANG) == pid)
      return false;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(fd, &set);
    timeval tick{0, 1000};
    select(fd + 1, &set, nullptr, nullptr, &tick);
  }
  return false;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s RUNS SETTLE_MS TITLE PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const int settle = std::atoi(argv[2]);
  const std::string title = argv[3];
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "cannot connect to the X display\n");
    return 2;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  for (int run = 0; run < runs; ++run) {
    const TClock::time_point start = TClock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      execv(argv[4], argv + 4);
      _exit(127);
    }
    if (!WaitForMap(connection, pid, title)) {
      std::fprintf(stderr, "run %d: no window was mapped\n", run + 1);
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(settle));
    const long rss = ResidentKilobytes(pid);
    kill(pid, SIGKILL); // no shutdown: the run must not write the configuration file
    waitpid(pid, nullptr, 0);
    std::printf("map_ms %.1f rss_kb %ld\n", ms, rss);
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
      std::free(event); // unmaps and destroys of the finished run
  }
  xcb_disconnect(connection);
  return 0;
}
