#include "e2e/support/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

int decode(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

[[noreturn]] void becomeChild(const std::vector<std::string>& arguments, const std::string& folder,
                              const std::vector<std::string>& extraEnvironment, int keepFd, bool quiet)
{
    if (!folder.empty() && chdir(folder.c_str()) != 0)
        _exit(127);
    if (quiet) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
    }
    if (keepFd >= 0)
        fcntl(keepFd, F_SETFD, 0);
    for (const std::string& entry : extraEnvironment)
        putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

}  // namespace

Child::Child(const std::vector<std::string>& arguments, const std::string& folder,
             const std::vector<std::string>& extraEnvironment, int keepFd, bool quiet)
{
    std::fflush(nullptr);
    pid = fork();
    if (pid == 0)
        becomeChild(arguments, folder, extraEnvironment, keepFd, quiet);
}

Child::~Child()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (wait(5000) == -1) {
        kill(pid, SIGKILL);
        wait(5000);
    }
}

int Child::wait(int timeoutMs)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pid > 0) {
        int raw = 0;
        if (waitpid(pid, &raw, WNOHANG) == pid) {
            status = decode(raw);
            pid = -1;
        } else if (std::chrono::steady_clock::now() >= end) {
            return -1;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return status;
}

void Child::signal(int number) const
{
    if (pid > 0)
        kill(pid, number);
}

int shell(const std::string& command)
{
    return decode(std::system(command.c_str()));
}
