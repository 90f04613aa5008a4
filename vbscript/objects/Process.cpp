#include "vbscript/objects/Process.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "vbscript/Errors.h"
#include "vbscript/Vm.h"

extern char** environ;

namespace vbs::process {
namespace {

[[noreturn]] void raiseErrno(int e)
{
    switch (e) {
    case ENOMEM: case EAGAIN: raise(err::OutOfMemory);
    case EMFILE: case ENFILE: raise(67);
    case EACCES: case EPERM: raise(70);
    case ENOENT: raise(53);  // no /bin/sh
    default: raise(err::InvalidCall);
    }
}

void closeFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

int openPidfd(pid_t pid)
{
#ifdef SYS_pidfd_open
    long fd = ::syscall(SYS_pidfd_open, pid, 0);  // always close-on-exec
    return fd < 0 ? -1 : static_cast<int>(fd);
#else
    (void)pid;
    return -1;
#endif
}

// Owns the spawn attributes for the length of one spawn.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attr);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

void sleepMs(int ms)
{
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    ::nanosleep(&ts, nullptr);
}

}  // namespace

Child spawnShell(const std::string& command, bool pipes)
{
    if (command.find_first_not_of(" \t\r\n") == std::string::npos) raise(err::InvalidCall);
    SpawnSetup s;
    // The host may ignore or block signals; the command should not inherit that.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGALRM, SIGUSR1, SIGUSR2,
                    SIGTSTP, SIGTTIN, SIGTTOU})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&s.attr, &none);
    posix_spawnattr_setsigdefault(&s.attr, &defaults);
    posix_spawnattr_setpgroup(&s.attr, 0);
    posix_spawnattr_setflags(&s.attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    Child c;
    int fds[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
    auto closeAll = [&] {
        for (auto& p : fds) { closeFd(p[0]); closeFd(p[1]); }
    };
    if (pipes) {
        for (auto& p : fds)
            if (::pipe2(p, O_CLOEXEC) != 0) {
                int e = errno;
                closeAll();
                raiseErrno(e);
            }
        posix_spawn_file_actions_adddup2(&s.actions, fds[0][0], 0);
        posix_spawn_file_actions_adddup2(&s.actions, fds[1][1], 1);
        posix_spawn_file_actions_adddup2(&s.actions, fds[2][1], 2);
    } else {
        // Like a window of its own: the command does not read the script's input.
        posix_spawn_file_actions_addopen(&s.actions, 0, "/dev/null", O_RDONLY, 0);
        // What the host printed so far comes before the command's output.
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
    }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 34)
    // The host's own files (the editor's) stay out of the command.
    posix_spawn_file_actions_addclosefrom_np(&s.actions, 3);
#endif
    std::string cmd = command;
    char sh[] = "sh", dashC[] = "-c";
    char* argv[] = {sh, dashC, cmd.data(), nullptr};
    int rc = ::posix_spawn(&c.pid, "/bin/sh", &s.actions, &s.attr, argv, environ);
    if (rc != 0) {
        closeAll();
        raiseErrno(rc);
    }
    if (pipes) {
        c.in = fds[0][1];
        c.out = fds[1][0];
        c.err = fds[2][0];
        fds[0][1] = fds[1][0] = fds[2][0] = -1;
        closeAll();
        for (int fd : {c.in, c.out, c.err}) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    c.pidfd = openPidfd(c.pid);
    return c;
}

int exitCode(int status)
{
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 0;
}

std::optional<int> tryReap(Child& c)
{
    if (c.code || c.pid <= 0) return c.code;
    int status = 0;
    pid_t r;
    do r = ::waitpid(c.pid, &status, WNOHANG);
    while (r < 0 && errno == EINTR);
    if (r == 0) return std::nullopt;
    // ECHILD: the host reaps children itself (SIGCHLD ignored); nothing to report.
    c.code = r > 0 ? exitCode(status) : 0;
    closeFd(c.pidfd);
    return c.code;
}

void killGroup(const Child& c)
{
    if (!c.code && c.pid > 0) ::kill(-c.pid, SIGKILL);  // unreaped, so the group id is still ours
}

int waitFor(Child& c, const Vm& vm)
{
    for (int pause = 1;;) {
        if (auto code = tryReap(c)) return *code;
        if (vm.stopRequested()) {
            killGroup(c);
            int status;
            while (::waitpid(c.pid, &status, 0) < 0 && errno == EINTR) {}
            c.code = 128 + SIGKILL;
            closeFd(c.pidfd);
            throw StopScript{};
        }
        if (c.pidfd >= 0) {
            pollfd p{c.pidfd, POLLIN, 0};
            ::poll(&p, 1, 50);
        } else {
            sleepMs(pause);
            pause = std::min(pause * 2, 50);
        }
    }
}

void release(Child& c)
{
    closeFd(c.in);
    closeFd(c.out);
    closeFd(c.err);
    if (tryReap(c)) return;
    closeFd(c.pidfd);
    pid_t pid = c.pid;
    c.pid = -1;
    try {
        std::thread([pid] {
            int status;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        }).detach();
    } catch (...) {
        // No thread to spare: the child stays a zombie until the host exits.
    }
}

long writeSome(int fd, const char* data, std::size_t size)
{
    sigset_t pipeSig, old;
    sigemptyset(&pipeSig);
    sigaddset(&pipeSig, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSig, &old);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    ssize_t n;
    do n = ::write(fd, data, size);
    while (n < 0 && errno == EINTR);
    int e = errno;
    if (n < 0 && e == EPIPE && !sigismember(&pendingBefore, SIGPIPE)) {
        timespec zero{0, 0};
        ::sigtimedwait(&pipeSig, nullptr, &zero);  // drop the SIGPIPE this write raised
    }
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (n >= 0) return static_cast<long>(n);
    if (e == EAGAIN || e == EWOULDBLOCK) return 0;
    return -1;
}

}  // namespace vbs::process
