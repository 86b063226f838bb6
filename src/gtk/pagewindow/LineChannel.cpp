#include "gtk/pagewindow/LineChannel.h"

#include <glib-unix.h>
#include <glib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <variant>
#include <vector>

#include "gtk/ErrorDisplay.h"

namespace velora::gtk {

LineChannel::LineChannel(int socket, MessageHandler message, std::function<void()> closed)
    : socket_(socket), message_(std::move(message)), closed_(std::move(closed)) {
    g_unix_set_fd_nonblocking(socket_, TRUE, nullptr);
    readSource_ = g_unix_fd_add(socket_, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                                reinterpret_cast<GUnixFDSourceFunc>(&LineChannel::Readable), this);
}

LineChannel::~LineChannel() {
    *alive_ = false;
    if (readSource_) g_source_remove(readSource_);
    if (writeSource_) g_source_remove(writeSource_);
    close(socket_);
}

void LineChannel::Send(const controls::RemoteFields& fields) {
    if (!open_) return;
    outgoing_ += controls::EncodeRemoteLine(fields);
    if (writeSource_ == 0 && !Flush())
        writeSource_ = g_unix_fd_add(socket_, static_cast<GIOCondition>(G_IO_OUT | G_IO_HUP | G_IO_ERR),
                                     reinterpret_cast<GUnixFDSourceFunc>(&LineChannel::Writable), this);
}

bool LineChannel::Flush() {
    while (!outgoing_.empty()) {
        // MSG_NOSIGNAL: a closed other side is an error here, not SIGPIPE.
        const ssize_t sent = send(socket_, outgoing_.data(), outgoing_.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            outgoing_.erase(0, static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return false;
        } else {
            // Broken: the reading side tells of the end.
            outgoing_.clear();
            return true;
        }
    }
    return true;
}

int LineChannel::Writable(int, unsigned, void* self) {
    auto* channel = static_cast<LineChannel*>(self);
    if (!channel->Flush()) return G_SOURCE_CONTINUE;
    channel->writeSource_ = 0;
    return G_SOURCE_REMOVE;
}

int LineChannel::Readable(int, unsigned, void* self) {
    auto* channel = static_cast<LineChannel*>(self);
    const std::shared_ptr<bool> alive = channel->alive_;
    char buffer[4096];
    for (;;) {
        const ssize_t got = recv(channel->socket_, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return G_SOURCE_CONTINUE;
        if (got <= 0) break;
        std::vector<controls::RemoteFields> messages;
        channel->splitter_.Feed(std::string_view(buffer, static_cast<std::size_t>(got)), [&](std::string_view line) {
            auto decoded = controls::DecodeRemoteLine(line);
            // A line this program would not write is dropped.
            if (auto* fields = std::get_if<controls::RemoteFields>(&decoded)) messages.push_back(std::move(*fields));
        });
        for (const controls::RemoteFields& fields : messages) {
            Guarded([&] { channel->message_(fields); });
            if (!*alive) return G_SOURCE_REMOVE;
        }
    }
    // The other side closed, or the socket broke.
    channel->readSource_ = 0;
    channel->Close();
    return G_SOURCE_REMOVE;
}

// The last this object does: the handler may destroy it.
void LineChannel::Close() {
    open_ = false;
    outgoing_.clear();
    if (writeSource_) {
        g_source_remove(writeSource_);
        writeSource_ = 0;
    }
    const std::function<void()> closed = closed_;
    Guarded(closed);
}

}  // namespace velora::gtk
