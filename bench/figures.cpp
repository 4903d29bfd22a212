#include "figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace quellmark::bench {

double Median(std::vector<double> samples) {
    return Percentile(std::move(samples), 50);
}

double Percentile(std::vector<double> samples, double p) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const auto rank = std::size_t(std::ceil(p / 100 * double(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

void PrintFigure(const std::string& figure, const std::string& measured, const std::string& target,
                 bool met) {
    std::printf("%s\t%s\t%s\t%s\n", figure.c_str(), measured.c_str(), target.c_str(),
                met ? "yes" : "no");
    std::fflush(stdout);
}

void PrintFigure(const std::string& figure, const std::string& measured) {
    std::printf("%s\t%s\t-\t-\n", figure.c_str(), measured.c_str());
    std::fflush(stdout);
}

std::string Fixed(double value, int decimals) {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(decimals);
    text << value;
    return text.str();
}

}  // namespace quellmark::bench
