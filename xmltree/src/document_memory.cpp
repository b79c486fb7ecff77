#include "document_memory.h"

#include <cstddef>
#include <new>
#include <utility>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

namespace xmltree {

struct DocumentMemory::Block {
  Block* previous;
  Block* next;
};

namespace {

// The links take as much room as keeps every block aligned for any type.
constexpr std::size_t kLinkBytes = (sizeof(void*) * 2 + alignof(std::max_align_t) - 1) /
                                   alignof(std::max_align_t) * alignof(std::max_align_t);

}  // namespace

DocumentMemory::~DocumentMemory() {
  while (held_) {
    Block* previous = held_->previous;
    ::operator delete(held_);
    held_ = previous;
  }
}

void DocumentMemory::Limit(std::size_t bytes, std::function<void()> exceeded) {
  limit_ = allocated_ + bytes;
  exceeded_ = std::move(exceeded);
  limited_ = true;
}

xercesc::MemoryManager* DocumentMemory::getExceptionMemoryManager() {
  return xercesc::XMLPlatformUtils::fgMemoryManager;
}

void* DocumentMemory::allocate(XMLSize_t size) {
  allocated_ += size;
  if (limited_ && allocated_ > limit_) {
    limited_ = false;  // what the handler and the unwinding allocate is not refused
    exceeded_();
  }
  void* raw;
  try {
    raw = ::operator new(kLinkBytes + size);
  } catch (const std::bad_alloc&) {
    // The one exception the parser is written to pass on untouched.
    throw xercesc::OutOfMemoryException();
  }
  Block* block = new (raw) Block{held_, nullptr};
  if (held_) held_->next = block;
  held_ = block;
  return static_cast<char*>(raw) + kLinkBytes;
}

void DocumentMemory::deallocate(void* memory) {
  if (!memory) return;
  Block* block = reinterpret_cast<Block*>(static_cast<char*>(memory) - kLinkBytes);
  if (block->next) {
    block->next->previous = block->previous;
  } else {
    held_ = block->previous;
  }
  if (block->previous) block->previous->next = block->next;
  ::operator delete(block);
}

}  // namespace xmltree
