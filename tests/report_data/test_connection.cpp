#include "report/data/DataBuffer.h"
#include "report/data/DataCommunication.h"
#include "report/data/TDataConnectManager.h"
#include "report/data/TRpDataSystem.h"
#include "report/data/TRpDataViewLink.h"
#include "report/data/TRvCustomConnection.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/EReportPrinter.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

struct ScheduleRow {
    std::string no, date, interest, principal, extra, balance;
};

// Answers the way the main window does: six string columns from a table.
class ScheduleSource {
public:
    explicit ScheduleSource(TRvCustomConnection& connection, std::vector<ScheduleRow> rows)
        : m_rows(std::move(rows))
    {
        connection.OnOpen = [this](TRvCustomConnection& c) {
            c.RowCount = static_cast<int32_t>(m_rows.size());
            m_cursor = 0;
        };
        connection.OnGetCols = [](TRvCustomConnection& c) {
            c.DeclareField("No", TRPDataType::dtString, 30, "No", "");
            c.DeclareField("date", TRPDataType::dtString, 30, "PayDate", "");
            c.DeclareField("interest", TRPDataType::dtString, 30, "Interest", "");
            c.DeclareField("principal", TRPDataType::dtString, 30, "Principal", "");
            c.DeclareField("extra", TRPDataType::dtString, 30, "Extra", "");
            c.DeclareField("balance", TRPDataType::dtString, 30, "Balance", "");
        };
        connection.OnGetRow = [this](TRvCustomConnection& c) {
            const ScheduleRow& row = m_rows.at(static_cast<size_t>(c.RowIndex));
            for (const std::string* text : { &row.no, &row.date, &row.interest, &row.principal, &row.extra, &row.balance })
                c.WriteStringValue("", *text);
            ++m_cursor;
        };
    }

    int cursor() const { return m_cursor; }

private:
    std::vector<ScheduleRow> m_rows;
    int m_cursor = 0;
};

std::vector<ScheduleRow> rows(int count)
{
    std::vector<ScheduleRow> result;
    for (int i = 1; i <= count; ++i)
        result.push_back({ std::to_string(i), "1/" + std::to_string(i) + "/2027", "10.00", "90.00", "0.00", std::to_string(1000 - 90 * i) });
    return result;
}

std::vector<TRpViewField> scheduleFields()
{
    std::vector<TRpViewField> fields;
    for (const char* name : { "No", "date", "interest", "principal", "extra", "balance" })
        fields.push_back({ name, TRPDataType::dtString, "", -1 });
    return fields;
}

std::string messageOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Exception& e) {
        return e.what();
    }
    return "no error";
}

// Each test is a program of its own: its connections and engine share nothing with
// another test's.
class CustomConnection : public ::testing::Test {
protected:
    DataCommunication data;
};

} // namespace

TEST_F(CustomConnection, DefaultHandlersWithThreeRowsYieldRowsThenEnd)
{
    TRvCustomConnection connection("Defaults", data.connections());
    TRpDataViewLink view(data.system());
    view.ConnectionName = "defaults"; // found case-insensitively
    view.Fields = { { "FieldName", TRPDataType::dtString, "", -1 } };
    ASSERT_TRUE(view.Open());
    EXPECT_EQ(connection.RowCount, 1);
    ASSERT_EQ(view.DeclaredFields().size(), 1u);
    EXPECT_EQ(view.DeclaredFields()[0].name, "FieldName");
    EXPECT_EQ(view.DeclaredFields()[0].width, 30);
    EXPECT_EQ(view.DeclaredFields()[0].fullName, "FieldName");
    EXPECT_EQ(view.Fields[0].rowIndex, 0);

    connection.RowCount = 3;
    std::vector<int> seen;
    view.First();
    while (!view.Eof()) {
        seen.push_back(connection.RowIndex);
        EXPECT_EQ(view.FieldText(view.Fields[0]), "[Inactive at design-time]");
        view.Next();
    }
    EXPECT_EQ(seen, (std::vector<int> { 0, 1, 2 }));
    view.Close();
}

// A program that never reports fills no exchange block: the engine and the connection
// take the process's one block at the first request, and share it.
TEST_F(CustomConnection, TheExchangeBlockIsMadeAtTheFirstRequest)
{
    TRvCustomConnection connection("Late", data.connections());
    EXPECT_EQ(databuffer::open(databuffer::Reach::Process, databuffer::kBufferName), nullptr);
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Late";
    view.Fields = { { "FieldName", TRPDataType::dtString, "", -1 } };
    ASSERT_TRUE(view.Open());
    EXPECT_NE(databuffer::open(databuffer::Reach::Process, databuffer::kBufferName), nullptr);
    view.First();
    ASSERT_FALSE(view.Eof());
    EXPECT_EQ(view.FieldText(view.Fields[0]), "[Inactive at design-time]");
    view.Close();
}

TEST_F(CustomConnection, NoRowsAnswersTheEndAtOnce)
{
    TRvCustomConnection connection("Empty", data.connections());
    bool rowAsked = false;
    connection.OnOpen = [](TRvCustomConnection& c) { c.RowCount = 0; };
    connection.OnGetRow = [&](TRvCustomConnection&) { rowAsked = true; };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Empty";
    ASSERT_TRUE(view.Open());
    view.First();
    EXPECT_TRUE(view.Eof());
    EXPECT_FALSE(rowAsked);
}

TEST_F(CustomConnection, ScheduleRowsReachTheMatchedFields)
{
    TRvCustomConnection connection("RvCustomConnection1", data.connections());
    ScheduleSource source(connection, rows(4));
    TRpDataViewLink view(data.system());
    view.ConnectionName = "RvCustomConnection1";
    view.Fields = scheduleFields();
    view.Fields.push_back({ "unknown", TRPDataType::dtString, "(none)", -1 });
    ASSERT_TRUE(view.Open());
    ASSERT_EQ(view.DeclaredFields().size(), 6u);
    EXPECT_EQ(view.DeclaredFields()[1].fullName, "PayDate");
    std::vector<std::string> balances;
    for (view.First(); !view.Eof(); view.Next())
        balances.push_back(view.FieldText(*view.FindField("balance")));
    EXPECT_EQ(balances, (std::vector<std::string> { "910", "820", "730", "640" }));
    EXPECT_EQ(source.cursor(), 4);
    EXPECT_EQ(view.FieldText(*view.FindField("unknown")), "(none)");
}

TEST_F(CustomConnection, SeventhValueInARowOfSixFails)
{
    TRvCustomConnection connection("Seven", data.connections());
    ScheduleSource source(connection, rows(2));
    auto sixValues = connection.OnGetRow;
    connection.OnGetRow = [&](TRvCustomConnection& c) {
        sixValues(c);
        c.WriteStringValue("", "seventh");
    };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Seven";
    ASSERT_TRUE(view.Open());
    EXPECT_EQ(messageOf([&] { view.First(); }), "Attempt to write more fields than defined.");
}

TEST_F(CustomConnection, StringIntoAnotherTypeNamesTheColumn)
{
    TRvCustomConnection connection("Typed", data.connections());
    connection.OnGetCols = [](TRvCustomConnection& c) {
        c.DeclareField("a", TRPDataType::dtString, 0, "", "");
        c.DeclareField("b", TRPDataType::dtString, 0, "", "");
        c.DeclareField("amount", TRPDataType::dtCurrency, 0, "", "");
    };
    connection.OnGetRow = [](TRvCustomConnection& c) {
        c.WriteStringValue("", "1");
        c.WriteStringValue("", "2");
        c.WriteStringValue("", "3");
    };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Typed";
    ASSERT_TRUE(view.Open());
    EXPECT_EQ(view.DeclaredFields()[2].dataType, TRPDataType::dtCurrency);
    EXPECT_EQ(messageOf([&] { view.First(); }), "Attempt to write different data type than defined (Column 3/3).");
}

TEST_F(CustomConnection, EmptyAliasHidesAFieldAndSkipsItsValue)
{
    TRvCustomConnection connection("Aliased", data.connections());
    connection.FieldAliasList = { "date=", "  No  =  Number  " };
    ScheduleSource source(connection, rows(1));
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Aliased";
    view.Fields = scheduleFields();
    view.Fields[0].fieldName = "Number";
    ASSERT_TRUE(view.Open());
    ASSERT_EQ(view.DeclaredFields().size(), 5u);
    EXPECT_EQ(view.DeclaredFields()[0].name, "Number");
    EXPECT_EQ(view.DeclaredFields()[1].name, "interest");
    view.First();
    ASSERT_FALSE(view.Eof());
    EXPECT_EQ(view.FieldText(view.Fields[0]), "1");
    EXPECT_EQ(view.FindField("date")->rowIndex, -1);
    EXPECT_EQ(view.FieldText(*view.FindField("interest")), "10.00");
    EXPECT_EQ(view.FieldText(*view.FindField("balance")), "910");
}

TEST_F(CustomConnection, FormattedTextIsSentOnlyWhenItDiffers)
{
    TRvCustomConnection connection("Formats", data.connections());
    connection.OnGetCols = [](TRvCustomConnection& c) {
        c.DeclareField("same", TRPDataType::dtString, 0, "", "");
        c.DeclareField("other", TRPDataType::dtString, 0, "", "");
        c.DeclareField("pay date", TRPDataType::dtString, 0, "", "");
    };
    connection.OnGetRow = [](TRvCustomConnection& c) {
        c.WriteStringValue("1.50", "1.50");
        c.WriteStringValue("$1.50", "1.5");
        c.WriteStringValue("", "2027-01-01");
    };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Formats";
    view.Fields = { { "same", TRPDataType::dtString, "", -1 }, { "other", TRPDataType::dtString, "", -1 },
        { "<pay date>", TRPDataType::dtString, "", -1 } };
    ASSERT_TRUE(view.Open());
    view.First();
    EXPECT_FALSE(view.FieldValue(view.Fields[0]).formatted.has_value());
    EXPECT_EQ(view.FieldValue(view.Fields[0]).native, "1.50");
    EXPECT_EQ(view.FieldText(view.Fields[1]), "$1.50");
    EXPECT_EQ(view.FieldValue(view.Fields[1]).native, "1.5");
    // A declared name with a space is matched in its angle-bracketed form.
    EXPECT_EQ(view.Fields[2].rowIndex, 2);
    EXPECT_EQ(view.FieldText(view.Fields[2]), "2027-01-01");
}

TEST_F(CustomConnection, ValueNotWrittenReadsAsNull)
{
    TRvCustomConnection connection("Partial", data.connections());
    ScheduleSource source(connection, rows(1));
    connection.OnGetRow = [](TRvCustomConnection& c) { c.WriteStringValue("", "only the first"); };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Partial";
    view.Fields = scheduleFields();
    view.Fields[5].nullText = "-";
    ASSERT_TRUE(view.Open());
    view.First();
    EXPECT_EQ(view.FieldText(view.Fields[0]), "only the first");
    EXPECT_TRUE(view.FieldValue(view.Fields[5]).isNull);
    EXPECT_EQ(view.FieldText(view.Fields[5]), "-");
}

TEST_F(CustomConnection, TypeMismatchEmptiesTheViewsFields)
{
    TRvCustomConnection connection("Mismatch", data.connections());
    ScheduleSource source(connection, rows(1));
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Mismatch";
    view.Fields = scheduleFields();
    view.Fields[2].dataType = TRPDataType::dtFloat;
    ASSERT_TRUE(view.Open());
    EXPECT_TRUE(view.Active());
    EXPECT_TRUE(view.Fields.empty());
}

TEST_F(CustomConnection, OversizeRowsMoveToAlternatingOverflowBlocks)
{
    TRvCustomConnection connection("Big", data.connections());
    std::string big(70000, 'x');
    connection.OnOpen = [](TRvCustomConnection& c) { c.RowCount = 3; };
    connection.OnGetCols = [](TRvCustomConnection& c) { c.DeclareField("text", TRPDataType::dtString, 0, "", ""); };
    connection.OnGetRow = [&](TRvCustomConnection& c) { c.WriteStringValue("", c.RowIndex == 1 ? "small" : big + std::to_string(c.RowIndex)); };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Big";
    view.Fields = { { "text", TRPDataType::dtString, "", -1 } };
    ASSERT_TRUE(view.Open());
    auto buffer = databuffer::open(databuffer::Reach::Process, databuffer::kBufferName);
    ASSERT_TRUE(buffer);

    view.First();
    EXPECT_EQ(databuffer::getInt32(*buffer, databuffer::kUsedOffset), 0);
    EXPECT_EQ(databuffer::getInt32(*buffer, databuffer::kOverflowOffset), 1);
    EXPECT_EQ(view.FieldText(view.Fields[0]), big + "0");

    view.Next();
    EXPECT_EQ(databuffer::getInt32(*buffer, databuffer::kOverflowOffset), 0);
    EXPECT_EQ(view.FieldText(view.Fields[0]), "small");

    view.Next();
    EXPECT_EQ(databuffer::getInt32(*buffer, databuffer::kOverflowOffset), 2);
    EXPECT_EQ(view.FieldText(view.Fields[0]), big + "2");
    view.Next();
    EXPECT_TRUE(view.Eof());
}

TEST_F(CustomConnection, LocalFilterKeepsMatchingRowsOnly)
{
    TRvCustomConnection connection("Filtered", data.connections());
    std::vector<ScheduleRow> table = rows(6);
    for (size_t i = 0; i < table.size(); ++i)
        table[i].extra = i % 2 == 0 ? "100.00" : "0.00";
    ScheduleSource source(connection, table);
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Filtered";
    view.Fields = scheduleFields();
    ASSERT_TRUE(view.Open());
    view.SetFilter({ { "EXTRA", "100.00" } });
    EXPECT_EQ(connection.FieldDefs()[4].filterValue, "100.00");
    std::vector<std::string> numbers;
    for (view.First(); !view.Eof(); view.Next())
        numbers.push_back(view.FieldText(view.Fields[0]));
    EXPECT_EQ(numbers, (std::vector<std::string> { "1", "3", "5" }));

    // The last row does not match: the answer must still be the end.
    view.SetFilter({ { "No", "3" } });
    view.First();
    ASSERT_FALSE(view.Eof());
    EXPECT_EQ(view.FieldText(view.Fields[0]), "3");
    view.Next();
    EXPECT_TRUE(view.Eof());

    view.SetFilter({});
    int count = 0;
    for (view.First(); !view.Eof(); view.Next())
        ++count;
    EXPECT_EQ(count, 6);
}

TEST_F(CustomConnection, ValidateRowHandlerRejectsRows)
{
    TRvCustomConnection connection("Validated", data.connections());
    ScheduleSource source(connection, rows(5));
    connection.LocalFilter = false;
    connection.OnValidateRow = [](TRvCustomConnection& c, bool& valid) { valid = c.RowIndex % 2 == 1; };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Validated";
    view.Fields = scheduleFields();
    ASSERT_TRUE(view.Open());
    std::vector<std::string> numbers;
    for (view.First(); !view.Eof(); view.Next())
        numbers.push_back(view.FieldText(view.Fields[0]));
    EXPECT_EQ(numbers, (std::vector<std::string> { "2", "4" }));
}

TEST_F(CustomConnection, FilterWithoutLocalFilteringGoesToTheHandler)
{
    TRvCustomConnection connection("Remote", data.connections());
    ScheduleSource source(connection, rows(2));
    connection.LocalFilter = false;
    std::vector<std::string> received;
    connection.OnSetFilter = [&](TRvCustomConnection& c) {
        for (std::string name = c.ReadString(); !name.empty(); name = c.ReadString()) {
            std::string op = c.ReadString();
            std::string value = c.ReadString();
            received.push_back(name + op + value);
            break;
        }
    };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Remote";
    view.Fields = scheduleFields();
    ASSERT_TRUE(view.Open());
    view.SetFilter({ { "No", "2" } });
    EXPECT_EQ(received, (std::vector<std::string> { "No=2" }));
}

TEST_F(CustomConnection, SortRequests)
{
    TRvCustomConnection connection("Sorted", data.connections());
    std::vector<std::string> sortedBy;
    connection.OnGetSorts = [](TRvCustomConnection& c) {
        c.WriteString("date");
        c.WriteString("balance");
        c.WriteString("");
    };
    connection.OnSetSort = [&](TRvCustomConnection& c) {
        for (std::string name = c.ReadString(); !name.empty(); name = c.ReadString())
            sortedBy.push_back(name);
    };
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Sorted";
    ASSERT_TRUE(view.Open());
    EXPECT_EQ(view.GetSorts(), (std::vector<std::string> { "date", "balance" }));
    view.SetSort({ "balance", "No" });
    EXPECT_EQ(sortedBy, (std::vector<std::string> { "balance", "No" }));
}

TEST_F(CustomConnection, IdentityRecord)
{
    TRvCustomConnection connection("Ident", data.connections());
    connection.ApplicationHandle = 0x1234;
    connection.ReadVisible(true);
    TRpDataSystem& system = data.system();
    TRpDataConnection record;
    ASSERT_TRUE(system.Connect("IDENT", record));
    EXPECT_EQ(record.version, 30003);
    EXPECT_TRUE(record.runTime);
    TRpAnswer answer = system.Request(record, TRpDataAction::Identify);
    EXPECT_EQ(answer.ReadString(), "Ident");
    EXPECT_EQ(answer.ReadByte(), 1);
    EXPECT_EQ(answer.ReadInt32(), 0x1234);
    EXPECT_EQ(answer.ReadInt32(), static_cast<int32_t>(connection.ObjectId()));
    EXPECT_EQ(answer.ReadInt32(), 30003);
    EXPECT_EQ(answer.ReadInt32(), 2);
    EXPECT_TRUE(answer.AtEnd());
}

TEST_F(CustomConnection, MissingConnectionIsReportedAndAborts)
{
    std::vector<std::string> shown;
    TRpDataViewLink view(data.system());
    view.ConnectionName = "Nowhere";
    view.Messages = [&](const std::string& text) { shown.push_back(text); };
    EXPECT_FALSE(view.Open());
    EXPECT_EQ(shown, (std::vector<std::string> { "Error!  Could not open data connection \"Nowhere\".  Aborting report." }));
}

TEST_F(CustomConnection, ConnectionLeavesTheListWhenDestroyed)
{
    {
        TRvCustomConnection connection("Temporary", data.connections());
        EXPECT_EQ(data.connections().Find("temporary"), &connection);
    }
    EXPECT_EQ(data.connections().Find("Temporary"), nullptr);
}

TEST_F(CustomConnection, EachProgramFindsOnlyItsOwnConnections)
{
    DataCommunication other;
    TRvCustomConnection mine("Namesake", data.connections());
    TRvCustomConnection theirs("Namesake", other.connections());
    EXPECT_EQ(data.connections().Find("namesake"), &mine);
    EXPECT_EQ(other.connections().Find("namesake"), &theirs);
    TRpDataConnection record;
    ASSERT_TRUE(other.system().Connect("Namesake", record));
    EXPECT_EQ(record.connection, &theirs);
    EXPECT_EQ(record.objectId, theirs.ObjectId());
}

TEST(DataControl, CountedAndUnderflowIsAnError)
{
    DataCommunication data;
    TRpDataSystem& system = data.system();
    ASSERT_TRUE(system.GainControl(std::chrono::milliseconds(100)));
    ASSERT_TRUE(system.GainControl(std::chrono::milliseconds(100)));
    EXPECT_EQ(system.ControlCount(), 2);
    system.ReleaseControl();
    system.ReleaseControl();
    EXPECT_EQ(messageOf([&] { system.ReleaseControl(); }), "Control count underflow on ReleaseControl");
}

TEST(DataControl, ARunServedInsideTheProgramHoldsItsConnectionsOnly)
{
    using std::chrono::milliseconds;
    DataCommunication data;
    DataCommunication otherProgram;
    TRpDataSystem secondEngine(data.connections());
    ASSERT_TRUE(data.system().GainControl(milliseconds(0), databuffer::Reach::Process));
    EXPECT_TRUE(data.connections().runHeld());
    EXPECT_FALSE(secondEngine.GainControl(milliseconds(0), databuffer::Reach::Process));
    EXPECT_FALSE(otherProgram.connections().runHeld());
    ASSERT_TRUE(otherProgram.system().GainControl(milliseconds(0), databuffer::Reach::Process));
    otherProgram.system().ReleaseControl();
    data.system().ReleaseControl();
    EXPECT_FALSE(data.connections().runHeld());
    ASSERT_TRUE(secondEngine.GainControl(milliseconds(0), databuffer::Reach::Process));
    secondEngine.ReleaseControl();
}

TEST(DataAnswer, AnswersAreReadWithinTheirBounds)
{
    auto block = std::make_shared<databuffer::Block>(64, 0);
    TRpAnswer inverted(block, databuffer::kDataOffset, 5);
    EXPECT_TRUE(inverted.AtEnd());
    EXPECT_THROW(inverted.ReadInt32(), EReportPrinter);

    databuffer::putInt32(*block, databuffer::kDataOffset, 1000);
    TRpAnswer tooLong(block, databuffer::kDataOffset, 20);
    EXPECT_THROW(tooLong.ReadString(), EReportPrinter);

    databuffer::putInt32(*block, databuffer::kDataOffset, -5);
    TRpAnswer negative(block, databuffer::kDataOffset, 20);
    EXPECT_THROW(negative.ReadString(), EReportPrinter);

    TRpAnswer pastBlock(block, databuffer::kDataOffset, 1 << 20);
    EXPECT_EQ(pastBlock.Remaining(), 64u - databuffer::kDataOffset);
}

TEST(DataAnswer, RowOffsetsOutsideTheRowAreRejected)
{
    // One field: offsets 8 (native) and 0 (formatted), then "abc".
    std::vector<uint8_t> row(8, 0);
    databuffer::Block header(8, 0);
    databuffer::putInt32(header, 0, 8);
    row.assign(header.begin(), header.end());
    for (uint8_t b : { 3, 0, 0, 0, 97, 98, 99 })
        row.push_back(b);
    EXPECT_EQ(decodeRowField(row, 0, TRPDataType::dtString).native, "abc");

    auto damaged = row;
    damaged[0] = 200; // native offset past the row
    EXPECT_THROW(decodeRowField(damaged, 0, TRPDataType::dtString), EReportPrinter);
    damaged = row;
    damaged[8] = 0xFF; // text length past the row
    EXPECT_THROW(decodeRowField(damaged, 0, TRPDataType::dtString), EReportPrinter);
    damaged = row;
    damaged[4] = 13; // formatted offset leaves too few bytes for a length
    EXPECT_THROW(decodeRowField(damaged, 0, TRPDataType::dtString), EReportPrinter);
    // A field beyond the offset table, and a fixed-size value that would run past the end.
    EXPECT_THROW(decodeRowField(row, 5, TRPDataType::dtString), EReportPrinter);
    EXPECT_THROW(decodeRowField(row, 0, TRPDataType::dtFloat), EReportPrinter);
    damaged = row;
    damaged[3] = 0x80; // negative native offset: null
    EXPECT_TRUE(decodeRowField(damaged, 0, TRPDataType::dtString).isNull);
}
