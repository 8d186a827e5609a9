// The data buffer as another process may leave it: header, action code and parameters
// are all outside input to the connection that serves it.
#include "report/data/DataBuffer.h"
#include "report/data/DataCommunication.h"
#include "report/data/TRvCustomConnection.h"
#include "runtime/core/Exception.h"
#include "runtime/core/SharedMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace qv;

namespace {

TRvCustomConnection& connection()
{
    static TRvCustomConnection* instance = [] {
        // Never destroyed, like the connection: every input goes to the same program.
        auto* data = new DataCommunication;
        auto* c = new TRvCustomConnection("Fuzzed", data->connections());
        c->OnGetCols = [](TRvCustomConnection& self) {
            self.DeclareField("No", TRPDataType::dtString, 30, "No", "");
            self.DeclareField("Count", TRPDataType::dtInteger, 0, "", "");
            self.DeclareField("Money", TRPDataType::dtCurrency, 0, "", "");
        };
        c->OnOpen = [](TRvCustomConnection& self) { self.RowCount = 3; };
        c->OnGetRow = [](TRvCustomConnection& self) { self.WriteStringValue("", std::to_string(self.RowIndex)); };
        c->OnSetSort = [](TRvCustomConnection& self) {
            for (int i = 0; i < 64 && !self.ReadString().empty(); ++i) {
            }
        };
        return c;
    }();
    return *instance;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Shared objects of its own, away from any running program.
    std::string scope = "f" + std::to_string(::getpid());
    ::setenv("QV_SHARED_SCOPE", scope.c_str(), 1);
    setSharedObjectScope(scope);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TRvCustomConnection& c = connection();
    static auto buffer = databuffer::open(databuffer::Reach::Process, databuffer::kBufferName);
    if (!buffer)
        return 0;
    std::memset(buffer->data(), 0, buffer->size());
    std::memcpy(buffer->data(), data, std::min(size, buffer->size()));
    try {
        c.ExecuteAction();
    } catch (const Exception&) {
        // Refused requests are fine; reading or writing out of bounds is not.
    }
    return 0;
}
