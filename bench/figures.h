#pragma once

#include <string>
#include <vector>

namespace quellmark::bench {

double Median(std::vector<double> samples);
// Nearest-rank percentile, p in (0, 100].
double Percentile(std::vector<double> samples, double p);

// One row of the benchmark table on stdout, tab-separated: figure, measured value, target, and
// whether the target is met. scripts/bench gathers these rows from every benchmark program.
void PrintFigure(const std::string& figure, const std::string& measured, const std::string& target,
                 bool met);
// A row that has no target of its own, printed for context.
void PrintFigure(const std::string& figure, const std::string& measured);

// A number with the given count of decimals.
std::string Fixed(double value, int decimals);

}  // namespace quellmark::bench
