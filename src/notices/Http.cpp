#include "notices/Http.h"

#include <curl/curl.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace kivola {

RequestState Request;

namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::string_view kAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
constexpr std::string_view kAcceptLanguageLine = "Accept-Language: zh-cn\r\n";
constexpr std::string_view kContentTypeLine = "Content-Type: application/x-www-form-urlencoded\r\n";
constexpr std::string_view kPrefix = "http://";
constexpr std::string_view kCookieMarker = "Set-Cookie: ";
constexpr int kDefaultTimeLimit = 90;
constexpr int kDefaultPort = 80;
constexpr auto kWaitSlice = std::chrono::milliseconds(10);

// State shared by the caller and every worker, abandoned ones included. It is never freed:
// an abandoned worker may still be winding down while the process exits.
struct Shared {
    std::mutex lock;
    std::condition_variable finished;
    // Bumped for every new request and at every abandonment; a worker whose number is no
    // longer current cancels its transfer and discards whatever it produced.
    std::atomic<std::uint64_t> generation{0};
    // The process-wide cookie store: a libcurl handle that never performs a transfer.
    CURL* cookieJar = nullptr;
};

Shared& TheShared() {
    static Shared* shared = new Shared;
    return *shared;
}

thread_local std::uint64_t t_generation = 0;
bool g_fetching = false;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = LowerAscii(c);
    }
    return out;
}

std::size_t FindNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0) {
    return ToLower(haystack).find(ToLower(needle), from);
}

bool HasControlBytes(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool HasSchemePrefix(const std::string& url) {
    return url.size() >= kPrefix.size() && ToLower(url.substr(0, kPrefix.size())) == kPrefix;
}

// The text between the scheme prefix (if any) and the first "/": host and optional port.
std::string HostPart(const std::string& url) {
    const std::size_t start = HasSchemePrefix(url) ? kPrefix.size() : 0;
    const std::size_t slash = url.find('/', start);
    return slash == std::string::npos ? url.substr(start) : url.substr(start, slash - start);
}

// Like a text-to-number conversion of old: optional spaces and sign, then the leading
// digits; anything after them is ignored and no digits give 0.
int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 1000000) {
            value = 1000000; // far beyond any port; keeps the number from overflowing
        }
    }
    return static_cast<int>(negative ? -value : value);
}

bool IsValidHost(const std::string& host) {
    if (host.empty()) {
        return false;
    }
    for (char c : host) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
        if (!ok) {
            return false;
        }
    }
    return true;
}

// The headers text completed with the default lines the caller did not give.
std::string CompleteHeaders(std::string headers, const std::string& url) {
    if (FindNoCase(headers, "Accept: ") == std::string::npos) {
        headers += kAcceptLine;
    }
    if (FindNoCase(headers, "Referer: ") == std::string::npos) {
        headers += "Referer: " + url + "\r\n";
    }
    if (FindNoCase(headers, "Accept-Language: ") == std::string::npos) {
        headers += kAcceptLanguageLine;
    }
    return headers;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
            if (i > start) {
                lines.emplace_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return lines;
}

// One "Set-Cookie: " line's rest ("name=data") as a line of libcurl's cookie-file format,
// host-only for host; empty when the cookie is unusable.
std::string CookieFileLine(const std::string& host, std::string_view rest) {
    const std::size_t eq = rest.find('=');
    if (eq == std::string_view::npos) {
        return {};
    }
    const std::string_view name = Trim(rest.substr(0, eq));
    const std::string_view data = rest.substr(eq + 1);
    const std::size_t semi = data.find(';');
    const std::string_view value = Trim(data.substr(0, semi));
    if (name.empty() || name.find(';') != std::string_view::npos || HasControlBytes(name) ||
        HasControlBytes(value)) {
        return {};
    }
    std::string path = "/";
    bool secure = false;
    bool haveMaxAge = false;
    long long expires = 0; // 0: a session cookie
    std::size_t from = semi;
    while (from != std::string_view::npos) {
        const std::size_t next = data.find(';', from + 1);
        const std::string_view attr = Trim(data.substr(from + 1, next - from - 1));
        from = next;
        const std::size_t aeq = attr.find('=');
        const std::string key = ToLower(Trim(attr.substr(0, aeq)));
        const std::string_view val =
            aeq == std::string_view::npos ? std::string_view{} : Trim(attr.substr(aeq + 1));
        if (key == "path" && !val.empty() && val.front() == '/' && !HasControlBytes(val)) {
            path = std::string(val);
        } else if (key == "secure") {
            secure = true;
        } else if (key == "max-age" && !val.empty()) {
            const long long seconds = LeadingNumber(val);
            expires = seconds <= 0 ? 1 : static_cast<long long>(std::time(nullptr)) + seconds;
            haveMaxAge = true;
        } else if (key == "expires" && !haveMaxAge && !val.empty()) {
            const time_t when = curl_getdate(std::string(val).c_str(), nullptr);
            if (when != -1) {
                expires = when <= 0 ? 1 : static_cast<long long>(when);
            }
        }
    }
    return host + "\tFALSE\t" + path + "\t" + (secure ? "TRUE" : "FALSE") + "\t" +
           std::to_string(expires) + "\t" + std::string(name) + "\t" + std::string(value);
}

// The cookies of one response, from its raw headers, in libcurl's cookie-file format.
std::vector<std::string> CookiesFromHeaders(const std::string& host, const std::string& raw) {
    std::vector<std::string> cookies;
    // The raw headers count only when they fit the header buffer with its terminating zero.
    if (raw.size() >= kCookieHeaderBytes || FindNoCase(raw, kCookieMarker) == std::string::npos) {
        return cookies;
    }
    for (const std::string& line : SplitLines(raw)) {
        if (line.size() >= kCookieMarker.size() &&
            ToLower(line.substr(0, kCookieMarker.size())) == ToLower(kCookieMarker)) {
            std::string cookie = CookieFileLine(host, std::string_view(line).substr(12));
            if (!cookie.empty()) {
                cookies.push_back(std::move(cookie));
            }
        }
    }
    return cookies;
}

std::vector<std::string> JarLines(CURL* jar) {
    std::vector<std::string> lines;
    struct curl_slist* list = nullptr;
    if (jar != nullptr && curl_easy_getinfo(jar, CURLINFO_COOKIELIST, &list) == CURLE_OK) {
        for (struct curl_slist* item = list; item != nullptr; item = item->next) {
            lines.emplace_back(item->data);
        }
        curl_slist_free_all(list);
    }
    return lines;
}

// What one transfer collects; the callbacks see only this and the generation counter.
struct Transfer {
    std::uint64_t generation = 0;
    std::string body;
    std::string rawHeaders; // of the final response
    std::size_t headerBytes = 0;
    bool bodyStarted = false;
    bool overLimit = false;

    bool Abandoned() const { return TheShared().generation.load() != generation; }
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    if (t->Abandoned()) {
        return 0;
    }
    if (t->body.size() + length > kMaxResponseBytes) {
        t->overLimit = true;
        return 0;
    }
    t->bodyStarted = true;
    t->body.append(data, length);
    return length;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    t->headerBytes += length;
    if (t->Abandoned()) {
        return 0;
    }
    if (t->headerBytes > kMaxHeaderBytes) {
        t->overLimit = true;
        return 0;
    }
    const std::string_view line(data, length);
    if (t->bodyStarted) {
        return length; // trailers after the body are not the response's headers
    }
    if (line.substr(0, 5) == "HTTP/") {
        t->rawHeaders.clear(); // an interim response came before: keep only the last
    }
    t->rawHeaders.append(line);
    return length;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->Abandoned() ? 1 : 0;
}

struct Outcome {
    std::string response;
    std::string headers; // completed headers text; empty when never completed
    std::vector<std::string> cookies;
};

std::string EscapePath(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ') {
            out += "%20";
        } else {
            out += c;
        }
    }
    return out;
}

Outcome Perform(std::uint64_t generation, const RequestState& in,
                const std::vector<std::string>& jarLines) {
    Outcome out;
    const std::string host = UrlHost(in.url);
    const std::string path = UrlPath(in.url);
    int port = UrlPort(in.url);
    if (port == 0) {
        port = kDefaultPort; // as the service's default port
    }
    if (HasControlBytes(in.url) || !IsValidHost(host) || port < 1 || port > 65535) {
        return out;
    }

    std::string headers = CompleteHeaders(in.headers, in.url);
    out.headers = headers;
    const bool isGet = in.method.empty() || in.method == "GET";
    const bool isPost = in.method == "POST";
    if (!isGet && !isPost) {
        return out;
    }
    if (isPost && !in.body.empty()) {
        headers += kContentTypeLine;
        headers += "Content-Length: " + std::to_string(in.body.size()) + "\r\n";
    }

    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        return out;
    }
    struct curl_slist* list = nullptr;
    for (const std::string& line : SplitLines(headers)) {
        list = curl_slist_append(list, line.c_str());
    }
    // A header named with nothing after its colon keeps libcurl from sending its own.
    list = curl_slist_append(list, "Accept:");
    list = curl_slist_append(list, "Expect:");
    if (isPost && in.body.empty()) {
        list = curl_slist_append(list, "Content-Type:");
        list = curl_slist_append(list, "Content-Length:");
    }

    const std::string proxy(Trim(in.proxy));
    const std::string portText = std::to_string(port);
    const std::string target = EscapePath(
        proxy.empty() ? path
                      : "http://" + host + (port == kDefaultPort ? "" : ":" + portText) + path);
    const std::string curlUrl = "http://" + host + ":" + portText + "/";

    Transfer transfer;
    transfer.generation = generation;
    curl_easy_setopt(curl, CURLOPT_URL, curlUrl.c_str());
    curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, target.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, list);
    // Set even when empty, so that proxy settings from the environment never apply.
    const std::string proxyUrl = proxy.empty() ? std::string() : "http://" + proxy;
    curl_easy_setopt(curl, CURLOPT_PROXY, proxyUrl.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxResponseBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    if (isPost) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(in.body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, in.body.data());
    } else {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    }
    // The stored cookies ride on this transfer's own copy of the store; whatever the
    // response sets there dies with the handle, and only the header rule below stores.
    for (const std::string& line : jarLines) {
        curl_easy_setopt(curl, CURLOPT_COOKIELIST, line.c_str());
    }

    curl_easy_perform(curl); // a send or read error leaves what was received
    curl_easy_cleanup(curl);
    curl_slist_free_all(list);

    if (transfer.overLimit || transfer.Abandoned()) {
        return out;
    }
    out.response = std::move(transfer.body);
    out.cookies = CookiesFromHeaders(host, transfer.rawHeaders);
    return out;
}

} // namespace

std::string UrlHost(const std::string& url) {
    std::string part = HostPart(url);
    const std::size_t colon = part.find(':');
    if (colon != std::string::npos) {
        part.resize(colon);
    }
    return ToLower(part);
}

int UrlPort(const std::string& url) {
    const std::string part = HostPart(url);
    const std::size_t colon = part.find(':');
    return colon == std::string::npos ? kDefaultPort
                                      : LeadingNumber(std::string_view(part).substr(colon + 1));
}

std::string UrlPath(const std::string& url) {
    // The host is looked for after the scheme prefix: a host such as "tp" would otherwise
    // be found inside "http://".
    const std::size_t start = HasSchemePrefix(url) ? kPrefix.size() : 0;
    std::size_t at = FindNoCase(url, UrlHost(url), start);
    if (at == std::string::npos) {
        at = start;
    }
    const std::size_t slash = url.find('/', at);
    return slash == std::string::npos ? "/" : url.substr(slash);
}

void RunRequest() {
    GlobalInit();
    Shared& shared = TheShared();
    RequestState in;
    std::uint64_t generation = 0;
    std::vector<std::string> jarLines;
    {
        std::lock_guard<std::mutex> guard(shared.lock);
        generation = t_generation != 0 ? t_generation : shared.generation.load();
        if (generation != shared.generation.load()) {
            return; // abandoned before it began
        }
        in = Request;
        jarLines = JarLines(shared.cookieJar);
    }

    Outcome out = Perform(generation, in, jarLines);

    {
        std::lock_guard<std::mutex> guard(shared.lock);
        if (generation != shared.generation.load()) {
            return; // abandoned: its result belongs to nobody
        }
        if (!out.headers.empty()) {
            Request.headers = out.headers;
        }
        Request.response = std::move(out.response);
        if (!out.cookies.empty() && shared.cookieJar == nullptr) {
            shared.cookieJar = curl_easy_init();
        }
        for (const std::string& cookie : out.cookies) {
            curl_easy_setopt(shared.cookieJar, CURLOPT_COOKIELIST, cookie.c_str());
        }
        Request.running = false;
    }
    shared.finished.notify_all();
}

std::string FetchUrl(const std::string& url, const std::string& method, const std::string& proxy,
                     const std::string& headers, const std::string& body, int timeLimit,
                     const std::function<void()>& processEvents) {
    if (g_fetching) {
        return {}; // called from an event handler while a request runs
    }
    g_fetching = true;
    struct Reset {
        ~Reset() { g_fetching = false; }
    } reset;

    GlobalInit();
    Shared& shared = TheShared();
    std::uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> guard(shared.lock);
        generation = ++shared.generation;
        Request.url = url;
        Request.method = method;
        Request.proxy = proxy;
        Request.headers = headers;
        Request.body = body;
        Request.response.clear();
        Request.running = true;
    }

    // Only 0 stands for the default; a negative limit has passed before the wait begins.
    const auto limit = std::chrono::seconds(timeLimit != 0 ? timeLimit : kDefaultTimeLimit);
    const auto start = std::chrono::steady_clock::now();
    std::thread worker;
    try {
        worker = std::thread([generation] {
            t_generation = generation;
            RunRequest();
        });
    } catch (...) {
        std::lock_guard<std::mutex> guard(shared.lock);
        ++shared.generation;
        Request.response.clear();
        Request.running = false;
        return {};
    }

    bool abandoned = false;
    auto abandon = [&] {
        std::lock_guard<std::mutex> guard(shared.lock);
        if (Request.running && shared.generation.load() == generation) {
            ++shared.generation; // the worker sees this, cancels and discards its result
            Request.response.clear();
            Request.running = false;
            abandoned = true;
        }
    };
    try {
        while (Request.running) {
            if (processEvents) {
                processEvents();
            }
            {
                std::unique_lock<std::mutex> guard(shared.lock);
                shared.finished.wait_for(guard, kWaitSlice, [] { return !Request.running; });
            }
            if (std::chrono::steady_clock::now() - start > limit) {
                abandon();
            }
        }
    } catch (...) {
        abandon();
        abandoned ? worker.detach() : worker.join();
        throw;
    }
    if (abandoned) {
        worker.detach();
    } else {
        worker.join();
    }
    std::lock_guard<std::mutex> guard(shared.lock);
    return Request.response;
}

} // namespace kivola
