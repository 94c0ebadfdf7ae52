// Large pages for the heap of a short job. Reading a large set builds a model of several
// megabytes in fresh memory, and every first touch of a small page is a fault; on some machines
// (virtual ones above all) those faults cost as much as reading all the files. Where the system
// lets a program ask for large pages, the heap is made of them.
#pragma once

namespace tarnwick {

// Call once, early, in a process that may build a large model. Does nothing where the
// system offers no such request; never fails.
void PreferLargeHeapPages();

}  // namespace tarnwick
