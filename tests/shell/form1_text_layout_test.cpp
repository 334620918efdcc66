// The main window's texts at the size they come out on screen (estimated on
// the wide side) stand clear of one another and of every other control.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "headless_form.h"
#include "quill/shell/Form1.h"
#include "quill/shell/TextWidth.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// A check box or radio button's mark and the gap before its text.
constexpr int kMarkWidth = 13 + 4;
// What a radio group's frame takes from its width on both sides together.
constexpr int kRadioGroupFrame = 16;

bool IsOneLineText(const TControl& c) {
  if (c.Kind() == ckStaticText) return true;
  return c.Kind() == ckLabel && !static_cast<const TLabel&>(c).WordWrap();
}

// Where a control shows inside its parent: its bounds, and for a one-line
// text too wide for them, the window the backend widens to fit the text
// (away from its alignment side).
TRect Footprint(const TControl& c) {
  TRect r = c.BoundsRect();
  if (!IsOneLineText(c)) return r;
  const auto& text = static_cast<const TStaticText&>(c);
  const int border = text.BorderStyle() == sbsNone ? 0 : 2;
  const int growth = EstimatedTextWidth(text.Caption(), text.Font()) + border - text.Width();
  if (growth <= 0) return r;
  switch (text.Alignment()) {
    case taLeftJustify:
      r.Right += growth;
      break;
    case taRightJustify:
      r.Left -= growth;
      break;
    case taCenter:
      r.Left -= growth / 2;
      r.Right += growth - growth / 2;
      break;
  }
  return r;
}

bool Intersect(const TRect& a, const TRect& b, TRect& common) {
  common = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  return common.Width() > 0 && common.Height() > 0;
}

// Controls that take part in the layout: shown, and not a page moved out.
bool LaidOut(const TControl& c) { return c.Visible() && c.Left() != kHiddenPageLeft; }

class Form1TextLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared_ = new THeadlessForm("quill-form1-text-layout");
    form_ = &shared_->Form();
  }
  static void TearDownTestSuite() {
    form_ = nullptr;
    delete shared_;
  }

  // Visits every control with children, the form included.
  template <class Visit>
  static void ForEachParent(Visit&& visit) {
    visit(static_cast<TControl&>(*form_));
    form_->ForEachControl([&](TControl& c) {
      if (!c.Children().empty()) visit(c);
    });
  }

  static THeadlessForm* shared_;
  static TForm1* form_;
};

THeadlessForm* Form1TextLayout::shared_ = nullptr;
TForm1* Form1TextLayout::form_ = nullptr;

// Overlaps the layout has on purpose, and how far each may reach.
struct TAllowedOverlap {
  const char* first;
  const char* second;
  int maxWidth, maxHeight;
};

const TAllowedOverlap kAllowedOverlaps[] = {
    // Fixed bounds that meet by a pixel column.
    {"AVToEditorButton", "ExportAVButton", 1, 22},
    // The background sliders are 14 high at row 140; the first caption line
    // starts at row 153 and lies below them.
    {"RedBGGaugeBar", "ModifyCaptionLabel", 60, 1},
    {"GreenBGGaugeBar", "ModifyCaptionLabel", 60, 1},
    {"BlueBGGaugeBar", "ModifyCaptionLabel", 60, 1},
    // The sunken wells around the editor's indicators.
    {"ActiveColorFrame", "ActiveColorImage32", kIndicatorWidth, kIndicatorHeight},
    {"BrushSizeFrame", "ShowBrushSizeImage32", kIndicatorWidth, kIndicatorHeight},
};

const TAllowedOverlap* FindAllowed(const std::string& a, const std::string& b) {
  for (const TAllowedOverlap& o : kAllowedOverlaps) {
    if ((a == o.first && b == o.second) || (a == o.second && b == o.first)) return &o;
  }
  return nullptr;
}

TEST_F(Form1TextLayout, NoTwoControlsOverlap) {
  int pairs = 0;
  ForEachParent([&](TControl& parent) {
    const std::vector<TControl*>& children = parent.Children();
    for (std::size_t i = 0; i < children.size(); ++i) {
      for (std::size_t j = i + 1; j < children.size(); ++j) {
        const TControl& a = *children[i];
        const TControl& b = *children[j];
        if (!LaidOut(a) || !LaidOut(b)) continue;
        ++pairs;
        TRect common;
        if (!Intersect(Footprint(a), Footprint(b), common)) continue;
        const TAllowedOverlap* allowed = FindAllowed(a.Name(), b.Name());
        EXPECT_TRUE(allowed) << a.Name() << " overlaps " << b.Name() << " in " << parent.Name() << " by "
                             << common.Width() << " x " << common.Height();
        if (allowed) {
          EXPECT_LE(common.Width(), allowed->maxWidth) << a.Name() << " / " << b.Name();
          EXPECT_LE(common.Height(), allowed->maxHeight) << a.Name() << " / " << b.Name();
        }
      }
    }
  });
  EXPECT_GT(pairs, 1000);
}

TEST_F(Form1TextLayout, EveryAllowedOverlapStillExists) {
  // An entry that no longer overlaps would hide a future fault: keep the
  // list exact.
  for (const TAllowedOverlap& o : kAllowedOverlaps) {
    TControl* a = form_->FindControl(o.first);
    TControl* b = form_->FindControl(o.second);
    ASSERT_TRUE(a && b) << o.first << " / " << o.second;
    TRect common;
    EXPECT_TRUE(Intersect(Footprint(*a), Footprint(*b), common)) << o.first << " / " << o.second;
  }
}

TEST_F(Form1TextLayout, TextsStayInsideTheirParents) {
  form_->ForEachControl([&](TControl& c) {
    if (!IsOneLineText(c) || !LaidOut(c) || !c.Parent() || c.Parent() == form_) return;
    const TRect r = Footprint(c);
    EXPECT_GE(r.Left, 0) << c.Name();
    EXPECT_LE(r.Right, c.Parent()->Width()) << c.Name() << " in " << c.Parent()->Name();
  });
}

TEST_F(Form1TextLayout, WrappedTextsFitTheirHeight) {
  int wrapped = 0;
  form_->ForEachControl([&](TControl& c) {
    if (c.Kind() != ckLabel || !static_cast<const TLabel&>(c).WordWrap()) return;
    ++wrapped;
    const int lines = EstimatedLineCount(c.Caption(), c.Font(), c.Width());
    EXPECT_LE(lines * EstimatedLineHeight(c.Font()), c.Height()) << c.Name();
  });
  EXPECT_GT(wrapped, 30);
}

TEST_F(Form1TextLayout, ButtonCaptionsFitTheirButtons) {
  form_->ForEachControl([&](TControl& c) {
    if (c.Kind() != ckSpeedButton || c.Caption().empty()) return;
    EXPECT_LE(EstimatedTextWidth(c.Caption(), c.Font()), c.Width()) << c.Name() << " \"" << c.Caption() << "\"";
  });
}

TEST_F(Form1TextLayout, CheckBoxCaptionsFitBesideTheirMarks) {
  for (const TCheckBox* box : {&form_->FlipHorizontal, &form_->FlipVertical}) {
    EXPECT_LE(kMarkWidth + EstimatedTextWidth(box->Caption(), box->Font()), box->Width()) << box->Name();
  }
}

TEST_F(Form1TextLayout, RadioItemsFitTheirColumns) {
  for (const TRadioGroup* group : {&form_->DitherModeSelector, &form_->rgStretchFilter}) {
    const int column = (group->Width() - kRadioGroupFrame) / group->Columns();
    for (const std::string& item : group->Items()) {
      EXPECT_LE(kMarkWidth + EstimatedTextWidth(item, group->Font()), column) << group->Name() << " " << item;
    }
    EXPECT_LE(EstimatedTextWidth(group->Caption(), group->Font()), group->Width() - kRadioGroupFrame);
  }
}

TEST_F(Form1TextLayout, ReadOutsHaveRoomForTheirWidestValues) {
  // Delta texts and read-outs keep to their boxes whatever they show.
  struct TReadOut {
    const TStaticText& text;
    const char* widest;
  };
  const TForm1& f = *form_;
  const TReadOut readOuts[] = {
      {f.DeltaBrightnessStaticText, "-128"}, {f.DeltaContrastStaticText, "0.50"}, {f.DeltaSaturationStaticText, "1.50"},
      {f.DeltaRedStaticText, "-128"},        {f.DeltaGreenStaticText, "-128"},    {f.DeltaBlueStaticText, "-128"},
      {f.SectionSizeStaticText, "132"},      {f.SectionHeightStaticText, "132"},  {f.SizeStaticText, "2.00"},
  };
  for (const TReadOut& r : readOuts) {
    const int border = r.text.BorderStyle() == sbsNone ? 0 : 2;
    EXPECT_LE(EstimatedTextWidth(r.widest, r.text.Font()) + border, r.text.Width()) << r.text.Name();
  }
}

TEST_F(Form1TextLayout, OnlyTheCrampedCaptionsUseTheCompactFont) {
  std::set<std::string> compact;
  form_->ForEachControl([&](TControl& c) {
    if (c.Font().Name == kCompactFontName) compact.insert(c.Name());
  });
  EXPECT_EQ(compact, (std::set<std::string>{"BackgroundStaticText", "ModifyCaptionLabel", "ExperimentCaptionLabel"}));
  // "Background" shares the baseline of the letters beside it.
  EXPECT_EQ(form_->BackgroundStaticText.Layout(), tlBottom);
  EXPECT_EQ(form_->BackgroundStaticText.Top(), form_->StaticText10.Top());
  EXPECT_EQ(form_->BackgroundStaticText.Height(), EstimatedLineHeight(form_->StaticText10.Font()));
  // In the window font they would not fit before their fixed neighbours.
  EXPECT_GT(3 + EstimatedTextWidth("Background", TFont{}), form_->StaticText10.Left());
  EXPECT_GT(8 + EstimatedTextWidth(form_->ModifyCaptionLabel.Caption(), TFont{}), form_->ResetAdjustmentsButton.Left());
}

}  // namespace
}  // namespace quill
