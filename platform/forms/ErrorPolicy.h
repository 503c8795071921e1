#pragma once

namespace forms {

// Thrown out of message processing once the form has been closed: whatever handler is running
// ends there, so the program ends with its window.
struct FormClosed {};

// One step of a handler that resumes on error: a failure anywhere in the step skips the rest of
// it, and the handler goes on with its next step. A closed form is not a failure: it ends the
// handler.
template <class Step> void resumeNext(Step&& step) {
    try {
        step();
    } catch (const FormClosed&) {
        throw;
    } catch (...) {
    }
}

} // namespace forms
