#pragma once

#include <cstdlib>
#include <iostream>

namespace fuzzing {

// Ends the run with a crash the fuzzer records when a property of the readers fails.
inline void check(bool condition, const char* what) {
    if (!condition) {
        std::cerr << "property failed: " << what << '\n';
        std::abort();
    }
}

}  // namespace fuzzing
