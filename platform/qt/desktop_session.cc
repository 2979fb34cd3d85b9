#include "platform/qt/desktop_session.h"

#include <dbus/dbus.h>

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace townwright::qt {
namespace {

// A healthy bus answers in a millisecond or two; a loaded machine may take some hundreds.
constexpr std::chrono::milliseconds kBusPatience{2000};

// Whether the bus at `address` has answered the first call every client makes (Hello) within
// kBusPatience. A bus that cannot be reached at all counts as answering: the toolkit sees the
// same failure at once and goes on without it.
bool BusAnswers(const char* address) {
  DBusError error;
  dbus_error_init(&error);
  DBusConnection* connection = dbus_connection_open_private(address, &error);
  if (connection == nullptr) {
    dbus_error_free(&error);
    return true;
  }
  dbus_connection_set_exit_on_disconnect(connection, FALSE);
  DBusMessage* hello =
      dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello");
  DBusPendingCall* pending = nullptr;
  const auto patience = static_cast<int>(kBusPatience.count());
  if (hello != nullptr) dbus_connection_send_with_reply(connection, hello, &pending, patience);
  if (hello != nullptr) dbus_message_unref(hello);
  bool answered = pending == nullptr;  // out of memory: no judgement, nothing left out
  // libdbus's own blocking calls wait without limit while the bus has not let the client in, so
  // the connection is driven here, never longer than the deadline.
  const auto deadline = std::chrono::steady_clock::now() + kBusPatience;
  while (pending != nullptr && !answered) {
    answered = dbus_pending_call_get_completed(pending) != 0 ||
               dbus_connection_get_is_connected(connection) == 0;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (answered || left.count() <= 0) break;
    dbus_connection_read_write_dispatch(connection, static_cast<int>(left.count()));
  }
  if (pending != nullptr) {
    dbus_pending_call_cancel(pending);
    dbus_pending_call_unref(pending);
  }
  dbus_connection_close(connection);
  dbus_connection_unref(connection);
  return answered;
}

struct HeldMessage {
  QtMsgType type;
  std::string category;
  QString text;
};

std::vector<HeldMessage>& HeldMessages() {
  static std::vector<HeldMessage> held;
  return held;
}

QtMessageHandler& HandlerBefore() {
  static QtMessageHandler before = nullptr;
  return before;
}

std::string NoDisplayLine() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool has_x11 = x11 != nullptr && *x11 != '\0';
  const bool has_wayland = wayland != nullptr && *wayland != '\0';
  std::string line = "townwright: no display to open the game's window on";
  if (!has_x11 && !has_wayland) return line + " (DISPLAY and WAYLAND_DISPLAY are unset)";
  line += " (cannot open";
  if (has_x11) line += std::string(" DISPLAY=") + x11;
  if (has_x11 && has_wayland) line += " or";
  if (has_wayland) line += std::string(" WAYLAND_DISPLAY=") + wayland;
  return line + ")";
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // The toolkit found no display; what it said before is about the same failure.
    std::fprintf(stderr, "%s\n", NoDisplayLine().c_str());
    std::fflush(stderr);
    std::_Exit(1);
  }
  HeldMessages().push_back({type, context.category != nullptr ? context.category : "", text});
}

}  // namespace

void LeaveOutASilentSessionBus() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address == nullptr || *address == '\0' || BusAnswers(address)) return;
  std::fprintf(stderr,
               "townwright: the session bus did not answer within %lld s; going on without it, "
               "so screen readers cannot read the window\n",
               static_cast<long long>(kBusPatience.count() / 1000));
  // An address of a kind no client knows: the toolkit's attempt fails at once, and nothing starts
  // a bus of its own, as it would without any address.
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

DisplayOpening::DisplayOpening() { HandlerBefore() = qInstallMessageHandler(&HoldMessage); }

DisplayOpening::~DisplayOpening() {
  qInstallMessageHandler(HandlerBefore());
  std::vector<HeldMessage> held;
  held.swap(HeldMessages());
  for (const HeldMessage& message : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
    if (HandlerBefore() != nullptr) {
      HandlerBefore()(message.type, context, message.text);
    } else {
      std::fprintf(stderr, "%s\n",
                   qPrintable(qFormatLogMessage(message.type, context, message.text)));
    }
  }
}

}  // namespace townwright::qt
