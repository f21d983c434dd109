#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "os/tests/files.h"

namespace fs = std::filesystem;

namespace {

// Mount changes must not reach the rest of the machine.
bool privateMounts()
{
    static const bool done = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return done;
}

// Paths resolve again, so a working directory inside the folder sees its current mount.
void reenterWorkingDirectory()
{
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) && chdir(cwd) != 0)
        ADD_FAILURE() << "cannot re-enter " << cwd;
}

}  // namespace

ReadOnlyFolder::ReadOnlyFolder(const std::string& folder) : path(fs::absolute(folder).string())
{
    chmod(path.c_str(), 0555);
    if (access(path.c_str(), W_OK) != 0) {
        readOnly = true;
        return;
    }
    mounted = privateMounts() && mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0;
    if (mounted)
        mount(nullptr, path.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr);
    reenterWorkingDirectory();
    readOnly = access(path.c_str(), W_OK) != 0;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (mounted)
        umount2(path.c_str(), MNT_DETACH);
    reenterWorkingDirectory();
    chmod(path.c_str(), 0755);
}

std::string specialFile()
{
    EXPECT_EQ(mkfifo("pipe.bmp", 0600), 0);
    return "pipe.bmp";
}
