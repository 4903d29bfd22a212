#pragma once

#include <QString>
#include <functional>

namespace quellmark {

// Returns the value of an environment variable, or an empty string when it is not set.
using EnvironmentLookup = std::function<QString(const char* name)>;

// The device behind port number 1..10: QUELLMARK_COM<n> when set, else the system's n-th serial
// port. Empty for any other number.
QString DevicePathForPort(int number, const EnvironmentLookup& environment);

QString SystemEnvironment(const char* name);

}  // namespace quellmark
