// Times the importer's interactive steps on a main window driven as a user
// drives it (the headless services of quill-cli): the rescale that a move of
// the scale slider runs, for each resize mode at three scale positions, and
// the section refresh that the timer runs ten times a second. Prints one line
// per case: name and best processor time in ms.
//
//   importer_bench PICTURE... [--runs N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "quill/cli/CliSession.h"
#include "quill/cli/ScratchFolder.h"

namespace {

// Processor time, not wall time: the machines this runs on are shared.
double BestMilliseconds(int runs, const std::function<void()>& prepare, const std::function<void()>& body) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const std::clock_t start = std::clock();
    body();
    const std::clock_t end = std::clock();
    best = std::min(best, 1000.0 * double(end - start) / CLOCKS_PER_SEC);
  }
  return best;
}

void Report(const std::string& name, double ms) {
  std::printf("%-44s %9.3f ms\n", name.c_str(), ms);
  std::fflush(stdout);
}

void TimePicture(const std::string& path, int runs) {
  quill::TCliSession session("");
  quill::TForm1& form = session.Form();
  session.Load(path);
  for (const std::string& message : session.TakeMessages())
    std::fprintf(stderr, "%s: %s\n", path.c_str(), message.c_str());
  const std::string size =
      std::to_string(form.Image1.Bitmap().Width()) + "x" + std::to_string(form.Image1.Bitmap().Height());
  static const char* const modes[] = {"blocky", "normal", "reduce", "spline"};
  // "Normal" first: it is the filter in force at start-up.
  for (const int mode : {1, 0, 2, 3}) {
    if (mode == 0) form.rgStretchFilter.ClickItem(1);
    form.rgStretchFilter.ClickItem(mode);
    for (const int position : {125, 500, 875}) {
      // A move by one step onto the position: the rescale of that position.
      const double ms = BestMilliseconds(
          runs, [&] { form.sbScale.SetPosition(position - 1); }, [&] { form.sbScale.SetPosition(position); });
      Report("rescale " + size + " " + modes[mode] + " " + std::to_string(position), ms);
    }
  }
  form.rgStretchFilter.ClickItem(1);
  form.sbScale.SetPosition(500);
  const double plain = BestMilliseconds(
      runs * 4, [] {}, [&] { form.CopyImageOver(form.FSectionX, form.FSectionY); });
  Report("CopyImageOver " + size + " start-up controls", plain);
  // Every adjustment away from its neutral value and both flips.
  form.ContrastGaugeBar.SetPosition(80);
  form.SaturationGaugeBar.SetPosition(30);
  form.BrightnessAdjust.SetPosition(150);
  form.RedAdjust.SetPosition(100);
  form.FlipHorizontal.SetChecked(true);
  form.FlipVertical.SetChecked(true);
  const double adjusted = BestMilliseconds(
      runs * 4, [] {}, [&] { form.CopyImageOver(form.FSectionX, form.FSectionY); });
  Report("CopyImageOver " + size + " adjusted, flipped", adjusted);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::vector<std::string> pictures;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else pictures.push_back(std::filesystem::absolute(argv[i]).string());
  }
  if (pictures.empty()) {
    std::fprintf(stderr, "usage: importer_bench PICTURE... [--runs N]\n");
    return 2;
  }
  // The window writes its bookmark store into its current directory.
  const quill::TScratchFolder scratch;
  for (const std::string& picture : pictures) TimePicture(picture, runs);
  return 0;
}
