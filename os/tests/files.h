// What tests of any folder need of files: a throw-away working folder, a
// read-only one, a name that is not a regular file, and whole files.
#pragma once

#include <string>

// Makes a fresh directory and makes it the working directory; undoes both on destruction.
class TempWorkdir {
public:
    TempWorkdir();
    ~TempWorkdir();
    TempWorkdir(const TempWorkdir&) = delete;
    TempWorkdir& operator=(const TempWorkdir&) = delete;
    const std::string& path() const { return dir; }

private:
    std::string dir;
    std::string previous;
};

// Makes a folder read-only while it lives, also for root, whom permission bits do
// not stop: then through a read-only bind mount in a mount namespace of the test's
// own. Where neither can be had (root inside a chroot), ok() is false.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool ok() const { return readOnly; }

private:
    std::string path;
    bool mounted = false;
    bool readOnly = false;
};

// A name that opens as something other than a regular file, which a reader must
// not wait on: a FIFO in the working folder on Linux, the NUL device on Windows.
std::string specialFile();

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
void makeDirs(const std::string& path);
