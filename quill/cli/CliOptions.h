#pragma once
// The command line of quill-cli: pictures, the output path, the control
// settings and the action. Parsing turns the settings into the control moves
// a user would make, in the one order the run applies them whatever the order
// on the command line (see CliHelp.cpp for the user's side of it).
#include <stdexcept>
#include <string>
#include <vector>

namespace quill {

enum TControlStepKind {
  skPosition,   // a slider or scroll bar moved to Value
  skRadioItem,  // item Value of a radio group clicked
  skCheck,      // a check box clicked until it is checked
};

// One move of one control of the importer page, named by its layout name.
struct TControlStep {
  TControlStepKind Kind = skPosition;
  std::string Control;
  int Value = 0;
  friend bool operator==(const TControlStep& a, const TControlStep& b) {
    return a.Kind == b.Kind && a.Control == b.Control && a.Value == b.Value;
  }
};

// The button pressed once the controls are set.
enum TCliAction { caExport, caPreview, caRgb };

struct TCliOptions {
  bool Help = false;
  bool Version = false;
  std::vector<std::string> Pictures;
  std::string Out;
  std::vector<TControlStep> Steps;
  TCliAction Action = caExport;
  int Jobs = 0;  // pictures converted at once; 0: one per processor
};

// The most pictures -j lets run at once.
constexpr int kMaxJobs = 64;

// A command line that cannot be run; the message is the one-line reason.
class ECliUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A value option's name with the control range it accepts, for --help and
// for checking the ranges against the window's own controls.
struct TRangeOption {
  const char* Name;
  std::vector<const char*> Controls;  // one per comma-separated value
  int Min, Max;
};
const std::vector<TRangeOption>& RangeOptions();

// Parses the arguments after the program name. --help anywhere wins over
// everything else, then --version. Throws ECliUsage for unknown options, values that are not
// whole numbers inside the control's range or not one of the listed words,
// a missing value, no picture, no -o, --preview together with --rgb, and a
// -j count outside 1..kMaxJobs.
TCliOptions ParseCliOptions(const std::vector<std::string>& args);

}  // namespace quill
