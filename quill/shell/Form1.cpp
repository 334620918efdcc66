#include "quill/shell/Form1.h"

#include "quill/shell/BookmarkStore.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/FormLayout.h"

namespace quill {
namespace {

// Where the window's layout puts it; start-up moves it to (0, 0).
constexpr int kLayoutLeft = 192;
constexpr int kLayoutTop = 107;

// The page bar: four flat buttons in one group that may all be up.
constexpr int kPageBarGroup = 1;
constexpr int kPageButtonWidth = 157;
constexpr int kPageButtonHeight = 26;

// Brush-size bar: x 4..35, centred on row 6.
constexpr int kBrushBarLeft = 4;
constexpr int kBrushBarRight = 36;
constexpr int kBrushBarCentreRow = 6;

}  // namespace

TForm1::TForm1(const TServices& services, std::string bookmarkDirectory)
    : TForm("Form1"),
      services_(services),
      bookmarkDirectory_(std::move(bookmarkDirectory)),
      errorSink_([this](const std::string& message) { services_.Messages.Show(message, kApplicationTitle, msError); }) {
  BuildForm();
  WireHandlers();
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::BuildForm() {
  SetCaption(kFormCaption);
  SetBorderStyle(bsToolWindow);
  SetBounds(kLayoutLeft, kLayoutTop, kClientWidth, kClientHeight);
  SetColor(kPageColour);
  AddTimer(Timer1);
  Timer1.SetInterval(kRefreshIntervalMs);
  Timer1.SetEnabled(true);
  BuildPageBar();
  BuildImporterPage();
  BuildEditorPage();
  BuildAboutPage();
}

void TForm1::BuildPageBar() {
  struct TPageButton {
    TSpeedButton& Button;
    int Left;
    const char* Caption;
  };
  const TPageButton buttons[] = {{SpeedButton2, 0, "AV IMPORTER"},
                                 {SpeedButton4, 157, "AV EDITOR"},
                                 {SpeedButton5, 314, "ABOUT/HELP"},
                                 {SpeedButton6, 471, "EXIT"}};
  for (const TPageButton& b : buttons) {
    Place(b.Button, *this, b.Left, 0, kPageButtonWidth, kPageButtonHeight);
    SetText(b.Button, b.Caption);
    b.Button.SetFlat(true);
    b.Button.SetGroupIndex(kPageBarGroup);
    b.Button.SetAllowAllUp(true);
  }
  for (TPanel* page : {&AVImporter, &AVEditor, &AboutQuill}) {
    Place(*page, *this, kShownPageLeft, kPageTop, kPageWidth, kPageHeight);
    page->SetBevelOuter(bvLowered);
    page->SetColor(kPageColour);
  }
}

void TForm1::WireHandlers() {
  Timer1.OnTimer = [this] { Timer1Timer(); };
  SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
  SpeedButton4.OnClick = [this] { SpeedButton4Click(); };
  SpeedButton5.OnClick = [this] { SpeedButton5Click(); };
  SpeedButton6.OnClick = [this] { SpeedButton6Click(); };
  SpeedButton7.OnClick = [this] { SpeedButton7Click(); };
  SpeedButton8.OnClick = [this] { SpeedButton8Click(); };
  SpeedButton9.OnClick = [this] { SpeedButton9Click(); };
  Label20.OnClick = [this] { Label20Click(); };
  Label21.OnClick = [this] { Label20Click(); };
  WireImporterHandlers();
  WireEditorHandlers();
}

void TForm1::FormCreate() {
  // The program opens on the importer: its timer refresh runs only while it is shown.
  ShowPage(AVImporter);
  // The viewport starts at the picture's top-left corner; the first rescale recomputes the
  // largest offsets from the picture's size.
  FScrollMaxX = kStartScrollMax;
  FScrollMaxY = kStartScrollMax;
  FScrollX = 0;
  FScrollY = 0;
  // The editor starts with no drag or copy rectangle, the pen tool, a 1-pixel brush and
  // the magnifier on the first pixel.
  FDragStartX = FDragStartY = FDragEndX = FDragEndY = kNoCoordinate;
  FCopyRectLeft = FCopyRectTop = FCopyRectRight = FCopyRectBottom = kNoCoordinate;
  FDrawMode = kDrawModeDraw;
  FBrushSize = 1;
  FMagnifierX = 1;
  FMagnifierY = 1;
  // No picture has reached the editor yet, the prop grid shows, and nothing can be pasted
  // before the first copy.
  FEditorImported = false;
  FShowPropGrid = true;
  FMouseDrawing = false;
  PasteModeButton.SetEnabled(false);
  FMagnifierDrawing = false;
  FCopyBusy = false;
  // What loading a picture puts the scale and brightness back to; the scale slider starts there.
  FDefaultScale = kDefaultScalePosition;
  FDefaultBrightness = kDefaultBrightnessPosition;
  sbScale.SetPosition(kDefaultScalePosition);
  // A bookmark store that cannot be made is reported, and start-up goes on:
  // the store serves other tools, this window does not need it.
  Dispatch([this] { InitBookmarkStore(bookmarkDirectory_); });
  // Whatever the layout says, the window opens at the screen's corner.
  SetBounds(0, 0, Width(), Height());
  // Made once and reused by every rescale of the source picture.
  FTransformation = std::make_unique<TAffineTransformation>();
  // Every 32-bit view but the source picture's gets its control's size, so drawing into
  // them needs no size checks later.
  for (TImage32* view :
       {&Dst, &TempScaleImage32, &NavigateImage32, &TempNavImage32, &PaletteSelectGrid, &AVExpandedImage32,
        &EditorNormalSizeImage32, &ActiveColorImage32, &ShowBrushSizeImage32, &MagGlassImage32, &CopyImage32}) {
    view->FitBitmapToControl(false, 0);
  }
  // The editor's indicators show the start colour (black) and brush before the first click;
  // the magnifier and copy buffer start black too.
  FActiveColor = kOpaqueBlack;
  ActiveColorImage32.Bitmap().FillBlockClipped(0, 0, kIndicatorWidth, kIndicatorHeight, FActiveColor);
  MagGlassImage32.Bitmap().FillBlockClipped(0, 0, kMagnifierFillSize, kMagnifierFillSize, FActiveColor);
  CopyImage32.Bitmap().FillBlockClipped(0, 0, kMagnifierFillSize, kMagnifierFillSize, FActiveColor);
  DrawBrushSizeIndicator();
  // The chat palette: one copy shows the output view in chat colours, the
  // other goes to the colour reduction.
  Image2.SetPalette(BuildChatPalette());
  FChatPalette = BuildChatPalette();
  // The section starts at the viewport's top-left corner.
  FSectionX = 0;
  FSectionY = 0;
  // The source picture resamples bilinearly, although the resize-mode
  // selector starts on "Blocky"; choosing a mode sets the filter it names.
  Image1.Bitmap().SetStretchFilter(sfLinear);
  // Until a picture is loaded the timer's section refresh does nothing.
  FImageLoaded = false;
  // The background colour follows its three sliders from the start, not only after a change.
  FBackgroundColor = MakeColour32(std::uint8_t(RedBGGaugeBar.Position()), std::uint8_t(GreenBGGaugeBar.Position()),
                                  std::uint8_t(BlueBGGaugeBar.Position()));
  // The editor's colour picker shows the chat palette from the start.
  DrawPaletteSelector(PaletteSelectGrid.Bitmap());
}

void TForm1::FormDestroy() { FTransformation.reset(); }

void TForm1::Timer1Timer() {
  // Only the shown importer page is refreshed; its controls merely change
  // state and this tick draws the result.
  if (ImporterPageShown()) CopyImageOver(FSectionX, FSectionY);
}

void TForm1::DrawBrushSizeIndicator() {
  TBitmap32& bitmap = ShowBrushSizeImage32.Bitmap();
  bitmap.FillBlockClipped(0, 0, kIndicatorWidth, kIndicatorHeight, kBrushIndicatorGrey);
  const int top = kBrushBarCentreRow - FBrushSize / 2;
  bitmap.FillBlockClipped(kBrushBarLeft, top, kBrushBarRight, top + FBrushSize, FActiveColor);
}

void TForm1::ShowPage(TPanel& page) {
  for (TPanel* p : {&AVImporter, &AVEditor, &AboutQuill}) {
    p->SetLeft(p == &page ? kShownPageLeft : kHiddenPageLeft);
  }
}

void TForm1::ShowAboutPage(TPanel& aboutPage) {
  for (TPanel* p : {&About1, &About2, &About3}) {
    p->SetLeft(p == &aboutPage ? kShownAboutLeft : kHiddenPageLeft);
  }
}

// Each page-bar handler puts its own button up again at the end, so the bar
// works as four plain push buttons.
void TForm1::SpeedButton2Click() {
  ShowPage(AVImporter);
  SpeedButton2.SetDown(false);
}

void TForm1::SpeedButton4Click() {
  ShowPage(AVEditor);
  SpeedButton4.SetDown(false);
}

void TForm1::SpeedButton5Click() {
  ShowPage(AboutQuill);
  SpeedButton5.SetDown(false);
}

void TForm1::SpeedButton6Click() {
  Close();
  SpeedButton6.SetDown(false);
}

}  // namespace quill
