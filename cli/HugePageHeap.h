#pragma once

#include <cstddef>

namespace cli {

// Lets the heap grow in transparent huge pages. A command on a long table makes many small
// allocations (cells, texts, the libraries' own records), and touching each new 4 KiB page
// of heap costs a page fault; in 2 MiB pages that cost nearly vanishes. Harmless where the
// system gives no huge pages. Call first thing in main.
void UseHugePagesForHeap();

// Maps the first `bytes` of the heap that UseHugePagesForHeap set up (at most all of it), so
// that the command finds them ready: run on a second thread while the first reads its file,
// the pages are cleared there rather than on the first touch. Does nothing without that heap.
void PrefaultHeap(std::size_t bytes);

}  // namespace cli
