// Connects the importer page's controls to their handlers.
#include "quill/shell/Form1.h"

namespace quill {
namespace {

constexpr const char* kPictureFilter =
    "All Images (BMPs, GIFs, JPGs, PNGs, WebPs)|*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.webp|BMPs|*.bmp|GIFs|*.gif|JPGs|"
    "*.jpg|PNGs|*.png|WebPs|*.webp";

}  // namespace

void TForm1::WireImporterHandlers() {
  OpenDialog1.Filter = kPictureFilter;

  SpeedButton20.OnClick = [this] { SpeedButton20Click(); };
  OnDropFiles = [this](const std::vector<std::string>& paths) { FormDropFiles(paths); };
  PasteClipboardToMain.OnClick = [this] { PasteClipboardToMainClick(); };
  ResetButton.OnClick = [this] { ResetButtonClick(); };

  sbScale.OnChange = [this] { sbScaleChange(); };
  rgStretchFilter.OnClick = [this] { rgStretchFilterClick(); };
  StaticText4.OnClick = [this] { StaticText4Click(); };
  SpeedButton10.OnClick = [this] { SpeedButton10Click(); };
  SpeedButton11.OnClick = [this] { SpeedButton11Click(); };
  SpeedButton12.OnClick = [this] { SpeedButton12Click(); };
  SpeedButton13.OnClick = [this] { SpeedButton13Click(); };
  SpeedButton14.OnClick = [this] { SpeedButton14Click(); };
  SpeedButton15.OnClick = [this] { SpeedButton15Click(); };
  SpeedButton16.OnClick = [this] { SpeedButton16Click(); };
  SpeedButton17.OnClick = [this] { SpeedButton17Click(); };
  SpeedButton18.OnClick = [this] { SpeedButton18Click(); };
  ScrollBar1.OnChange = [this] { ScrollBar1Change(); };
  ScrollBar2.OnChange = [this] { ScrollBar2Change(); };

  MyXScrollBar.OnChange = [this] { MyXScrollBarChange(); };
  MyYScrollBar.OnChange = [this] { MyYScrollBarChange(); };
  SectionSizeGaugeBar.OnChange = [this] { SectionSizeGaugeBarChange(); };
  SectionHeightGaugeBar.OnChange = [this] { SectionHeightGaugeBarChange(); };
  StaticText6.OnClick = [this] { StaticText6Click(); };
  StaticText1.OnClick = [this] { StaticText1Click(); };

  BrightnessAdjust.OnChange = [this] { BrightnessAdjustChange(); };
  ContrastGaugeBar.OnChange = [this] { ContrastGaugeBarChange(); };
  SaturationGaugeBar.OnChange = [this] { SaturationGaugeBarChange(); };
  RedAdjust.OnChange = [this] { RedAdjustChange(); };
  GreenAdjust.OnChange = [this] { GreenAdjustChange(); };
  BlueAdjust.OnChange = [this] { BlueAdjustChange(); };
  RedBGGaugeBar.OnChange = [this] { RedBGGaugeBarChange(); };
  GreenBGGaugeBar.OnChange = [this] { GreenBGGaugeBarChange(); };
  BlueBGGaugeBar.OnChange = [this] { BlueBGGaugeBarChange(); };
  StaticText2.OnClick = [this] { StaticText2Click(); };
  StaticText5.OnClick = [this] { StaticText5Click(); };
  StaticText16.OnClick = [this] { StaticText16Click(); };
  StaticText3.OnClick = [this] { StaticText3Click(); };
  StaticText7.OnClick = [this] { StaticText7Click(); };
  StaticText9.OnClick = [this] { StaticText9Click(); };
  StaticText10.OnClick = [this] { StaticText10Click(); };
  StaticText11.OnClick = [this] { StaticText11Click(); };
  StaticText12.OnClick = [this] { StaticText12Click(); };
  ResetAdjustmentsButton.OnClick = [this] { ResetAdjustmentsButtonClick(); };

  TestDitherButton.OnClick = [this] { TestDitherButtonClick(); };
  ExportAVButton.OnClick = [this] { ExportAVButtonClick(); };
  CopyRGBToClipboard.OnClick = [this] { CopyRGBToClipboardClick(); };
  ShowPropsLabel.OnDblClick = [this] { ShowPropsLabelDblClick(); };
}

}  // namespace quill
