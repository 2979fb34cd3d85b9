#include "platform/win32/tests/screen_reader_ears.h"

#include <map>
#include <string_view>

namespace townwright::win32::automation {
namespace {

// The ears listening on this process's threads, by hook: the hook's procedure is told only which.
std::map<HWINEVENTHOOK, ScreenReaderEars*>& Listening() {
  static std::map<HWINEVENTHOOK, ScreenReaderEars*> listening;
  return listening;
}

std::string Narrow(BSTR text) {
  std::string narrow;
  for (const wchar_t* c = text; c != nullptr && *c != 0; ++c) narrow += static_cast<char>(*c);
  return narrow;
}

// The name or the description of the object an event names, as a reader asks for it.
std::string Ask(HWND window, LONG object, LONG child, DWORD event) {
  IAccessible* accessible = nullptr;
  VARIANT self = {};
  if (FAILED(AccessibleObjectFromEvent(window, object, child, &accessible, &self)) ||
      accessible == nullptr) {
    return "";
  }
  BSTR text = nullptr;
  if (event == EVENT_OBJECT_NAMECHANGE) {
    accessible->get_accName(self, &text);
  } else {
    accessible->get_accDescription(self, &text);
  }
  accessible->Release();
  std::string answer = Narrow(text);
  SysFreeString(text);
  return answer;
}

}  // namespace

ScreenReaderEars::ScreenReaderEars(DWORD process_id)
    // A reader asks for objects through COM, from an apartment of its own thread.
    : com_apartment_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
  hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, &OnEvent,
                          process_id, 0, WINEVENT_OUTOFCONTEXT);
  if (hook_ != nullptr) Listening()[hook_] = this;
}

ScreenReaderEars::~ScreenReaderEars() {
  if (hook_ != nullptr) {
    UnhookWinEvent(hook_);
    Listening().erase(hook_);
  }
  if (com_apartment_) CoUninitialize();
}

std::vector<std::string> ScreenReaderEars::descriptions() const {
  constexpr std::string_view kPrefix = "description: ";
  std::vector<std::string> found;
  for (const std::string& line : heard_) {
    if (line.starts_with(kPrefix)) found.push_back(line.substr(kPrefix.size()));
  }
  return found;
}

void CALLBACK ScreenReaderEars::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                        LONG child, DWORD /*thread*/, DWORD /*time*/) {
  const auto found = Listening().find(hook);
  if (found != Listening().end()) found->second->Hear(event, window, object, child);
}

void ScreenReaderEars::Hear(DWORD event, HWND window, LONG object, LONG child) {
  if (object != OBJID_CLIENT) return;
  if (event == EVENT_OBJECT_FOCUS) {
    // A reader asks for the focused object at once: from then on the control tells it of changes.
    focus_window_ = window;
    Ask(window, object, child, event);
    return;
  }
  // Only the focused object's changes are spoken.
  if (window != focus_window_) return;
  if (event != EVENT_OBJECT_NAMECHANGE && event != EVENT_OBJECT_DESCRIPTIONCHANGE) return;
  const std::string text = Ask(window, object, child, event);
  if (text.empty()) return;  // nothing to say
  heard_.push_back((event == EVENT_OBJECT_NAMECHANGE ? "name: " : "description: ") + text);
}

}  // namespace townwright::win32::automation
