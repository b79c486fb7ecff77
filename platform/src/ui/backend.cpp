#include "backend.h"

#include "headless/headless_backend.h"

namespace ui {
namespace {

std::unique_ptr<Backend>& Installed() {
  static std::unique_ptr<Backend> backend = std::make_unique<HeadlessBackend>();
  return backend;
}

}  // namespace

Backend& CurrentBackend() { return *Installed(); }

void InstallBackend(std::unique_ptr<Backend> backend) { Installed() = std::move(backend); }

}  // namespace ui
