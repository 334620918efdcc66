// "Preview", "Export", " Rgb->Clip" and the prop grid switch.
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::TestDitherButtonClick() {}
void TForm1::ExportAVButtonClick() {}
void TForm1::CopyRGBToClipboardClick() {}
void TForm1::ShowPropsLabelDblClick() {}

}  // namespace quill
