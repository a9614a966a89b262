// Program entry.
#include "driver/command_line.h"
#include "driver/heap.h"

int main(int argc, char** argv) {
  prepare_heap();
  return run_vornc(argc, argv);
}
