#pragma once
// A captioned group of radio buttons laid out in Columns columns. ItemIndex is
// the selected item, -1 for none; changing it, by the user or by the program,
// fires OnClick.
#include <string>
#include <vector>

#include "quill/ui/Control.h"

namespace quill {

class TRadioGroup : public TControl {
 public:
  explicit TRadioGroup(std::string name) : TControl(ckRadioGroup, std::move(name)) {}

  const std::vector<std::string>& Items() const { return items_; }
  // An index left beyond the new list becomes -1 (no selection) without an event.
  void SetItems(std::vector<std::string> items);

  int Columns() const { return columns_; }
  // At least one column.
  void SetColumns(int columns);

  int ItemIndex() const { return itemIndex_; }
  // Values below -1 become -1, values past the last item the last item.
  void SetItemIndex(int index);

  // A user's click on item index; clicking the selected item changes nothing.
  void ClickItem(int index);

  TNotifyEvent OnClick;

 private:
  std::vector<std::string> items_;
  int columns_ = 1;
  int itemIndex_ = -1;
};

}  // namespace quill
