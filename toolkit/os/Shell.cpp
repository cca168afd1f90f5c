#include "toolkit/os/Shell.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <mutex>

namespace {
std::mutex& ShellMutex() {
    static std::mutex m;
    return m;
}

ShellService& CurrentService() {
    static ShellService service;
    return service;
}

PropertiesHandler& CurrentProperties() {
    static PropertiesHandler handler;
    return handler;
}

bool DefaultService(const std::string& operation, const std::string& file) {
    if (operation == "open" || operation.empty()) return ShellOpenDefault(file);
    if (operation == "properties") {
        PropertiesHandler handler;
        {
            std::lock_guard<std::mutex> lock(ShellMutex());
            handler = CurrentProperties();
        }
        if (!handler) return false;
        handler(file);
        return true;
    }
    return false;
}
}  // namespace

bool ShellExecute(const std::string& operation, const std::string& file) {
    ShellService service;
    {
        std::lock_guard<std::mutex> lock(ShellMutex());
        service = CurrentService();
    }
    return service ? service(operation, file) : DefaultService(operation, file);
}

ShellService SetShellService(ShellService service) {
    std::lock_guard<std::mutex> lock(ShellMutex());
    ShellService previous = std::move(CurrentService());
    CurrentService() = std::move(service);
    return previous;
}

void SetPropertiesHandler(PropertiesHandler handler) {
    std::lock_guard<std::mutex> lock(ShellMutex());
    CurrentProperties() = std::move(handler);
}

bool ShellOpenDefault(const std::string& file) {
    // Detached: a child starts the opener in a grandchild and exits at once, so nothing is left to
    // reap. A close-on-exec pipe tells whether the exec worked.
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    const char* argv[] = {"xdg-open", file.c_str(), nullptr};
    pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execvp(argv[0], const_cast<char* const*>(argv));
            int err = errno;
            (void)!::write(fds[1], &err, sizeof err);
            ::_exit(127);
        }
        if (grandchild < 0) {
            int err = errno;
            (void)!::write(fds[1], &err, sizeof err);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    int err = 0;
    ssize_t n;
    while ((n = ::read(fds[0], &err, sizeof err)) < 0 && errno == EINTR) {}
    ::close(fds[0]);
    return n == 0;
}
