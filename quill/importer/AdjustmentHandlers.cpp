// The colour adjustment sliders, their labels and "RESET".
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::BrightnessAdjustChange() {}
void TForm1::ContrastGaugeBarChange() {}
void TForm1::SaturationGaugeBarChange() {}
void TForm1::RedAdjustChange() {}
void TForm1::GreenAdjustChange() {}
void TForm1::BlueAdjustChange() {}
void TForm1::RedBGGaugeBarChange() {}
void TForm1::GreenBGGaugeBarChange() {}
void TForm1::BlueBGGaugeBarChange() {}
void TForm1::StaticText2Click() {}
void TForm1::StaticText5Click() {}
void TForm1::StaticText16Click() {}
void TForm1::StaticText3Click() {}
void TForm1::StaticText7Click() {}
void TForm1::StaticText9Click() {}
void TForm1::StaticText10Click() {}
void TForm1::StaticText11Click() {}
void TForm1::StaticText12Click() {}
void TForm1::ResetAdjustmentsButtonClick() {}
TColor32 TForm1::ApplyToneAdjustment(TColor32 pixel) const { return pixel; }
TColor32 TForm1::ApplyColorShift(TColor32 pixel) const { return pixel; }

}  // namespace quill
