#pragma once

#include "app/batch_check.h"

#include <string>
#include <vector>

namespace tessaly::app {

// How a list of books came out.
struct BatchSummary {
    int books = 0;
    int passed = 0;
    int warnings = 0; // passed, with warnings
    int errors = 0;
    int failed = 0;   // the checker failed or could not be started

    void add(const BookOutcome& outcome);
    // Every book passed (warnings allowed).
    bool allPassed() const { return errors == 0 && failed == 0; }
};

// The results in the command line's three formats. Each line ends with a
// line feed.

// "BOOK: VERDICT".
std::string textLine(const BookOutcome& outcome);
// "12 books: 9 passed, 3 with errors" (with warnings and failed checks
// named only when there are any).
std::string textSummary(const BatchSummary& summary);

// One JSON object per book, on one line: the book, the verdict, its kind,
// the counts, the exit code, the seconds taken and, when there is one, the
// report file.
std::string jsonLine(const BookOutcome& outcome, const std::string& reportFile);
// {"summary": {...}} on one line.
std::string jsonSummary(const BatchSummary& summary);

// A JUnit XML document: one test suite, one test case per book (in list
// order) with a failure for errors, an error for a failed check, and the
// checker's output as the case's standard output.
std::string junitDocument(const std::vector<BookOutcome>& outcomes);

} // namespace tessaly::app
