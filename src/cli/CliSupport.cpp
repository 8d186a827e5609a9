#include "cli/CliSupport.h"

#include "loan/LoanFile.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Format.h"
#include "runtime/core/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace qv::cli {

Options::Options(const std::vector<std::string>& args, const std::vector<std::string>& known)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string const& arg = args[i];
        bool const isOption = arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            m_positional.push_back(arg);
            continue;
        }
        if (std::find(known.begin(), known.end(), arg) == known.end())
            throw UsageError("unknown option " + arg);
        if (i + 1 >= args.size())
            throw UsageError("option " + arg + " needs a value");
        m_values.emplace_back(arg, args[++i]);
    }
}

bool Options::has(const std::string& name) const
{
    return std::any_of(m_values.begin(), m_values.end(), [&](const auto& v) { return v.first == name; });
}

std::string Options::value(const std::string& name) const
{
    for (auto const& [key, value] : m_values) {
        if (key == name)
            return value;
    }
    throw UsageError("missing option " + name);
}

std::vector<std::string> Options::values(const std::string& name) const
{
    std::vector<std::string> out;
    for (auto const& [key, value] : m_values) {
        if (key == name)
            out.push_back(value);
    }
    return out;
}

std::string concerning(const std::string& subject, const std::string& message)
{
    // Echoed input is single-quoted and may hold any text, the subject's own name included;
    // only the message's own wording before it can name the subject.
    std::string const wording = message.substr(0, message.find('\''));
    bool const named = (message.compare(0, subject.size(), subject) == 0 && !message.starts_with('\''))
        || wording.find('"' + subject + '"') != std::string::npos;
    return named ? message : subject + ": " + message;
}

std::string optionText(const std::string& option, const std::string& text)
{
    return option + " \"" + echoedInput(text) + "\"";
}

void loadLoan(const std::string& path, LoanEngine& engine, MemoryLoanView& view)
{
    try {
        readLoanFile(path, engine, view);
    } catch (const Exception& error) {
        throw Exception(concerning(path, error.message()));
    }
}

void writeOutput(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path == "-") {
        errno = 0;
        bool const written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        if (std::fflush(stdout) != 0 || !written || std::ferror(stdout)) {
            int const error = errno ? errno : EIO;
            std::clearerr(stdout);
            throw Exception(concerning("standard output", ioError(error, "").message()));
        }
        return;
    }
    std::string folder = directoryOf(path);
    if (!folder.empty() && !directoryExists(folder)) {
        folder.pop_back();
        throw Exception(concerning(path, "Folder \"" + echoedInput(folder.empty() ? "/" : folder) + "\" does not exist"));
    }
    try {
        replaceFileAtomically(path, bytes);
    } catch (const Exception& error) {
        throw Exception(concerning(path, error.message()));
    }
}

} // namespace qv::cli
