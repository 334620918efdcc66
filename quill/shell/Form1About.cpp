// The About/help page: three sub-pages switched by their own button row.
#include <memory>
#include <string>
#include <vector>

#include "quill/shell/AboutTexts.h"
#include "quill/shell/Form1.h"
#include "quill/shell/FormLayout.h"

namespace quill {
namespace {

constexpr int kAboutButtonWidth = 208;
constexpr int kAboutButtonHeight = 24;
constexpr int kAboutButtonTop = 2;
constexpr int kAboutButtonGroup = 1;

// Text lines are wrapped labels stacked from the top of their sub-page, each
// as high as the lines its text breaks into in the window font, so that a
// wrapped line never runs into the next and no empty line opens between two;
// a few pixels between two texts set them apart.
constexpr int kTextMargin = 8;
constexpr int kTextTop = 8;
constexpr int kTextLineHeight = kWindowFontCellHeight;
constexpr int kLineGap = 3;
constexpr int kTitleFontSize = 14;
constexpr int kTitleHeight = 26;

}  // namespace

void TForm1::BuildAboutPage() {
  struct TAboutButton {
    TSpeedButton& Button;
    int Left;
    const char* Caption;
  };
  const TAboutButton buttons[] = {
      {SpeedButton7, 2, "ABOUT QUILL"}, {SpeedButton8, 210, "AV IMPORTER HELP"}, {SpeedButton9, 418, "AV EDITOR HELP"}};
  for (const TAboutButton& b : buttons) {
    Place(b.Button, AboutQuill, b.Left, kAboutButtonTop, kAboutButtonWidth, kAboutButtonHeight);
    SetText(b.Button, b.Caption);
    b.Button.SetFlat(true);
    b.Button.SetGroupIndex(kAboutButtonGroup);
    b.Button.SetAllowAllUp(true);
  }
  for (TPanel* page : {&About1, &About2, &About3}) {
    Place(*page, AboutQuill, kHiddenPageLeft, kAboutTop, kAboutWidth, kAboutHeight);
    page->SetColor(kPageColour);
    page->SetBevelOuter(bvLowered);
  }
  // "ABOUT QUILL" is the sub-page shown until another is chosen.
  About1.SetLeft(kShownAboutLeft);
  BuildAboutTexts();
}

TLabel& TForm1::AddTextLine(TPanel& page, const std::string& name, const std::string& text, int top, TColor32 colour) {
  const int width = kAboutWidth - 2 * kTextMargin;
  textLines_.push_back(std::make_unique<TLabel>(name));
  TLabel& label = *textLines_.back();
  const int lines = EstimatedLineCount(text, label.Font(), width);
  Place(label, page, kTextMargin, top, width, lines * EstimatedLineHeight(label.Font()));
  SetText(label, text);
  label.SetFontColor(colour);
  label.SetWordWrap(true);
  return label;
}

void TForm1::BuildAboutTexts() {
  const auto stack = [this](TPanel& page, const std::vector<std::string>& lines, int top) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string name = page.Name() + "Line" + std::to_string(i + 1);
      top += AddTextLine(page, name, lines[i], top, kTextColour).Height() + kLineGap;
    }
    return top;
  };

  // About1: the product name as a title, the notice lines, then the links.
  const std::vector<std::string>& about = AboutQuillLines();
  TLabel& title = AddTextLine(About1, "About1Title", about.front(), kTextTop, kTextColour);
  TFont titleFont = title.Font();
  titleFont.Size = kTitleFontSize;
  titleFont.Bold = true;
  title.SetFont(titleFont);
  title.SetHeight(kTitleHeight);
  int top = stack(About1, std::vector<std::string>(about.begin() + 1, about.end()), kTextTop + kTitleHeight + kLineGap);
  for (TLabel* link : {&Label20, &Label21}) {
    Place(*link, About1, kTextMargin, top, kAboutWidth - 2 * kTextMargin, kTextLineHeight);
    top += kTextLineHeight + kLineGap;
  }
  SetText(Label20, kAboutLinkCaption);
  SetText(Label21, kQuillWebAddress);
  for (TLabel* link : {&Label20, &Label21}) link->SetFontColor(clAqua);

  stack(About2, ImporterHelpLines(), kTextTop);
  stack(About3, EditorHelpLines(), kTextTop);
}

void TForm1::SpeedButton7Click() {
  ShowAboutPage(About1);
  SpeedButton7.SetDown(false);
}

void TForm1::SpeedButton8Click() {
  ShowAboutPage(About2);
  SpeedButton8.SetDown(false);
}

void TForm1::SpeedButton9Click() {
  ShowAboutPage(About3);
  SpeedButton9.SetDown(false);
}

void TForm1::Label20Click() { services_.Shell.OpenUrl(kQuillWebAddress); }

}  // namespace quill
