#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

namespace {

class WinsockUser {
public:
    WinsockUser() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { WSACleanup(); }
};

WinsockUser& Winsock() {
    static WinsockUser user;
    return user;
}

sockaddr_in LoopbackAddress(unsigned short port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

unsigned short BoundPort(SOCKET socket) {
    sockaddr_in address = {};
    int size = sizeof(address);
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

// Binds a fresh socket to an ephemeral loopback port; INVALID_SOCKET on failure.
SOCKET BindLoopback() {
    Winsock();
    SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket == INVALID_SOCKET)
        return socket;
    sockaddr_in address = LoopbackAddress(0);
    if (bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        closesocket(socket);
        return INVALID_SOCKET;
    }
    return socket;
}

// Waits up to 50 ms for the socket to become readable.
bool WaitReadable(SOCKET socket) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval wait = {0, 50 * 1000};
    return select(0, &readable, nullptr, nullptr, &wait) == 1;
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(std::string response, bool holdOpen)
    : m_response(std::move(response)), m_holdOpen(holdOpen), m_listener(BindLoopback()), m_port(0), m_stop(false) {
    if (m_listener == INVALID_SOCKET || listen(m_listener, SOMAXCONN) != 0)
        return;
    m_port = BoundPort(m_listener);
    m_thread = std::thread(&LoopbackHttpServer::Serve, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener != INVALID_SOCKET)
        closesocket(m_listener);
}

CString LoopbackHttpServer::Url(const char* path) const {
    CString url;
    url.Format("http://127.0.0.1:%u%s", static_cast<unsigned>(m_port), path);
    return url;
}

void LoopbackHttpServer::Serve() {
    while (!m_stop) {
        if (!WaitReadable(m_listener))
            continue;
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        Answer(client);
        shutdown(client, SD_SEND);
        closesocket(client);
    }
}

void LoopbackHttpServer::Answer(SOCKET client) {
    // Read the whole request head first: closing with unread bytes would reset the connection.
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 64 * 1024 && !m_stop) {
        if (!WaitReadable(client))
            continue;
        int received = recv(client, buffer, sizeof(buffer), 0);
        if (received <= 0)
            return;
        head.append(buffer, received);
    }
    for (size_t sent = 0; sent < m_response.size();) {
        int chunk = send(client, m_response.data() + sent, static_cast<int>(m_response.size() - sent), 0);
        if (chunk <= 0)
            return;
        sent += chunk;
    }
    while (m_holdOpen && !m_stop)
        Sleep(20);
}

unsigned short RefusedLoopbackPort() {
    SOCKET socket = BindLoopback();
    if (socket == INVALID_SOCKET)
        return 0;
    unsigned short port = BoundPort(socket);
    closesocket(socket);
    return port;
}

std::string HttpResponse(const char* status, const std::string& headers, const std::string& body) {
    return std::string("HTTP/1.1 ") + status + "\r\nConnection: close\r\n" + headers + "\r\n" + body;
}

std::string ContentLength(size_t length) { return "Content-Length: " + std::to_string(length) + "\r\n"; }

std::string PatternBytes(size_t length) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
    return bytes;
}
