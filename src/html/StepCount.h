// A count of the engine's work, so that a test can hold it in proportion to the input without
// timing anything: every loop whose trip count can grow with the input calls countStep once a
// trip (or once with the distance a search covers). Only a build with HARFPAD_HTML_COUNT_STEPS
// counts; everywhere else the calls compile to nothing.
#pragma once

#include <cstddef>

namespace harfpad::html {

#ifdef HARFPAD_HTML_COUNT_STEPS
inline std::size_t countedSteps = 0;  // read and reset by the test
inline void countStep(std::size_t n = 1) {
    countedSteps += n;
}
#else
inline void countStep(std::size_t = 1) {}
#endif

}  // namespace harfpad::html
