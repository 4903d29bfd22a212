#pragma once

#include <array>
#include <string>

namespace quellmark {

enum class OptionState : unsigned char {
    No,
    WantYes,  // we asked for it and the server has not answered yet
    Yes,
};

// Which Telnet options are in effect in either direction, and the answers to the server's
// WILL, WONT, DO and DONT. Follows the Q method of RFC 1143 so that no request is ever answered
// with the state already in effect, which is what keeps two peers from negotiating in a loop.
// We never change our mind after the offers, so its queue and WANTNO states are not needed.
// Wanted: BINARY both ways, SUPPRESS-GO-AHEAD both ways, COM-PORT-OPTION on our side.
class TelnetNegotiation {
public:
    TelnetNegotiation();

    // The offers to make once, right after connecting.
    const std::string& Offers() const { return offers_; }

    // `verb` is WILL, WONT, DO or DONT; the result is empty when no answer is due.
    std::string Answer(unsigned char verb, unsigned char option);

    // An option that we perform (the server's DO and DONT)...
    OptionState Ours(unsigned char option) const { return ours_[option]; }
    // ...and one that the server performs (its WILL and WONT).
    OptionState Theirs(unsigned char option) const { return theirs_[option]; }

private:
    void Offer(unsigned char verb, unsigned char option);

    std::array<OptionState, 256> ours_{};
    std::array<OptionState, 256> theirs_{};
    std::string offers_;
};

}  // namespace quellmark
