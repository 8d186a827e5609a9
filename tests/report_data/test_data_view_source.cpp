#include "report/components/DataFields.h"
#include "report/components/DataObjects.h"
#include "report/data/DataCommunication.h"
#include "report/data/TRpDataViewSource.h"
#include "report/data/TRvCustomConnection.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

template <typename Field>
report::TRpDataField* addField(report::TRpDataView& view, const std::string& fieldName, const std::string& nullText = "")
{
    auto field = std::make_unique<Field>();
    field->setName(view.name() + fieldName);
    field->setFieldName(fieldName);
    field->setNullText(nullText);
    return static_cast<report::TRpDataField*>(view.addChild(std::move(field)));
}

} // namespace

TEST(DataViewSource, ProjectViewReadsTheConnectionRows)
{
    DataCommunication data;
    TRvCustomConnection connection("RvCustomConnection1", data.connections());
    connection.OnOpen = [](TRvCustomConnection& c) { c.RowCount = 2; };
    connection.OnGetCols = [](TRvCustomConnection& c) {
        c.DeclareField("No", TRPDataType::dtString, 30, "No", "");
        c.DeclareField("date", TRPDataType::dtString, 30, "PayDate", "");
        c.DeclareField("pay note", TRPDataType::dtString, 30, "", "");
    };
    connection.OnGetRow = [](TRvCustomConnection& c) {
        c.WriteStringValue("", std::to_string(c.RowIndex + 1));
        c.WriteStringValue("", "1/1/2027");
    };
    report::TRpDataView view;
    view.setName("DataView1");
    view.setConnectionName("RvCustomConnection1");
    auto* number = addField<report::TRpStringField>(view, "No");
    auto* date = addField<report::TRpStringField>(view, "DATE");
    auto* note = addField<report::TRpStringField>(view, "<pay note>", "n/a");
    auto* missing = addField<report::TRpStringField>(view, "balance", "none");

    TRpDataViewSource source(view, data.system());
    ASSERT_TRUE(source.Open());
    EXPECT_EQ(source.RowIndexOf(*number), 0);
    EXPECT_EQ(source.RowIndexOf(*date), 1);
    EXPECT_EQ(source.RowIndexOf(*note), 2);
    EXPECT_EQ(source.RowIndexOf(*missing), -1);
    EXPECT_EQ(source.FindField("date"), date);

    std::vector<std::string> seen;
    for (source.First(); !source.Eof(); source.Next())
        seen.push_back(source.FieldText(*number) + " " + source.FieldText(*date) + " " + source.FieldText(*note) + " "
            + source.FieldText(*missing));
    EXPECT_EQ(seen, (std::vector<std::string> { "1 1/1/2027 n/a none", "2 1/1/2027 n/a none" }));
    source.Close();
    EXPECT_FALSE(source.Active());
}

TEST(DataViewSource, FieldOfAnotherTypeStopsTheMatching)
{
    DataCommunication data;
    TRvCustomConnection connection("TypedConnection", data.connections());
    connection.OnGetCols = [](TRvCustomConnection& c) { c.DeclareField("amount", TRPDataType::dtString, 0, "", ""); };
    report::TRpDataView view;
    view.setConnectionName("TypedConnection");
    auto* amount = addField<report::TRpCurrencyField>(view, "amount", "?");
    TRpDataViewSource source(view, data.system());
    ASSERT_TRUE(source.Open());
    EXPECT_TRUE(source.Active());
    EXPECT_EQ(source.RowIndexOf(*amount), -1);
    source.First();
    EXPECT_EQ(source.FieldText(*amount), "?");
}

