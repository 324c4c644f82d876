#pragma once

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

// Reads every *.phn file of `folder` once (its first 148 bytes) with plain system calls and
// nothing else: the least any phonebook load must do. Returns the number of files read.
inline long plainReadAll(const char* folder, unsigned long& checksum) {
    DIR* dir = opendir(folder);
    if (!dir)
        return -1;
    long files = 0;
    char buffer[148];
    while (const dirent* e = readdir(dir)) {
        const size_t len = std::strlen(e->d_name);
        if (len < 4 || std::strcmp(e->d_name + len - 4, ".phn") != 0)
            continue;
        const std::string path = std::string(folder) + "/" + e->d_name;
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0)
            continue;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        close(fd);
        for (ssize_t i = 0; i < n; ++i)
            checksum += static_cast<unsigned char>(buffer[i]);
        ++files;
    }
    closedir(dir);
    return files;
}
