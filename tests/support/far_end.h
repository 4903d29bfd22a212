#pragma once

// The name the benchmarks know the pseudo-terminal by.
#include "pseudo_terminal.h"

namespace quellmark::faults {
using FarEnd = test_support::PseudoTerminal;
}
