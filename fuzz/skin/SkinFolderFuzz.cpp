// The skin folder reader behind `skin pack` over hostile folders: the input is a
// SKIN.INI and the files beside it, one after another, each chunk after a line
// "#FILE <name>" (names without a folder part). The folder is packed and the archive
// loaded as the command does; errors are expected, crashes, hangs, sanitizer reports
// and errors of any other kind are not.

#include "runtime/core/Exception.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinFolder.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace qv;

namespace {

const fs::path& scratchFolder()
{
    static fs::path const dir = fs::temp_directory_path() / ("qv-fuzz-skin-folder-" + std::to_string(::getpid()));
    return dir;
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A name the fuzzer made up stays a plain name inside the scratch folder.
bool plainName(const std::string& name)
{
    return !name.empty() && name.size() < 64 && name != "." && name != ".." && name.find('/') == std::string::npos
        && name.find('\0') == std::string::npos;
}

void writeFolder(const std::string& input)
{
    const fs::path& dir = scratchFolder();
    fs::remove_all(dir);
    fs::create_directories(dir);
    static std::string const marker = "\n#FILE ";
    std::size_t end = input.find(marker);
    writeFile(dir / "SKIN.INI", input.substr(0, end));
    while (end != std::string::npos) {
        std::size_t const nameStart = end + marker.size();
        std::size_t const nameEnd = input.find('\n', nameStart);
        if (nameEnd == std::string::npos)
            return;
        std::string const name = input.substr(nameStart, nameEnd - nameStart);
        end = input.find(marker, nameEnd);
        std::string const bytes = input.substr(nameEnd + 1, end == std::string::npos ? std::string::npos : end - nameEnd - 1);
        if (plainName(name))
            writeFile(dir / name, bytes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    writeFolder(std::string(reinterpret_cast<const char*>(data), size));
    try {
        std::string const archive = packSkinFolder(scratchFolder().string());
        TbsSkinData check;
        check.loadFromArchive(archive);
    } catch (const Exception&) {
        // Refused with a message: fine.
    } catch (const std::exception&) {
        // Anything else (a raw library error) would reach the user unexplained.
        std::abort();
    }
    // The fuzzer ends without running exit handlers: nothing is left behind between inputs.
    std::error_code ignored;
    fs::remove_all(scratchFolder(), ignored);
    return 0;
}
