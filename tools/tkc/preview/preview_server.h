// The preview's HTTP side: the page, its event stream, the requests that
// reach the engine thread through the mailbox, and the character's files.
#pragma once

#include <string>

namespace httplib {
class Server;
}

namespace tkc {

class EventHub;
class Mailbox;
class PreviewSession;

struct PreviewServerParts {
  Mailbox& mailbox;
  EventHub& hub;
  PreviewSession& session;  // reached only through the mailbox
  std::string folder;
  int port = 0;
};

// Sets up every route, with the guard in front of them all.
void AddPreviewRoutes(httplib::Server& server, const PreviewServerParts& parts);

}  // namespace tkc
