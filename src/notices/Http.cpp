#include "notices/Http.h"

// Placeholder until the libcurl routine lands: every request fails.
namespace kivola {

RequestState Request;

std::string FetchUrl(const std::string&, const std::string&, const std::string&,
                     const std::string&, const std::string&, int,
                     const std::function<void()>&) {
    return {};
}
void RunRequest() {}
std::string UrlHost(const std::string&) { return {}; }
std::string UrlPath(const std::string&) { return "/"; }
int UrlPort(const std::string&) { return 80; }

} // namespace kivola
