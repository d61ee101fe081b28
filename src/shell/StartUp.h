#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zarvic {

// What the command line asks of the windows once the unattended work (if any) is done.
enum class WindowStart {
  NewProblem,   // nothing, "-GATTDIAGNOSTIC", "-C", "-TF" after its list, "-EX" with an unreadable file
  OpenProblem,  // a problem file name
  NoProblem,    // "-XX": the main window alone
};

struct WindowPlan {
  WindowStart start = WindowStart::NewProblem;
  std::string problemFile;      // OpenProblem: the file as given on the command line
  bool batchMode = false;       // "-C": "&Batch Mode Edit..." joins the Options menu
  bool gattDiagnostic = false;  // "-GATTDIAGNOSTIC": the GATT diagnostics are shown
};

// Starts the windows on plan and returns the program's exit status when they close.
using WindowStarter = std::function<int(const WindowPlan& plan)>;

// The modes of one program run, set at start-up and kept for the run.
struct ApplicationModes {
  bool batchMode = false;       // "-C"
  bool gattDiagnostic = false;  // "-GATTDIAGNOSTIC"
};
ApplicationModes& Modes();

// Whether a window can be shown at all: an X11 or Wayland display, or a Qt platform named outright
// (QT_QPA_PLATFORM=offscreen). getenv reads one environment variable (nullptr when unset).
bool DisplayAvailable(const std::function<const char*(const char*)>& getenv);
bool DisplayAvailable();

// The folder the problem dialogs start in: the folder of the first recent file when there is one;
// otherwise the subfolder "Zarvic" of the documents folder, created when missing. When the documents
// folder is unknown (empty), the current folder; when it is missing, "" (no message: the dialogs then
// start where they would). A "Zarvic" folder that cannot be made leaves the documents folder.
std::string RememberedProblemFolder(const std::string& recentFile1, const std::string& documentsFolder);

// Saves interrupted by a kill or a crash leave their temporary files (RemoveStaleTemporaryFiles):
// at start those beside the recent files and in the problem folder are removed, each folder once.
void RemoveLeftoverTemporaryFiles(const std::vector<std::string>& recentFiles,
                                  const std::string& problemFolder);

}  // namespace zarvic
