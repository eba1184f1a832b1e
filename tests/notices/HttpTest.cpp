// FetchUrl against real HTTP servers on 127.0.0.1 that the tests start themselves.

#include "notices/Http.h"
#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using kivola::FetchUrl;
using kivola::Request;
using kivola::test::LoopbackServer;

namespace {

constexpr const char* kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*";
constexpr const char* kUserAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

LoopbackServer::Handler Answer(int status, std::string reason, std::string body,
                               std::string extraHeaders = {}) {
    return [=](LoopbackServer& server, int fd, const std::string&) {
        server.Send(fd, LoopbackServer::Response(status, reason, body, extraHeaders));
    };
}

// Waits (briefly, polling) for something a server thread reports.
template <typename Pred> bool Eventually(Pred pred) {
    for (int i = 0; i < 500 && !pred(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pred();
}

// The request head a server received, split into lines; the body after the blank line.
struct Received {
    std::vector<std::string> lines;
    std::string body;
};

Received Parse(const std::string& request) {
    Received r;
    const std::size_t end = request.find("\r\n\r\n");
    const std::string head = request.substr(0, end);
    r.body = end == std::string::npos ? std::string() : request.substr(end + 4);
    std::size_t start = 0;
    while (start <= head.size()) {
        const std::size_t eol = head.find("\r\n", start);
        r.lines.push_back(head.substr(start, eol - start));
        if (eol == std::string::npos) {
            break;
        }
        start = eol + 2;
    }
    return r;
}

std::string CookieLine(const std::string& request) {
    for (const std::string& line : Parse(request).lines) {
        if (line.rfind("Cookie: ", 0) == 0) {
            return line;
        }
    }
    return {};
}

} // namespace

// ---------------------------------------------------------------------------------------
// URL helpers

struct UrlCase {
    const char* name;
    const char* url;
    const char* host;
    int port;
    const char* path;
};

void PrintTo(const UrlCase& c, std::ostream* os) {
    *os << c.name;
}

class UrlHelpers : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlHelpers, SplitTheUrl) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(kivola::UrlHost(c.url), c.host);
    EXPECT_EQ(kivola::UrlPort(c.url), c.port);
    EXPECT_EQ(kivola::UrlPath(c.url), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UrlHelpers,
    ::testing::Values(
        UrlCase{"PrefixInCapitalsPortQuery", "HTTP://WwW.Example.COM:8080/a/b.txt?x=1",
                "www.example.com", 8080, "/a/b.txt?x=1"},
        UrlCase{"BareHost", "Notice.Example.com", "notice.example.com", 80, "/"},
        UrlCase{"NoPrefixWithPath", "example.com/dir/tz.txt", "example.com", 80, "/dir/tz.txt"},
        UrlCase{"NoPath", "http://example.com", "example.com", 80, "/"},
        UrlCase{"PortNoPath", "hTtP://Example.com:8080", "example.com", 8080, "/"},
        UrlCase{"SlashesInQuery", "http://example.com/tz.txt?a=1&b=/c", "example.com", 80,
                "/tz.txt?a=1&b=/c"},
        // Regression: the host used to be looked for from the start of the URL, so "h" and
        // "tp" were found inside "http://" and the path came out as "//h/x.txt".
        UrlCase{"HostInsideScheme", "http://h/x.txt", "h", 80, "/x.txt"},
        UrlCase{"HostTpInsideScheme", "http://tp:81/tz.txt", "tp", 81, "/tz.txt"},
        UrlCase{"PortNotANumber", "http://example.com:abc/x", "example.com", 0, "/x"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// The request as it goes out

struct HeaderCase {
    const char* name;
    const char* callerHeaders;
    std::vector<std::string> extraLines; // after Host and User-Agent, in order
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
    *os << c.name;
}

class GetHeaders : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(GetHeaders, ExactRequestBytes) {
    const HeaderCase& c = GetParam();
    LoopbackServer server(Answer(200, "OK", "ok"));
    const std::string url = server.Url("/tz.txt");
    EXPECT_EQ(FetchUrl(url, "", "", c.callerHeaders), "ok");

    std::string expected =
        "GET /tz.txt HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n" +
        kUserAgent + "\r\n";
    for (std::string line : c.extraLines) {
        if (line == "REFERER") {
            line = "Referer: " + url;
        }
        expected += line + "\r\n";
    }
    expected += "\r\n";
    EXPECT_EQ(server.LastRequest(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GetHeaders,
    ::testing::Values(
        HeaderCase{"NoCallerHeaders", "", {kAccept, "REFERER", "Accept-Language: zh-cn"}},
        HeaderCase{"CallerAcceptInLowerCase",
                   "accept: text/plain\r\n",
                   {"accept: text/plain", "REFERER", "Accept-Language: zh-cn"}},
        HeaderCase{"OtherCallerHeader",
                   "X-Kind: notice\r\n",
                   {"X-Kind: notice", kAccept, "REFERER", "Accept-Language: zh-cn"}},
        // Its text holds "Accept: ", so ours is left out; libcurl must not add its own.
        HeaderCase{"AcceptInsideAnotherName",
                   "X-Accept: 1\r\n",
                   {"X-Accept: 1", "REFERER", "Accept-Language: zh-cn"}},
        HeaderCase{"CallerGivesAllThree",
                   "ACCEPT: a/b\r\nreferer: http://elsewhere/\r\nAccept-language: en\r\n",
                   {"ACCEPT: a/b", "referer: http://elsewhere/", "Accept-language: en"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PostCase {
    const char* name;
    const char* body;
    std::vector<std::string> extraLines; // after the three default lines
};

void PrintTo(const PostCase& c, std::ostream* os) {
    *os << c.name;
}

class PostBody : public ::testing::TestWithParam<PostCase> {};

TEST_P(PostBody, ContentHeadersOnlyWithABody) {
    const PostCase& c = GetParam();
    LoopbackServer server(Answer(200, "OK", "posted"));
    const std::string url = server.Url("/form");
    EXPECT_EQ(FetchUrl(url, "POST", "", "", c.body), "posted");

    std::vector<std::string> expected = {"POST /form HTTP/1.1",
                                         "Host: 127.0.0.1:" + std::to_string(server.Port()),
                                         kUserAgent,
                                         kAccept,
                                         "Referer: " + url,
                                         "Accept-Language: zh-cn"};
    expected.insert(expected.end(), c.extraLines.begin(), c.extraLines.end());
    const Received got = Parse(server.LastRequest());
    EXPECT_EQ(got.lines, expected);
    EXPECT_EQ(got.body, c.body);
}

INSTANTIATE_TEST_SUITE_P(Table, PostBody,
                         ::testing::Values(PostCase{"EmptyBody", "", {}},
                                           PostCase{
                                               "ThreeBytes",
                                               "a=b",
                                               {"Content-Type: application/x-www-form-urlencoded",
                                                "Content-Length: 3"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FetchUrl, ProxyTextDecidesTheRoute) {
    LoopbackServer server(Answer(200, "OK", "via"));
    const std::string port = std::to_string(server.Port());

    // Only spaces: a direct connection.
    EXPECT_EQ(FetchUrl(server.Url("/d.txt"), "", "   "), "via");
    EXPECT_EQ(Parse(server.LastRequest()).lines.at(0), "GET /d.txt HTTP/1.1");

    // Through the proxy (our server): the absolute URL of a host that need not resolve.
    EXPECT_EQ(FetchUrl("http://Notice.Example.invalid/tz.txt", "", "127.0.0.1:" + port), "via");
    const Received got = Parse(server.LastRequest());
    EXPECT_EQ(got.lines.at(0), "GET http://notice.example.invalid/tz.txt HTTP/1.1");
    EXPECT_EQ(got.lines.at(1), "Host: notice.example.invalid");
}

// ---------------------------------------------------------------------------------------
// Failing at once

struct RefusedCase {
    const char* name;
    const char* method;
    const char* urlSuffix; // appended to "http://127.0.0.1:PORT"; "@" cases replace it
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedRequest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedRequest, EmptyAndNothingSent) {
    const RefusedCase& c = GetParam();
    LoopbackServer server(Answer(200, "OK", "should not be fetched"));
    std::string url = server.Url(c.urlSuffix);
    if (std::string(c.name) == "UserInHost") {
        url = "http://user@127.0.0.1:" + std::to_string(server.Port()) + "/tz.txt";
    }
    EXPECT_EQ(FetchUrl(url, c.method), "");
    EXPECT_FALSE(Request.running);
    EXPECT_TRUE(server.Requests().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedRequest,
                         ::testing::Values(RefusedCase{"GetInLowerCase", "get", "/tz.txt"},
                                           RefusedCase{"PostInMixedCase", "Post", "/tz.txt"},
                                           RefusedCase{"OtherMethod", "PUT", "/tz.txt"},
                                           RefusedCase{"LineBreakInUrl", "",
                                                       "/tz.txt\r\nX-Injected: 1"},
                                           RefusedCase{"UserInHost", "", "/tz.txt"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A read error ends the body with what came before it; that is the result.
TEST(FetchUrl, ConnectionClosedMidBodyGivesWhatArrived) {
    LoopbackServer server([](LoopbackServer& s, int fd, const std::string&) {
        s.Send(fd, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc");
    });
    EXPECT_EQ(FetchUrl(server.Url("/tz.txt"), "", "", "", "", 10), "abc");
    EXPECT_FALSE(Request.running);
}

TEST(FetchUrl, RefusedConnectionIsEmpty) {
    int port = 0;
    {
        LoopbackServer gone(Answer(200, "OK", "x"));
        port = gone.Port();
    }
    EXPECT_EQ(FetchUrl("http://127.0.0.1:" + std::to_string(port) + "/tz.txt", "", "", "", "", 5),
              "");
    EXPECT_FALSE(Request.running);
}

// ---------------------------------------------------------------------------------------
// Responses come back as sent

std::string LongBody() {
    std::string body;
    for (int i = 0; i < 5000; ++i) {
        body += static_cast<char>(i % 256); // zero bytes and GBK lead bytes included
    }
    return body;
}

struct ResponseCase {
    const char* name;
    int status;
    const char* reason;
    std::string body;
    const char* extraHeaders;
};

void PrintTo(const ResponseCase& c, std::ostream* os) {
    *os << c.name;
}

class ResponseBody : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseBody, ReturnedWhole) {
    const ResponseCase& c = GetParam();
    LoopbackServer server(Answer(c.status, c.reason, c.body, c.extraHeaders));
    EXPECT_EQ(FetchUrl(server.Url("/tz.txt")), c.body);
    EXPECT_EQ(Request.response, c.body);
    EXPECT_EQ(server.Requests().size(), 1u); // a redirect is not followed
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResponseBody,
    ::testing::Values(ResponseCase{"NotFoundPage", 404, "Not Found",
                                   "<html><body><h1>404 Not Found</h1></body></html>", ""},
                      ResponseCase{"LongerThanOneReadBuffer", 200, "OK", LongBody(), ""},
                      ResponseCase{"EmptyBody", 200, "OK", "", ""},
                      ResponseCase{"RedirectToItself", 302, "Found", "moved",
                                   "Location: /tz.txt\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Cookies

TEST(FetchUrl, CookiesFromShortHeadersAreSentBack) {
    std::mutex lock;
    std::string toSet;
    LoopbackServer server([&](LoopbackServer& s, int fd, const std::string& request) {
        std::string extra;
        if (request.rfind("GET /set ", 0) == 0) {
            std::lock_guard<std::mutex> guard(lock);
            extra = toSet;
        }
        s.Send(fd, LoopbackServer::Response(200, "OK", "c", extra));
    });

    struct CookieStep {
        const char* name;
        std::string setHeaders;
        std::vector<std::string> sent;
        std::vector<std::string> notSent;
    };
    const std::string padding = "X-Padding: " + std::string(1100, 'p') + "\r\n";
    const std::vector<CookieStep> steps = {
        {"TwoCookies",
         "Set-Cookie: k1=one; path=/\r\nSet-Cookie: k2=two\r\n",
         {"k1=one", "k2=two"},
         {}},
        {"HeadersOver1024Bytes", "Set-Cookie: k3=three\r\n" + padding, {"k2=two"}, {"k3="}},
        {"MarkerInLowerCase", "set-cookie: k4=four\r\n", {"k4=four"}, {}},
        {"ExpiredRemoves",
         "Set-Cookie: k1=gone; expires=Thu, 01 Jan 1970 00:00:10 GMT\r\n",
         {"k2=two"},
         {"k1="}},
        {"OtherPath", "Set-Cookie: k5=five; path=/elsewhere\r\n", {"k2=two"}, {"k5="}},
        {"NoEquals", "Set-Cookie: k6\r\n", {"k2=two"}, {"k6"}},
    };
    // The cookie store lives as long as the process: these cookies go to "localhost", so
    // the other tests, which talk to 127.0.0.1, never carry them.
    const std::string origin = "http://localhost:" + std::to_string(server.Port());
    for (const CookieStep& step : steps) {
        SCOPED_TRACE(step.name);
        {
            std::lock_guard<std::mutex> guard(lock);
            toSet = step.setHeaders;
        }
        ASSERT_EQ(FetchUrl(origin + "/set"), "c");
        ASSERT_EQ(FetchUrl(origin + "/probe.txt"), "c");
        const std::string cookies = CookieLine(server.LastRequest());
        for (const std::string& s : step.sent) {
            EXPECT_NE(cookies.find(s), std::string::npos) << cookies;
        }
        for (const std::string& s : step.notSent) {
            EXPECT_EQ(cookies.find(s), std::string::npos) << cookies;
        }
    }

    // The store is keyed by host: another name for the same server gets none of them.
    ASSERT_EQ(FetchUrl(server.Url("/probe.txt")), "c");
    EXPECT_EQ(CookieLine(server.LastRequest()), "");
}

// ---------------------------------------------------------------------------------------
// The wait, the time limit and abandoned requests

TEST(FetchUrl, SilentServerGivesEmptyAtTheLimitWhileEventsRun) {
    LoopbackServer silent(
        [](LoopbackServer& s, int fd, const std::string&) { s.HoldUntilClosed(fd); });
    int calls = 0;
    EXPECT_EQ(FetchUrl(silent.Url("/tz.txt"), "", "", "", "", 2, [&] { ++calls; }), "");
    EXPECT_GT(calls, 20);
    EXPECT_FALSE(Request.running);
    EXPECT_EQ(Request.response, "");
    EXPECT_EQ(silent.Requests().size(), 1u);
    // The abandoned transfer is cancelled, not left hanging on the connection.
    EXPECT_TRUE(Eventually([&] { return silent.SawClientClose(); }));

    // The next request starts afresh and nothing of the old one turns up.
    LoopbackServer fresh(Answer(200, "OK", "fresh"));
    EXPECT_EQ(FetchUrl(fresh.Url("/tz.txt")), "fresh");
    EXPECT_EQ(Request.response, "fresh");
    EXPECT_EQ(Request.url, fresh.Url("/tz.txt"));
}

// Only 0 stands for the default limit: a negative one has passed before the wait begins.
TEST(FetchUrl, NegativeTimeLimitGivesEmptyAtOnce) {
    LoopbackServer silent(
        [](LoopbackServer& s, int fd, const std::string&) { s.HoldUntilClosed(fd); });
    int calls = 0;
    std::string result = "unset";
    // Were the limit taken for the 90-second default, the callback ends the wait instead.
    EXPECT_NO_THROW(result = FetchUrl(silent.Url("/tz.txt"), "", "", "", "", -1, [&] {
                        if (++calls > 300) {
                            throw std::runtime_error("still waiting");
                        }
                    }));
    EXPECT_EQ(result, "");
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(Request.running);
}

TEST(FetchUrl, ANestedCallWhileWaitingIsRefused) {
    LoopbackServer server([](LoopbackServer& s, int fd, const std::string&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        s.Send(fd, LoopbackServer::Response(200, "OK", "outer"));
    });
    std::vector<std::string> nested;
    const std::string result = FetchUrl(server.Url("/tz.txt"), "", "", "", "", 10, [&] {
        if (nested.empty()) {
            nested.push_back(FetchUrl(server.Url("/nested.txt")));
        }
    });
    EXPECT_EQ(result, "outer");
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_EQ(nested[0], "");
    EXPECT_EQ(server.Requests().size(), 1u);
}

// ---------------------------------------------------------------------------------------
// Hostile servers

struct HostileCase {
    const char* name;
    LoopbackServer::Handler handler;
    int timeLimit;
    std::size_t maxBytesSent; // the client must have stopped taking data by then
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileServer : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileServer, EmptyResultAndTheProgramGoesOn) {
    const HostileCase& c = GetParam();
    LoopbackServer server(c.handler);
    EXPECT_EQ(FetchUrl(server.Url("/tz.txt"), "", "", "", "", c.timeLimit), "");
    EXPECT_FALSE(Request.running);
    ASSERT_TRUE(Eventually([&] { return server.Handled() == 1; }));
    EXPECT_LT(server.BytesSent(), c.maxBytesSent);
}

// Sends chunk after chunk until the client goes away.
void Flood(LoopbackServer& s, int fd, const std::string& chunk) {
    while (!s.Stopping() && s.Send(fd, chunk)) {
    }
}

constexpr std::size_t kMiB = 1u << 20;

INSTANTIATE_TEST_SUITE_P(
    Table, HostileServer,
    ::testing::Values(HostileCase{"EndlessBody",
                                  [](LoopbackServer& s, int fd, const std::string&) {
                                      s.Send(fd, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
                                      Flood(s, fd, std::string(64 * 1024, 'x'));
                                  },
                                  30, 64 * kMiB},
                      HostileCase{
                          "GigabytesDeclared",
                          [](LoopbackServer& s, int fd, const std::string&) {
                              s.Send(fd, "HTTP/1.1 200 OK\r\nContent-Length: 5000000000\r\n\r\n");
                              Flood(s, fd, std::string(64 * 1024, 'x'));
                          },
                          30, 64 * kMiB},
                      HostileCase{"HeadersThatNeverEnd",
                                  [](LoopbackServer& s, int fd, const std::string&) {
                                      s.Send(fd, "HTTP/1.1 200 OK\r\n");
                                      Flood(s, fd, "X-Filler: " + std::string(1000, 'h') + "\r\n");
                                  },
                                  30, 64 * kMiB},
                      HostileCase{"OneHeaderLineThatNeverEnds",
                                  [](LoopbackServer& s, int fd, const std::string&) {
                                      s.Send(fd, "HTTP/1.1 200 OK\r\nX-Filler: ");
                                      Flood(s, fd, std::string(64 * 1024, 'h'));
                                  },
                                  30, 64 * kMiB},
                      HostileCase{"StallsAfterAFewBytes",
                                  [](LoopbackServer& s, int fd, const std::string&) {
                                      s.Send(fd,
                                             "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc");
                                      s.HoldUntilClosed(fd);
                                  },
                                  1, kMiB}),
    [](const auto& info) { return std::string(info.param.name); });
