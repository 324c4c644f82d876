// The yardstick process: reads every entry file of a folder once and exits.
// Usage: phonebook_plain_read <folder>
#include "PlainRead.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    unsigned long checksum = 0;
    const long files = plainReadAll(argv[1], checksum);
    std::printf("%ld files, checksum %lu\n", files, checksum);
    return files >= 0 ? 0 : 1;
}
