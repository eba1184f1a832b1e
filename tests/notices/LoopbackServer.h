#pragma once
// A small HTTP server on 127.0.0.1 for tests and benchmarks: it accepts one connection at a
// time, records the exact bytes of each request and lets a handler write the answer.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kivola::test {

class LoopbackServer {
public:
    // Called on the server's thread with the connected socket and the request's bytes.
    using Handler = std::function<void(LoopbackServer& server, int fd, const std::string& request)>;

    explicit LoopbackServer(Handler handler) : m_handler(std::move(handler)) {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_listen, 16);
        socklen_t len = sizeof addr;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }

    ~LoopbackServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }

    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(const std::string& path = "/") const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    bool Stopping() const { return m_stop; }

    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_requests;
    }
    std::string LastRequest() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_requests.empty() ? std::string() : m_requests.back();
    }
    // Whether the client closed a connection the handler was holding open.
    bool SawClientClose() const { return m_sawClose; }
    // Connections whose handler has finished.
    int Handled() const { return m_handled; }
    // Bytes the handler managed to send before the client went away.
    std::size_t BytesSent() const { return m_sent; }

    // Sends everything; false when the client has gone.
    bool Send(int fd, std::string_view data) {
        while (!data.empty()) {
            const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
            if (n <= 0) {
                return false;
            }
            m_sent += static_cast<std::size_t>(n);
            data.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    // Holds the connection open without answering until the client closes it or the
    // server stops. Records a close by the client.
    void HoldUntilClosed(int fd) {
        while (!m_stop) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) {
                char c;
                if (::recv(fd, &c, 1, 0) <= 0) {
                    m_sawClose = true;
                    return;
                }
            }
        }
    }

    static std::string Response(int status, std::string_view reason, std::string_view body,
                                std::string_view extraHeaders = {}) {
        return "HTTP/1.1 " + std::to_string(status) + " " + std::string(reason) +
               "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n" +
               std::string(extraHeaders) + "\r\n" + std::string(body);
    }

private:
    void Serve() {
        while (!m_stop) {
            pollfd p{m_listen, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) {
                continue;
            }
            const int fd = ::accept(m_listen, nullptr, nullptr);
            if (fd < 0) {
                continue;
            }
            const std::string request = ReadRequest(fd);
            {
                std::lock_guard<std::mutex> guard(m_lock);
                m_requests.push_back(request);
            }
            m_handler(*this, fd, request);
            ::shutdown(fd, SHUT_RDWR);
            ::close(fd);
            ++m_handled;
        }
    }

    // The head up to the blank line, then as many bytes as Content-Length says.
    std::string ReadRequest(int fd) {
        std::string data;
        std::size_t wanted = std::string::npos;
        while (!m_stop) {
            if (wanted == std::string::npos) {
                const std::size_t end = data.find("\r\n\r\n");
                if (end != std::string::npos) {
                    wanted = end + 4 + ContentLength(data.substr(0, end));
                }
            }
            if (wanted != std::string::npos && data.size() >= wanted) {
                break;
            }
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0) {
                break;
            }
            char buffer[4096];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                break;
            }
            data.append(buffer, static_cast<std::size_t>(n));
        }
        return data;
    }

    static std::size_t ContentLength(std::string head) {
        for (char& c : head) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const std::size_t at = head.find("\r\ncontent-length:");
        return at == std::string::npos ? 0 : std::stoul(head.substr(at + 17));
    }

    Handler m_handler;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_sawClose{false};
    std::atomic<std::size_t> m_sent{0};
    std::atomic<int> m_handled{0};
    std::mutex m_lock;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

} // namespace kivola::test
