#pragma once
// The types the URL grabbers share: their state, output and proxy modes,
// the event signatures and the refusal to change the address mid-transfer.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "component/Events.h"
#include "component/TypeInfo.h"

namespace velora::component {
class TComponent;
}  // namespace velora::component

namespace velora::net {

class TMemoryStream;

// One byte: written by the worker, read by the Url setter on the
// user-interface thread.
enum GrabberStatus : std::uint8_t { stIdle, stConnecting, stReceiving, stFinishing };

enum TOutputMode : std::uint8_t { omFile, omStream };
inline constexpr std::string_view kOutputModeNames[] = {"omFile", "omStream"};
inline constexpr component::EnumType OutputModeType{"TOutputMode", kOutputModeNames};

enum TProxyMode : std::uint8_t { pmNoProxy, pmSysConfig, pmManual };
inline constexpr std::string_view kProxyModeNames[] = {"pmNoProxy", "pmSysConfig", "pmManual"};
inline constexpr component::EnumType ProxyModeType{"TProxyMode", kProxyModeNames};

using TFileName = std::string;

// The reply has been written to FileName.
using TDoneFileEvent = std::function<void(component::TComponent* sender, const std::string& fileName,
                                          std::int32_t fileSize, const std::string& url)>;
// The reply, positioned at 0; it belongs to the worker and is gone after the
// handler returns, so the handler copies what it needs.
using TDoneStreamEvent = std::function<void(component::TComponent* sender, TMemoryStream& stream,
                                            std::int32_t streamSize, const std::string& url)>;
using TErrorEvent = std::function<void(component::TComponent* sender, const std::string& errorMsg)>;
// Clearing `continueTransfer` ends the transfer after the current block, without completion.
using TUrlGrabberProgressEvent = std::function<void(component::TComponent* sender, std::int64_t position,
                                                    std::int64_t totalSize, const std::string& url,
                                                    bool& continueTransfer)>;

// The Url was to change while a transfer is under way.
class EGrabberNotStopped : public std::runtime_error {
public:
    EGrabberNotStopped() : std::runtime_error("The grabber is not stopped, you cannot change its URL.") {}
};

}  // namespace velora::net
