#include "platform/headless/headless_platform.h"

#include <algorithm>

#include "view/control_ids.h"

namespace townwright {

WindowHandle HeadlessPlatform::CreateMainWindow(std::string_view caption, DialogRect client_area,
                                                std::string_view font_face, int font_points) {
  if (refuse_main_window_ || window_ != 0) return 0;
  window_ = kMainWindowHandle;
  caption_ = caption;
  client_area_ = client_area;
  font_face_ = font_face;
  font_points_ = font_points;
  return window_;
}

WindowHandle HeadlessPlatform::CreateControl(int id, ControlKind kind, DialogRect place,
                                             std::string_view text,
                                             std::string_view accessible_name) {
  if (window_ == 0) return 0;
  const WindowHandle handle = ControlHandle(id);
  controls_.push_back(
      {id, kind, place, std::string(text), std::string(accessible_name), 0, handle});
  // A second control with an identifier is recorded, for the checks that there is none, but the
  // first keeps answering for it.
  if (control_id::IsControlId(id) && by_id_[Slot(id)] == 0) by_id_[Slot(id)] = controls_.size();
  return handle;
}

std::optional<std::size_t> HeadlessPlatform::PositionOf(int id) const {
  if (control_id::IsControlId(id)) {
    if (by_id_[Slot(id)] == 0) return std::nullopt;
    return by_id_[Slot(id)] - 1;
  }
  for (std::size_t position = 0; position < controls_.size(); ++position) {
    if (controls_[position].id == id) return position;
  }
  return std::nullopt;
}

std::size_t HeadlessPlatform::Slot(int id) {
  return static_cast<std::size_t>(id - control_id::kFirstId);
}

HeadlessPlatform::Control* HeadlessPlatform::Find(int id) {
  const auto position = PositionOf(id);
  return position ? &controls_[*position] : nullptr;
}

const HeadlessPlatform::Control* HeadlessPlatform::FindControl(int id) const {
  const auto position = PositionOf(id);
  return position ? &controls_[*position] : nullptr;
}

bool HeadlessPlatform::SetControlText(int id, std::string_view text,
                                      std::string_view accessible_name) {
  Control* control = Find(id);
  if (control == nullptr) return false;
  control->text.assign(text);
  control->accessible_name.assign(accessible_name);
  return true;
}

std::optional<std::string> HeadlessPlatform::ControlText(int id) {
  const Control* control = Find(id);
  if (control == nullptr) return std::nullopt;
  return control->text;
}

FontHandle HeadlessPlatform::CreateLogicalFont(const FontRequest& request) {
  fonts_.push_back({request.character_height, request.weight, std::string(request.face)});
  return fonts_.size();
}

void HeadlessPlatform::SetControlFont(int id, FontHandle font) {
  if (Control* control = Find(id)) control->font = font;
}

void HeadlessPlatform::ShowMessageBox(std::string_view text, std::string_view caption) {
  message_boxes_.push_back({std::string(text), std::string(caption)});
}

int HeadlessPlatform::OpenMessageBoxes() {
  return static_cast<int>(std::count_if(message_boxes_.begin(), message_boxes_.end(),
                                        [](const MessageBox& box) { return box.open; }));
}

bool HeadlessPlatform::CloseNewestMessageBox() {
  const auto newest = std::find_if(message_boxes_.rbegin(), message_boxes_.rend(),
                                   [](const MessageBox& box) { return box.open; });
  if (newest == message_boxes_.rend()) return false;
  newest->open = false;
  return true;
}

void HeadlessPlatform::Pause(int milliseconds) {
  ++pauses_;
  paused_milliseconds_ += milliseconds;
  if (on_pause_) on_pause_(milliseconds);
}

int HeadlessPlatform::RunUntilEnded(const WindowEventHandler& handler) {
  if (window_ == 0) return 0;
  handler_ = &handler;
  posted_.push_front({.kind = WindowEvent::Kind::kInitialise});
  DeliverPosted();
  if (player_ && !ended_) player_();
  handler_ = nullptr;
  if (!ended_) return kWindowStillOpen;
  window_ = 0;
  controls_.clear();
  by_id_.fill(0);
  // The boxes go with the window.
  for (MessageBox& box : message_boxes_) box.open = false;
  return end_result_;
}

void HeadlessPlatform::Post(const WindowEvent& event) {
  posted_.push_back(event);
  if (handler_ != nullptr) DeliverPosted();
}

void HeadlessPlatform::DeliverPosted() {
  if (delivering_) return;  // the handler is busy: the event waits until it returns
  delivering_ = true;
  while (!ended_ && !posted_.empty()) {
    const WindowEvent event = posted_.front();
    posted_.pop_front();
    (*handler_)(event);
  }
  delivering_ = false;
}

void HeadlessPlatform::EndWindow(int result) {
  if (ended_) return;  // the first end stands, as in the other windows
  ended_ = true;
  end_result_ = result;
}

void HeadlessPlatform::PostClick(int id, int notification_code) {
  Post({.kind = WindowEvent::Kind::kCommand,
        .control_id = id,
        .notification_code = notification_code});
}

bool HeadlessPlatform::Type(int id, std::string_view text) {
  Control* control = Find(id);
  if (control == nullptr) return false;
  control->text.assign(text);
  return true;
}

void HeadlessPlatform::Focus(int id) {
  const Control* control = FindControl(id);
  focus_ = control == nullptr ? 0 : control->handle;
}

}  // namespace townwright
