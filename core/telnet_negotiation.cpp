#include "telnet_negotiation.h"

#include "telnet_codes.h"

namespace quellmark {

using namespace telnet;

namespace {

std::string Command(unsigned char verb, unsigned char option) {
    return {char(kIac), char(verb), char(option)};
}

bool Wanted(bool theirs, unsigned char option) {
    return option == kBinary || option == kSuppressGoAhead || (!theirs && option == kComPortOption);
}

}  // namespace

TelnetNegotiation::TelnetNegotiation() {
    Offer(kWill, kComPortOption);
    Offer(kWill, kBinary);
    Offer(kDo, kBinary);
    Offer(kDo, kSuppressGoAhead);
}

void TelnetNegotiation::Offer(unsigned char verb, unsigned char option) {
    (verb == kWill ? ours_ : theirs_)[option] = OptionState::WantYes;
    offers_ += Command(verb, option);
}

std::string TelnetNegotiation::Answer(unsigned char verb, unsigned char option) {
    const bool theirs = verb == kWill || verb == kWont;
    OptionState& state = (theirs ? theirs_ : ours_)[option];
    const unsigned char refusal = theirs ? kDont : kWont;
    if (verb == kWill || verb == kDo) {
        if (state != OptionState::No) {
            state = OptionState::Yes;  // the answer to our offer, or a repeat
            return {};
        }
        const bool wanted = Wanted(theirs, option);
        state = wanted ? OptionState::Yes : OptionState::No;
        return Command(wanted ? (theirs ? kDo : kWill) : refusal, option);
    }
    const bool wasInEffect = state == OptionState::Yes;
    state = OptionState::No;
    return wasInEffect ? Command(refusal, option) : std::string();
}

}  // namespace quellmark
