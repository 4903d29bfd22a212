// Arbitrary bytes, cut into arbitrary chunks, go through the receive path of a connected
// controller. Whatever arrives, the sliders stay in range, the labels agree with the scales and
// the line buffer stays within its cap.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fakes.h"
#include "gain_controller.h"
#include "gain_scale.h"

namespace {

using namespace quellmark;
using namespace quellmark::testing;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckPanels(FakeView& view) {
    const int tx = view.positions[Slider::Slider1];
    const int rx = view.positions[Slider::Slider2];
    Check(tx >= GainScale::kTxPositionMin && tx <= GainScale::kTxPositionMax);
    Check(rx >= GainScale::kRxPositionMin && rx <= GainScale::kRxPositionMax);
    Check(view.texts[Element::Label1] == GainScale::TxGainText(tx, "."));
    Check(view.texts[Element::Label2] == std::to_string(GainScale::TxDeviceValue(tx)));
    Check(view.texts[Element::Label7] == GainScale::RxGainText(rx));
    // Replies only ever move the RX slider to even positions, which have a device value.
    Check(view.texts[Element::Label8] == std::to_string(*GainScale::RxDeviceValue(rx)));
}

}  // namespace

// The first byte of each chunk gives its length, so the fuzzer explores every way of splitting.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CallLog log;
    FakeView view(log);
    auto ownedPort = std::make_unique<FakeSerialPort>(log);
    FakeSerialPort& port = *ownedPort;
    GainController controller(view, std::move(ownedPort), ".");
    controller.OnStartup();
    controller.OnConnectToggle();

    std::size_t offset = 0;
    while (offset < size) {
        const std::size_t length = 1 + data[offset++] % 64;
        const std::size_t taken = std::min(length, size - offset);
        port.Receive(std::string(reinterpret_cast<const char*>(data + offset), taken));
        offset += taken;
        Check(controller.LineBufferSize() <= LineBuffer::kCapacity);
        CheckPanels(view);
        log.clear();
    }
    Check(port.writes.empty());
    return 0;
}
