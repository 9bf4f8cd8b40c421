#pragma once

#include <cstddef>

// The memory of menu entries. Entries come and go a tree at a time: a
// download or a stored menu builds a new tree as the old one goes. Blocks
// given back are kept on free lists by size, one set per thread, and handed
// out again, so a tree like the last one asks the heap only for its texts.
// What a thread keeps goes back to the heap when the thread ends.
void* TakeEntryBlock(std::size_t size);
void GiveEntryBlock(void* block, std::size_t size) noexcept;
