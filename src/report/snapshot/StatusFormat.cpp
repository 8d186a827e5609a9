#include "report/snapshot/StatusFormat.h"

#include <cctype>

namespace qv::snapshot {

std::string formatStatus(const std::string& format, const TRvStatusValues& values)
{
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        char code = format[++i];
        switch (std::toupper(static_cast<unsigned char>(code))) {
        case '%': out += '%'; break;
        case 'C': out += std::to_string(values.pass); break;
        case 'D': out += values.names.device; break;
        case 'F': out += std::to_string(values.firstPage); break;
        case 'L': out += std::to_string(values.lastPage); break;
        case 'N': out += '\r'; break;
        case 'P': out += std::to_string(values.page); break;
        case 'R': out += values.names.driver; break;
        case 'S': out += std::to_string(values.passes); break;
        case 'T': out += values.names.port; break;
        default:
            if (code >= '0' && code <= '9') {
                std::size_t line = std::size_t(code - '0');
                if (line < values.lines.size())
                    out += values.lines[line];
            } else {
                out += "<ERROR-%";
                out += char(std::toupper(static_cast<unsigned char>(code)));
                out += '>';
            }
        }
    }
    return out;
}

} // namespace qv::snapshot
