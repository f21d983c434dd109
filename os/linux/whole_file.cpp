#include "os/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

// Far above any settings file; guards memory against a runaway file.
constexpr off_t maxFileSize = 64 << 20;

bool writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

mode_t newFileMode(const std::string& path)
{
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable; best effort, the data is already synced.
void syncFolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

FileRead readWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    // Non-blocking so that a FIFO in the file's place cannot hang us.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    struct stat info;
    bool readable = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxFileSize;
    if (readable)
        bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[1 << 16];
    while (readable) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            readable = n == 0;
            break;
        }
        bytes.append(chunk, static_cast<size_t>(n));
        readable = bytes.size() <= static_cast<size_t>(maxFileSize);
    }
    close(fd);
    if (!readable)
        bytes.clear();
    return readable ? FileRead::Ok : FileRead::Failed;
}

bool replaceFile(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + ".XXXXXX";
    int fd = mkostemp(&temporary[0], O_CLOEXEC);
    if (fd < 0)
        return false;
    bool written = fchmod(fd, newFileMode(path)) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}
