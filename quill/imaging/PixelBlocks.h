#pragma once
// Storage for large pixel buffers that keeps a freed one for the next picture
// of about the same size.
//
// The Windows C runtime hands a large block straight back to the system when
// it is freed, so the next picture of the same size starts on fresh pages and
// pays a page fault for every 4 KB it writes: on a 12-megapixel reduction that
// was a third of the whole call. The importer makes pictures of the same sizes
// over and over (each preview, each dither mode, each export), so keeping the
// last freed blocks makes those calls cost only their work. Small blocks go to
// the ordinary allocator, which already reuses them.
#include <atomic>
#include <cstddef>
#include <memory>
#include <new>
#include <thread>
#include <utility>

namespace quill::pixelblocks {

// Blocks of at least this many bytes are served and kept here.
constexpr std::size_t kMinKeptBytes = std::size_t(1) << 20;
// At most this much freed memory is kept, and no single block larger, so that
// a 32-bit process never holds back much of its address space.
constexpr std::size_t kMaxKeptBytes = std::size_t(64) << 20;

// A block of at least bytes bytes, aligned as malloc aligns; throws
// std::bad_alloc. A kept block is reused only when it is no more than twice
// the size asked for.
void* Take(std::size_t bytes);

// Gives back a block from Take; bytes is the size asked for then.
void Give(void* block, std::size_t bytes) noexcept;

// Frees every kept block (also done before an allocation that fails is
// tried again). Returns the bytes freed.
std::size_t ReleaseKept() noexcept;

// A standard allocator over Take and Give, for the vectors pixels live in.
template <class T>
struct TAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = TAllocator<U>;
  };
  TAllocator() = default;
  template <class U>
  TAllocator(const TAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(Take(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { Give(p, n * sizeof(T)); }
};

// The same, leaving the elements a resize adds uninitialised, for storage its
// writer fills whole.
template <class T>
struct TUnfilledAllocator : TAllocator<T> {
  template <class U>
  struct rebind {
    using other = TUnfilledAllocator<U>;
  };
  TUnfilledAllocator() = default;
  template <class U>
  TUnfilledAllocator(const TUnfilledAllocator<U>&) noexcept {}
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// Writes one byte of every page of a block, in order from byte from on, on
// another processor while the block's owner fills it from the front. A block
// fresh from the system costs its writer a page fault for every 4 KB, on the
// machines measured two thirds of what decoding those 4 KB of a JPEG costs;
// here the faults are taken in parallel, ahead of the owner. The owner calls
// Reach before it writes below a byte: while the pages up to there are done
// it returns at once; if the owner has caught up, the thread is stopped and
// the owner goes on alone. So the two never write the same memory at once.
// Nothing is started for a small block, a kept one (its pages are already
// there) or on a single processor, where it would only take turns with the
// owner. block and bytes are as Take gave and was asked.
class TPagesAhead {
 public:
  TPagesAhead(void* block, std::size_t bytes, std::size_t from) noexcept;
  ~TPagesAhead() { Stop(); }
  TPagesAhead(const TPagesAhead&) = delete;
  TPagesAhead& operator=(const TPagesAhead&) = delete;
  void Reach(std::size_t upTo) noexcept {
    if (thread_.joinable() && done_.load(std::memory_order_acquire) < upTo) Stop();
  }

 private:
  void Stop() noexcept;

  // Below this byte the thread writes no more: every page before it is done.
  std::atomic<std::size_t> done_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace quill::pixelblocks
