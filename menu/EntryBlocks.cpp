#include "menu/EntryBlocks.h"

#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ENTRY_BLOCKS_POISONED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ENTRY_BLOCKS_POISONED 1
#endif

#ifdef ENTRY_BLOCKS_POISONED
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#endif

namespace {

constexpr std::size_t kGrain = 16;
// Blocks up to 128 bytes are kept; every entry class fits.
constexpr std::size_t kSizeClasses = 8;
// The most entries a menu text can give, one site per four bytes of the
// largest text read; more are not worth keeping.
constexpr std::size_t kMaxKept = 65536 / 4;

struct FreeBlock {
    FreeBlock* next;
};

// Trivially destructible, so that entries dropped while the thread's other
// objects are destroyed still find it.
struct FreeLists {
    FreeBlock* head[kSizeClasses];
    std::size_t kept[kSizeClasses];
    bool closed; // the thread is ending: blocks go straight back to the heap
};
thread_local FreeLists t_lists;

// Hands the kept blocks back to the heap as the thread ends.
struct FreeListsRelease {
    ~FreeListsRelease() {
        t_lists.closed = true;
        for (std::size_t sizeClass = 0; sizeClass < kSizeClasses; ++sizeClass)
            while (t_lists.head[sizeClass] != nullptr)
                ::operator delete(TakeEntryBlock((sizeClass + 1) * kGrain));
    }
    void Arm() {}
};
thread_local FreeListsRelease t_release;

// The free list for blocks of size bytes, or kSizeClasses when none is kept.
std::size_t SizeClass(std::size_t size) {
    return size == 0 ? kSizeClasses : (size - 1) / kGrain;
}

} // namespace

void* TakeEntryBlock(std::size_t size) {
    const std::size_t sizeClass = SizeClass(size);
    if (sizeClass >= kSizeClasses)
        return ::operator new(size);
    FreeBlock* const block = t_lists.head[sizeClass];
    if (block == nullptr)
        return ::operator new((sizeClass + 1) * kGrain);
    ASAN_UNPOISON_MEMORY_REGION(block, (sizeClass + 1) * kGrain);
    t_lists.head[sizeClass] = block->next;
    --t_lists.kept[sizeClass];
    return block;
}

void GiveEntryBlock(void* block, std::size_t size) noexcept {
    const std::size_t sizeClass = SizeClass(size);
    if (sizeClass >= kSizeClasses || t_lists.closed || t_lists.kept[sizeClass] == kMaxKept) {
        ::operator delete(block);
        return;
    }
    if (t_lists.kept[sizeClass] == 0)
        t_release.Arm(); // from now on there is something to release
    auto* const freeBlock = static_cast<FreeBlock*>(block);
    freeBlock->next = t_lists.head[sizeClass];
    t_lists.head[sizeClass] = freeBlock;
    ++t_lists.kept[sizeClass];
    // A use after the entry is gone reads a poisoned block.
    ASAN_POISON_MEMORY_REGION(freeBlock, (sizeClass + 1) * kGrain);
}
