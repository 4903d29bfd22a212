#include "child_process.h"

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

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

}  // namespace

ChildProcess::ChildProcess(std::string program, const std::vector<std::string>& arguments,
                           const std::string& stderrPath) {
    // Close-on-exec, so that no other child keeps a pipe open.
    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
        for (int fd : {input[0], input[1], output[0], output[1]}) {
            CloseFd(fd);
        }
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    if (!stderrPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrPath.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
    }
    std::vector<std::string> args{std::move(program)};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    stdin_ = input[1];
    stdout_ = output[0];
}

ChildProcess::~ChildProcess() {
    Stop();
    CloseFd(stdin_);
    CloseFd(stdout_);
}

std::string ChildProcess::ReadFirstLine(int timeout_ms) {
    std::string line = ReadUntil(stdout_, "\n", timeout_ms);
    if (!line.ends_with('\n')) {
        return "";
    }
    line.pop_back();
    return line;
}

int ChildProcess::CloseInputAndWait() {
    CloseFd(stdin_);
    return Wait();
}

int ChildProcess::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
    }
    return Wait();
}

int ChildProcess::Wait() {
    if (pid_ <= 0) {
        return -1;
    }
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
