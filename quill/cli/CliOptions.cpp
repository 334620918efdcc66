#include "quill/cli/CliOptions.h"

#include <map>

namespace quill {
namespace {

// A word option's word and the moves it stands for.
struct TWord {
  const char* Word;
  std::vector<TControlStep> Steps;
};

// One setting of the command line: a range option or a word option.
struct TSetting {
  const char* Name;
  const TRangeOption* Range;
  std::vector<TWord> Words;
};

constexpr int kMaxDigits = 9;  // keeps every accepted number inside int

TControlStep Radio(const char* control, int item) { return {skRadioItem, control, item}; }
TControlStep Check(const char* control) { return {skCheck, control, 1}; }

// Every setting in the order the run applies them.
const std::vector<TSetting>& Settings() {
  static const std::vector<TSetting> settings = [] {
    std::vector<TSetting> list;
    // The selector starts on "Blocky" while the bilinear filter is in force;
    // clicking the selected item does nothing, so blocky resampling takes a
    // click on another item first, as it does for a user of the window.
    list.push_back({"--resize",
                    nullptr,
                    {{"blocky", {Radio("rgStretchFilter", 1), Radio("rgStretchFilter", 0)}},
                     {"normal", {Radio("rgStretchFilter", 1)}},
                     {"reduce", {Radio("rgStretchFilter", 2)}},
                     {"spline", {Radio("rgStretchFilter", 3)}}}});
    for (const TRangeOption& option : RangeOptions()) list.push_back({option.Name, &option, {}});
    list.push_back({"--flip",
                    nullptr,
                    {{"h", {Check("FlipHorizontal")}},
                     {"v", {Check("FlipVertical")}},
                     {"hv", {Check("FlipHorizontal"), Check("FlipVertical")}}}});
    const char* const modes[] = {"nearest", "floyd", "stucki", "sierra", "jajuni", "burkes"};
    TSetting dither{"--dither", nullptr, {}};
    for (int i = 0; i < 6; ++i) dither.Words.push_back({modes[i], {Radio("DitherModeSelector", i)}});
    list.push_back(dither);
    return list;
  }();
  return settings;
}

// Digits only: signs, spaces and fractions are not positions of a control.
bool ParseWholeNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > std::size_t(kMaxDigits)) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::vector<TControlStep> ParseRange(const TRangeOption& option, const std::string& text) {
  const std::size_t count = option.Controls.size();
  const std::string expected = count == 1 ? "a whole number" : std::to_string(count) + " whole numbers";
  const std::string reason = std::string(option.Name) + " wants " + expected + " from " + std::to_string(option.Min) +
                             " to " + std::to_string(option.Max) + (count == 1 ? "" : " separated by commas") +
                             ", not '" + text + "'";
  std::vector<TControlStep> steps;
  std::size_t start = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t comma = text.find(',', start);
    const bool last = i + 1 == count;
    if (last != (comma == std::string::npos)) throw ECliUsage(reason);
    int value = 0;
    if (!ParseWholeNumber(text.substr(start, last ? std::string::npos : comma - start), value) || value < option.Min ||
        value > option.Max)
      throw ECliUsage(reason);
    steps.push_back({skPosition, option.Controls[i], value});
    start = comma + 1;
  }
  return steps;
}

std::vector<TControlStep> ParseWord(const TSetting& setting, const std::string& text) {
  std::string words;
  for (const TWord& word : setting.Words) {
    if (text == word.Word) return word.Steps;
    words += (words.empty() ? "" : ", ") + std::string(word.Word);
  }
  throw ECliUsage(std::string(setting.Name) + " wants one of " + words + ", not '" + text + "'");
}

const TSetting* FindSetting(const std::string& name) {
  for (const TSetting& setting : Settings())
    if (name == setting.Name) return &setting;
  return nullptr;
}

}  // namespace

const std::vector<TRangeOption>& RangeOptions() {
  static const std::vector<TRangeOption> options = {
      {"--scale", {"sbScale"}, 0, 1000},
      {"--scroll", {"ScrollBar1", "ScrollBar2"}, 0, 1000},
      {"--section", {"MyXScrollBar", "MyYScrollBar"}, 0, 100},
      {"--size", {"SectionSizeGaugeBar", "SectionHeightGaugeBar"}, 0, 50},
      {"--brightness", {"BrightnessAdjust"}, 0, 256},
      {"--contrast", {"ContrastGaugeBar"}, 0, 100},
      {"--saturation", {"SaturationGaugeBar"}, 0, 100},
      {"--shift", {"RedAdjust", "GreenAdjust", "BlueAdjust"}, 0, 256},
      {"--background", {"RedBGGaugeBar", "GreenBGGaugeBar", "BlueBGGaugeBar"}, 0, 255},
  };
  return options;
}

TCliOptions ParseCliOptions(const std::vector<std::string>& args) {
  TCliOptions options;
  for (const std::string& arg : args)
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
      return options;
    }
  for (const std::string& arg : args)
    if (arg == "--version") {
      options.Version = true;
      return options;
    }

  // The last value given for a setting counts.
  std::map<std::string, std::vector<TControlStep>> chosen;
  bool preview = false, rgb = false, outGiven = false, optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      options.Pictures.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--preview" || arg == "--rgb") {
      (arg == "--preview" ? preview : rgb) = true;
      continue;
    }
    if (arg.rfind("-j", 0) == 0) {
      // "-j N" or "-jN".
      std::string count = arg.substr(2);
      if (count.empty()) {
        if (i + 1 >= args.size()) throw ECliUsage("-j needs a value");
        count = args[++i];
      }
      if (!ParseWholeNumber(count, options.Jobs) || options.Jobs < 1 || options.Jobs > kMaxJobs)
        throw ECliUsage("-j wants a whole number from 1 to " + std::to_string(kMaxJobs) + ", not '" + count + "'");
      continue;
    }
    // "--name value" or "--name=value".
    std::string name = arg, value;
    const std::size_t equals = arg.find('=');
    const bool inlineValue = arg.rfind("--", 0) == 0 && equals != std::string::npos;
    if (inlineValue) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    }
    const TSetting* setting = FindSetting(name);
    if (!setting && name != "-o") throw ECliUsage("unknown option " + name);
    if (!inlineValue) {
      if (i + 1 >= args.size()) throw ECliUsage(name + " needs a value");
      value = args[++i];
    }
    if (!setting) {
      if (value.empty()) throw ECliUsage("-o needs a path");
      options.Out = value;
      outGiven = true;
    } else {
      chosen[setting->Name] = setting->Range ? ParseRange(*setting->Range, value) : ParseWord(*setting, value);
    }
  }

  if (preview && rgb) throw ECliUsage("--preview and --rgb press different buttons; give one of them");
  if (options.Pictures.empty()) throw ECliUsage("no picture given");
  if (!outGiven) throw ECliUsage("missing -o OUT");
  options.Action = preview ? caPreview : rgb ? caRgb : caExport;
  for (const TSetting& setting : Settings()) {
    const auto found = chosen.find(setting.Name);
    if (found != chosen.end()) options.Steps.insert(options.Steps.end(), found->second.begin(), found->second.end());
  }
  return options;
}

}  // namespace quill
