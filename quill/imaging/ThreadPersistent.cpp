#include "quill/imaging/ThreadPersistent.h"

#include "quill/base/Errors.h"

namespace quill {

void TThreadPersistent::EndUpdate() {
  if (updateCount_ <= 0) throw EInternalError("Unpaired TThreadPersistent.EndUpdate");
  --updateCount_;
}

void TThreadPersistent::NotifyChanged() {
  if (updateCount_ == 0 && OnChange) OnChange();
}

namespace {
// The count of locked bitmaps has its own guard, apart from each bitmap's.
std::mutex gLockedCountGuard;
int gLockedCount = 0;
}  // namespace

void TThreadPersistent::Lock() const {
  lock_.lock();
  if (lockDepth_++ == 0) {
    std::lock_guard<std::mutex> guard(gLockedCountGuard);
    ++gLockedCount;
  }
}

void TThreadPersistent::Unlock() const {
  if (--lockDepth_ == 0) {
    std::lock_guard<std::mutex> guard(gLockedCountGuard);
    --gLockedCount;
  }
  lock_.unlock();
}

int TThreadPersistent::LockedCount() {
  std::lock_guard<std::mutex> guard(gLockedCountGuard);
  return gLockedCount;
}

}  // namespace quill
