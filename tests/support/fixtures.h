// Helpers shared by the tests: a throw-away working directory and BMP files on disk.
#pragma once

#include <allegro.h>

#include <ostream>
#include <string>
#include <vector>

#include "system/win32.h"

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

// A display with no windows, boxes or timers left by an earlier test: the
// headless one reset on Linux; Windows' own needs nothing.
void freshDisplay();

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
void makeDirs(const std::string& path);

// A 32-bit bitmap filled with one colour; the caller destroys it.
BITMAP* makeBitmap(int width, int height, int colour);
// Saves as a plain 24-bit BMP with the 40-byte header.
void saveBmp(const std::string& path, BITMAP* bitmap);

int magenta();

// Rectangles compared and printed, as regions and shapes are checked.
using Rects = std::vector<RECT>;
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
