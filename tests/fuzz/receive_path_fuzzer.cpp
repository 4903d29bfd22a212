// Arbitrary bytes, cut into arbitrary chunks, go through the receive path of a connected
// controller. Whatever arrives, the sliders stay in range, the line buffer stays within its cap
// and nothing is written.
#include <algorithm>
#include <cstdint>

#include "fakes.h"
#include "fuzz_check.h"
#include "gain_scale.h"

using namespace quellmark;
using namespace quellmark::GainScale;

// The first byte of each chunk gives its length, so the fuzzer explores every way of splitting.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::Rig rig;
    for (std::size_t offset = 0; offset < size;) {
        const std::size_t length = 1 + data[offset++] % 64;
        const std::size_t taken = std::min(length, size - offset);
        rig.port->Receive(std::string(reinterpret_cast<const char*>(data + offset), taken));
        offset += taken;
        const int tx = rig.view.positions[Slider::Slider1];
        const int rx = rig.view.positions[Slider::Slider2];
        Check(rig.controller.LineBufferSize() <= LineBuffer::kCapacity);
        Check(tx >= kTxPositionMin && tx <= kTxPositionMax);
        Check(rx >= kRxPositionMin && rx <= kRxPositionMax);
        // Replies only ever move the RX slider to even positions, which have a device value.
        Check(RxDeviceValue(rx).has_value());
    }
    Check(rig.port->writes.empty());
    return 0;
}
