#include "preview_server.h"

#include <httplib.h>

#include <nlohmann/json.hpp>

#include "../files.h"
#include "event_hub.h"
#include "mailbox.h"
#include "page_files.h"
#include "preview_clock.h"
#include "preview_session.h"
#include "request_guard.h"

namespace tkc {

namespace {

using nlohmann::json;
using Kind = Mailbox::Kind;

constexpr std::chrono::milliseconds kAnswerWait{3000};
// A stream says something at least this often, so a closed page is noticed.
constexpr std::chrono::milliseconds kKeepAlive{10000};
constexpr std::size_t kLargestRequest = 16 * 1024;

void Refuse(httplib::Response& response, int status, const std::string& why) {
  response.status = status;
  response.set_content(why + "\n", "text/plain; charset=utf-8");
}

// The request's JSON object; none (answered with 400) when it is not one.
std::optional<json> Body(const httplib::Request& request, httplib::Response& response) {
  json body = json::parse(request.body, nullptr, false);
  if (body.is_discarded() || !body.is_object()) {
    Refuse(response, 400, "the request needs a JSON object");
    return std::nullopt;
  }
  return body;
}

template <typename T>
bool Read(const json& body, const char* key, std::optional<T>& out) {
  if (!body.contains(key)) return true;
  const json& value = body[key];
  if constexpr (std::is_same_v<T, bool>) {
    if (!value.is_boolean()) return false;
  } else if constexpr (std::is_same_v<T, int>) {
    if (!value.is_number_integer()) return false;
  } else {
    if (!value.is_string()) return false;
  }
  out = value.get<T>();
  return true;
}

void Accepted(httplib::Response& response, bool posted) {
  if (posted) {
    response.status = 202;
    response.set_content("{}", "application/json");
  } else {
    Refuse(response, 503, "the preview is closing");
  }
}

void AddGuard(httplib::Server& server, int port) {
  server.set_pre_routing_handler(
      [port](const httplib::Request& request, httplib::Response& response) {
        const std::string host = request.get_header_value("Host");
        const std::string origin = request.get_header_value("Origin");
        const bool has_origin = request.has_header("Origin");
        if (IsOwnRequest(host, has_origin ? std::optional<std::string_view>(origin) : std::nullopt,
                         port))
          return httplib::Server::HandlerResponse::Unhandled;
        Refuse(response, 403, "refused: only the preview's own page may use it");
        return httplib::Server::HandlerResponse::Handled;
      });
}

void AddPage(httplib::Server& server) {
  for (const PageFile& file : PageFiles()) {
    server.Get(std::string(file.path), [file](const httplib::Request&, httplib::Response& r) {
      r.set_content(file.bytes.data(), file.bytes.size(), std::string(file.type));
      r.set_header("Cache-Control", "no-store");
    });
  }
}

std::string EventText(const HubEvent& e) {
  return "event: " + e.name + "\ndata: " + e.data + "\n\n";
}

void AddEvents(httplib::Server& server, EventHub& hub) {
  server.Get("/events", [&hub](const httplib::Request&, httplib::Response& response) {
    auto cursor = std::make_shared<EventHub::Cursor>();
    auto first = std::make_shared<std::vector<HubEvent>>(hub.Connect(*cursor));
    response.set_header("Cache-Control", "no-store");
    response.set_chunked_content_provider(
        "text/event-stream",
        [&hub, cursor, first](std::size_t, httplib::DataSink& sink) {
          std::vector<HubEvent> events = std::move(*first);
          first->clear();
          if (events.empty()) events = hub.Wait(*cursor, kKeepAlive);
          if (hub.Closed()) return false;
          std::string text = events.empty() ? ": still here\n\n" : "";
          for (const HubEvent& e : events) text += EventText(e);
          return sink.write(text.data(), text.size());
        },
        [&hub](bool) { hub.Disconnect(); });
  });
}

void AddQueries(httplib::Server& server, const PreviewServerParts& parts) {
  server.Get("/api/state", [&parts](const httplib::Request&, httplib::Response& response) {
    PreviewSession& session = parts.session;
    const auto state = parts.mailbox.Ask<std::string>(
        [&session] { return session.State().dump(-1, ' ', false, json::error_handler_t::replace); },
        kAnswerWait);
    if (!state) return Refuse(response, 503, "the character did not answer in time");
    response.set_content(*state, "application/json");
  });
  server.Get("/api/script", [&parts](const httplib::Request&, httplib::Response& response) {
    PreviewSession& session = parts.session;
    const auto script = parts.mailbox.Ask<std::string>(
        [&session] {
          return session.Script().dump(-1, ' ', false, json::error_handler_t::replace);
        },
        kAnswerWait);
    if (!script) return Refuse(response, 503, "the character did not answer in time");
    response.set_content(*script, "application/json");
  });
  server.Post("/api/flag", [&parts](const httplib::Request& request, httplib::Response& response) {
    const auto body = Body(request, response);
    if (!body) return;
    std::optional<std::string> name, value;
    if (!Read(*body, "name", name) || !Read(*body, "value", value) || !name || !value)
      return Refuse(response, 400, "a flag needs a name and a value (strings)");
    PreviewSession& session = parts.session;
    const auto set = parts.mailbox.Ask<bool>(
        [&session, name, value] { return session.SetFlag(*name, *value); }, kAnswerWait);
    if (!set) return Refuse(response, 503, "the character did not answer in time");
    if (!*set) return Refuse(response, 404, "no such flag, or not a value it can hold");
    response.set_content("{}", "application/json");
  });
}

bool ReadMouse(const json& body, MouseAction& action, tk::MouseButton& button, tk::Point& at) {
  std::optional<std::string> type, which;
  std::optional<int> x, y;
  if (!Read(body, "type", type) || !Read(body, "button", which) || !Read(body, "x", x) ||
      !Read(body, "y", y) || !type || !x || !y)
    return false;
  if (*type == "down") {
    action = MouseAction::kDown;
  } else if (*type == "move") {
    action = MouseAction::kMove;
  } else if (*type == "up") {
    action = MouseAction::kUp;
  } else {
    return false;
  }
  const std::string name = which.value_or("left");
  if (name != "left" && name != "right") return false;
  button = name == "left" ? tk::MouseButton::kLeft : tk::MouseButton::kRight;
  constexpr int kFar = 1'000'000;
  if (std::abs(*x) > kFar || std::abs(*y) > kFar) return false;
  at = {*x, *y};
  return true;
}

bool ReadControl(const json& body, ControlRequest& control) {
  std::optional<bool> step, restart;
  if (!Read(body, "pause", control.pause) || !Read(body, "speed", control.speed) ||
      !Read(body, "keepFlags", control.keep_flags) || !Read(body, "step", step) ||
      !Read(body, "restart", restart))
    return false;
  if (control.speed && !IsPreviewSpeed(*control.speed)) return false;
  control.step = step.value_or(false);
  control.restart = restart.value_or(false);
  return true;
}

void AddInputs(httplib::Server& server, const PreviewServerParts& parts) {
  server.Post("/api/mouse", [&mailbox = parts.mailbox, &session = parts.session](
                                const httplib::Request& request, httplib::Response& response) {
    MouseAction action{};
    tk::MouseButton button{};
    tk::Point at;
    const auto body = Body(request, response);
    if (!body) return;
    if (!ReadMouse(*body, action, button, at))
      return Refuse(response, 400, "mouse: type down|move|up, button left|right, x and y");
    Accepted(response, mailbox.Post(Kind::kInput, [&session, action, button, at] {
      session.Mouse(action, button, at);
    }));
  });
  server.Post("/api/control", [&mailbox = parts.mailbox, &session = parts.session](
                                  const httplib::Request& request, httplib::Response& response) {
    ControlRequest control;
    const auto body = Body(request, response);
    if (!body) return;
    if (!ReadControl(*body, control))
      return Refuse(response, 400,
                    "control: pause, keepFlags, step, restart (true or false), "
                    "speed (1, 10 or 100)");
    Accepted(response,
             mailbox.Post(Kind::kControl, [&session, control] { session.Control(control); }));
  });
  server.Post("/api/answer", [&mailbox = parts.mailbox, &session = parts.session](
                                 const httplib::Request& request, httplib::Response& response) {
    const auto body = Body(request, response);
    if (!body) return;
    std::optional<int> menu, box, index;
    if (!Read(*body, "menu", menu) || !Read(*body, "box", box) || !Read(*body, "index", index) ||
        menu.has_value() == box.has_value() || menu.value_or(1) < 1 || box.value_or(1) < 1)
      return Refuse(response, 400, "answer: {\"menu\": ID, \"index\": N} or {\"box\": ID}");
    Accepted(response, mailbox.Post(Kind::kControl, [&session, menu, box, index] {
      if (menu) session.AnswerMenu(static_cast<std::uint64_t>(*menu), index.value_or(-1));
      if (box) session.AnswerBox(static_cast<std::uint64_t>(*box));
    }));
  });
}

// Only files of the character's folder, and only regular files in it.
void AddFiles(httplib::Server& server, const std::string& folder) {
  server.Get(R"(/files/(.+))", [folder](const httplib::Request& request, httplib::Response& r) {
    const auto file = FileInFolder(folder, request.matches[1].str());
    if (!file) return Refuse(r, 404, "no such file in the character's folder");
    const auto bytes = ReadAll(file->string());
    if (!bytes) return Refuse(r, 404, "the file cannot be read");
    r.set_content(*bytes, std::string(ContentTypeOf(*file)));
    r.set_header("Cache-Control", "no-store");
  });
}

}  // namespace

void AddPreviewRoutes(httplib::Server& server, const PreviewServerParts& parts) {
  server.set_payload_max_length(kLargestRequest);
  AddGuard(server, parts.port);
  AddPage(server);
  AddEvents(server, parts.hub);
  AddQueries(server, parts);
  AddInputs(server, parts);
  AddFiles(server, parts.folder);
}

}  // namespace tkc
