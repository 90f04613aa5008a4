#pragma once
// Child processes for WScript.Shell: Run and Exec start "/bin/sh -c command"
// in a process group of its own, so a stop request can end the whole
// command line. No signal handler is installed: the editor hosting the
// engine keeps its own.
#include <optional>
#include <string>
#include <sys/types.h>

namespace vbs {

class Vm;

namespace process {

struct Child {
    pid_t pid = -1;
    int pidfd = -1;  // -1 when the kernel has no pidfd_open
    std::optional<int> code;  // set once reaped
    // Exec only: our ends of the child's standard streams, close-on-exec.
    int in = -1, out = -1, err = -1;
};

// Raises 5 for an empty command line, 7/67/70 when the system refuses.
// Without pipes the child reads /dev/null and writes to our own output.
Child spawnShell(const std::string& commandUtf8, bool pipes);

// The exit code of a finished child; a child ended by a signal gives
// 128 + the signal number, as the shell reports it.
int exitCode(int waitStatus);
// The exit code once the child has ended, without blocking; reaps it.
std::optional<int> tryReap(Child& c);
// Blocks until the child ends. A stop request kills its process group and
// unwinds the script.
int waitFor(Child& c, const Vm& vm);
// SIGKILL to the child's process group (it leads the group).
void killGroup(const Child& c);
// Closes the pipes and makes sure the child is reaped once it ends, without
// waiting for it here.
void release(Child& c);

// One write to a non-blocking fd: bytes written, 0 when the pipe is full,
// -1 when the reader has gone. SIGPIPE is held back on this thread only.
long writeSome(int fd, const char* data, std::size_t size);

}  // namespace process
}  // namespace vbs
