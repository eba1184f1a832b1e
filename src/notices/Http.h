#pragma once
// The program's one HTTP routine, over libcurl. The request runs on a worker thread while
// the calling thread keeps processing events; any failure gives an empty result.

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

namespace kivola {

// The single record shared by FetchUrl and its worker: one request runs at a time.
// running is atomic because the waiting caller polls it while the worker clears it.
struct RequestState {
    std::string url;
    std::string method;
    std::string proxy;
    std::string headers;
    std::string body;
    std::string response;
    std::atomic<bool> running{false};

    RequestState() = default;
    RequestState(const RequestState& other) { *this = other; }
    RequestState& operator=(const RequestState& other) {
        url = other.url;
        method = other.method;
        proxy = other.proxy;
        headers = other.headers;
        body = other.body;
        response = other.response;
        running = other.running.load();
        return *this;
    }
};

// The one instance.
extern RequestState Request;

// Bounds that keep a hostile server from taking the program down. A response body longer
// than kMaxResponseBytes, or response headers longer than kMaxHeaderBytes, make the request
// fail (empty result). Cookies are taken only from response headers shorter than
// kCookieHeaderBytes.
inline constexpr std::size_t kMaxResponseBytes = 4u << 20;
inline constexpr std::size_t kMaxHeaderBytes = 64u << 10;
inline constexpr std::size_t kCookieHeaderBytes = 1024;

// Sends one request and returns the response body (empty on any failure or when the
// time limit passed). method: "" or "GET" or "POST" (case-sensitive); proxy: "host:port",
// empty or only spaces for a direct connection; headers: extra lines each ending in CR LF;
// timeLimit: seconds, 0 meaning 90 (a negative limit has passed at once). processEvents is
// called again and again while waiting (the UI passes its event processing); when empty,
// the wait just sleeps briefly.
// Not re-entrant: a call made from processEvents while a request runs returns empty at once.
std::string FetchUrl(const std::string& url, const std::string& method = {},
                     const std::string& proxy = {}, const std::string& headers = {},
                     const std::string& body = {}, int timeLimit = 0,
                     const std::function<void()>& processEvents = {});

// The worker's body: reads RequestState, writes its response and clears running.
void RunRequest();

// URL helpers.
std::string UrlHost(const std::string& url);
std::string UrlPath(const std::string& url);
int UrlPort(const std::string& url);

} // namespace kivola
