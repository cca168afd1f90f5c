#pragma once
// A real nexord process for the tests: started on a loopback address other than 127.0.0.1 (which the
// socket connection serves in process), on a free port it reports in its log. Clients on this machine
// are trusted unless the process is started with Trust::Passwords (every client then logs in).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class NexordProcess {
public:
    enum class Trust {
        Loopback,
        Passwords
    };
    // launcher: a program that runs nexord (e.g. {"prlimit", "--nofile=64:64"}), found on the PATH.
    explicit NexordProcess(const std::string& database, const std::string& address = "127.0.0.2",
                           std::vector<std::string> extra = {}, std::vector<std::string> launcher = {},
                           Trust trust = Trust::Loopback) {
        address_ = address;
        std::vector<std::string> args = launcher;
        std::vector<std::string> own{Binary(), "--port", "0", "--database", database, "--listen", address};
        if (trust == Trust::Loopback) own.push_back("--trust-loopback");
        args.insert(args.end(), own.begin(), own.end());
        args.insert(args.end(), extra.begin(), extra.end());
        Spawn(args);
        std::string marker = "listening on " + address + ":";
        if (WaitForLog(marker, 10000)) {
            auto at = log_.find(marker) + marker.size();
            port_ = std::atoi(log_.c_str() + at);
        }
    }
    // Runs nexord with the arguments and returns its exit status (for the usage checks).
    static int Run(const std::vector<std::string>& args) {
        NexordProcess p;
        std::vector<std::string> all{Binary()};
        all.insert(all.end(), args.begin(), args.end());
        p.Spawn(all);
        return p.Wait(10000);
    }
    ~NexordProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (err_ >= 0) close(err_);
    }

    int Port() const { return port_; }
    const std::string& Address() const { return address_; }
    pid_t Pid() const { return pid_; }
    bool Running() const { return pid_ > 0; }

    // Everything written to stderr so far.
    const std::string& Log() {
        Drain(0);
        return log_;
    }
    bool WaitForLog(const std::string& text, int timeoutMs) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (log_.find(text) == std::string::npos) {
            int left = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count());
            if (left <= 0 || !Drain(left)) return log_.find(text) != std::string::npos;
        }
        return true;
    }
    void Signal(int sig) {
        if (pid_ > 0) kill(pid_, sig);
    }
    // Waits for the exit (bounded); the exit status, 128 + signal when killed, -1 on time-out.
    int Wait(int timeoutMs) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (pid_ > 0) {
            int status = 0;
            pid_t r = waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                pid_ = -1;
                Drain(0);
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            if (std::chrono::steady_clock::now() > end) return -1;
            Drain(10);
        }
        return -1;
    }

private:
    NexordProcess() = default;

    static std::string Binary() {
        if (const char* bin = std::getenv("TDEF_BIN"); bin && *bin) return std::string(bin) + "/nexord";
        char self[PATH_MAX] = {};
        ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
        return path.substr(0, path.rfind('/')) + "/nexord";
    }

    void Spawn(const std::vector<std::string>& args) {
        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        err_ = pipeFds[0];
        fcntl(err_, F_SETFL, fcntl(err_, F_GETFL) | O_NONBLOCK);
    }

    // Reads what is there, waiting up to timeoutMs for something; false when nothing more can come.
    bool Drain(int timeoutMs) {
        if (err_ < 0) return false;
        pollfd p{err_, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) return timeoutMs == 0;
        char buffer[4096];
        for (;;) {
            ssize_t n = read(err_, buffer, sizeof buffer);
            if (n > 0) {
                log_.append(buffer, static_cast<std::size_t>(n));
                continue;
            }
            return n != 0;  // 0: the process closed stderr
        }
    }

    pid_t pid_ = -1;
    int err_ = -1;
    int port_ = 0;
    std::string address_;
    std::string log_;
};
