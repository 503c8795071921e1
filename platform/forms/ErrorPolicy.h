#pragma once

namespace forms {

// One step of a handler that resumes on error: a failure anywhere in the step skips the rest of
// it, and the handler goes on with its next step.
template <class Step> void resumeNext(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

} // namespace forms
