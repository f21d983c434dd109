#include "support/fixtures.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TempWorkdir::TempWorkdir()
{
    char cwd[PATH_MAX];
    previous = getcwd(cwd, sizeof cwd) ? cwd : "/";
    std::string pattern = (fs::temp_directory_path() / "glimora-test-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    EXPECT_EQ(chdir(dir.c_str()), 0);
}

TempWorkdir::~TempWorkdir()
{
    if (chdir(previous.c_str()) != 0)
        ADD_FAILURE() << "cannot return to " << previous;
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them removable first.
    for (auto& entry : fs::recursive_directory_iterator(dir, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir, ignored);
}

// Mount changes must not reach the rest of the machine.
static bool privateMounts()
{
    static const bool done = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return done;
}

// Paths resolve again, so a working directory inside the folder sees its current mount.
static void reenterWorkingDirectory()
{
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) && chdir(cwd) != 0)
        ADD_FAILURE() << "cannot re-enter " << cwd;
}

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

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path)
{
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

void makeDirs(const std::string& path)
{
    fs::create_directories(path);
}

BITMAP* makeBitmap(int width, int height, int colour)
{
    BITMAP* bitmap = create_bitmap_ex(32, width, height);
    clear_to_color(bitmap, colour);
    return bitmap;
}

void saveBmp(const std::string& path, BITMAP* bitmap)
{
    ASSERT_EQ(save_bmp(path.c_str(), bitmap, nullptr), 0) << path;
}

int magenta()
{
    return makecol32(255, 0, 255);
}
