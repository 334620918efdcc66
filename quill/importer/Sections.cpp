// The section: its position and size controls and the refresh CopyImageOver.
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::MyXScrollBarChange() {}
void TForm1::MyYScrollBarChange() {}
void TForm1::SectionSizeGaugeBarChange() {}
void TForm1::SectionHeightGaugeBarChange() {}
void TForm1::StaticText6Click() {}
void TForm1::StaticText1Click() {}

void TForm1::CopyImageOver(int x, int y) {
  if (!FImageLoaded || FCopyBusy) return;
  FCopyBusy = true;
  ++sectionRefreshCount_;
  FCopyBusy = false;
}

}  // namespace quill
