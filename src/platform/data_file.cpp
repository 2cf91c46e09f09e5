// The shared reader of data files: open without blocking, check, read whole.
#include "platform/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace {

DataFile refused(const char* reason) {
    DataFile file;
    file.status = DataFile::kRefused;
    file.reason = reason;
    return file;
}

// Fills `bytes` from `fd`; a file that shrinks meanwhile gives what it held.
bool readAll(int fd, std::string* bytes) {
    size_t got = 0;
    while (got < bytes->size()) {
        ssize_t n = ::read(fd, bytes->data() + got, bytes->size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += size_t(n);
    }
    bytes->resize(got);
    return true;
}

DataFile readOpenFile(int fd, size_t maxBytes) {
    struct stat info;
    if (::fstat(fd, &info) != 0) return refused("it cannot be examined");
    if (!S_ISREG(info.st_mode)) return refused("it is not a regular file");
    if (info.st_size < 0 || uint64_t(info.st_size) > maxBytes) return refused("it is too large");
    DataFile file;
    file.bytes.resize(size_t(info.st_size));
    if (!readAll(fd, &file.bytes)) return refused("it cannot be read");
    file.status = DataFile::kRead;
    return file;
}

}  // namespace

DataFile readDataFile(const char* path, size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for ever.
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return DataFile();
    DataFile file = readOpenFile(fd, maxBytes);
    ::close(fd);
    return file;
}

void reportRefusal(const char* path, const DataFile& file) {
    if (file.status == DataFile::kRefused)
        std::fprintf(stderr, "dorian: skipping %s: %s\n", path, file.reason);
}
