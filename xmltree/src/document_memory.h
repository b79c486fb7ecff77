#pragma once

#include <cstddef>
#include <functional>
#include <xercesc/framework/MemoryManager.hpp>

namespace xmltree {

/// The memory manager of one parse and of the document it builds, which keeps
/// using it for as long as it lives. It counts every byte handed out; while a
/// limit is set, the allocation that takes the count past it lifts the limit
/// and calls the handler given, which must throw. Whatever is still held when
/// it is destroyed is freed: a parser stopped by an exception leaves blocks
/// behind that nothing else frees.
class DocumentMemory : public xercesc::MemoryManager {
 public:
  DocumentMemory() = default;
  ~DocumentMemory() override;
  DocumentMemory(const DocumentMemory&) = delete;
  DocumentMemory& operator=(const DocumentMemory&) = delete;

  /// Allows `bytes` more to be handed out from now on.
  void Limit(std::size_t bytes, std::function<void()> exceeded);
  void Unlimit() { limited_ = false; }

  /// Exceptions take their memory from the library's own manager, so that
  /// none depends on a document's lifetime.
  xercesc::MemoryManager* getExceptionMemoryManager() override;
  /// Throws OutOfMemoryException when no memory is left.
  void* allocate(XMLSize_t size) override;
  void deallocate(void* block) override;

 private:
  struct Block;  ///< the links ahead of each block handed out

  Block* held_ = nullptr;  ///< the last block handed out and not yet freed
  std::size_t allocated_ = 0;
  std::size_t limit_ = 0;
  bool limited_ = false;
  std::function<void()> exceeded_;
};

}  // namespace xmltree
