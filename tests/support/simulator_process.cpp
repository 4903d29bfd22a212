#include "simulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// One byte at a time, so nothing past the wanted end is taken from the fd.
std::string ReadUntilEnd(int fd, const std::string& end, int timeout_ms) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    std::string text;
    while (!text.ends_with(end)) {
        pollfd entry{fd, POLLIN, 0};
        char c = 0;
        if (poll(&entry, 1, RemainingMs(deadline)) != 1 || read(fd, &c, 1) != 1) {
            break;
        }
        text += c;
    }
    return text;
}

}  // namespace

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& options) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);

    std::vector<std::string> args{QUELLMARK_MODEM_SIM_PATH};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[1]);
    stdout_ = pipe_fds[0];
}

SimulatorProcess::~SimulatorProcess() {
    Stop();
    if (stdout_ >= 0) {
        close(stdout_);
    }
}

std::string SimulatorProcess::ReadFirstLine(int timeout_ms) {
    std::string line = ReadUntilEnd(stdout_, "\n", timeout_ms);
    if (!line.ends_with('\n')) {
        return "";
    }
    line.pop_back();
    return line;
}

int SimulatorProcess::Stop() {
    if (pid_ < 0) {
        return -1;
    }
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int OpenDevice(const std::string& path) {
    return open(path.c_str(), O_RDWR | O_NOCTTY);
}

void WriteText(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

std::string ReadUntil(int fd, const std::string& end, int timeout_ms) {
    return ReadUntilEnd(fd, end, timeout_ms);
}
