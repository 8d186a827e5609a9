#include "runtime/core/SharedMemory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

std::string& scopeStorage()
{
    static std::string scope = [] {
        const char* value = std::getenv("QV_SHARED_SCOPE");
        std::string text = value ? value : "";
        for (size_t at = text.find("%p"); at != std::string::npos; at = text.find("%p"))
            text.replace(at, 2, std::to_string(::getpid()));
        return text;
    }();
    return scope;
}

// Names become one path component: anything but letters, digits, '_', '-' and '.'
// is written as %XX.
std::string encodedName(const std::string& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
            || c == '.';
        if (plain) {
            out += static_cast<char>(c);
            continue;
        }
        out += '%';
        out += hex[c >> 4];
        out += hex[c & 15];
    }
    return out;
}

ESharedObjectError systemError(const std::string& what, const std::string& name, int code)
{
    return ESharedObjectError(what + " \"" + name + "\": " + std::strerror(code));
}

bool ownedPrivately(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return false;
    return info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

int lockWithRetry(int fd, int operation)
{
    int result;
    do
        result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result;
}

// Opening, starting and removing blocks happens under one lock per user, so that
// "nobody else holds it" stays true until the block is ready or gone. Threads of one
// process share the lock file's description, hence the process-local mutex as well.
class RegistryLock {
public:
    RegistryLock()
        : m_guard(localMutex())
    {
        m_fd = lockFile();
        if (m_fd >= 0 && lockWithRetry(m_fd, LOCK_EX) != 0)
            m_fd = -1;
    }
    ~RegistryLock()
    {
        if (m_fd >= 0)
            ::flock(m_fd, LOCK_UN);
    }
    bool held() const { return m_fd >= 0; }

private:
    static std::mutex& localMutex()
    {
        static std::mutex mutex;
        return mutex;
    }
    static int lockFile()
    {
        static int fd = [] {
            std::string path = "/qv-" + std::to_string(::geteuid()) + ".lock";
            int opened = ::shm_open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            if (opened >= 0 && !ownedPrivately(opened)) {
                ::close(opened);
                return -1;
            }
            return opened;
        }();
        return fd;
    }

    std::lock_guard<std::mutex> m_guard;
    int m_fd = -1;
};

// Blocks that nobody holds any more were left by processes that died; the first
// opening in a process removes those of this user (the registry lock is held).
void sweepOrphans()
{
    static bool swept = false;
    if (swept)
        return;
    swept = true;
    std::string prefix = "qv-" + std::to_string(::geteuid()) + "-";
    DIR* dir = ::opendir("/dev/shm");
    if (!dir)
        return;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string path = "/" + name;
        int fd = ::shm_open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
        if (fd < 0)
            continue;
        if (ownedPrivately(fd) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::shm_unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

bool sameObject(int fd, const std::string& path)
{
    int current = ::shm_open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (current < 0)
        return false;
    struct stat a {}, b {};
    bool same = ::fstat(fd, &a) == 0 && ::fstat(current, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    ::close(current);
    return same;
}

} // namespace

std::string sharedObjectPath(const std::string& name)
{
    std::string path = "/qv-" + std::to_string(::geteuid()) + "-";
    const std::string& scope = sharedObjectScope();
    if (!scope.empty())
        path += encodedName(scope) + "-";
    return path + encodedName(name);
}

const std::string& sharedObjectScope()
{
    return scopeStorage();
}

void setSharedObjectScope(const std::string& scope)
{
    scopeStorage() = scope;
}

SharedMemory::SharedMemory(std::string name, std::string path, int fd, uint8_t* data, size_t size, bool created)
    : m_name(std::move(name))
    , m_path(std::move(path))
    , m_fd(fd)
    , m_data(data)
    , m_size(size)
    , m_created(created)
{
    // Without the registry lock: the process is ending and the signal thread must
    // not wait on a thread that may never let go.
    m_exitCleanup = std::make_unique<ExitCleanup>([this] {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0 && sameObject(m_fd, m_path))
            ::shm_unlink(m_path.c_str());
    });
}

std::unique_ptr<SharedMemory> SharedMemory::openBlock(const std::string& name, size_t size, Mode mode,
    const Initializer& init)
{
    std::string path = sharedObjectPath(name);
    if (path.size() > 250)
        throw ESharedObjectError("Shared object name too long: \"" + name + "\"");
    RegistryLock lock;
    if (!lock.held())
        throw ESharedObjectError("Cannot lock the shared object registry");
    sweepOrphans();

    int flags = O_RDWR | O_CLOEXEC;
    if (mode == Mode::JoinOrCreate)
        flags |= O_CREAT;
    if (mode == Mode::Replace) {
        ::shm_unlink(path.c_str());
        flags |= O_CREAT | O_EXCL;
    }
    int fd = ::shm_open(path.c_str(), flags, 0600);
    if (fd < 0) {
        if (mode == Mode::Join && errno == ENOENT)
            return nullptr;
        int const code = errno;
        // Someone else's folder or link under our name says more than the system's error.
        struct stat planted {};
        if (::lstat(("/dev/shm" + path).c_str(), &planted) == 0 && !S_ISREG(planted.st_mode))
            throw ESharedObjectError("The shared object \"" + name + "\" is taken by "
                + (S_ISDIR(planted.st_mode) ? "a folder" : S_ISLNK(planted.st_mode) ? "a link" : "something else"));
        throw systemError("Cannot open the shared object", name, code);
    }
    if (!ownedPrivately(fd)) {
        ::close(fd);
        throw ESharedObjectError("The shared object \"" + name + "\" belongs to another user or is open to others");
    }

    bool alone = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (alone && mode == Mode::Join) {
        // Left behind by processes that are gone: nobody serves it any more.
        if (sameObject(fd, path))
            ::shm_unlink(path.c_str());
        ::close(fd);
        return nullptr;
    }
    if (alone) {
        // Truncating first zero-fills whatever a crashed holder left in it.
        if (::ftruncate(fd, 0) != 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
            int code = errno;
            ::shm_unlink(path.c_str());
            ::close(fd);
            throw systemError("Cannot size the shared object", name, code);
        }
    } else {
        struct stat info {};
        if (::fstat(fd, &info) != 0 || info.st_size <= 0) {
            int code = errno ? errno : EINVAL;
            ::close(fd);
            throw systemError("Cannot open the shared object", name, code);
        }
        size = static_cast<size_t>(info.st_size);
    }

    void* mapped = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) {
        int code = errno;
        if (alone && sameObject(fd, path))
            ::shm_unlink(path.c_str());
        ::close(fd);
        throw systemError("Cannot map the shared object", name, code);
    }
    auto* data = static_cast<uint8_t*>(mapped);
    if (alone && init)
        init(data, size);
    // Every holder keeps a shared lock on its description; the exclusive one above
    // becomes shared while the registry lock keeps others from looking.
    lockWithRetry(fd, LOCK_SH);
    return std::unique_ptr<SharedMemory>(new SharedMemory(name, path, fd, data, size, alone));
}

std::unique_ptr<SharedMemory> SharedMemory::openOrCreate(const std::string& name, size_t size, const Initializer& init)
{
    return openBlock(name, size, Mode::JoinOrCreate, init);
}

std::unique_ptr<SharedMemory> SharedMemory::create(const std::string& name, size_t size)
{
    return openBlock(name, size, Mode::Replace, {});
}

std::unique_ptr<SharedMemory> SharedMemory::open(const std::string& name)
{
    return openBlock(name, 0, Mode::Join, {});
}

bool SharedMemory::heldElsewhere() const
{
    RegistryLock lock;
    if (!lock.held())
        return true;
    // Our own shared lock would hide the answer; nobody else can look meanwhile.
    ::flock(m_fd, LOCK_UN);
    bool others = false;
    int probe = ::shm_open(m_path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (probe >= 0) {
        struct stat a {}, b {};
        bool same = ::fstat(m_fd, &a) == 0 && ::fstat(probe, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
        others = same && ::flock(probe, LOCK_EX | LOCK_NB) != 0;
        ::close(probe);
    }
    lockWithRetry(m_fd, LOCK_SH);
    return others;
}

SharedMemory::~SharedMemory()
{
    m_exitCleanup.reset();
    RegistryLock lock;
    ::munmap(m_data, m_size);
    // The last holder removes the name, unless it already names a newer block.
    if (lock.held() && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0 && sameObject(m_fd, m_path))
        ::shm_unlink(m_path.c_str());
    ::close(m_fd);
}

} // namespace qv
