#include "quill/cli/CliSession.h"

#include <cstdio>
#include <ostream>

#include "quill/base/Errors.h"
#include "quill/cli/CliOutput.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/FileBytes.h"
#include "quill/platform/Clipboard.h"
#include "quill/ui/CheckBox.h"
#include "quill/ui/RadioGroup.h"
#include "quill/ui/RangeControl.h"
#include "quill/ui/SpeedButton.h"

namespace quill {
namespace {

const char* ButtonOf(TCliAction action) {
  switch (action) {
    case caPreview:
      return "TestDitherButton";
    case caRgb:
      return "CopyRGBToClipboard";
    default:
      return "ExportAVButton";
  }
}

template <typename TKind>
TKind& Control(TForm1& form, const std::string& name, std::initializer_list<TControlKind> kinds) {
  TControl* control = form.FindControl(name);
  if (control)
    for (TControlKind kind : kinds)
      if (control->Kind() == kind) return *static_cast<TKind*>(control);
  throw EInternalError("the window has no control " + name + " of the kind this setting moves");
}

// True when the window showed nothing; otherwise every message is reported
// against the picture.
bool NothingShown(TCliSession& session, const std::string& picture, std::ostream& err) {
  const std::vector<std::string> messages = session.TakeMessages();
  for (const std::string& message : messages) err << kCliPrefix << picture << ": " << message << "\n";
  return messages.empty();
}

}  // namespace

bool ConvertPicture(const TCliOptions& options, const std::string& picture, const std::string& absolutePicture,
                    const std::string& outPath, const std::string& scratchFolder, std::ostream& err) {
  try {
    TCliSession session(scratchFolder);
    // The window goes on after a start-up failure (its bookmark store), so
    // does the conversion, but the user hears of it.
    for (const std::string& message : session.TakeMessages()) err << kCliPrefix << "start-up: " << message << "\n";
    session.Load(absolutePicture);
    if (!NothingShown(session, picture, err)) return false;
    for (const TControlStep& step : options.Steps) session.Apply(step);
    session.Press(options.Action);
    if (!NothingShown(session, picture, err)) return false;
    WriteFileBytes(outPath, session.Result(options.Action));
    return true;
  } catch (const std::exception& e) {
    err << kCliPrefix << picture << ": " << e.what() << "\n";
    return false;
  }
}

TCliSession::TCliSession(const std::string& folder) : form_(std::make_unique<TForm1>(services_, folder)) {
  // The transient file stays in the scratch folder, wherever the picture is.
  fileDialog_.KeepCurrentDirectory();
}

TCliSession::~TCliSession() = default;

void TCliSession::Load(const std::string& path) {
  fileDialog_.AnswerWith(path);
  Control<TSpeedButton>(*form_, "SpeedButton20", {ckSpeedButton}).Click();
}

void TCliSession::Apply(const TControlStep& step) {
  switch (step.Kind) {
    case skPosition:
      Control<TRangeControl>(*form_, step.Control, {ckGaugeBar, ckScrollBar}).SetPosition(step.Value);
      break;
    case skRadioItem:
      Control<TRadioGroup>(*form_, step.Control, {ckRadioGroup}).ClickItem(step.Value);
      break;
    case skCheck: {
      TCheckBox& box = Control<TCheckBox>(*form_, step.Control, {ckCheckBox});
      if (!box.Checked()) box.Click();
      break;
    }
  }
}

void TCliSession::Press(TCliAction action) {
  // Every action refreshes the section itself first; the tick only keeps the
  // order of events a user produces.
  form_->Timer1.Tick();
  Control<TSpeedButton>(*form_, ButtonOf(action), {ckSpeedButton}).Click();
}

std::vector<std::uint8_t> TCliSession::Result(TCliAction action) {
  switch (action) {
    case caPreview: {
      // The preview leaves its reduced image in the transient file; it goes
      // through the DIB graphic exactly as an export's does on its way to the
      // clipboard.
      TDIB dib;
      dib.LoadFile(kTransientFileName);
      std::remove(kTransientFileName);
      return BmpFileOfPackedDIB(dib.ExportClipboardDIB().Data);
    }
    case caRgb: {
      const auto bitmap = clipboard_.GetData(kCF_BITMAP);
      if (!bitmap) throw Exception("\" Rgb->Clip\" left no bitmap on the clipboard");
      return Rgb24BmpOfPackedDIB(*bitmap);
    }
    default: {
      const auto dib = clipboard_.GetData(kCF_DIB);
      if (!dib) throw Exception("the export left no image on the clipboard");
      return BmpFileOfPackedDIB(*dib);
    }
  }
}

std::vector<std::string> TCliSession::TakeMessages() {
  std::vector<std::string> texts;
  for (const auto& shown : messages_.Shown()) texts.push_back(shown.Text);
  messages_.Clear();
  return texts;
}

}  // namespace quill
