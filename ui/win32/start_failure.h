#pragma once

#include <functional>

namespace quellmark::win32 {

// Runs `program` (the window's start and its message loop) and returns its exit code. An exception
// that leaves it ends in an error box titled "Quellmark" and exit code 1, not in a silent end.
int RunReportingFailure(const std::function<int()>& program);

}  // namespace quellmark::win32
