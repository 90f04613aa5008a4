#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace mkmdb {
namespace {

// Owns the temporary file until it has been renamed into place.
class TempFile {
public:
    explicit TempFile(const std::filesystem::path& target) : path_(target.string() + ".XXXXXX")
    {
        fd_ = mkstemp(path_.data());
        if (fd_ < 0) Fail("cannot create a file in " + target.parent_path().string());
    }
    ~TempFile()
    {
        if (fd_ >= 0) close(fd_);
        if (!renamed_) unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(const Bytes& bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) Fail("cannot write " + path_);
            done += static_cast<std::size_t>(n);
        }
        // Readers of the program folder should find a normal, readable file.
        if (fchmod(fd_, 0644) != 0 || fsync(fd_) != 0) Fail("cannot write " + path_);
        int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0) Fail("cannot write " + path_);
    }

    void RenameTo(const std::filesystem::path& target)
    {
        if (rename(path_.c_str(), target.c_str()) != 0) Fail("cannot replace " + target.string());
        renamed_ = true;
    }

private:
    [[noreturn]] static void Fail(const std::string& what) { throw OutputError(what + ": " + std::strerror(errno)); }

    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};
}  // namespace

void WriteFileAtomically(const std::filesystem::path& target, const Bytes& bytes)
{
    std::filesystem::path full = target.has_parent_path() ? target : std::filesystem::path(".") / target;
    TempFile temp(full);
    temp.Write(bytes);
    temp.RenameTo(full);
}

}  // namespace mkmdb
