/// Preparation of the heap for a run: the model is built from many small
/// allocations that all live until the process ends.
#pragma once

/// Grows the heap once by a generous margin and advises the kernel to back
/// it with transparent huge pages where it offers them on request. A run
/// touches a few thousand heap pages, and the faults of 4 KiB pages cost
/// more than scanning the definition files; with huge pages they nearly
/// vanish. Where huge pages are off, or the heap cannot grow in one piece,
/// nothing changes but the allocator's growth step.
void prepare_heap();
