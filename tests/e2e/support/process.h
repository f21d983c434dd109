// Child processes of a test: started with their own folder and environment,
// always stopped and reaped.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class Child {
public:
    // extraEnvironment entries are NAME=value; keepFd stays open in the child.
    Child(const std::vector<std::string>& arguments, const std::string& folder = "",
          const std::vector<std::string>& extraEnvironment = {}, int keepFd = -1, bool quiet = false);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The exit status (128 + signal after a signal), or -1 while it still runs after timeoutMs.
    int wait(int timeoutMs);
    // Sends a signal, as a session manager or a terminal would.
    void signal(int number) const;
    pid_t id() const { return pid; }

private:
    pid_t pid = -1;
    int status = -1;
};

// Runs a shell command to its end; its exit status.
int shell(const std::string& command);
