#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "headless_form.h"
#include "quill/base/Errors.h"
#include "quill/shell/BookmarkStore.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test for the bookmark store the start-up creates.
std::string ScratchFolderName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return std::string("quill-form1-") + info->name() + "-" + std::to_string(stamp);
}

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_ = std::make_unique<THeadlessForm>(ScratchFolderName());
    form_ = &headless_->Form();
  }
  void TearDown() override { headless_.reset(); }

  TForm1& form() { return *form_; }
  TImage32& View(const std::string& name) {
    TControl* c = form().FindControl(name);
    EXPECT_NE(c, nullptr) << name;
    EXPECT_EQ(c->Kind(), ckImage32) << name;
    return *static_cast<TImage32*>(c);
  }

  std::unique_ptr<THeadlessForm> headless_;
  TForm1* form_ = nullptr;
};

TEST_F(Form1Test, SharedStateHasItsStartValues) {
  TForm1& f = form();
  struct TIntField {
    const char* name;
    int actual, expected;
  };
  const TIntField ints[] = {
      {"FSectionX", f.FSectionX, 0},
      {"FSectionY", f.FSectionY, 0},
      {"FSectionRangeX", f.FSectionRangeX, 0},
      {"FSectionRangeY", f.FSectionRangeY, 0},
      {"FScrollX", f.FScrollX, 0},
      {"FScrollY", f.FScrollY, 0},
      {"FScrollMaxX", f.FScrollMaxX, 312},
      {"FScrollMaxY", f.FScrollMaxY, 312},
      {"FDefaultBrightness", f.FDefaultBrightness, 128},
      {"FDefaultScale", f.FDefaultScale, 500},
      {"FBrushSize", f.FBrushSize, 1},
      {"FDrawMode", f.FDrawMode, 1},
      {"FMagnifierX", f.FMagnifierX, 1},
      {"FMagnifierY", f.FMagnifierY, 1},
      {"FDragStartX", f.FDragStartX, -1},
      {"FDragStartY", f.FDragStartY, -1},
      {"FDragEndX", f.FDragEndX, -1},
      {"FDragEndY", f.FDragEndY, -1},
      {"FCopyRectLeft", f.FCopyRectLeft, -1},
      {"FCopyRectTop", f.FCopyRectTop, -1},
      {"FCopyRectRight", f.FCopyRectRight, -1},
      {"FCopyRectBottom", f.FCopyRectBottom, -1},
  };
  for (const TIntField& field : ints) EXPECT_EQ(field.actual, field.expected) << field.name;
  EXPECT_FALSE(f.FImageLoaded);
  EXPECT_FALSE(f.FCopyBusy);
  EXPECT_TRUE(f.FShowPropGrid);
  EXPECT_FALSE(f.FEditorImported);
  EXPECT_FALSE(f.FMouseDrawing);
  EXPECT_FALSE(f.FMagnifierDrawing);
  EXPECT_EQ(f.FActiveColor, 0xFF000000u);
  EXPECT_EQ(f.FBackgroundColor, 0xFF7F7F7Fu);
  ASSERT_NE(f.FTransformation, nullptr);
  EXPECT_EQ(f.FChatPalette.EntryCount(), 256);
  EXPECT_TRUE(headless_->Messages.Shown().empty());
}

TEST_F(Form1Test, BackgroundColourComesFromTheThreeSliders) {
  EXPECT_EQ(form().FBackgroundColor,
            MakeColour32(std::uint8_t(form().RedBGGaugeBar.Position()), std::uint8_t(form().GreenBGGaugeBar.Position()),
                         std::uint8_t(form().BlueBGGaugeBar.Position())));
}

TEST_F(Form1Test, ImageViewBitmapsHaveTheirControlSizes) {
  struct TViewSize {
    const char* name;
    int width, height;
  };
  const TViewSize views[] = {
      {"Dst", 310, 310},
      {"Image1", 0, 0},  // empty until a picture is loaded
      {"TempScaleImage32", 192, 192},
      {"NavigateImage32", 134, 134},
      {"TempNavImage32", 134, 134},
      {"PaletteSelectGrid", 49, 314},
      {"AVExpandedImage32", 398, 398},
      {"EditorNormalSizeImage32", 134, 134},
      {"ActiveColorImage32", 41, 13},
      {"ShowBrushSizeImage32", 41, 13},
      {"MagGlassImage32", 162, 162},
      {"CopyImage32", 398, 398},
  };
  for (const TViewSize& v : views) {
    TImage32& view = View(v.name);
    EXPECT_EQ(view.Bitmap().Width(), v.width) << v.name;
    EXPECT_EQ(view.Bitmap().Height(), v.height) << v.name;
    if (v.width) {
      EXPECT_EQ(view.Width(), v.width) << v.name << " control";
      EXPECT_EQ(view.Height(), v.height) << v.name << " control";
    }
  }
  EXPECT_EQ(form().Image1.Width(), 192);
  EXPECT_EQ(form().Image2.Width(), 132);
  EXPECT_EQ(form().Image2.Height(), 132);
}

TEST_F(Form1Test, NewViewsStayAllZeroWhereStartUpDoesNotPaint) {
  for (const char* name : {"Dst", "NavigateImage32", "AVExpandedImage32", "EditorNormalSizeImage32"}) {
    const TBitmap32& b = View(name).Bitmap();
    for (int i = 0; i < b.Width() * b.Height(); ++i) {
      ASSERT_EQ(b.Bits()[i], 0u) << name << " pixel " << i;
    }
  }
}

TEST_F(Form1Test, ActiveColourSwatchIsFilledBlack) {
  const TBitmap32& b = form().ActiveColorImage32.Bitmap();
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 41; ++x) ASSERT_EQ(b.GetPixelUnchecked(x, y), 0xFF000000u) << x << "," << y;
}

TEST_F(Form1Test, MagnifierAndCopyBufferAreBlackUpTo160) {
  for (TImage32* view : {&form().MagGlassImage32, &form().CopyImage32}) {
    const TBitmap32& b = view->Bitmap();
    for (int y = 0; y < b.Height(); ++y) {
      for (int x = 0; x < b.Width(); ++x) {
        const TColor32 expected = (x <= 160 && y <= 160) ? 0xFF000000u : 0u;
        ASSERT_EQ(b.GetPixelUnchecked(x, y), expected) << view->Name() << " " << x << "," << y;
      }
    }
  }
}

TEST_F(Form1Test, BrushIndicatorIsGreyWithAOnePixelBarOnRow6) {
  const TBitmap32& b = form().ShowBrushSizeImage32.Bitmap();
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 41; ++x) {
      const bool bar = y == 6 && x >= 4 && x <= 35;
      ASSERT_EQ(b.GetPixelUnchecked(x, y), bar ? 0xFF000000u : 0xFFBFBFBFu) << x << "," << y;
    }
  }
}

struct TBrushCase {
  int size;
  int firstRow;
};

class Form1BrushBar : public Form1Test, public ::testing::WithParamInterface<TBrushCase> {};

TEST_P(Form1BrushBar, BarIsBrushHighCentredOnRow6) {
  form().FBrushSize = GetParam().size;
  form().FActiveColor = 0xFF123456u;
  form().DrawBrushSizeIndicator();
  const TBitmap32& b = form().ShowBrushSizeImage32.Bitmap();
  for (int y = 0; y < 13; ++y) {
    const bool inBar = y >= GetParam().firstRow && y < GetParam().firstRow + GetParam().size;
    EXPECT_EQ(b.GetPixelUnchecked(20, y), inBar ? 0xFF123456u : 0xFFBFBFBFu) << "row " << y;
    EXPECT_EQ(b.GetPixelUnchecked(3, y), 0xFFBFBFBFu);
    EXPECT_EQ(b.GetPixelUnchecked(36, y), 0xFFBFBFBFu);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Form1BrushBar,
                         ::testing::Values(TBrushCase{1, 6}, TBrushCase{2, 5}, TBrushCase{3, 5}, TBrushCase{8, 2}));

TEST_F(Form1Test, PaletteSelectorIsDrawnAndOutputViewCarriesTheChatPalette) {
  const TBitmap32& grid = form().PaletteSelectGrid.Bitmap();
  EXPECT_EQ(grid.GetPixelUnchecked(0, 0), 0u) << "lines between cells stay unpainted";
  EXPECT_EQ(grid.GetPixelUnchecked(1, 1), ChatPaletteColour32(SelectorCellToEntry(0)));
  EXPECT_EQ(grid.GetPixelUnchecked(9, 1), ChatPaletteColour32(SelectorCellToEntry(1)));
  ASSERT_TRUE(form().Image2.Palette().has_value());
  EXPECT_EQ(form().Image2.Palette()->Entries(), BuildChatPalette().Entries());
  EXPECT_EQ(form().FChatPalette.Entries(), BuildChatPalette().Entries());
}

TEST_F(Form1Test, SourcePictureResamplesLinearlyWhileTheSelectorShowsBlocky) {
  EXPECT_EQ(form().Image1.Bitmap().StretchFilter(), sfLinear);
  EXPECT_EQ(form().rgStretchFilter.ItemIndex(), 0);
  EXPECT_EQ(form().rgStretchFilter.Items()[0], "Blocky");
}

TEST_F(Form1Test, WindowOpensAtTheScreenCornerWithItsFixedClientArea) {
  EXPECT_EQ(form().Left(), 0);
  EXPECT_EQ(form().Top(), 0);
  EXPECT_EQ(form().Width(), 628);
  EXPECT_EQ(form().Height(), 435);
  EXPECT_EQ(form().BorderStyle(), bsToolWindow);
  EXPECT_EQ(form().Color(), clBlack);
  EXPECT_EQ(form().Font().Name, "MS Sans Serif");
  EXPECT_EQ(form().Font().Size, 8);
  EXPECT_EQ(form().Caption().rfind("Quill For Lounge 1.0", 0), 0u);
  EXPECT_GT(form().Caption().size(), std::string("Quill For Lounge 1.0").size()) << "with our notice";
}

TEST_F(Form1Test, ImporterPageAndFirstAboutPageAreShownAtStart) {
  EXPECT_EQ(form().AVImporter.Left(), 0);
  EXPECT_EQ(form().AVEditor.Left(), -640);
  EXPECT_EQ(form().AboutQuill.Left(), -640);
  EXPECT_EQ(form().About1.Left(), 2);
  EXPECT_EQ(form().About2.Left(), -640);
  EXPECT_EQ(form().About3.Left(), -640);
}

TEST_F(Form1Test, PasteToolIsDisabledAndDrawIsTheChosenTool) {
  EXPECT_FALSE(form().PasteModeButton.Enabled());
  EXPECT_TRUE(form().DrawModeButton.Down());
  int downs = 0;
  int tools = 0;
  form().AVEditToolsPanel.ForEachDescendant([&](TControl& c) {
    auto* tool = dynamic_cast<TSpeedButton*>(&c);
    if (!tool) {
      ADD_FAILURE() << c.Name() << " on the tools panel is not a button";
      return;
    }
    ++tools;
    if (tool->Down()) ++downs;
  });
  EXPECT_EQ(tools, 10);
  EXPECT_EQ(downs, 1);
}

struct TPageCase {
  const char* button;
  int importer, editor, about;
};

class Form1PageBar : public Form1Test, public ::testing::WithParamInterface<TPageCase> {};

TEST_P(Form1PageBar, ClickShowsItsPageAndLeavesNoButtonDown) {
  const TPageCase& c = GetParam();
  form().SpeedButton4.Click();  // start from somewhere else than the importer
  auto* button = dynamic_cast<TSpeedButton*>(form().FindControl(c.button));
  ASSERT_NE(button, nullptr) << c.button;
  button->Click();
  EXPECT_EQ(form().AVImporter.Left(), c.importer);
  EXPECT_EQ(form().AVEditor.Left(), c.editor);
  EXPECT_EQ(form().AboutQuill.Left(), c.about);
  for (TSpeedButton* b : {&form().SpeedButton2, &form().SpeedButton4, &form().SpeedButton5, &form().SpeedButton6}) {
    EXPECT_FALSE(b->Down()) << b->Name();
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Form1PageBar,
                         ::testing::Values(TPageCase{"SpeedButton2", 0, -640, -640},
                                           TPageCase{"SpeedButton4", -640, 0, -640},
                                           TPageCase{"SpeedButton5", -640, -640, 0}));

TEST_F(Form1Test, PageSwitchKeepsEverythingElse) {
  form().sbScale.SetPosition(250);
  form().FlipHorizontal.SetChecked(true);
  form().SpeedButton5.Click();
  form().SpeedButton2.Click();
  EXPECT_EQ(form().sbScale.Position(), 250);
  EXPECT_TRUE(form().FlipHorizontal.Checked());
  EXPECT_EQ(form().AVImporter.Top(), 26);
  EXPECT_TRUE(form().AVEditor.Visible()) << "pages are moved, never hidden";
}

TEST_F(Form1Test, AboutPageShowsTheSubPageLastChosen) {
  form().SpeedButton5.Click();
  EXPECT_EQ(form().About1.Left(), 2) << "ABOUT QUILL at first";
  form().SpeedButton9.Click();
  EXPECT_EQ(form().About3.Left(), 2);
  EXPECT_EQ(form().About1.Left(), -640);
  EXPECT_EQ(form().About2.Left(), -640);
  form().SpeedButton2.Click();
  form().SpeedButton5.Click();
  EXPECT_EQ(form().About3.Left(), 2);
  form().SpeedButton8.Click();
  EXPECT_EQ(form().About2.Left(), 2);
  EXPECT_EQ(form().About3.Left(), -640);
  for (TSpeedButton* b : {&form().SpeedButton7, &form().SpeedButton8, &form().SpeedButton9}) {
    EXPECT_FALSE(b->Down()) << b->Name();
  }
}

TEST_F(Form1Test, TimerIsA100MsTickFromTheStart) {
  EXPECT_EQ(form().Timer1.Interval(), 100u);
  EXPECT_TRUE(form().Timer1.Enabled());
  EXPECT_EQ(form().FindTimer("Timer1"), &form().Timer1);
}

TEST_F(Form1Test, TimerRefreshesTheSectionOnlyWhileTheImporterIsShown) {
  form().FImageLoaded = true;
  form().Timer1.Tick();
  EXPECT_EQ(form().SectionRefreshCount(), 1);
  form().SpeedButton4.Click();
  form().Timer1.Tick();
  form().SpeedButton5.Click();
  form().Timer1.Tick();
  EXPECT_EQ(form().SectionRefreshCount(), 1);
  form().SpeedButton2.Click();
  form().Timer1.Tick();
  EXPECT_EQ(form().SectionRefreshCount(), 2);
}

TEST_F(Form1Test, SectionRefreshWaitsForAPictureAndNeverNests) {
  form().Timer1.Tick();
  EXPECT_EQ(form().SectionRefreshCount(), 0) << "nothing loaded yet";
  form().FImageLoaded = true;
  form().FCopyBusy = true;
  form().CopyImageOver(0, 0);
  EXPECT_EQ(form().SectionRefreshCount(), 0) << "a refresh is already running";
  form().FCopyBusy = false;
  form().CopyImageOver(0, 0);
  EXPECT_EQ(form().SectionRefreshCount(), 1);
  EXPECT_FALSE(form().FCopyBusy);
}

TEST_F(Form1Test, ExitClosesTheWindowAndLeavesTheButtonUp) {
  int closes = 0;
  form().OnClose = [&] { ++closes; };
  form().SpeedButton6.Click();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(form().Closed());
  EXPECT_FALSE(form().SpeedButton6.Down());
}

TEST_F(Form1Test, BothLinkLabelsOpenOurWebPage) {
  form().Label20.Click();
  form().Label21.Click();
  EXPECT_EQ(headless_->Shell.OpenedUrls(), (std::vector<std::string>{kQuillWebAddress, kQuillWebAddress}));
}

TEST_F(Form1Test, HandlerFailureIsShownInAnErrorBox) {
  // The failure starts in a change handler that the clicked button's handler
  // sets off: it is shown once, in an error box, and stops the outer action
  // too; what changed before it stays.
  form().sbScale.OnChange = [] { throw EFileError("Cannot create file avedtemp.bmp"); };
  bool afterFailure = false;
  form().ExportAVButton.OnClick = [&] {
    form().sbScale.SetPosition(250);
    afterFailure = true;
  };
  form().ExportAVButton.Click();
  EXPECT_EQ(form().sbScale.Position(), 250);
  ASSERT_EQ(headless_->Messages.Shown().size(), 1u);
  EXPECT_EQ(headless_->Messages.Shown()[0].Text, "Cannot create file avedtemp.bmp");
  EXPECT_EQ(headless_->Messages.Shown()[0].Caption, kApplicationTitle);
  EXPECT_EQ(headless_->Messages.Shown()[0].Style, msError);
  EXPECT_FALSE(afterFailure);
  form().Timer1.OnTimer = [] { throw Exception("tick failed"); };
  form().Timer1.Tick();
  ASSERT_EQ(headless_->Messages.Shown().size(), 2u);
  EXPECT_EQ(headless_->Messages.Shown()[1].Text, "tick failed");
}

TEST_F(Form1Test, ErrorsGoBackToTheRecordOnceTheWindowIsGone) {
  ClearUnreportedErrors();
  headless_->DestroyForm();
  form_ = nullptr;
  ReportError("after the window");
  EXPECT_TRUE(headless_->Messages.Shown().empty());
  ASSERT_EQ(UnreportedErrors().size(), 1u);
  ClearUnreportedErrors();
}

TEST_F(Form1Test, StartUpCreatesTheBookmarkStore) {
  EXPECT_EQ(fs::file_size(headless_->Dir / kBookmarkStoreName), 2u * kBookmarkRecordSize);
}

TEST(Form1StartUp, BookmarkFailureIsReportedAndStartUpGoesOn) {
  TMemoryClipboard clipboard;
  THeadlessDesktop desktop;
  THeadlessFileDialog fileDialog;
  THeadlessMessageBox messages;
  THeadlessShell shell;
  const TServices services{clipboard, desktop, fileDialog, messages, shell};
  const fs::path missing = fs::temp_directory_path() / "quill-form1-no-such-directory" / "deeper" / "";
  TForm1 form(services, missing.string());
  ASSERT_EQ(messages.Shown().size(), 1u);
  EXPECT_FALSE(messages.Shown()[0].Text.empty());
  EXPECT_EQ(messages.Shown()[0].Style, msError);
  // Steps after the failing one still ran.
  EXPECT_EQ(form.Left(), 0);
  EXPECT_NE(form.FTransformation, nullptr);
  EXPECT_EQ(form.PaletteSelectGrid.Bitmap().GetPixelUnchecked(1, 1), ChatPaletteColour32(SelectorCellToEntry(0)));
  EXPECT_EQ(form.FBackgroundColor, 0xFF7F7F7Fu);
}

TEST_F(Form1Test, FormDestroyFreesTheTransformation) {
  form().FormDestroy();
  EXPECT_EQ(form().FTransformation, nullptr);
}

}  // namespace
}  // namespace quill
