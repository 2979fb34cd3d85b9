#pragma once

// What a turn may do to the window. The shell implements it over the platform; while no window
// exists, refreshes do nothing but pauses still pass.

#include <string_view>

namespace townwright {

class Display {
 public:
  virtual ~Display() = default;

  // Makes control `control_id` show `text`, creating it in its place first if it does not exist.
  virtual void RefreshControl(int control_id, std::string_view text) = 0;

  // Gives the year box its year font again.
  virtual void ApplyYearFont() = 0;

  virtual void Pause(int milliseconds) = 0;
};

}  // namespace townwright
