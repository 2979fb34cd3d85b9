#pragma once

// The Qt test classes, run one after another by one test program.

namespace townwright::qt {

int RunDialogUnitsTests(int argc, char** argv);
int RunQtPlatformTests(int argc, char** argv);

}  // namespace townwright::qt
