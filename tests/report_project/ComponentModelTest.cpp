#include "report/components/Bands.h"
#include "report/components/Calculations.h"
#include "report/components/DataObjects.h"
#include "report/components/DrawingControls.h"
#include "report/components/TRpPage.h"
#include "report/components/TRpRegion.h"
#include "report/components/TextControls.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace qv::report;

TEST(ComponentModel, ConstructionDefaultsMatchWhatFilesLeaveOut)
{
    TRpPage page;
    EXPECT_DOUBLE_EQ(page.pageWidth(), 8.5);
    EXPECT_DOUBLE_EQ(page.pageHeight(), 11.0);
    EXPECT_EQ(page.paperSize(), -1);
    EXPECT_EQ(page.orientation(), poDefault);
    EXPECT_EQ(page.bin(), -1);

    TRpRegion region;
    EXPECT_DOUBLE_EQ(region.width(), 3.0);
    EXPECT_DOUBLE_EQ(region.height(), 3.0);
    EXPECT_EQ(region.columns(), 1);

    TRpDataBand band;
    EXPECT_DOUBLE_EQ(band.height(), 0.2);
    EXPECT_EQ(band.reprintLocs(), 255u);
    EXPECT_EQ(band.bandStyle().printOcc(), setOf(poFirst));
    EXPECT_EQ(band.bandStyle().printLoc(), 0u);
    EXPECT_TRUE(band.initToFirst());
    EXPECT_EQ(band.columns(), 1);

    TRpText text;
    EXPECT_DOUBLE_EQ(text.width(), 1.0);
    EXPECT_FALSE(text.truncate());
    EXPECT_EQ(text.fontJustify(), pjLeft);
    EXPECT_EQ(text.font().name(), "Arial");
    EXPECT_EQ(text.font().size(), 10);
    EXPECT_EQ(text.font().style(), 0u);
    EXPECT_EQ(text.font().color(), 0);
    EXPECT_TRUE(TRpDataText().truncate());
    EXPECT_EQ(TRpFontMaster().font().name(), "Arial");

    TRpCalcText calc;
    EXPECT_EQ(calc.calcType(), ctSum);
    EXPECT_TRUE(calc.countBlanks());

    TRpLine line;
    EXPECT_DOUBLE_EQ(line.width(), 1.0);
    EXPECT_DOUBLE_EQ(line.height(), 1.0);
    EXPECT_DOUBLE_EQ(line.lineWidth(), 1.0);
    EXPECT_EQ(line.lineWidthType(), wtPixels);
    EXPECT_EQ(line.lineStyle(), psSolid);
    TRpRectangle box;
    EXPECT_EQ(box.fillColor(), 0xFFFFFF);
    EXPECT_EQ(box.borderWidthType(), wtPixels);
}

TEST(ComponentModel, ContainersAcceptOnlyWhatTheyCanHold)
{
    TRpPage page;
    TRpRegion region;
    TRpBand band;
    TRpText text;
    TRpDataView view;
    TRpStringField field;
    TRpCalcTotal total;
    EXPECT_TRUE(page.acceptsChild(region));
    EXPECT_TRUE(page.acceptsChild(text));
    EXPECT_FALSE(page.acceptsChild(band));
    EXPECT_TRUE(region.acceptsChild(band));
    EXPECT_TRUE(region.acceptsChild(total));
    EXPECT_FALSE(region.acceptsChild(text));
    EXPECT_FALSE(region.acceptsChild(field));
    EXPECT_TRUE(band.acceptsChild(text));
    EXPECT_FALSE(band.acceptsChild(band));
    EXPECT_TRUE(view.acceptsChild(field));
    EXPECT_FALSE(view.acceptsChild(text));
    EXPECT_FALSE(page.acceptsChild(field));
    EXPECT_FALSE(text.acceptsChild(text));
    EXPECT_FALSE(page.acceptsChild(view));
}

TEST(ComponentModel, ReferencesReadAsNoneOnceTheirTargetIsGone)
{
    TRpPage page;
    auto* region = static_cast<TRpRegion*>(page.addChild(std::make_unique<TRpRegion>()));
    auto* master = static_cast<TRpBand*>(region->addChild(std::make_unique<TRpDataBand>()));
    auto* detail = static_cast<TRpBand*>(region->addChild(std::make_unique<TRpBand>()));
    detail->setControllerBand(master);
    EXPECT_EQ(detail->controllerBand(), master);
    region->removeChild(master);
    EXPECT_EQ(detail->controllerBand(), nullptr);
    EXPECT_EQ(detail->parent(), region);
    EXPECT_EQ(detail->ownerItem(), &page);
}

TEST(ComponentModel, PropertyTablesKeepInheritedOrderAndTakeRedeclaredDefaults)
{
    auto& properties = TRpDataText::classProperties().all();
    std::vector<std::string> names;
    for (auto& p : properties)
        names.push_back(p.name);
    auto position = [&](const char* name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(position("Left"), position("Text"));
    EXPECT_LT(position("Text"), position("Truncate"));
    EXPECT_LT(position("Truncate"), position("DataField"));
    EXPECT_EQ(std::count(names.begin(), names.end(), "Truncate"), 1);

    auto* truncate = TRpDataText::classProperties().find("truncate");
    ASSERT_NE(truncate, nullptr);
    EXPECT_EQ(truncate->ordinalDefault, 1);
    EXPECT_EQ(TRpText::classProperties().find("Truncate")->ordinalDefault, 0);
    EXPECT_FALSE(TRpText::classProperties().find("Height")->stored);
    EXPECT_TRUE(TRpMemo::classProperties().find("Height")->stored);
    EXPECT_TRUE(TRpBand::classProperties().find("Height")->stored);

    // Reference properties refuse components of another class.
    TRpDataBand band;
    TRpText text;
    auto* dataView = TRpDataBand::classProperties().find("DataView");
    EXPECT_FALSE(dataView->setReference(band, &text));
    EXPECT_EQ(band.dataView(), nullptr);
}

namespace {

std::vector<std::string> ownNames(const PropertyTable& table, const PropertyTable& parent)
{
    std::vector<std::string> names;
    for (auto i = parent.all().size(); i < table.all().size(); ++i)
        names.push_back(table.all()[i].name);
    return names;
}

} // namespace

// Parts that several classes share declare their properties where each class stored them,
// and a value set through a class's table lands in the part.
TEST(ComponentModel, SharedPartsKeepTheirStoredPlaces)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(ownNames(TRpCalcTotal::classProperties(), TRpReportComponent::classProperties()),
        Names({ "CalcType", "Controller", "Initializer", "DataView", "DataField", "CountBlanks", "CountNulls",
            "CountValue", "DisplayFormat", "DisplayType", "RunningTotal", "CalcVar", "DestParam", "DestPIVar" }));
    EXPECT_EQ(ownNames(TRpDataCycle::classProperties(), TRpReportComponent::classProperties()),
        Names({ "DataView", "MasterDataView", "MasterKey", "DetailKey", "SortKey", "InitToFirst", "MaxRows" }));
    EXPECT_EQ(ownNames(TRpDateField::classProperties(), TRpDataField::classProperties()), Names({ "DisplayFormat" }));
    EXPECT_EQ(TRpDateField::classProperties().all().size(), TRpInt64Field::classProperties().all().size());

    TRpCalcText calc;
    TRpDataView view;
    auto& calcTable = TRpCalcText::classProperties();
    calcTable.find("CountBlanks")->setOrdinal(calc, 0);
    calcTable.find("DataField")->setString(calc, "interest");
    EXPECT_TRUE(calcTable.find("DataView")->setReference(calc, &view));
    EXPECT_FALSE(calc.countBlanks());
    EXPECT_EQ(calc.dataField(), "interest");
    EXPECT_EQ(calc.dataView(), &view);
    EXPECT_EQ(calcTable.find("DataField")->getString(calc), "interest");

    TRpPage page;
    TRpPage::classProperties().find("PIVars")->setString(page, "a\r\nb\r\n");
    EXPECT_EQ(page.piVars(), std::vector<std::string>({ "a", "b" }));
}

TEST(ComponentModel, StringListsAreLinesEachEndedByALineBreak)
{
    EXPECT_EQ(joinLines({ "a=1", "", "b" }), "a=1\r\n\r\nb\r\n");
    EXPECT_EQ(splitLines("a=1\r\n\r\nb\r\n"), std::vector<std::string>({ "a=1", "", "b" }));
    EXPECT_EQ(splitLines("x\ny\rz"), std::vector<std::string>({ "x", "y", "z" }));
    EXPECT_TRUE(splitLines("").empty());
}
