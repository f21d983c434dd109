// The Run key as the Linux layer keeps it, in a configuration folder of the
// test's own: for the layer's own tests and for the program's registration.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <win32_api.h>

#include "os/tests/files.h"

const char runKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Sets an environment variable for one test's life.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name(name)
    {
        if (const char* old = getenv(name))
            previous = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { previous ? setenv(name, previous->c_str(), 1) : unsetenv(name); }

private:
    const char* name;
    std::optional<std::string> previous;
};

// A working directory and a configuration folder of the test's own.
class RunKeyTest : public testing::Test {
protected:
    TempWorkdir dir;
    ScopedEnv config{"XDG_CONFIG_HOME", dir.path() + "/config"};
    const std::string entry = dir.path() + "/config/autostart/Glimora.desktop";
    const std::string program = std::filesystem::read_symlink("/proc/self/exe");

    LSTATUS setValue(DWORD type, const std::string& data, DWORD size)
    {
        HKEY key;
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
        LSTATUS status = RegSetValueExA(key, "Glimora", 0, type, reinterpret_cast<const BYTE*>(data.data()), size);
        RegCloseKey(key);
        return status;
    }

    // The value's type and data as a query returns them.
    std::pair<DWORD, std::string> queryValue()
    {
        HKEY key;
        DWORD type = REG_NONE, size = 0;
        std::string data(1024, '\0');
        BYTE tooSmall[1];
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_READ, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegQueryValueExA(key, "Glimora", nullptr, nullptr, tooSmall, &size), ERROR_MORE_DATA);
        EXPECT_EQ(RegQueryValueExA(key, "Glimora", nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        return {type, data.substr(0, size)};
    }
};

