#pragma once
// A small HTTP server on 127.0.0.1 for the download tests of every HTTP
// client: it answers each connection with the next of the replies it was
// given, in turn, and keeps the requests it received.

#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace velora::fakes {

// What the server sends to one connection. A silent reply then keeps the
// connection open without sending anything more, until the client gives up;
// a paced reply goes out in pieces with a pause after each.
struct Reply {
    Reply(const char* bytes) : bytes(bytes) {}
    Reply(std::string bytes, bool thenSilent = false) : bytes(std::move(bytes)), thenSilent(thenSilent) {}
    static Reply Paced(std::string bytes, std::size_t piece, int pauseMs) {
        Reply reply(std::move(bytes));
        reply.piece = piece;
        reply.pauseMs = pauseMs;
        return reply;
    }
    std::string bytes;
    bool thenSilent = false;
    std::size_t piece = 0;  // 0: all at once
    int pauseMs = 0;
};

class LocalHttpServer {
public:
    // Listens on a free port; Port() is 0 when no socket could be had. With
    // no replies it accepts nothing: its port is then one nobody listens on
    // once the server is gone.
    explicit LocalHttpServer(std::vector<Reply> replies);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port><path>"
    std::string Url(const std::string& path = "/update/dw.version") const;
    // Valid once the replies have all been sent (waits for that).
    std::vector<std::string> Requests();
    // How many silent replies the client ended by closing the connection.
    int SilencesEndedByClient();

private:
    void Serve();

    bool started_ = false;
    std::vector<Reply> replies_;
    std::intptr_t listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::vector<std::string> requests_;
    int silencesEndedByClient_ = 0;
};

}  // namespace velora::fakes
