#include "quill/imaging/PixelBlocks.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace quill::pixelblocks {

namespace {

// A large block carries its real size in front of the pixels, since a kept
// block may serve a smaller request and must be given back whole.
struct alignas(16) TBlockHeader {
  std::size_t Capacity;
  bool Fresh;  // straight from the system, its pages not yet written
};

constexpr int kKeptSlots = 2;

struct TKept {
  TBlockHeader* Blocks[kKeptSlots] = {};
  std::size_t Bytes = 0;
};

TKept kept;
std::atomic_flag busy = ATOMIC_FLAG_INIT;

// Pictures are made on one thread at a time in practice; the lock only keeps
// the list whole if that ever changes.
class TLock {
 public:
  TLock() {
    while (busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~TLock() { busy.clear(std::memory_order_release); }
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;
};

TBlockHeader* TakeKept(std::size_t bytes) {
  TLock lock;
  int best = -1;
  for (int i = 0; i < kKeptSlots; ++i) {
    const TBlockHeader* b = kept.Blocks[i];
    if (b == nullptr || b->Capacity < bytes || b->Capacity / 2 > bytes) continue;
    if (best < 0 || b->Capacity < kept.Blocks[best]->Capacity) best = i;
  }
  if (best < 0) return nullptr;
  TBlockHeader* block = kept.Blocks[best];
  kept.Blocks[best] = nullptr;
  kept.Bytes -= block->Capacity;
  return block;
}

}  // namespace

void* Take(std::size_t bytes) {
  if (bytes < kMinKeptBytes) {
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
  }
  if (TBlockHeader* block = TakeKept(bytes)) {
    block->Fresh = false;
    return block + 1;
  }
  if (bytes > static_cast<std::size_t>(-1) - sizeof(TBlockHeader)) throw std::bad_alloc();
  void* raw = std::malloc(sizeof(TBlockHeader) + bytes);
  if (raw == nullptr && ReleaseKept() > 0) raw = std::malloc(sizeof(TBlockHeader) + bytes);
  if (raw == nullptr) throw std::bad_alloc();
  TBlockHeader* block = static_cast<TBlockHeader*>(raw);
  block->Capacity = bytes;
  block->Fresh = true;
  return block + 1;
}

void Give(void* p, std::size_t bytes) noexcept {
  if (p == nullptr) return;
  if (bytes < kMinKeptBytes) {
    std::free(p);
    return;
  }
  TBlockHeader* block = static_cast<TBlockHeader*>(p) - 1;
  if (block->Capacity > kMaxKeptBytes) {
    std::free(block);
    return;
  }
  TBlockHeader* dropped[kKeptSlots] = {};
  {
    TLock lock;
    // Oldest first: the newest block is the likeliest to be asked for again,
    // so room is made by dropping the oldest.
    int used = 0;
    for (TBlockHeader* b : kept.Blocks) used += b != nullptr;
    int next = 0;
    while (used == kKeptSlots || kept.Bytes + block->Capacity > kMaxKeptBytes) {
      TBlockHeader*& oldest = kept.Blocks[next++];
      if (oldest == nullptr) continue;
      kept.Bytes -= oldest->Capacity;
      dropped[next - 1] = oldest;
      oldest = nullptr;
      --used;
    }
    int slot = 0;
    for (int i = 0; i < kKeptSlots; ++i)
      if (kept.Blocks[i] != nullptr) kept.Blocks[slot++] = kept.Blocks[i];
    for (int i = slot; i < kKeptSlots; ++i) kept.Blocks[i] = nullptr;
    kept.Blocks[slot] = block;
    kept.Bytes += block->Capacity;
  }
  for (TBlockHeader* b : dropped) std::free(b);
}

std::size_t ReleaseKept() noexcept {
  TBlockHeader* blocks[kKeptSlots];
  std::size_t freed = 0;
  {
    TLock lock;
    for (int i = 0; i < kKeptSlots; ++i) {
      blocks[i] = kept.Blocks[i];
      kept.Blocks[i] = nullptr;
    }
    freed = kept.Bytes;
    kept.Bytes = 0;
  }
  for (TBlockHeader* b : blocks) std::free(b);
  return freed;
}

TPagesAhead::TPagesAhead(void* block, std::size_t bytes, std::size_t from) noexcept : done_(from) {
  constexpr std::size_t kPage = 4096;
  if (bytes < kMinKeptBytes || from >= bytes || !static_cast<TBlockHeader*>(block)[-1].Fresh ||
      std::thread::hardware_concurrency() < 2)
    return;
  try {
    thread_ = std::thread([this, block, bytes, from] {
      volatile char* const first = static_cast<char*>(block);
      for (std::size_t offset = from; offset < bytes && !stop_.load(std::memory_order_relaxed); offset += kPage) {
        first[offset] = 0;
        done_.store(offset + kPage, std::memory_order_release);
      }
    });
  } catch (...) {
    // No thread: the owner takes the faults itself, as without this.
  }
}

void TPagesAhead::Stop() noexcept {
  stop_.store(true, std::memory_order_relaxed);
  if (thread_.joinable()) thread_.join();
}

}  // namespace quill::pixelblocks
