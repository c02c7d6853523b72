// Writes 1 MiB of each slow reply into the folder given, as inputs for the reply view's fuzzer:
// a first byte 0 (the rest is one character per byte), then the reply. Too large to keep in the
// repository, so the fuzzing test makes them each run.
#include <cstdio>
#include <fstream>
#include <string>

#include "SlowReplies.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_slow_replies FOLDER\n");
        return 2;
    }
    for (const auto& reply : harfpad::slow_replies::kSlowReplies) {
        std::ofstream file(std::string(argv[1]) + "/large_" + reply.name, std::ios::binary);
        file.put('\0');
        for (const char16_t c : reply.make(std::size_t{1} << 20)) file.put(static_cast<char>(c));
        if (!file)
            return 1;
    }
    return 0;
}
