#include "support/LocalHttpServer.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>

namespace velora::fakes {
namespace {

#ifdef _WIN32
using Socket = SOCKET;
using Length = int;
const Socket kNoSocket = INVALID_SOCKET;
const int kSendFlags = 0;
void CloseSocket(Socket socket) { closesocket(socket); }
#else
using Socket = int;
using Length = socklen_t;
const Socket kNoSocket = -1;
const int kSendFlags = MSG_NOSIGNAL;  // a client gone is no reason to end the test
void CloseSocket(Socket socket) { close(socket); }
#endif

Socket AsSocket(std::intptr_t value) { return static_cast<Socket>(value); }

bool ClientClosesWithin(Socket client, long seconds) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(client, &readable);
    timeval limit{seconds, 0};
    char byte;
    return select(static_cast<int>(client) + 1, &readable, nullptr, nullptr, &limit) == 1 &&
           recv(client, &byte, 1, 0) <= 0;
}

}  // namespace

LocalHttpServer::LocalHttpServer(std::vector<Reply> replies) : replies_(std::move(replies)) {
#ifdef _WIN32
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
#endif
    started_ = true;
    const Socket listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    listener_ = static_cast<std::intptr_t>(listener);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    Length length = sizeof address;
    if (listener == kNoSocket || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 4) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    // Ends a wait for a client that never came: on Windows closing the socket
    // does, elsewhere shutting it down.
    const Socket listener = AsSocket(listener_);
#ifdef _WIN32
    if (listener != kNoSocket) CloseSocket(listener);
    if (thread_.joinable()) thread_.join();
    if (started_) WSACleanup();
#else
    if (listener != kNoSocket) shutdown(listener, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
    if (listener != kNoSocket) CloseSocket(listener);
#endif
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::Requests() {
    if (thread_.joinable()) thread_.join();
    return requests_;
}

int LocalHttpServer::SilencesEndedByClient() {
    if (thread_.joinable()) thread_.join();
    return silencesEndedByClient_;
}

void LocalHttpServer::Serve() {
    const Socket listener = AsSocket(listener_);
    for (const Reply& reply : replies_) {
        const Socket client = accept(listener, nullptr, nullptr);
        if (client == kNoSocket) return;
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const auto got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        requests_.push_back(request);
        const std::size_t piece = reply.piece ? reply.piece : reply.bytes.size();
        for (std::size_t at = 0; at < reply.bytes.size(); at += piece) {
            const std::size_t length = std::min(piece, reply.bytes.size() - at);
            if (send(client, reply.bytes.data() + at, static_cast<int>(length), kSendFlags) <= 0) break;
            if (reply.pauseMs) std::this_thread::sleep_for(std::chrono::milliseconds(reply.pauseMs));
        }
        if (reply.thenSilent && ClientClosesWithin(client, 30)) ++silencesEndedByClient_;
        CloseSocket(client);
    }
}

}  // namespace velora::fakes
