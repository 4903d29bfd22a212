#include "gain_steps.h"

#include "gain_scale.h"

namespace quellmark::ctl {

namespace {

// The position whose device value is 0 is the one of 0 dB.
int TxZeroPosition() {
    return *GainScale::TxPositionFromDevice(0);
}

}  // namespace

std::variant<int, std::string> TxPositionFor(std::optional<long long> halfSteps) {
    if (!halfSteps) {
        return "liegt zwischen zwei Stufen (Schritte von 0,5 dB)";
    }
    const long long position = *halfSteps + TxZeroPosition();
    if (position < GainScale::kTxPositionMin || position > GainScale::kTxPositionMax) {
        return "liegt außerhalb von -6,5 bis 51 dB";
    }
    return int(position);
}

std::variant<int, std::string> RxGainFor(std::optional<long long> db) {
    if (!db || *db < GainScale::kRxPositionMin || *db > GainScale::kRxPositionMax) {
        return "ist keiner der Werte -22, -20 … 4, 6 dB";
    }
    if (!GainScale::RxDeviceValue(int(*db))) {
        return "ist ungerade; das Modem nimmt nur gerade Werte";
    }
    return int(*db);
}

int TxHalfStepsAt(int position) {
    return position - TxZeroPosition();
}

}  // namespace quellmark::ctl
