// The program's own operator new, which fails on request (the tests run on one thread).
#include "tests/drawing/RefusedAllocations.h"

#include <cstdlib>
#include <new>

namespace {

bool gRefuse = false;
int gRefused = 0;

}  // namespace

void* operator new(std::size_t size) {
  if (gRefuse) {
    ++gRefused;
    throw std::bad_alloc();
  }
  if (void* const block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace drawingtest {

int RefusedAllocations(const std::function<void()>& call) {
  gRefused = 0;
  gRefuse = true;
  call();
  gRefuse = false;
  return gRefused;
}

}  // namespace drawingtest
