#pragma once
// One scratch directory per fuzzing process, in memory where the system offers it.

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace kivola::fuzz {

inline const std::string& ScratchDir() {
    static const std::string dir = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/kivola-fuzz-XXXXXX"
                                                            : "/tmp/kivola-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            abort();
        }
        return pattern;
    }();
    return dir;
}

} // namespace kivola::fuzz
