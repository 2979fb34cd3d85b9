// Measures townwright.exe's window at the screen's DPI, and compares two such measurements.
//
//   dpi_layout measure OUT [EARLIER]   starts townwright.exe, plays one turn, writes the dialog's
//                                      base units, the window's place, every control's rectangle
//                                      and room for text, and the size of its text, then presses
//                                      "Exit". With EARLIER (another run's OUT), also the size of
//                                      that run's texts in this run's fonts, so that the same
//                                      texts are judged at both DPIs.
//   dpi_layout compare LOW HIGH W H    checks HIGH against LOW: the client area and every control
//                                      scaled by the ratio of the dialog's base units on each
//                                      axis (within the rounding of dialog units), that ratio
//                                      within a tenth of the ratio of the DPIs, no text of LOW's
//                                      cut off at HIGH that is not at LOW, and HIGH's window as
//                                      wide as a W x H screen at most, with its caption on it.
//                                      It also tells how far the rectangles are from the ratio of
//                                      the DPIs and whether the window's height fits the screen.
//
// A dialog unit is a quarter of the dialog font's average letter width and an eighth of its
// height, both whole pixels, so the window scales by the ratio of the base units, which is the
// ratio of the DPIs only as far as the font's metrics are. Fonts are process-local, so the texts
// are measured in the fonts the game's window asks for: 8-point "MS Sans Serif", and the year's
// 24 points, at the screen's pixels per inch.

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/tests/automation.h"
#include "shell/main_window.h"
#include "view/control_ids.h"

namespace townwright::win32 {
namespace {

struct Control {
  int id = 0;
  RECT place = {};  // in the window's client coordinates
  SIZE room = {};   // where its text can go
  SIZE text = {};   // what its text needs
  std::string caption;
};

struct Measurement {
  int dpi = 0;
  SIZE units = {};   // the dialog's base units: pixels per 4 horizontal and 8 vertical units
  RECT window = {};  // on the screen
  SIZE client = {};
  std::map<int, Control> controls;
  std::map<int, SIZE> earlier_texts;  // an earlier run's texts in this run's fonts
};

HFONT GameFont(int dpi, int id) {
  const int points = id == control_id::kYearBox ? 24 : 8;
  return CreateFontA(-MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

SIZE TextSize(HDC dc, int dpi, int id, const std::string& text) {
  HFONT font = GameFont(dpi, id);
  HGDIOBJ before = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (text.empty()) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    size = {0, metrics.tmHeight};
  }
  SelectObject(dc, before);
  DeleteObject(font);
  return size;
}

// As the dialog manager computes them: the average width of the 52 letters, rounded, and the
// font's height.
SIZE BaseUnits(HDC dc, int dpi) {
  HFONT font = GameFont(dpi, 0);
  HGDIOBJ before = SelectObject(dc, font);
  const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size = {};
  GetTextExtentPoint32A(dc, letters, 52, &size);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, before);
  DeleteObject(font);
  return {(size.cx / 26 + 1) / 2, metrics.tmHeight};
}

// The room a control leaves its text: a push button's and a group box's frame, an edit box's
// margins, a static text's whole client area.
SIZE TextRoom(HWND control, int dpi) {
  RECT client = {};
  GetClientRect(control, &client);
  SIZE room = {client.right, client.bottom};
  char kind[32] = {};
  GetClassNameA(control, kind, sizeof kind);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(kind, "Button") == 0) {
    const int frame = MulDiv((style & BS_TYPEMASK) == BS_GROUPBOX ? 8 : 3, dpi, 96);
    room.cx -= 2 * frame;
    if ((style & BS_TYPEMASK) != BS_GROUPBOX) room.cy -= 2 * MulDiv(2, dpi, 96);
  } else if (lstrcmpiA(kind, "Edit") == 0) {
    DWORD_PTR margins = 0;
    SendMessageTimeoutA(control, EM_GETMARGINS, 0, 0, SMTO_NORMAL, 10000, &margins);
    room.cx -= LOWORD(margins) + HIWORD(margins);
  }
  return room;
}

BOOL CALLBACK AddControl(HWND control, LPARAM context) {
  auto& found = *reinterpret_cast<std::vector<HWND>*>(context);
  found.push_back(control);
  return TRUE;
}

int Measure(const std::string& out, const std::string& earlier_file) {
  auto process = automation::Process::Start(automation::ProgramBeside("townwright.exe"));
  if (!process) {
    std::cerr << "townwright.exe did not start\n";
    return 1;
  }
  HWND window = process->WaitForWindow(kWindowCaption);
  if (window == nullptr || !automation::Click(window, control_id::kFirstChoiceButton)) {
    std::cerr << "no window, or it played no turn\n";
    return 1;
  }
  HDC screen = GetDC(nullptr);
  std::ofstream file(out);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  RECT place = {};
  RECT client = {};
  GetWindowRect(window, &place);
  GetClientRect(window, &client);
  const SIZE units = BaseUnits(screen, dpi);
  file << "dpi " << dpi << "\nunits " << units.cx << ' ' << units.cy << "\nwindow " << place.left
       << ' ' << place.top << ' ' << place.right << ' ' << place.bottom << "\nclient "
       << client.right << ' ' << client.bottom << '\n';
  std::vector<HWND> controls;
  EnumChildWindows(window, AddControl, reinterpret_cast<LPARAM>(&controls));
  std::map<int, std::string> texts;
  for (HWND control : controls) {
    const int id = GetDlgCtrlID(control);
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    const std::string text = automation::Text(window, id);
    texts[id] = text;
    const SIZE room = TextRoom(control, dpi);
    const SIZE size = TextSize(screen, dpi, id, text);
    file << "control " << id << ' ' << rect.left << ' ' << rect.top << ' ' << rect.right - rect.left
         << ' ' << rect.bottom - rect.top << ' ' << room.cx << ' ' << room.cy << ' ' << size.cx
         << ' ' << size.cy << ' ' << text << '\n';
  }
  if (!earlier_file.empty()) {
    std::ifstream earlier(earlier_file);
    std::string line;
    while (std::getline(earlier, line)) {
      std::istringstream fields(line);
      std::string kind;
      int id = 0;
      int skip = 0;
      fields >> kind >> id;
      if (kind != "control") continue;
      for (int i = 0; i < 8; ++i) fields >> skip;
      std::string text;
      std::getline(fields, text);
      if (!text.empty()) text.erase(0, 1);
      const SIZE size = TextSize(screen, dpi, id, text);
      file << "earlier " << id << ' ' << size.cx << ' ' << size.cy << '\n';
    }
  }
  ReleaseDC(nullptr, screen);
  file.close();

  automation::Click(window, control_id::kExit);
  const auto status = process->WaitForExit();
  if (!status || *status != 0) {
    std::cerr << "townwright.exe did not end with status 0 on Exit\n";
    return 1;
  }
  std::cout << "measured at " << dpi << " dpi: " << controls.size() << " controls, client area "
            << client.right << " x " << client.bottom << '\n';
  return 0;
}

Measurement Read(const std::string& name) {
  Measurement result;
  std::ifstream file(name);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "dpi") {
      fields >> result.dpi;
    } else if (kind == "units") {
      fields >> result.units.cx >> result.units.cy;
    } else if (kind == "window") {
      fields >> result.window.left >> result.window.top >> result.window.right >>
          result.window.bottom;
    } else if (kind == "client") {
      fields >> result.client.cx >> result.client.cy;
    } else if (kind == "control") {
      Control c;
      fields >> c.id >> c.place.left >> c.place.top >> c.place.right >> c.place.bottom >>
          c.room.cx >> c.room.cy >> c.text.cx >> c.text.cy;
      std::getline(fields, c.caption);
      result.controls[c.id] = c;
    } else if (kind == "earlier") {
      int id = 0;
      SIZE size = {};
      fields >> id >> size.cx >> size.cy;
      result.earlier_texts[id] = size;
    }
  }
  return result;
}

bool Fits(SIZE text, SIZE room) { return text.cx <= room.cx && text.cy <= room.cy; }

int Compare(const std::string& low_file, const std::string& high_file, int width, int height) {
  const Measurement low = Read(low_file);
  const Measurement high = Read(high_file);
  int faults = 0;
  auto fault = [&](const std::string& what) {
    std::cout << "FAULT: " << what << '\n';
    ++faults;
  };
  if (low.dpi == 0 || high.dpi <= low.dpi || low.units.cx == 0 || low.units.cy == 0) {
    fault("the DPIs are " + std::to_string(low.dpi) + " and " + std::to_string(high.dpi));
    return 1;
  }
  const double dpi_ratio = static_cast<double>(high.dpi) / low.dpi;
  const double x_ratio = static_cast<double>(high.units.cx) / low.units.cx;
  const double y_ratio = static_cast<double>(high.units.cy) / low.units.cy;
  for (const double ratio : {x_ratio, y_ratio}) {
    if (std::abs(ratio / dpi_ratio - 1) > 0.1) {
      fault("the dialog units grow by " + std::to_string(ratio) + ", the DPI by " +
            std::to_string(dpi_ratio));
    }
  }
  // Both sides are rounded to whole pixels: half a pixel at the higher DPI, and half a pixel at
  // the lower DPI, scaled.
  auto scales = [](long before, long after, double ratio) {
    return std::abs(before * ratio - after) <= 0.5 + 0.5 * ratio;
  };
  double furthest_from_dpi = 0;  // pixels between a rectangle's edge and the DPIs' ratio
  auto compare_edges = [&](const RECT& a, const RECT& b) {
    for (const auto& [before, after, ratio] :
         {std::tuple{a.left, b.left, x_ratio}, std::tuple{a.right, b.right, x_ratio},
          std::tuple{a.top, b.top, y_ratio}, std::tuple{a.bottom, b.bottom, y_ratio}}) {
      furthest_from_dpi = std::max(furthest_from_dpi, std::abs(before * dpi_ratio - after));
      if (!scales(before, after, ratio)) return false;
    }
    return true;
  };
  if (!compare_edges({0, 0, low.client.cx, low.client.cy},
                     {0, 0, high.client.cx, high.client.cy})) {
    fault("client area " + std::to_string(low.client.cx) + " x " + std::to_string(low.client.cy) +
          " became " + std::to_string(high.client.cx) + " x " + std::to_string(high.client.cy));
  }
  if (low.controls.size() != high.controls.size()) fault("the number of controls differs");
  int clipped_low = 0;
  for (const auto& [id, before] : low.controls) {
    const auto after = high.controls.find(id);
    if (after == high.controls.end()) {
      fault("control " + std::to_string(id) + " is missing");
      continue;
    }
    const RECT& a = before.place;
    const RECT& b = after->second.place;
    if (!compare_edges({a.left, a.top, a.left + a.right, a.top + a.bottom},
                       {b.left, b.top, b.left + b.right, b.top + b.bottom})) {
      char text[160];
      std::snprintf(text, sizeof text, "control %d at %ld,%ld %ldx%ld became %ld,%ld %ldx%ld", id,
                    a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom);
      fault(text);
    }
    const bool fits_low = Fits(before.text, before.room);
    clipped_low += fits_low ? 0 : 1;
    const auto measured = high.earlier_texts.find(id);
    if (measured == high.earlier_texts.end()) {
      fault("no measure of control " + std::to_string(id) + "'s text at the higher DPI");
    } else if (fits_low && !Fits(measured->second, after->second.room)) {
      fault("\"" + before.caption + "\" (control " + std::to_string(id) +
            ") fits at the lower DPI and is cut off at the higher");
    }
  }
  const RECT& w = high.window;
  char place[160];
  std::snprintf(place, sizeof place, "the window, %ld x %ld at %ld,%ld,", w.right - w.left,
                w.bottom - w.top, w.left, w.top);
  if (w.left < 0 || w.top < 0 || w.right > width) {
    fault(std::string(place) + " is not on a " + std::to_string(width) + " x " +
          std::to_string(height) + " screen with its caption and its full width");
  }
  std::cout << low.dpi << " to " << high.dpi << " dpi: dialog units " << low.units.cx << " x "
            << low.units.cy << " to " << high.units.cx << " x " << high.units.cy << " pixels ("
            << x_ratio << " and " << y_ratio << " times), client area " << low.client.cx << " x "
            << low.client.cy << " to " << high.client.cx << " x " << high.client.cy << ", "
            << high.controls.size() << " controls compared, " << clipped_low
            << " texts cut off at the lower DPI already (and no more at the higher)\n";
  std::cout << "NOTE: against the DPIs' ratio of " << dpi_ratio
            << " the rectangles' edges are up to " << furthest_from_dpi << " pixels off\n";
  std::cout << "NOTE: " << place << (w.bottom <= height ? " fits" : " is taller than") << " a "
            << width << " x " << height << " screen\n";
  std::cout << (faults == 0 ? "all checks passed" : std::to_string(faults) + " faults") << '\n';
  return faults == 0 ? 0 : 1;
}

}  // namespace
}  // namespace townwright::win32

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == "measure") {
    return townwright::win32::Measure(args[1], args.size() > 2 ? args[2] : "");
  }
  if (args.size() == 5 && args[0] == "compare") {
    return townwright::win32::Compare(args[1], args[2], std::atoi(args[3].c_str()),
                                      std::atoi(args[4].c_str()));
  }
  std::cerr << "usage: dpi_layout measure OUT [EARLIER] | compare LOW HIGH WIDTH HEIGHT\n";
  return 2;
}
