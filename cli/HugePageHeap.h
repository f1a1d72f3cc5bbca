#pragma once

namespace cli {

// Lets the heap grow in transparent huge pages. A command on a long table makes many small
// allocations (cells, texts, the libraries' own records), and touching each new 4 KiB page
// of heap costs a page fault; in 2 MiB pages that cost nearly vanishes. Harmless where the
// system gives no huge pages. Call first thing in main.
void UseHugePagesForHeap();

}  // namespace cli
