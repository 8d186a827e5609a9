#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "skin/model/SkinData.h"
#include "skin/model/SkinFolder.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <filesystem>

namespace qv::cli {

namespace {

// Inflates the skin carried by this program, exactly as the window does at start-up.
std::string storedArchive()
{
    TbsCompressedStoredSkin store;
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    TByteBuffer archive;
    store.ExtractArchive(archive);
    return archive.bytes();
}

int exportSkin(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError("skin export takes one folder");
    exportSkinArchive(storedArchive(), args.front());
    return 0;
}

int packSkin(const std::vector<std::string>& args)
{
    Options const options(args, {"-o"});
    if (options.positional().size() != 1)
        throw UsageError("skin pack takes one folder");
    std::string const output = options.value("-o");
    std::string const folder = options.positional().front();
    std::string archive = packSkinFolder(folder);
    // A skin that the program could not load is not written.
    try {
        TbsSkinData check;
        check.loadFromArchive(archive);
    } catch (const Exception& error) {
        throw Exception(concerning((std::filesystem::path(folder) / "SKIN.INI").string(), error.message()));
    }
    TbsCompressedStoredSkin store;
    store.compressArchive(archive);
    writeOutput(output, store.compressedFileBytes());
    return 0;
}

} // namespace

int runSkin(const std::vector<std::string>& args)
{
    if (args.empty())
        throw UsageError("skin needs 'export' or 'pack'");
    std::vector<std::string> const rest(args.begin() + 1, args.end());
    if (args.front() == "export")
        return exportSkin(rest);
    if (args.front() == "pack")
        return packSkin(rest);
    throw UsageError("unknown skin command '" + args.front() + "'");
}

} // namespace qv::cli
