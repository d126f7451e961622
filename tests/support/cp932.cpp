// Conversion of expectations from UTF-8 to CP932 with iconv.

#include "support/cp932.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

std::string Cp932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::perror("iconv_open CP932");
        std::abort();
    }
    std::vector<char> out(utf8.size() * 2 + 16);
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* at = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &at, &outLeft) == static_cast<std::size_t>(-1)) {
        std::fprintf(stderr, "no CP932 form for: %s\n", utf8.c_str());
        std::abort();
    }
    iconv_close(cd);
    return std::string(out.data(), static_cast<std::size_t>(at - out.data()));
}
