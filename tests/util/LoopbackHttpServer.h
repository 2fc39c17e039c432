#pragma once
#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>

#include "CString.h"

// An HTTP server on 127.0.0.1 and an ephemeral port, run by one thread: it answers every
// request with the same canned bytes and then closes the connection, or with holdOpen keeps
// it open until the server is destroyed.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::string response, bool holdOpen = false);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool IsListening() const { return m_port != 0; }
    CString Url(const char* path = "/file.bin") const;

private:
    void Serve();
    void Answer(SOCKET client);

    std::string m_response;
    bool m_holdOpen;
    SOCKET m_listener;
    unsigned short m_port;
    std::atomic<bool> m_stop;
    std::thread m_thread;
};

// A loopback port that nothing listens on: bound, then closed again.
unsigned short RefusedLoopbackPort();

// "HTTP/1.1 <status>" with the given header lines (each ending in \r\n) and body.
std::string HttpResponse(const char* status, const std::string& headers, const std::string& body);
std::string ContentLength(size_t length);
// Bytes that differ from position to position, so a shifted or cut copy never compares equal.
std::string PatternBytes(size_t length);
