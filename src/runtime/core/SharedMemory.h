#pragma once

#include "runtime/core/EndSignals.h"
#include "runtime/core/Exception.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qv {

// Failure to reach an object shared between processes.
class ESharedObjectError : public Exception {
public:
    using Exception::Exception;
};

// Objects shared between processes belong to the current user: their system names carry
// the user's id and a scope, "/qv-<uid>-<scope>-<name>" ("/qv-<uid>-<name>" without a
// scope). A scope keeps independent sets of processes (test runs) apart; it is taken
// from the environment variable QV_SHARED_SCOPE, where "%p" stands for the process id.
std::string sharedObjectPath(const std::string& name);
const std::string& sharedObjectScope();
void setSharedObjectScope(const std::string& scope);

// A named block of memory that every process of the user can map. Created with owner-only
// permissions; an object of the name that belongs to another user, or that others may
// read or write, is refused. The block lives while anyone holds it: the last holder to
// let go removes the name, and one left behind by processes that crashed is found
// without holders and started afresh by the next one to open it.
class SharedMemory {
public:
    using Initializer = std::function<void(uint8_t* data, size_t size)>;

    // Joins the block, or creates it zero-filled with this size when nobody holds it;
    // init runs on a fresh block before any other process can join it.
    static std::unique_ptr<SharedMemory> openOrCreate(const std::string& name, size_t size,
        const Initializer& init = {});
    // A new block under the name; holders of an older one keep theirs.
    static std::unique_ptr<SharedMemory> create(const std::string& name, size_t size);
    // The block when someone holds it, otherwise nullptr.
    static std::unique_ptr<SharedMemory> open(const std::string& name);

    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    uint8_t* data() const { return m_data; }
    size_t size() const { return m_size; }
    const std::string& name() const { return m_name; }
    // True when this holder started the block (nobody else held it).
    bool created() const { return m_created; }
    // True while another holder (another process, or another holder in this one) has it.
    bool heldElsewhere() const;

private:
    enum class Mode { Join, JoinOrCreate, Replace };
    static std::unique_ptr<SharedMemory> openBlock(const std::string& name, size_t size, Mode mode,
        const Initializer& init);
    SharedMemory(std::string name, std::string path, int fd, uint8_t* data, size_t size, bool created);

    std::string m_name;
    std::string m_path;
    int m_fd = -1;
    uint8_t* m_data = nullptr;
    size_t m_size = 0;
    bool m_created = false;
    // A signal that ends the process takes the name away too, when no one else holds it.
    std::unique_ptr<ExitCleanup> m_exitCleanup;
};

} // namespace qv
