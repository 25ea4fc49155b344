#include <fcntl.h>
#include <httplib.h>
#include <spawn.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "../console_text.h"
#include "event_hub.h"
#include "mailbox.h"
#include "preview.h"
#include "preview_server.h"
#include "preview_session.h"

extern char** environ;

namespace tkc {

namespace {

std::atomic<bool> g_stop{false};

extern "C" void OnStopSignal(int) {
  g_stop.store(true);
}

struct PreviewOptions {
  int port = 0;  // 0: any free one
  bool open_browser = true;
};

// "--port N" and "--no-browser", in any order; false for anything else.
bool ReadOptions(int argc, char** argv, PreviewOptions& options) {
  for (int i = 3; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--no-browser") {
      options.open_browser = false;
      continue;
    }
    if (option != "--port" || i + 1 >= argc) return false;
    char* end = nullptr;
    const long value = std::strtol(argv[++i], &end, 10);
    if (end == argv[i] || *end != '\0' || value < 1 || value > 65535) return false;
    options.port = static_cast<int>(value);
  }
  return true;
}

// Hands the page to the desktop's default browser, where there is a desktop
// and its opener; the preview goes on whatever the opener does.
void OpenInBrowser(const std::string& url) {
#ifdef __APPLE__
  const char* opener = "open";
#else
  const char* opener = "xdg-open";
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) return;
#endif
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  std::string program = opener, address = url;
  char* args[] = {program.data(), address.data(), nullptr};
  std::signal(SIGCHLD, SIG_IGN);  // the opener is never waited for
  pid_t pid = 0;
  posix_spawnp(&pid, opener, &quiet, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&quiet);
}

}  // namespace

int Preview(int argc, char** argv) {
  PreviewOptions options;
  if (!ReadOptions(argc, argv, options))
    return Fail("usage: tkc preview DIR [--port N] [--no-browser]");
  int port = options.port;
  std::error_code error;
  const std::string folder = std::filesystem::absolute(argv[2], error).lexically_normal().string();
  if (error || !std::filesystem::is_directory(folder))
    return Fail(std::string(argv[2]) + " is not a folder");

  httplib::Server server;
  const int asked = port;
  if (asked == 0) {
    port = server.bind_to_any_port("127.0.0.1");
  } else if (!server.bind_to_port("127.0.0.1", asked)) {
    port = -1;
  }
  if (port <= 0)
    return Fail("cannot listen on 127.0.0.1" + (asked == 0 ? "" : ":" + std::to_string(asked)));

  Mailbox mailbox;
  EventHub hub;
  PreviewSession session(folder, RunOptions{}, mailbox, hub);
  const PreviewServerParts parts{mailbox, hub, session, folder, port};
  AddPreviewRoutes(server, parts);
  std::thread listener([&server] { server.listen_after_bind(); });
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";
  std::cout << "tkc preview: " << url << " (Ctrl-C ends it)" << std::endl;
  if (options.open_browser) OpenInBrowser(url);

  std::signal(SIGPIPE, SIG_IGN);  // a page closed mid-write is noticed by the write
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  session.Run(g_stop);

  hub.Close();
  mailbox.Close();
  server.stop();
  listener.join();
  std::cout << "tkc preview: ended" << std::endl;
  return 0;
}

}  // namespace tkc
