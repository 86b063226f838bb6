#pragma once
// The lines of controls/remote/RemoteLines.h over a connected socket, read
// and written without blocking the user-interface thread: what arrives is
// cut into lines and handed on as it comes; what is sent waits while the
// socket is full. The end (the other side closed it, or it broke) is told
// once. Either callback may destroy the channel.

#include <functional>
#include <memory>
#include <string>

#include "controls/remote/RemoteLines.h"

namespace velora::gtk {

class LineChannel {
public:
    using MessageHandler = std::function<void(const controls::RemoteFields&)>;

    // Takes over the socket, which it closes.
    LineChannel(int socket, MessageHandler message, std::function<void()> closed);
    ~LineChannel();
    LineChannel(const LineChannel&) = delete;
    LineChannel& operator=(const LineChannel&) = delete;

    // Nothing once the channel has closed.
    void Send(const controls::RemoteFields& fields);

private:
    static int Readable(int fd, unsigned condition, void* self);
    static int Writable(int fd, unsigned condition, void* self);
    // True while the socket can take more of what waits.
    bool Flush();
    void Close();

    int socket_;
    MessageHandler message_;
    std::function<void()> closed_;
    unsigned readSource_ = 0;
    unsigned writeSource_ = 0;
    std::string outgoing_;
    controls::RemoteLineSplitter splitter_;
    bool open_ = true;
    // False once the channel is gone: a callback that destroyed it ends
    // the reading at once.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace velora::gtk
