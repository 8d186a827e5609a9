// Writes the answer-reader seed corpus with a real connection: report_data_answer_seeds <dir>
#include "report/data/DataBuffer.h"
#include "report/data/DataCommunication.h"
#include "report/data/TRvCustomConnection.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace qv;

namespace {

void saveAnswer(const std::string& path)
{
    auto buffer = databuffer::open(databuffer::Reach::Process, databuffer::kBufferName);
    int32_t used = databuffer::getInt32(*buffer, databuffer::kUsedOffset);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(buffer->data() + databuffer::kDataOffset), used - databuffer::kDataOffset);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus dir>\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    DataCommunication data;
    TRvCustomConnection connection("Seeds", data.connections());
    connection.OnOpen = [](TRvCustomConnection& c) { c.RowCount = 1; };
    connection.OnGetCols = [](TRvCustomConnection& c) {
        c.DeclareField("No", TRPDataType::dtString, 30, "No", "");
        c.DeclareField("pay date", TRPDataType::dtString, 30, "PayDate", "the date");
        c.DeclareField("amount", TRPDataType::dtCurrency, 0, "", "");
    };
    connection.OnGetRow = [](TRvCustomConnection& c) {
        c.WriteStringValue("", "1");
        c.WriteStringValue("Jan 1, 2027", "1/1/2027");
    };
    TRpDataSystem& system = data.system();
    TRpDataConnection record;
    system.Connect("Seeds", record);
    system.Request(record, TRpDataAction::Open);
    system.Request(record, TRpDataAction::GetCols);
    saveAnswer(dir + "/columns");
    system.Request(record, TRpDataAction::First);
    // The row itself starts after the end flag and the row size.
    auto buffer = databuffer::open(databuffer::Reach::Process, databuffer::kBufferName);
    int32_t used = databuffer::getInt32(*buffer, databuffer::kUsedOffset);
    std::ofstream row(dir + "/row", std::ios::binary);
    row.write(reinterpret_cast<const char*>(buffer->data() + 13), used - 13);
    return 0;
}
