// Build with -DVELORA_FUZZ=ON and clang (see CMakeLists.txt beside this file).
// Feeds arbitrary bytes, in pieces, to the lines the program and its page
// window's process exchange: every line comes out whole and within the
// bound, decodes either into fields that encode and decode back to the same
// fields or into an error at a backslash, and every decoded line handed to
// both sides (the program's form and the window's) leaves them working.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "controls/Form.h"
#include "controls/WebBrowser.h"
#include "controls/remote/MirroredForm.h"
#include "controls/remote/RemoteFormWindow.h"
#include "controls/remote/RemoteLines.h"

namespace {

using namespace velora;
using namespace velora::controls;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

constexpr std::size_t kLongest = 256;

// Always running, never answering: what the form sends goes nowhere.
class SilentProcess final : public RemoteProcess {
public:
    void Start(RemoteProcessListener& listener) override { listener_ = &listener; }
    bool Running() const override { return listener_ != nullptr; }
    void Send(const RemoteFields&) override {}
    void Stop() override {}
    RemoteProcessListener* listener_ = nullptr;
};

struct NoCall final : platform::DelayedCall {};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    TForm programForm(nullptr);
    auto* programBrowser = component::CreateComponent<TWebBrowser>(programForm, "browser");
    SilentProcess process;
    RemoteFormWindow window(
        programForm, *programBrowser, process,
        [](int, std::function<void()>) -> std::unique_ptr<platform::DelayedCall> { return std::make_unique<NoCall>(); },
        1000);
    programBrowser->Navigate("http://127.0.0.1/send");

    TForm windowForm(nullptr);
    auto* windowBrowser = component::CreateComponent<TWebBrowser>(windowForm, kRemoteBrowser);
    MirroredForm mirror(windowForm, *windowBrowser, [](const RemoteFields&) {});

    RemoteLineSplitter splitter(kLongest);
    // The first byte chooses the size of the pieces the rest comes in.
    const std::size_t piece = size > 0 ? 1 + static_cast<unsigned char>(bytes[0]) % 64 : 1;
    for (std::size_t at = 0; at < size; at += piece) {
        splitter.Feed(bytes.substr(at, piece), [&](std::string_view line) {
            Check(line.size() <= kLongest && line.find('\n') == std::string_view::npos);
            auto decoded = DecodeRemoteLine(line);
            if (auto* error = std::get_if<RemoteLineError>(&decoded)) {
                Check(error->offset < line.size() && line[error->offset] == '\\');
                return;
            }
            const RemoteFields& fields = std::get<RemoteFields>(decoded);
            std::string encoded = EncodeRemoteLine(fields);
            Check(!encoded.empty() && encoded.back() == '\n');
            encoded.pop_back();
            auto again = DecodeRemoteLine(encoded);
            Check(std::holds_alternative<RemoteFields>(again) && std::get<RemoteFields>(again) == fields);
            try {
                process.listener_->MessageArrived(fields);
                mirror.MessageArrived(fields);
            } catch (const std::exception&) {
                // A value the model refuses (a caption too long, say) is the
                // model's error, which the program shows; it must not crash.
            }
        });
    }
    programBrowser->SetBackend(nullptr);
    return 0;
}
