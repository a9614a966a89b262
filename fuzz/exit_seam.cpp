// exit() turned into a jump back to the fuzz target (see exit_seam.h).
#include "fuzz/exit_seam.h"

#include <csetjmp>
#include <cstdio>

extern "C" [[noreturn]] void __real_exit(int status);

namespace {
std::jmp_buf* exit_target = nullptr;
int exit_status = 0;
}  // namespace

extern "C" [[noreturn]] void __wrap_exit(int status) {
  if (exit_target == nullptr) __real_exit(status);
  exit_status = status;
  std::fflush(stdout);
  std::fflush(stderr);
  std::longjmp(*exit_target, 1);
}

int run_until_exit(const std::function<void()>& body) {
  std::jmp_buf here;
  std::jmp_buf* outer = exit_target;
  exit_target = &here;
  int status = -1;
  if (setjmp(here) == 0) {
    body();
  } else {
    status = exit_status;
  }
  exit_target = outer;
  return status;
}
