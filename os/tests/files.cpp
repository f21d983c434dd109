#include "os/tests/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TempWorkdir::TempWorkdir()
{
    std::error_code error;
    previous = fs::current_path(error).string();
    std::random_device random;
    for (int attempt = 0; dir.empty() && attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("glimora-test-" + std::to_string(random()));
        if (fs::create_directory(candidate, error))
            dir = candidate.string();
    }
    if (dir.empty()) {
        ADD_FAILURE() << "no temporary folder";
        return;
    }
    fs::current_path(dir, error);
    EXPECT_FALSE(error) << error.message();
}

TempWorkdir::~TempWorkdir()
{
    std::error_code ignored;
    fs::current_path(previous, ignored);
    if (ignored)
        ADD_FAILURE() << "cannot return to " << previous;
    // Tests may leave read-only folders behind; make them removable first.
    for (auto& entry : fs::recursive_directory_iterator(dir, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir, ignored);
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
