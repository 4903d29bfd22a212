#pragma once

#include <string>
#include <string_view>

namespace quellmark {

// UTF-8 text as the line carries it: one byte per character in the system's ANSI code page, '?'
// for a character that the code page has no single byte for (one '?' also for a character outside
// the Basic Multilingual Plane, and for a byte that is not valid UTF-8). No best-fit look-alikes.
std::string ToAnsiBytes(std::string_view utf8);

}  // namespace quellmark
