#pragma once
// The update counter, change event and lock that the bitmap classes share.
#include <functional>
#include <mutex>

namespace quill {

class TThreadPersistent {
 public:
  virtual ~TThreadPersistent() = default;
  void BeginUpdate() { ++updateCount_; }
  // Throws EInternalError "Unpaired TThreadPersistent.EndUpdate" when unpaired.
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  // Fires OnChange only outside BeginUpdate / EndUpdate.
  void NotifyChanged();
  // Held by the image view while it paints the pixels and by resizing while
  // it replaces them; recursive, so a change handler may lock again.
  void Lock() const;
  void Unlock() const;
  // How many bitmaps are locked right now, over all bitmaps of the process.
  static int LockedCount();

  std::function<void()> OnChange;

 private:
  int updateCount_ = 0;
  mutable int lockDepth_ = 0;
  mutable std::recursive_mutex lock_;
};

// Holds a bitmap's lock for one scope.
class TBitmapLock {
 public:
  explicit TBitmapLock(const TThreadPersistent& bitmap) : bitmap_(bitmap) { bitmap_.Lock(); }
  ~TBitmapLock() { bitmap_.Unlock(); }
  TBitmapLock(const TBitmapLock&) = delete;
  TBitmapLock& operator=(const TBitmapLock&) = delete;

 private:
  const TThreadPersistent& bitmap_;
};

}  // namespace quill
