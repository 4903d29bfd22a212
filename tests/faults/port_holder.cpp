#include "port_holder.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string_view>
#include <vector>

namespace quellmark::faults {

namespace {

constexpr int kStartTimeoutMs = 5000;

// The first line the child prints, read byte by byte; empty if none came in time.
std::string ReadLine(int fd) {
    std::string line;
    char c = 0;
    pollfd entry{fd, POLLIN, 0};
    while (poll(&entry, 1, kStartTimeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

}  // namespace

PortHolder::PortHolder(const std::string& device) {
    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) {
        return;
    }
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    std::string program = QUELLMARK_PORT_HOLDER_PATH;
    std::string argument = device;
    char* argv[] = {program.data(), argument.data(), nullptr};
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv, environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    toChild_ = toChild[1];
    holding_ = pid_ > 0 && ReadLine(fromChild[0]) == "held";
    close(fromChild[0]);
}

PortHolder::~PortHolder() {
    Release();
}

void PortHolder::Release() {
    if (toChild_ >= 0) {
        close(toChild_);
        toChild_ = -1;
    }
    if (pid_ > 0) {
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    holding_ = false;
}

}  // namespace quellmark::faults
