#include "quill/cli/CliRun.h"

#include <filesystem>
#include <ostream>

#include "quill/cli/CliHelp.h"
#include "quill/cli/CliOptions.h"
#include "quill/cli/CliOutput.h"
#include "quill/cli/CliSession.h"
#include "quill/cli/ScratchFolder.h"
#include "quill/imaging/FileBytes.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "quill-cli: ";

// True when the window showed nothing; otherwise every message is reported
// against the picture.
bool NothingShown(TCliSession& session, const std::string& picture, std::ostream& err) {
  const std::vector<std::string> messages = session.TakeMessages();
  for (const std::string& message : messages) err << kPrefix << picture << ": " << message << "\n";
  return messages.empty();
}

// picture is the path as the user gave it, for the messages; absolutePicture
// and outPath are absolute, as the current directory is the scratch folder.
bool ConvertPicture(const TCliOptions& options, const std::string& picture, const std::string& absolutePicture,
                    const std::string& outPath, const TScratchFolder& scratch, std::ostream& err) {
  try {
    TCliSession session((scratch.Path() / "").string());
    // The window goes on after a start-up failure (its bookmark store), so
    // does the conversion, but the user hears of it.
    for (const std::string& message : session.TakeMessages()) err << kPrefix << "start-up: " << message << "\n";
    session.Load(absolutePicture);
    if (!NothingShown(session, picture, err)) return false;
    for (const TControlStep& step : options.Steps) session.Apply(step);
    session.Press(options.Action);
    if (!NothingShown(session, picture, err)) return false;
    WriteFileBytes(outPath, session.Result(options.Action));
    return true;
  } catch (const std::exception& e) {
    err << kPrefix << picture << ": " << e.what() << "\n";
    return false;
  }
}

}  // namespace

int RunQuillCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TCliOptions options;
  std::vector<std::string> outPaths;
  try {
    options = ParseCliOptions(args);
    if (options.Help) {
      out << CliHelpText();
      return kCliSuccess;
    }
    if (options.Version) {
      out << "quill-cli " << QUILL_VERSION << "\n";
      return kCliSuccess;
    }
    outPaths = OutputPaths(options.Pictures, options.Out);
  } catch (const ECliUsage& e) {
    err << kPrefix << e.what() << " (quill-cli --help lists the options)\n";
    return kCliUsageError;
  }

  try {
    if (OutputIsFolder(options.Pictures, options.Out)) fs::create_directories(options.Out);
    for (std::string& path : outPaths) path = fs::absolute(path).string();
    std::vector<std::string> absolutePictures;
    for (const std::string& picture : options.Pictures) absolutePictures.push_back(fs::absolute(picture).string());

    const TScratchFolder scratch;
    int status = kCliSuccess;
    for (std::size_t i = 0; i < absolutePictures.size(); ++i)
      if (!ConvertPicture(options, options.Pictures[i], absolutePictures[i], outPaths[i], scratch, err))
        status = kCliPictureFailed;
    return status;
  } catch (const fs::filesystem_error& e) {
    err << kPrefix << e.what() << "\n";
    return kCliPictureFailed;
  }
}

}  // namespace quill
