#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "headless_form.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// One window shared by the layout checks, which only read it.
class Form1Layout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared_ = new THeadlessForm("quill-form1-layout");
    form_ = &shared_->Form();
  }
  static void TearDownTestSuite() {
    form_ = nullptr;
    delete shared_;
  }
  static TControl& Find(const std::string& name) {
    TControl* c = form_->FindControl(name);
    if (!c) ADD_FAILURE() << "no control " << name;
    return c ? *c : static_cast<TControl&>(*form_);
  }

  static THeadlessForm* shared_;
  static TForm1* form_;
};

THeadlessForm* Form1Layout::shared_ = nullptr;
TForm1* Form1Layout::form_ = nullptr;

struct TPlace {
  const char* name;
  const char* parent;
  TControlKind kind;
  int left, top, width, height;
  const char* caption;  // nullptr: not checked
};

// Bounds relative to the parent, as the window's layout documents them.
const TPlace kPlaces[] = {
    {"SpeedButton2", "Form1", ckSpeedButton, 0, 0, 157, 26, "AV IMPORTER"},
    {"SpeedButton4", "Form1", ckSpeedButton, 157, 0, 157, 26, "AV EDITOR"},
    {"SpeedButton5", "Form1", ckSpeedButton, 314, 0, 157, 26, "ABOUT/HELP"},
    {"SpeedButton6", "Form1", ckSpeedButton, 471, 0, 157, 26, "EXIT"},
    {"AVImporter", "Form1", ckPanel, 0, 26, 628, 410, nullptr},
    {"AVEditor", "Form1", ckPanel, -640, 26, 628, 410, nullptr},
    {"AboutQuill", "Form1", ckPanel, -640, 26, 628, 410, nullptr},
    // Importer page.
    {"Panel1", "AVImporter", ckPanel, 2, 2, 313, 313, nullptr},
    {"Dst", "Panel1", ckImage32, 2, 2, 310, 310, nullptr},
    {"ScrollBar2", "AVImporter", ckScrollBar, 316, 3, 16, 311, nullptr},
    {"ScrollBar1", "AVImporter", ckScrollBar, 2, 316, 329, 16, nullptr},
    {"ResetButton", "AVImporter", ckSpeedButton, 333, 2, 36, 22, "Reset"},
    {"SpeedButton20", "AVImporter", ckSpeedButton, 370, 2, 34, 22, "Load"},
    {"PasteClipboardToMain", "AVImporter", ckSpeedButton, 405, 2, 53, 22, "Clip->Main"},
    {"CopyRGBToClipboard", "AVImporter", ckSpeedButton, 458, 2, 50, 22, " Rgb->Clip"},
    {"TestDitherButton", "AVImporter", ckSpeedButton, 508, 2, 44, 22, "Preview"},
    {"AVToEditorButton", "AVImporter", ckSpeedButton, 552, 2, 34, 22, "Editor"},
    {"ExportAVButton", "AVImporter", ckSpeedButton, 585, 2, 38, 22, "Export"},
    {"PreviewStaticText", "AVImporter", ckStaticText, 336, 27, 132, 16, "RGB (Non Paletted) Section"},
    {"OutputStaticText", "AVImporter", ckStaticText, 490, 27, 130, 16, "Output (Dithered into palette)"},
    {"RGBPanel", "AVImporter", ckPanel, 334, 45, 292, 178, nullptr},
    {"RGBAdjustmentsPanel", "AVImporter", ckPanel, 334, 223, 292, 185, nullptr},
    {"AdjustmentsPanel", "AVImporter", ckPanel, 2, 334, 332, 74, nullptr},
    {"NavigateImage32", "RGBPanel", ckImage32, 3, 3, 134, 134, nullptr},
    {"Image2", "RGBPanel", ckImage, 157, 4, 132, 132, nullptr},
    {"MyXScrollBar", "RGBPanel", ckScrollBar, 3, 140, 132, 16, nullptr},
    {"MyYScrollBar", "RGBPanel", ckScrollBar, 139, 4, 16, 132, nullptr},
    {"StaticText6", "RGBPanel", ckStaticText, 158, 139, -1, -1, "Width"},
    {"StaticText1", "RGBPanel", ckStaticText, 158, 157, -1, -1, "Height"},
    {"SectionSizeStaticText", "RGBPanel", ckStaticText, -1, 139, -1, -1, "0"},
    {"SectionHeightStaticText", "RGBPanel", ckStaticText, -1, 157, -1, -1, "0"},
    {"FlipHorizontal", "RGBPanel", ckCheckBox, -1, -1, -1, -1, "H"},
    {"FlipVertical", "RGBPanel", ckCheckBox, -1, -1, -1, -1, "V"},
    {"ShowPropsLabel", "RGBPanel", ckLabel, -1, -1, -1, -1, "G"},
    {"DitherModeSelector", "RGBAdjustmentsPanel", ckRadioGroup, 5, 2, 282, 50, "Export Dither Mode"},
    {"StaticText2", "RGBAdjustmentsPanel", ckStaticText, 3, 54, -1, -1, " Brightness:"},
    {"DeltaBrightnessStaticText", "RGBAdjustmentsPanel", ckStaticText, 67, 54, -1, -1, "0"},
    {"BrightnessAdjust", "RGBAdjustmentsPanel", ckGaugeBar, 93, 54, 196, 17, nullptr},
    {"StaticText5", "RGBAdjustmentsPanel", ckStaticText, 3, 72, -1, -1, "Contrast:"},
    {"DeltaContrastStaticText", "RGBAdjustmentsPanel", ckStaticText, 67, 72, -1, -1, "0"},
    {"ContrastGaugeBar", "RGBAdjustmentsPanel", ckGaugeBar, 93, 72, 196, 17, nullptr},
    {"StaticText16", "RGBAdjustmentsPanel", ckStaticText, 3, 90, -1, -1, "Saturation:"},
    {"DeltaSaturationStaticText", "RGBAdjustmentsPanel", ckStaticText, 67, 90, -1, -1, "0"},
    {"SaturationGaugeBar", "RGBAdjustmentsPanel", ckGaugeBar, 93, 90, 196, 17, nullptr},
    {"StaticText3", "RGBAdjustmentsPanel", ckStaticText, 3, 109, -1, -1, "Cyan - Red"},
    {"StaticText7", "RGBAdjustmentsPanel", ckStaticText, -1, 109, -1, -1, "Magenta-Green"},
    {"StaticText9", "RGBAdjustmentsPanel", ckStaticText, -1, 109, -1, -1, "Yellow - Blue"},
    {"DeltaRedStaticText", "RGBAdjustmentsPanel", ckStaticText, -1, 109, -1, -1, "0"},
    {"DeltaGreenStaticText", "RGBAdjustmentsPanel", ckStaticText, -1, 109, -1, -1, "0"},
    {"DeltaBlueStaticText", "RGBAdjustmentsPanel", ckStaticText, -1, 109, -1, -1, "0"},
    {"RedAdjust", "RGBAdjustmentsPanel", ckGaugeBar, 3, 124, 94, 14, nullptr},
    {"GreenAdjust", "RGBAdjustmentsPanel", ckGaugeBar, 99, 124, 94, 14, nullptr},
    {"BlueAdjust", "RGBAdjustmentsPanel", ckGaugeBar, 195, 124, 94, 14, nullptr},
    {"BackgroundStaticText", "RGBAdjustmentsPanel", ckStaticText, 3, 140, -1, -1, "Background"},
    {"StaticText10", "RGBAdjustmentsPanel", ckStaticText, 58, 140, -1, -1, "R"},
    {"RedBGGaugeBar", "RGBAdjustmentsPanel", ckGaugeBar, 73, 140, 60, 14, nullptr},
    {"StaticText11", "RGBAdjustmentsPanel", ckStaticText, 136, 140, -1, -1, "G"},
    {"GreenBGGaugeBar", "RGBAdjustmentsPanel", ckGaugeBar, 151, 140, 60, 14, nullptr},
    {"StaticText12", "RGBAdjustmentsPanel", ckStaticText, 214, 140, -1, -1, "B"},
    {"BlueBGGaugeBar", "RGBAdjustmentsPanel", ckGaugeBar, 229, 140, 60, 14, nullptr},
    {"ModifyCaptionLabel", "RGBAdjustmentsPanel", ckLabel, 8, 153, -1, -1,
     "Modify the middle RGB section with these controls."},
    {"ExperimentCaptionLabel", "RGBAdjustmentsPanel", ckLabel, 8, 166, -1, -1,
     "Adjust and experiment, click preview, and then export."},
    {"ResetAdjustmentsButton", "RGBAdjustmentsPanel", ckSpeedButton, 240, 156, 48, 26, "RESET"},
    {"StaticText4", "AdjustmentsPanel", ckStaticText, 4, 3, 30, 17, "Size"},
    {"SizeStaticText", "AdjustmentsPanel", ckStaticText, 35, 3, 25, 17, "0"},
    {"sbScale", "AdjustmentsPanel", ckGaugeBar, 62, 3, 200, 16, nullptr},
    {"rgStretchFilter", "AdjustmentsPanel", ckRadioGroup, 4, 20, 258, 34, "Resize Mode"},
    {"SpeedButton10", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "1/4"},
    {"SpeedButton11", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "1/3"},
    {"SpeedButton12", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "1/2"},
    {"SpeedButton13", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "2/3"},
    {"SpeedButton14", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "3/4"},
    {"SpeedButton15", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "1.25"},
    {"SpeedButton16", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "1.5"},
    {"SpeedButton17", "AdjustmentsPanel", ckSpeedButton, -1, -1, 33, 14, "1.75"},
    {"SpeedButton18", "AdjustmentsPanel", ckSpeedButton, -1, -1, 66, 14, "1.00"},
    // Editor page.
    {"ColorSelectedPanel", "AVEditor", ckPanel, 2, 4, 53, 83, nullptr},
    {"ColorLabel", "ColorSelectedPanel", ckLabel, 4, 4, -1, -1, "COLOR"},
    {"ActiveColorImage32", "ColorSelectedPanel", ckImage32, 6, 26, 41, 13, nullptr},
    {"SizeLabel", "ColorSelectedPanel", ckLabel, 4, 44, -1, -1, "SIZE"},
    {"ShowBrushSizeImage32", "ColorSelectedPanel", ckImage32, 6, 66, 41, 13, nullptr},
    {"PaletteSelectPanel", "AVEditor", ckPanel, 2, 89, 53, 318, nullptr},
    {"PaletteSelectGrid", "PaletteSelectPanel", ckImage32, 2, 2, 49, 314, nullptr},
    {"AVExpandedPanel", "AVEditor", ckPanel, 56, 4, 402, 402, nullptr},
    {"AVExpandedImage32", "AVExpandedPanel", ckImage32, 2, 2, 398, 398, nullptr},
    {"SpeedButton1", "AVEditor", ckSpeedButton, 459, 3, 28, 54, nullptr},
    {"ResetEditAVButton", "AVEditor", ckSpeedButton, 459, 57, 28, 54, nullptr},
    {"SpeedButton3", "AVEditor", ckSpeedButton, 459, 111, 28, 54, nullptr},
    {"ExportEditAVButton", "AVEditor", ckSpeedButton, 488, 2, 137, 24, "EXPORT"},
    {"AVRealSizePanel", "AVEditor", ckPanel, 488, 27, 138, 138, nullptr},
    {"EditorNormalSizeImage32", "AVRealSizePanel", ckImage32, 2, 2, 134, 134, nullptr},
    {"AVEditToolsPanel", "AVEditor", ckPanel, 460, 168, 166, 70, nullptr},
    {"DrawModeButton", "AVEditToolsPanel", ckSpeedButton, 3, 3, 32, 32, ""},
    {"DotDrawButton", "AVEditToolsPanel", ckSpeedButton, 35, 3, 32, 32, ""},
    {"FillModeButton", "AVEditToolsPanel", ckSpeedButton, 67, 3, 32, 32, ""},
    {"RectangleModeButton", "AVEditToolsPanel", ckSpeedButton, 99, 3, 32, 32, ""},
    {"CopyModeButton", "AVEditToolsPanel", ckSpeedButton, 131, 3, 32, 32, ""},
    {"BWEffectModeButton", "AVEditToolsPanel", ckSpeedButton, 3, 35, 32, 32, ""},
    {"BWDrawModeButton", "AVEditToolsPanel", ckSpeedButton, 35, 35, 32, 32, ""},
    {"MagnetModeButton", "AVEditToolsPanel", ckSpeedButton, 67, 35, 32, 32, ""},
    {"MagGlassButton", "AVEditToolsPanel", ckSpeedButton, 99, 35, 32, 32, ""},
    {"PasteModeButton", "AVEditToolsPanel", ckSpeedButton, 131, 35, 32, 32, ""},
    {"MagGlassPanel", "AVEditor", ckPanel, 460, 240, 166, 166, nullptr},
    {"MagGlassImage32", "MagGlassPanel", ckImage32, 2, 2, 162, 162, nullptr},
    // About page.
    {"SpeedButton7", "AboutQuill", ckSpeedButton, 2, 2, 208, 24, "ABOUT QUILL"},
    {"SpeedButton8", "AboutQuill", ckSpeedButton, 210, 2, 208, 24, "AV IMPORTER HELP"},
    {"SpeedButton9", "AboutQuill", ckSpeedButton, 418, 2, 208, 24, "AV EDITOR HELP"},
    {"About1", "AboutQuill", ckPanel, 2, 26, 624, 382, nullptr},
    {"About2", "AboutQuill", ckPanel, -640, 26, 624, 382, nullptr},
    {"About3", "AboutQuill", ckPanel, -640, 26, 624, 382, nullptr},
    {"Label20", "About1", ckLabel, -1, -1, -1, -1, nullptr},
    {"Label21", "About1", ckLabel, -1, -1, -1, -1, nullptr},
};

class Form1Places : public Form1Layout, public ::testing::WithParamInterface<TPlace> {};

TEST_P(Form1Places, ControlHasItsDocumentedPlace) {
  const TPlace& p = GetParam();
  TControl& c = Find(p.name);
  ASSERT_NE(c.Parent(), nullptr) << p.name;
  EXPECT_EQ(c.Parent()->Name(), p.parent) << p.name;
  EXPECT_EQ(c.Kind(), p.kind) << p.name;
  // -1: the layout leaves the value open.
  if (p.left != -1) {
    EXPECT_EQ(c.Left(), p.left) << p.name;
  }
  if (p.top != -1) {
    EXPECT_EQ(c.Top(), p.top) << p.name;
  }
  if (p.width != -1) {
    EXPECT_EQ(c.Width(), p.width) << p.name;
  }
  if (p.height != -1) {
    EXPECT_EQ(c.Height(), p.height) << p.name;
  }
  if (p.caption) {
    EXPECT_EQ(c.Caption(), p.caption) << p.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Form1Places, ::testing::ValuesIn(kPlaces));

struct TSlider {
  const char* name;
  int max, position;
  TColor32 track;
};

class Form1Sliders : public Form1Layout, public ::testing::WithParamInterface<TSlider> {};

TEST_P(Form1Sliders, SliderHasItsRangeStartAndTrackColour) {
  const TSlider& s = GetParam();
  auto& bar = static_cast<TGaugeBar&>(Find(s.name));
  ASSERT_EQ(bar.Kind(), ckGaugeBar);
  EXPECT_EQ(bar.Min(), 0) << s.name;
  EXPECT_EQ(bar.Max(), s.max) << s.name;
  EXPECT_EQ(bar.Position(), s.position) << s.name;
  EXPECT_EQ(bar.Color(), s.track) << s.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Form1Sliders,
    ::testing::Values(TSlider{"sbScale", 1000, 500, clMaroon}, TSlider{"SectionSizeGaugeBar", 50, 50, clPurple},
                      TSlider{"SectionHeightGaugeBar", 50, 50, clNavy}, TSlider{"BrightnessAdjust", 256, 128, clWhite},
                      TSlider{"ContrastGaugeBar", 100, 50, clOlive},
                      TSlider{"SaturationGaugeBar", 100, 50, MakeColour32(255, 255, 128)},
                      TSlider{"RedAdjust", 256, 128, clAqua}, TSlider{"GreenAdjust", 256, 128, clFuchsia},
                      TSlider{"BlueAdjust", 256, 128, clYellow}, TSlider{"RedBGGaugeBar", 255, 127, clRed},
                      TSlider{"GreenBGGaugeBar", 255, 127, clLime}, TSlider{"BlueBGGaugeBar", 255, 127, clBlue}));

TEST_F(Form1Layout, ScrollBarsHaveTheirKindsAndRanges) {
  struct TBar {
    const char* name;
    TScrollBarKind kind;
    int max;
  };
  for (const TBar& b : {TBar{"ScrollBar1", sbHorizontal, 1000}, TBar{"ScrollBar2", sbVertical, 1000},
                        TBar{"MyXScrollBar", sbHorizontal, 100}, TBar{"MyYScrollBar", sbVertical, 100}}) {
    auto& bar = static_cast<TScrollBar&>(Find(b.name));
    EXPECT_EQ(bar.ScrollKind(), b.kind) << b.name;
    EXPECT_EQ(bar.Min(), 0) << b.name;
    EXPECT_EQ(bar.Max(), b.max) << b.name;
    EXPECT_EQ(bar.Position(), 0) << b.name;
  }
  EXPECT_EQ(form_->sbScale.HandleSize(), 10);
}

TEST_F(Form1Layout, ControlsCarryTheirHints) {
  struct THint {
    const char* name;
    const char* hint;
  };
  const THint hints[] = {
      {"ScrollBar1", "Slide this to move over larger sized images."},
      {"ScrollBar2", "Slide this to move over larger sized images."},
      {"sbScale",
       "Use this to adjust the size of the image above. When making it smaller \"reduce\" below is often best."},
      {"SectionSizeGaugeBar", "Use this to adjust the width of the AV."},
      {"SectionHeightGaugeBar", "Use this to adjust the width of the AV."},
      {"AdjustmentsPanel", "Load an image, resize, use RGB sliders to select AV section.."},
      {"ShowPropsLabel", "Double click to toggle prop grid."},
      {"StaticText2", "Click to set slider to the right to middle."},
      {"StaticText5", "Click to set slider to the right to middle."},
      {"StaticText10", "Click to set slider to the right to middle."},
      {"StaticText11", "Click to set slider to the right to middle."},
      {"StaticText12", "Click to set slider to the right to middle."},
      {"StaticText3", "Click to set slider below to middle."},
      {"StaticText7", "Click to set slider below to middle."},
      {"StaticText9", "Click to set slider below to middle."},
      {"StaticText16", ""},
      {"SpeedButton1", "Copy right image to left image."},
      {"SpeedButton3", "Copy left image to right image."},
      {"ResetEditAVButton", "Reset right image."},
      {"EditorNormalSizeImage32", "This is the image that will be exported."},
      {"PaletteSelectGrid", "Select a color from here."},
      {"ShowBrushSizeImage32", "Left or Right click to change size."},
      {"DrawModeButton", "Draw"},
      {"DotDrawButton", "Place dots."},
      {"BWEffectModeButton", "Convert selected area to B/W."},
      {"FillModeButton", "Fill."},
      {"BWDrawModeButton", "BW Single Pixel Converter."},
      {"CopyModeButton", "Copy."},
      {"PasteModeButton", "Paste."},
      {"MagnetModeButton", "Grab color (or just right click over a pixel)."},
      {"MagGlassButton", "Select magnified section."},
      {"RectangleModeButton", "Rectangles."},
  };
  for (const THint& h : hints) EXPECT_EQ(Find(h.name).Hint(), h.hint) << h.name;
}

TEST_F(Form1Layout, RadioGroupsHaveTheirItemsColumnsAndSelection) {
  EXPECT_EQ(form_->DitherModeSelector.Items(),
            (std::vector<std::string>{"Nearest", "Floyd-S", "Stucki", "Sierra", "JaJuNI", "Burkes"}));
  EXPECT_EQ(form_->DitherModeSelector.Columns(), 3);
  EXPECT_EQ(form_->DitherModeSelector.ItemIndex(), 1);
  EXPECT_EQ(form_->rgStretchFilter.Items(), (std::vector<std::string>{"Blocky", "Normal", "Reduce", "Spline"}));
  EXPECT_EQ(form_->rgStretchFilter.Columns(), 4);
}

TEST_F(Form1Layout, FlipsStartClearAndSizeTextIsSunken) {
  EXPECT_FALSE(form_->FlipHorizontal.Checked());
  EXPECT_FALSE(form_->FlipVertical.Checked());
  EXPECT_EQ(form_->StaticText4.BorderStyle(), sbsSunken);
}

TEST_F(Form1Layout, HiddenViewsAreInvisibleAndTheOthersVisible) {
  for (const char* name : {"Image1", "TempScaleImage32", "TempNavImage32", "CopyImage32"}) {
    EXPECT_FALSE(Find(name).Visible()) << name;
  }
  for (const char* name : {"Dst", "NavigateImage32", "Image2", "AVExpandedImage32", "MagGlassImage32"}) {
    EXPECT_TRUE(Find(name).Visible()) << name;
  }
}

TEST_F(Form1Layout, PageBarAndPagesUseTheWindowsColours) {
  for (const char* name : {"SpeedButton2", "SpeedButton4", "SpeedButton5", "SpeedButton6"}) {
    auto& b = static_cast<TSpeedButton&>(Find(name));
    EXPECT_TRUE(b.Flat()) << name;
    EXPECT_EQ(b.Font().Color, clYellow) << name;
    EXPECT_NE(b.GroupIndex(), 0) << name;
    EXPECT_TRUE(b.AllowAllUp()) << name;
  }
  for (const char* name : {"AVImporter", "AVEditor", "AboutQuill"}) {
    auto& p = static_cast<TPanel&>(Find(name));
    EXPECT_EQ(p.BevelOuter(), bvLowered) << name;
    EXPECT_EQ(p.Color(), clBlack) << name;
  }
}

TEST_F(Form1Layout, EveryNameIsUniqueAndFindable) {
  std::multiset<std::string> names;
  form_->ForEachControl([&](TControl& c) { names.insert(c.Name()); });
  for (const std::string& name : names) {
    EXPECT_EQ(names.count(name), 1u) << name;
    EXPECT_EQ(form_->FindControl(name)->Name(), name);
  }
  EXPECT_GT(names.size(), 150u);
}

TEST_F(Form1Layout, ShownControlsLieInsideTheirParents) {
  form_->ForEachControl([&](TControl& c) {
    const TControl* parent = c.Parent();
    // The pages themselves reach one row below the client area (26 + 410),
    // as the window's layout has them; the window clips that row.
    if (!parent || parent == form_ || c.Left() == kHiddenPageLeft || !c.Visible()) return;
    EXPECT_GE(c.Left(), 0) << c.Name();
    EXPECT_GE(c.Top(), 0) << c.Name();
    EXPECT_LE(c.Left() + c.Width(), parent->Width()) << c.Name() << " in " << parent->Name();
    EXPECT_LE(c.Top() + c.Height(), parent->Height()) << c.Name() << " in " << parent->Name();
  });
}

std::vector<std::string> Captions(const TControl& page) {
  std::vector<std::string> captions;
  page.ForEachDescendant([&](TControl& c) { captions.push_back(c.Caption()); });
  return captions;
}

TEST_F(Form1Layout, ImporterHelpQuotesTheButtonTextsWordForWord) {
  const std::vector<std::string> quoted = {
      "The AV Importer/Editor has 4 functions. Load and resize an image. Select a RGB section to use. "
      "Adjust/Paletize it . Edit/Export it.",
      "LOAD - you may load any BMP, GIF, or JPG image into the left most image window.",
      "DITHER MODES - are used to convert the RGB section into a paletted image using the default lounge palette.",
      "FLIP RGB H and V - Will flip the RGB section horizontally or vertically. You can use both at the same time "
      "if you so desire.",
      "RESET - In the Adjustment section will set the controls to their defaults. In the image section will "
      "reload the image for you.",
      "EXPORT - will place the paletized image from the rightmost image window into the clipboard so that you can "
      "import it into lounge.",
      "With this ver you should not have to use Edit/Paste Multiple Props in the lounge client. Press Ctrl-P to "
      "see your AV in your props.",
  };
  const std::vector<std::string> captions = Captions(form_->About2);
  for (const std::string& q : quoted) {
    EXPECT_NE(std::find(captions.begin(), captions.end(), q), captions.end()) << q;
  }
  EXPECT_EQ(captions.front(), quoted.front()) << "opening line first";
  EXPECT_EQ(captions.back(), quoted.back()) << "closing line last";
  for (const char* heading : {"RESIZE", "RGB SECTION", "ADJUSTMENTS", "BRIGHTNESS", "CONTRAST", "COLOR",
                              "CLIPBOARD > MAIN", "RGB < CLIPBOARD", "EDIT"}) {
    const std::string prefix = std::string(heading) + " - ";
    EXPECT_TRUE(std::any_of(captions.begin(), captions.end(), [&](const std::string& c) {
      return c.rfind(prefix, 0) == 0;
    })) << heading;
  }
}

TEST_F(Form1Layout, EditorHelpListsTheToolsClockwise) {
  const std::vector<std::string> captions = Captions(form_->About3);
  std::vector<std::string> order;
  for (const char* tool : {"DRAW", "PIXEL PAINTER", "FLOOD FILL", "RECTANGLE", "COPY", "PASTE", "MAGNIFY", "GRAB COLOR",
                           "B/W PIXEL PAINTER", "BW RECTANGLE", "MAGNIFIER"}) {
    const std::string prefix = std::string(tool) + " - ";
    const auto it =
        std::find_if(captions.begin(), captions.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    ASSERT_NE(it, captions.end()) << tool;
    order.push_back(*it);
  }
  for (std::size_t i = 1; i < order.size(); ++i) {
    const auto previous = std::find(captions.begin(), captions.end(), order[i - 1]);
    const auto current = std::find(captions.begin(), captions.end(), order[i]);
    EXPECT_LT(previous, current) << order[i];
  }
}

TEST_F(Form1Layout, AboutPageNamesTheProductAndLinksToOurPage) {
  const std::vector<std::string> captions = Captions(form_->About1);
  EXPECT_NE(std::find(captions.begin(), captions.end(), "Quill For Lounge 1.0"), captions.end());
  EXPECT_EQ(form_->Label21.Caption(), kQuillWebAddress);
  EXPECT_FALSE(form_->Label20.Caption().empty());
}

}  // namespace
}  // namespace quill
