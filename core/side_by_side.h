#pragma once
// Runs two independent tasks at once and returns when both are done: the
// report's only use of a second thread, for work that shares no data.

#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace ulmar {

// Runs `second` on a thread of its own while `first` runs on the caller's;
// where no thread can be had, runs them one after the other. An exception
// from either reaches the caller once both have ended.
template <class First, class Second>
void sideBySide(First&& first, Second&& second) {
  std::exception_ptr secondFailure;
  std::thread helper;
  try {
    helper = std::thread([&second, &secondFailure] {
      try {
        second();
      } catch (...) {
        secondFailure = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    second();
  }
  std::exception_ptr firstFailure;
  try {
    first();
  } catch (...) {
    firstFailure = std::current_exception();
  }
  if (helper.joinable()) helper.join();
  if (firstFailure) std::rethrow_exception(firstFailure);
  if (secondFailure) std::rethrow_exception(secondFailure);
}

}  // namespace ulmar
