// FetchUrl of a 1 KB body from a server on loopback.

#include "../tests/notices/LoopbackServer.h"
#include "notices/Http.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_FetchUrl1KiBLoopback(benchmark::State& state) {
    using kivola::test::LoopbackServer;
    const std::string body(1024, 'n');
    LoopbackServer server([&](LoopbackServer& s, int fd, const std::string&) {
        s.Send(fd, LoopbackServer::Response(200, "OK", body));
    });
    const std::string url = server.Url("/tz.txt");
    for (auto _ : state) {
        const std::string result = kivola::FetchUrl(url);
        if (result.size() != body.size()) {
            state.SkipWithError("unexpected response");
            break;
        }
        benchmark::DoNotOptimize(result.data());
    }
}
BENCHMARK(BM_FetchUrl1KiBLoopback)->Unit(benchmark::kMicrosecond);

} // namespace
