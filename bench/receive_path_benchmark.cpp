// Throughput of the receive path: bytes fed to a connected controller, in MB/s.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "gain_controller.h"

namespace {

using namespace quellmark;

// A window that only keeps what the controller needs to read back.
class QuietView : public GainView {
public:
    void SetText(Element element, const std::string& text) override {
        texts_[static_cast<int>(element)] = text;
    }
    std::string GetText(Element element) const override {
        return texts_[static_cast<int>(element)];
    }
    void SetEnabled(Element, bool) override {}
    int GetPosition(Slider slider) const override { return positions_[static_cast<int>(slider)]; }
    void SetPosition(Slider slider, int position) override {
        positions_[static_cast<int>(slider)] = position;
    }
    void AddListEntry(const std::string&) override {}
    int GetListIndex() const override { return 0; }
    void SetListIndex(int) override {}
    void ShowError(const std::string&) override {}

private:
    std::string texts_[10];
    int positions_[2] = {0, 0};
};

class OpenPort : public SerialPort {
public:
    void SetEventHandler(std::function<void()>) override {}
    void SetPortNumber(int) override {}
    bool Open() override { return true; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    void Write(const std::string&) override {}
    std::size_t WaitingCount() const override { return 0; }
    std::string ReadAll() override { return {}; }
};

std::string ReplyStream() {
    std::string stream;
    for (int i = 0; i < 1000; ++i) {
        // Appended piece by piece: GCC 12 warns falsely on literal + std::string at -O3.
        stream += "gsm+ A at+vgr?;+vgt?+VGR: ";
        stream += std::to_string(i % 256);
        stream += "\r\ngsm+ A at+vgr?;+vgt?+VGT: ";
        stream += std::to_string(i % 103);
        stream += "\r\nOK\r\n";
    }
    return stream;
}

std::string RandomBytes() {
    std::mt19937 random(42);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

void Feed(benchmark::State& state, const std::string& stream) {
    QuietView view;
    GainController controller(view, std::make_unique<OpenPort>(), ".");
    controller.OnStartup();
    for (auto _ : state) {
        controller.FeedReceived(stream);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}

void BM_ReplyStream(benchmark::State& state) {
    Feed(state, ReplyStream());
}
void BM_RandomBytes(benchmark::State& state) {
    Feed(state, RandomBytes());
}

BENCHMARK(BM_ReplyStream);
BENCHMARK(BM_RandomBytes);

}  // namespace

BENCHMARK_MAIN();
