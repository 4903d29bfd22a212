#pragma once

// The byte values of Telnet commands, and of the options this program takes part in.
namespace quellmark::telnet {

inline constexpr unsigned char kSe = 240;  // ends a subnegotiation
inline constexpr unsigned char kSb = 250;  // starts a subnegotiation
inline constexpr unsigned char kWill = 251;
inline constexpr unsigned char kWont = 252;
inline constexpr unsigned char kDo = 253;
inline constexpr unsigned char kDont = 254;
inline constexpr unsigned char kIac = 255;  // starts a command; doubled, a data byte 0xFF

inline constexpr unsigned char kBinary = 0;
inline constexpr unsigned char kSuppressGoAhead = 3;
inline constexpr unsigned char kComPortOption = 44;

}  // namespace quellmark::telnet
