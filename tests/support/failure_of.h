// failure_of.h - the description of the run-time error that a call raises,
// and whether a call ended the program.
//
// failureOf(call) runs call and returns the description of the RuntimeError
// it raises, for comparison with the exact text the player reads. A call that
// returns, or that raises another std::exception, fails the test at the
// caller's line, and the text returned then says what happened instead, so
// that the comparison fails as well and shows it beside the expected text.
// Anything thrown that is no std::exception (ProgramEnded) passes through.
//
// endsProgram(call) runs call and says whether it ended the program, which
// under the recording toolkit is the ProgramEnded it throws.
#pragma once

#include "diag/runtime_error.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <exception>
#include <source_location>
#include <string>
#include <utility>

namespace nk::test {

template <class Call>
std::string failureOf(Call&& call, std::source_location where = std::source_location::current()) {
  try {
    std::forward<Call>(call)();
  } catch (const RuntimeError& e) {
    return e.description();
  } catch (const std::exception& e) {
    const std::string other = std::string("(another exception: ") + e.what() + ")";
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << other;
    return other;
  }
  const std::string none = "(no run-time error was raised)";
  ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << none;
  return none;
}

template <class Call>
bool endsProgram(Call&& call) {
  try {
    std::forward<Call>(call)();
  } catch (const ProgramEnded&) {
    return true;
  }
  return false;
}

}  // namespace nk::test
