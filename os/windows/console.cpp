#include "os/console.h"

#include <windows.h>

#include <cstdio>
#include <streambuf>

namespace {

std::wstring wide(const std::string& text)
{
    std::wstring result(text.size(), L'\0');
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), result.data(), int(result.size()));
    result.resize(length > 0 ? length : 0);
    return result;
}

bool isOpen(HANDLE handle)
{
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The console of the program that started this one, none when it had none.
HANDLE parentConsole()
{
    static const HANDLE console =
        AttachConsole(ATTACH_PARENT_PROCESS)
            ? CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr)
            : INVALID_HANDLE_VALUE;
    return console;
}

// Collects what is streamed and writes it a line at a time, so that a console
// is given whole characters.
class LineWriter : public std::streambuf {
public:
    explicit LineWriter(UserStream stream) : stream(stream) {}
    ~LineWriter() override { sync(); }

protected:
    int overflow(int c) override
    {
        if (c == traits_type::eof())
            return 0;
        pending += char(c);
        if (c == '\n')
            sync();
        return c;
    }
    int sync() override
    {
        if (!pending.empty())
            writeToUser(stream, pending);
        pending.clear();
        return 0;
    }

private:
    UserStream stream;
    std::string pending;
};

}  // namespace

void writeToUser(UserStream stream, const std::string& text)
{
    HANDLE handle = GetStdHandle(stream == UserStream::output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    const bool redirected = isOpen(handle);
    if (!redirected)
        handle = parentConsole();
    DWORD mode = 0;
    if (isOpen(handle) && GetConsoleMode(handle, &mode)) {
        const std::wstring characters = wide(text);
        DWORD written = 0;
        WriteConsoleW(handle, characters.data(), DWORD(characters.size()), &written, nullptr);
    } else if (redirected) {
        // Through the C runtime, which ends lines as Windows files do.
        std::FILE* file = stream == UserStream::output ? stdout : stderr;
        std::fputs(text.c_str(), file);
        std::fflush(file);
    } else {
        MessageBoxW(nullptr, wide(text).c_str(), L"Glimora",
                    MB_OK | (stream == UserStream::error ? MB_ICONERROR : MB_ICONINFORMATION));
    }
}

std::ostream& userStream(UserStream stream)
{
    static LineWriter outputLines(UserStream::output), errorLines(UserStream::error);
    static std::ostream output(&outputLines), error(&errorLines);
    return stream == UserStream::output ? output : error;
}
