// Fuzzes the settings-file reader and writer: the input gives a section, a key, a value,
// a second section and key, and then the file's bytes. Checks that reads stay within their
// limits, that a write reads back and changes no other key, and that a refused write leaves
// the file as it was.
#include "FuzzTempDir.h"
#include "app/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace kivola;

namespace {

std::string Trim(std::string s) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.back())) {
        s.pop_back();
    }
    std::size_t i = 0;
    while (i < s.size() && blank(s[i])) {
        ++i;
    }
    return s.substr(i);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_ini: %s\n", what);
        std::abort();
    }
}

const std::string kDefault = "\x01"
                             "DEF";

void CheckValue(const std::string& v) {
    if (v == kDefault) {
        return;
    }
    Check(v.size() <= kMaxValueBytes, "value longer than the limit");
    Check(v.find_first_of("\r\n") == std::string::npos, "line break in a value");
    Check(v.empty() ||
              (v.front() != ' ' && v.front() != '\t' && v.back() != ' ' && v.back() != '\t'),
          "blank around a value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(24);
    const std::string key = in.ConsumeRandomLengthString(24);
    const std::string value = in.ConsumeRandomLengthString(64);
    const std::string section2 = in.ConsumeRandomLengthString(24);
    const std::string key2 = in.ConsumeRandomLengthString(24);
    const std::string file = in.ConsumeRemainingBytesAsString();

    Check(IniNamesEqual(section, section2) == IniNamesEqual(section2, section), "asymmetric match");

    const std::string path = fuzz::ScratchDir() + "/USERdat.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    CheckValue(IniRead(path, section, key, kDefault));
    const std::string other = IniRead(path, section2, key2, kDefault);
    CheckValue(other);

    const bool same =
        IniNamesEqual(Trim(section), Trim(section2)) && IniNamesEqual(Trim(key), Trim(key2));
    if (IniWrite(path, section, key, value)) {
        Check(IniRead(path, section, key, kDefault) == Trim(value),
              "written value does not read back");
        if (!same) {
            Check(IniRead(path, section2, key2, kDefault) == other, "write changed another key");
        }
        // Writing the same again changes nothing.
        const std::string after = ReadAll(path);
        Check(IniWrite(path, section, key, value), "second write refused");
        Check(ReadAll(path) == after, "second write changed the file");
    } else {
        Check(ReadAll(path) == file, "refused write changed the file");
    }
    return 0;
}
