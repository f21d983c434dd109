#include "os/whole_file.h"

#include <windows.h>

#include <algorithm>

namespace {

// Far above any settings file; guards memory against a runaway file.
constexpr LONGLONG maxFileSize = 64 << 20;

bool writeAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

}  // namespace

FileRead readWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing : FileRead::Failed;
    }
    LARGE_INTEGER size;
    bool readable = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart <= maxFileSize;
    if (readable) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (readable && done < bytes.size()) {
            DWORD n = 0;
            readable = ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &n, nullptr) && n > 0;
            done += n;
        }
    }
    CloseHandle(file);
    if (!readable)
        bytes.clear();
    return readable ? FileRead::Ok : FileRead::Failed;
}

bool replaceFile(const std::string& path, const std::string& bytes)
{
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folderOf(path).c_str(), "gli", 0, temporary))
        return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE && writeAll(file, bytes) && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        written = CloseHandle(file) && written;
    if (!written || !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}
