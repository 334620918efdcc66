// Scaling of the source picture into the viewport.
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::sbScaleChange() {}
void TForm1::rgStretchFilterClick() {}
void TForm1::StaticText4Click() {}
void TForm1::SpeedButton10Click() {}
void TForm1::SpeedButton11Click() {}
void TForm1::SpeedButton12Click() {}
void TForm1::SpeedButton13Click() {}
void TForm1::SpeedButton14Click() {}
void TForm1::SpeedButton15Click() {}
void TForm1::SpeedButton16Click() {}
void TForm1::SpeedButton17Click() {}
void TForm1::SpeedButton18Click() {}
void TForm1::ResetScrollOffsets() {}
void TForm1::ScrollBar1Change() {}
void TForm1::ScrollBar2Change() {}

}  // namespace quill
