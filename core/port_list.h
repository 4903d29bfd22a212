#pragma once

#include <functional>
#include <string>
#include <vector>

// The ports the program offers: COM 1 to COM 10, each of which QUELLMARK_COM<n> can point at a
// device of the user's choice. Every program that opens a port numbers it this way.
namespace quellmark {

inline constexpr int kPortCount = 10;

// The port list's entry for port `number`: "COM 3".
std::string PortEntryText(int number);

// The environment variable that names the device for port `number`: "QUELLMARK_COM3".
std::string PortVariableName(int number);

// Returns the value of an environment variable, or an empty string when it is not set.
using EnvironmentLookup = std::function<std::string(const char* name)>;

// What ports 1 to kPortCount lead to, for people, in order; asked afresh at every call, as
// devices come and go.
using PortDescriber = std::function<std::vector<std::string>()>;

// What the system says port `number` leads to, for people; empty when it has no such port.
using SystemPortDescriber = std::function<std::string(int number)>;

// The device that the variable names for port `number`; empty when it is not set and for any
// number outside 1 to kPortCount.
std::string ConfiguredDevice(int number, const EnvironmentLookup& environment);

// What ports 1 to kPortCount lead to, for people, in order: "<device> (QUELLMARK_COM<n>)" for a
// device named by the variable, else what `system` says of the port, else "Kein Gerät". The system
// is asked only about the ports that no variable names.
std::vector<std::string> DescribePorts(const EnvironmentLookup& environment,
                                       const SystemPortDescriber& system);

}  // namespace quellmark
