#include "quill/ui/RadioGroup.h"

#include <algorithm>

#include "quill/ui/EventDispatch.h"

namespace quill {

void TRadioGroup::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (itemIndex_ >= int(items_.size())) itemIndex_ = -1;
  NotifyTextChanged();
}

void TRadioGroup::SetColumns(int columns) {
  columns = std::max(columns, 1);
  if (columns == columns_) return;
  columns_ = columns;
  NotifyStateChanged();
}

void TRadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, int(items_.size()) - 1);
  if (index == itemIndex_) return;
  itemIndex_ = index;
  NotifyStateChanged();
  Dispatch(OnClick);
}

void TRadioGroup::ClickItem(int index) {
  if (!CanReceiveInput() || index < 0 || index >= int(items_.size())) return;
  SetItemIndex(index);
}

}  // namespace quill
