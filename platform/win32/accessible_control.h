#pragma once

// What a screen reader hears for a control of the main window. Windows makes a control's name up
// by its own rules: an edit box is named after the nearest label created before it (so every
// figure box after "Workforce" would be "Workforce"), a button by its text (so a blank choice by
// nothing). Here the control answers with the system's own accessible object for it (its state,
// value and place), named by the shell instead, and in the role of its kind, which Wine's object
// leaves out for all but edit boxes.

#include <windows.h>

#include <string_view>

namespace townwright::win32 {

// Makes `control` answer screen readers (WM_GETOBJECT for its client area) in `role` (an MSAA
// ROLE_SYSTEM_ constant) under `name`; an empty name leaves the system's own (a button's or a
// label's text). It answers so until it is destroyed. Call once per control, on its thread, which
// must be in a single-threaded COM apartment for the object to reach another program: elsewhere the
// system's own object answers, as Windows' rules make it.
void MakeAccessible(HWND control, long role, std::string_view name);

// Changes the name of a control that MakeAccessible made answer; does nothing for another.
void SetScreenReaderName(HWND control, std::string_view name);

// Gives such a control a description, which screen readers speak when the focused control's
// description changes (EVENT_OBJECT_DESCRIPTIONCHANGE): how the game tells what a press did
// without changing what the window shows. The control drops it when it loses the focus, so that
// coming back to it later does not say it again. Empty: the system's own.
void SetScreenReaderDescription(HWND control, std::string_view description);

}  // namespace townwright::win32
