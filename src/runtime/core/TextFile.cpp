#include "runtime/core/TextFile.h"

#include "runtime/core/EndSignals.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Text.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {
namespace {

const char* kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "a pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a plain file";
}

} // namespace

std::string readRegularFile(const std::string& path, std::uint64_t maxBytes)
{
    if (path.empty())
        throw EInOutError("Invalid filename", 3);
    // Opening a pipe without a writer would wait for one; nothing is read before the
    // file is known to be a regular one.
    int const fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        throw ioError(errno, path);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer {fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw ioError(errno, path);
    if (S_ISDIR(info.st_mode))
        throw ioError(EACCES, path);
    if (!S_ISREG(info.st_mode))
        throw EInOutError("\"" + path + "\" is " + kindOf(info.st_mode) + ", not a file that can be read", 5);
    auto const size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes)
        throw EInOutError("\"" + path + "\" is too large: " + std::to_string(size) + " bytes, at most "
                + std::to_string(maxBytes) + " can be meant",
            5);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        ssize_t const n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw ioError(errno, path);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        // A file that grows while it is read is bounded all the same.
        if (bytes.size() > maxBytes)
            throw EInOutError("\"" + path + "\" is too large: more than " + std::to_string(maxBytes) + " bytes", 5);
    }
    return bytes;
}

namespace {

mode_t currentUmask()
{
    mode_t const mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

TextFileReader::TextFileReader(const std::string& path, std::uint64_t maxBytes)
    : TextFileReader(readRegularFile(path, maxBytes))
{
}

TextFileReader::TextFileReader(std::string bytes) : m_bytes(std::move(bytes))
{
    std::string_view const text = m_bytes;
    std::size_t at = 0;
    std::string_view line;
    while (nextLine(text, at, line))
        m_lines.push_back({static_cast<std::size_t>(line.data() - text.data()), line.size()});
}

TextFileReader TextFileReader::fromBytes(std::string bytes) { return TextFileReader(std::move(bytes)); }

std::string_view TextFileReader::readLineView()
{
    if (atEnd())
        return {};
    LineSpan const line = m_lines[m_next++];
    return std::string_view(m_bytes).substr(line.begin, line.size);
}

void TextFileWriter::writeLine(const std::string& line)
{
    m_text += line;
    m_text += "\r\n";
}

void TextFileWriter::commit() const
{
    replaceFileAtomically(m_path, m_text);
}

namespace {

// Writes all bytes to an open descriptor; returns 0 or the errno of the failing write.
int writeAll(int fd, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t const n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// A device or a pipe cannot be replaced, only written to.
void writeThrough(const std::string& path, const std::string& bytes)
{
    int const fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        throw ioError(errno, path);
    int const error = writeAll(fd, bytes);
    if (error != 0) {
        ::close(fd);
        throw ioError(error, path);
    }
    if (::close(fd) != 0)
        throw ioError(errno, path);
}

} // namespace

void replaceFileAtomically(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path.back() == '/')
        throw EInOutError("Invalid filename", 3);
    // A symbolic link keeps pointing where it did: the file it names is replaced.
    std::string target = path;
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    struct stat existing{};
    bool const exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        throw ioError(EISDIR, path);
    if (exists && !S_ISREG(existing.st_mode)) {
        writeThrough(target, bytes);
        return;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0)
        throw ioError(errno, path);

    std::string temp = target + ".XXXXXX";
    int const fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw ioError(errno, path);
    ExitCleanup const removeTemp([temp] { ::unlink(temp.c_str()); });
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return ioError(error, path);
    };
    mode_t const mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd, mode) != 0)
        throw fail(errno);
    if (int const error = writeAll(fd, bytes))
        throw fail(error);
    if (::fsync(fd) != 0 && errno != EINVAL)
        throw fail(errno);
    if (::close(fd) != 0) {
        int const error = errno;
        ::unlink(temp.c_str());
        throw ioError(error, path);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int const error = errno;
        ::unlink(temp.c_str());
        throw ioError(error, path);
    }
}

} // namespace qv
