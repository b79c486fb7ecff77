#include "document_memory.h"

#include <new>
#include <utility>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

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
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    // The one exception the parser is written to pass on untouched.
    throw xercesc::OutOfMemoryException();
  }
}

void DocumentMemory::deallocate(void* block) { ::operator delete(block); }
