// The source picture: "Load", "Clip->Main" and "Reset".
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::SpeedButton20Click() {}
void TForm1::PasteClipboardToMainClick() {}
void TForm1::ResetButtonClick() {}

}  // namespace quill
