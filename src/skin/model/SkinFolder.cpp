#include "skin/model/SkinFolder.h"
#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"
#include "runtime/core/TextFile.h"
#include "skin/store/CompressedStoredSkin.h"
#include "skin/model/SkinIni.h"
#include "skin/model/SkinPicture.h"
#include "skin/store/SkinArchive.h"
#include "runtime/core/Text.h"

#include <filesystem>
#include <limits>
#include <fstream>
#include <sstream>

namespace qv {

namespace fs = std::filesystem;

namespace {

const char* const requiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};

// A skin file is never larger than the archive it goes into.
constexpr std::uint64_t maxSkinFileBytes = TbsCompressedStoredSkin::archiveLimit;

std::string readFile(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw EInOutError("\"" + path.string() + "\" is a folder, not a file", 5);
    try {
        return readRegularFile(path.string(), maxSkinFileBytes);
    } catch (const EInOutError& error) {
        if (error.message().find(path.string()) != std::string::npos)
            throw;
        throw EInOutError("\"" + path.string() + "\": " + error.message(), error.errorCode());
    }
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw EInOutError("Cannot create file \"" + path.string() + "\"", 5);
}

std::string joinCrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

// A picture name must stay inside the folder.
fs::path pictureFile(const fs::path& dir, const std::string& name)
{
    fs::path leaf = fs::path(name).filename();
    if (leaf.empty() || leaf.string() != name || name == "." || name == "..")
        throw Exception("Skin picture name \"" + name + "\" is not a plain file name");
    return dir / leaf;
}

std::string loadPicture(const fs::path& dir, const std::string& name)
{
    fs::path file = pictureFile(dir, name);
    std::string bmp = readFile(file);
    try {
        TbsSkinPicture::fromBmp(bmp);
    } catch (const Exception&) {
        throw Exception("Skin picture \"" + file.string() + "\" is not a valid BMP file");
    }
    return bmp;
}

// A count the loader would read as no pictures at all must not pack a skin without them.
void checkPictureCount(const TbsSkinIni& ini, const fs::path& iniPath)
{
    char const* const key = "activepicturescount";
    if (!ini.hasKey("PICTURES", key))
        return;
    constexpr int unreadable = std::numeric_limits<int>::min();
    int const count = ini.readInteger("PICTURES", key, unreadable);
    if (count >= 0 && count <= TbsSectionReader::maxListCount)
        return;
    throw Exception(iniPath.string() + ": [PICTURES] " + key + "=" + echoedInput(ini.readString("PICTURES", key, ""))
        + " is not a number of pictures from 0 to " + std::to_string(TbsSectionReader::maxListCount));
}

std::optional<std::string> optionalPicture(const fs::path& dir, const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    return loadPicture(dir, name);
}

} // namespace

std::string packSkinFolder(const std::string& dirName)
{
    fs::path dir(dirName);
    fs::path iniPath = dir / "SKIN.INI";
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        throw Exception("Skin folder \"" + dirName + "\" " + (fs::exists(dir, ec) ? "is not a folder" : "does not exist"));
    if (!fs::exists(iniPath, ec)) {
        if (ec)
            throw EInOutError("Skin folder \"" + dirName + "\" cannot be read: " + ec.message(), 5);
        throw Exception("Skin folder \"" + dirName + "\" has no SKIN.INI");
    }
    std::string text = joinCrLf(splitLines(readFile(iniPath)));
    TbsSkinIni ini(text);
    for (const char* section : requiredSections) {
        if (!ini.hasSection(section))
            throw Exception("SKIN.INI in \"" + dirName + "\" lacks the [" + std::string(section) + "] section");
    }
    checkPictureCount(ini, iniPath);
    TbsSectionReader pictures(ini, "PICTURES");
    TbsSkinArchive archive;
    archive.mainPicture = optionalPicture(dir, pictures.str("picture"));
    archive.inactivePicture = optionalPicture(dir, pictures.str("inactivepicture"));
    archive.maskPicture = optionalPicture(dir, pictures.str("mask"));
    for (const std::string& name : pictures.nameList("activepictures"))
        archive.activePictures.push_back(loadPicture(dir, name));
    archive.iniText = text;
    return archive.write();
}

int exportSkinArchive(const std::string& bytes, const std::string& dirName)
{
    TByteBuffer stream(bytes);
    TbsSkinArchive archive = TbsSkinArchive::read(stream);
    if (archive.version > skinArchiveVersion)
        throw Exception("Skin archive version " + std::to_string(archive.version) + " is newer than this program reads");
    fs::path dir(dirName);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir))
        throw EInOutError("Cannot create folder \"" + dirName + "\"", 5);

    TbsSkinIni ini(archive.iniText);
    TbsSectionReader pictures(ini, "PICTURES");
    std::vector<std::string> names = pictures.nameList("activepictures");
    int written = 0;
    auto write = [&](const std::string& name, const std::string& fallback, const std::string& data) {
        writeFile(name.empty() ? dir / fallback : pictureFile(dir, name), data);
        ++written;
    };
    writeFile(dir / "archive.bin", bytes);
    writeFile(dir / "SKIN.INI", archive.iniText);
    written += 2;
    if (archive.mainPicture)
        write(pictures.str("picture"), "main.bmp", *archive.mainPicture);
    if (archive.inactivePicture)
        write(pictures.str("inactivepicture"), "inactive.bmp", *archive.inactivePicture);
    if (archive.maskPicture)
        write(pictures.str("mask"), "mask.bmp", *archive.maskPicture);
    for (size_t i = 0; i < archive.activePictures.size(); ++i)
        write(i < names.size() ? names[i] : "", "active" + std::to_string(i) + ".bmp", archive.activePictures[i]);
    return written;
}

} // namespace qv
