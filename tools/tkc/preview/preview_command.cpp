#include <httplib.h>

#include <atomic>
#include <csignal>
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

namespace tkc {

namespace {

std::atomic<bool> g_stop{false};

extern "C" void OnStopSignal(int) {
  g_stop.store(true);
}

// "--port N"; none when the options are not that.
bool ReadPort(int argc, char** argv, int& port) {
  port = 0;
  for (int i = 3; i < argc; i += 2) {
    if (std::string(argv[i]) != "--port" || i + 1 >= argc) return false;
    char* end = nullptr;
    const long value = std::strtol(argv[i + 1], &end, 10);
    if (end == argv[i + 1] || *end != '\0' || value < 1 || value > 65535) return false;
    port = static_cast<int>(value);
  }
  return true;
}

}  // namespace

int Preview(int argc, char** argv) {
  int port = 0;
  if (!ReadPort(argc, argv, port)) return Fail("usage: tkc preview DIR [--port N]");
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
  std::cout << "tkc preview: http://127.0.0.1:" << port << "/ (Ctrl-C ends it)" << std::endl;

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
