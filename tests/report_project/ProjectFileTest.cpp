#include "report/components/Bands.h"
#include "report/components/Calculations.h"
#include "report/components/DataObjects.h"
#include "report/components/DrawingControls.h"
#include "report/components/Images.h"
#include "report/components/StandardComponents.h"
#include "report/components/TRpRegion.h"
#include "report/components/TextControls.h"
#include "report/project/ClassRegistry.h"
#include "report/project/ReportErrors.h"
#include "report/project/TRpProjectManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace qv::report;

namespace {

template<class T>
T* add(TRpReportComponent& parent, const std::string& name)
{
    auto component = std::make_unique<T>();
    component->setName(name);
    return static_cast<T*>(parent.addChild(std::move(component)));
}

template<class T>
T* find(const TRpProjectItem& item, const std::string& name)
{
    return dynamic_cast<T*>(item.findComponent(name));
}

bool contains(const Bytes& haystack, const Bytes& needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

Bytes property(const std::string& name, std::initializer_list<std::uint8_t> value)
{
    Bytes bytes { std::uint8_t(name.size()) };
    for (char c : name)
        bytes.push_back(std::uint8_t(c));
    for (auto b : value)
        bytes.push_back(b);
    return bytes;
}

// The schedule report in the shape the program's report uses, plus the pieces that
// exercise references across items.
void buildScheduleProject(TRpProjectManager& project)
{
    project.setName("RpProject");
    project.setUnits(unMM);
    project.setUnitsFactor(25.4);
    project.setParam("Amount", "200,000.00");
    project.setParam("Title", "Loan \"A\" – schedule");
    project.modules().push_back({ "Report1", Bytes { 1, 2, 3, 4 } });

    auto* view = static_cast<TRpDataView*>(project.addDataObject(std::make_unique<TRpDataView>()));
    view->setName("DataView1");
    view->setConnectionName("RvCustomConnection1");
    for (const char* field : { "No", "date", "interest", "principal", "extra", "balance" }) {
        auto* f = add<TRpStringField>(*view, std::string("DataView1") + field);
        f->setFieldName(field);
        f->setSize(30);
    }
    auto* database = static_cast<TRpDatabase*>(project.addDataObject(std::make_unique<TRpDatabase>()));
    database->setName("Database1");
    database->setLinkType("ADO");
    auto* driverView = static_cast<TRpDriverDataView*>(project.addDataObject(std::make_unique<TRpDriverDataView>()));
    driverView->setName("DriverView1");
    driverView->setDatabase(database);
    driverView->setQueryParams({ "a=1", "b=2" });

    auto* global = project.addGlobalPage(std::make_unique<TRpPage>());
    global->setName("GlobalPage1");
    auto* globalText = add<TRpText>(*global, "GlobalTitle");
    globalText->setText("Shared heading");

    auto report = std::make_unique<TRpReport>();
    report->setName("Report1");
    report->setFullName("Amortization schedule");
    auto* page1 = report->addPage(std::make_unique<TRpPage>());
    page1->setName("Page1");
    auto* page2 = report->addPage(std::make_unique<TRpPage>());
    page2->setName("Page2");
    page2->setOrientation(poLandScape);
    report->setFirstPage(page1);
    report->setPageList({ page1, global });
    report->setMaxPages(300'000'000);
    report->setLastActivePage("Page1");

    auto* region = add<TRpRegion>(*page1, "Region1");
    region->setLeft(0.5);
    region->setTop(1.0);
    region->setWidth(7.5);
    region->setHeight(9.0);
    auto* header = add<TRpBand>(*region, "HeaderBand");
    auto* dataBand = add<TRpDataBand>(*region, "DataBand1");
    header->setControllerBand(dataBand);
    header->bandStyle().setPrintLoc(setOf(plBodyHeader));
    header->bandStyle().setPrintOcc(setOf(poFirst, poNewPage));
    dataBand->setDataView(view);
    dataBand->setMaxRows(5);
    dataBand->setKeepRowTogether(true);
    auto* title = add<TRpText>(*header, "Title");
    title->setText("Payment No");
    title->setRotation(-5);
    title->font().setStyle(setOf(fsBold));
    title->font().setPitch(fpFixed);
    title->font().setName("Courier New");
    title->setFontJustify(pjCenter);
    auto* serif = add<TRpFontMaster>(*page1, "SerifMaster");
    serif->font().setName("Times New Roman");
    title->setFontMirror(serif);
    auto* no = add<TRpDataText>(*dataBand, "DataTextNo");
    no->setDataView(view);
    no->setDataField("No");
    auto* sum = add<TRpCalcText>(*dataBand, "SumInterest");
    sum->setController(dataBand);
    sum->setDataView(view);
    sum->setDataField("interest");
    auto* controller = add<TRpCalcController>(*page1, "CalcController1");
    controller->setInitValue(2.9L);
    sum->setInitializer(controller);
    auto* line = add<TRpHLine>(*header, "Line1");
    line->setColor(std::int32_t(0xFF00000F));

    // Page2 refers back to Page1's title (a component of another page of the report).
    auto* copy = add<TRpText>(*page2, "TitleCopy");
    copy->setMirror(title);
    auto* picture = add<TRpBitmap>(*page2, "Logo");
    picture->image().setData({ 0x42, 0x4D, 0, 1, 2 });

    auto* active = project.addReport(std::move(report));
    auto other = std::make_unique<TRpReport>();
    other->setName("Report2");
    auto* otherPage = other->addPage(std::make_unique<TRpPage>());
    otherPage->setName("Page1");
    auto* lookup = add<TRpDataText>(*otherPage, "Driven");
    lookup->setDataView(driverView);
    project.addReport(std::move(other));
    project.activateReport(active);
}

class ProjectFile : public ::testing::Test {
protected:
    // Records what loading tells the user.
    MessageSink recorder()
    {
        return [this](const std::string& text) { m_messages.push_back(text); };
    }

    std::vector<std::string> m_messages;
};

} // namespace

TEST_F(ProjectFile, SaveLoadSaveIsByteIdenticalWithAndWithoutCompression)
{
    TRpProjectManager original;
    buildScheduleProject(original);
    for (auto method : { BlockMethod::Compressed, BlockMethod::Stored }) {
        auto first = original.saveToStream(method);
        TRpProjectManager loaded;
        loaded.setMessages(recorder());
        loaded.loadFromStream(first);
        EXPECT_EQ(loaded.saveToStream(method), first);
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ProjectFile, LoadingRebuildsComponentsAndResolvesReferencesAcrossItems)
{
    TRpProjectManager original;
    buildScheduleProject(original);
    TRpProjectManager project;
    project.loadFromStream(original.saveToStream());

    EXPECT_EQ(project.name(), "RpProject");
    EXPECT_EQ(project.units(), unMM);
    EXPECT_DOUBLE_EQ(project.unitsFactor(), 25.4);
    EXPECT_EQ(project.param("amount"), "200,000.00");
    EXPECT_EQ(project.param("Title"), "Loan \"A\" – schedule");
    ASSERT_EQ(project.modules().size(), 1u);
    EXPECT_EQ(project.modules()[0].bytes, Bytes({ 1, 2, 3, 4 }));
    EXPECT_TRUE(project.saved());
    EXPECT_FALSE(project.modified());

    ASSERT_EQ(project.reports().size(), 2u);
    auto& report = *project.reports()[0];
    EXPECT_EQ(project.activeReport(), &report);
    EXPECT_EQ(report.fullName(), "Amortization schedule");
    EXPECT_EQ(report.maxPages(), 300'000'000);
    ASSERT_EQ(report.pages().size(), 2u);
    auto& page1 = *report.pages()[0];
    auto& page2 = *report.pages()[1];
    EXPECT_EQ(report.firstPage(), &page1);
    ASSERT_EQ(report.pageList().size(), 2u);
    EXPECT_EQ(report.pageList()[0].get(), &page1);
    EXPECT_EQ(report.pageList()[1].get(), project.globalPages()[0].get());
    EXPECT_EQ(page2.orientation(), poLandScape);
    EXPECT_DOUBLE_EQ(page1.pageWidth(), 8.5);

    auto* view = dynamic_cast<TRpDataView*>(project.findItem("DataView1"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->connectionName(), "RvCustomConnection1");
    ASSERT_EQ(view->children().size(), 6u);
    auto* field = dynamic_cast<TRpStringField*>(view->children()[5].get());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->fieldName(), "balance");
    EXPECT_EQ(field->size(), 30);

    auto* region = find<TRpRegion>(page1, "Region1");
    ASSERT_NE(region, nullptr);
    EXPECT_DOUBLE_EQ(region->width(), 7.5);
    auto* dataBand = find<TRpDataBand>(page1, "DataBand1");
    auto* header = find<TRpBand>(page1, "HeaderBand");
    ASSERT_TRUE(dataBand && header);
    EXPECT_EQ(dataBand->parent(), region);
    EXPECT_EQ(dataBand->dataView(), view);
    EXPECT_EQ(dataBand->maxRows(), 5);
    EXPECT_TRUE(dataBand->keepRowTogether());
    EXPECT_TRUE(dataBand->initToFirst());
    EXPECT_EQ(header->controllerBand(), dataBand);
    EXPECT_EQ(header->bandStyle().printLoc(), setOf(plBodyHeader));
    EXPECT_EQ(header->bandStyle().printOcc(), setOf(poFirst, poNewPage));
    EXPECT_DOUBLE_EQ(header->height(), 0.2);

    auto* title = find<TRpText>(page1, "Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rotation(), -5);
    EXPECT_EQ(title->fontJustify(), pjCenter);
    EXPECT_EQ(title->font().name(), "Courier New");
    ASSERT_NE(title->fontMirror(), nullptr);
    EXPECT_EQ(title->fontMirror()->font().name(), "Times New Roman");
    EXPECT_EQ(title->font().size(), 10);
    EXPECT_EQ(title->font().style(), setOf(fsBold));
    EXPECT_EQ(title->font().pitch(), fpFixed);
    EXPECT_TRUE(find<TRpDataText>(page1, "DataTextNo")->truncate());
    auto* sum = find<TRpCalcText>(page1, "SumInterest");
    EXPECT_EQ(sum->controller(), dataBand);
    EXPECT_EQ(sum->initializer(), find<TRpCalcController>(page1, "CalcController1"));
    EXPECT_EQ(sum->initializer()->initValue(), 2.9L);
    EXPECT_EQ(find<TRpHLine>(page1, "Line1")->color(), std::int32_t(0xFF00000F));

    EXPECT_EQ(find<TRpText>(page2, "TitleCopy")->mirror(), title);
    EXPECT_EQ(find<TRpBitmap>(page2, "Logo")->image().data(), Bytes({ 0x42, 0x4D, 0, 1, 2 }));

    auto* driverView = dynamic_cast<TRpDriverDataView*>(project.findItem("DriverView1"));
    ASSERT_NE(driverView, nullptr);
    EXPECT_EQ(driverView->database(), project.findItem("Database1"));
    EXPECT_EQ(driverView->queryParams(), std::vector<std::string>({ "a=1", "b=2" }));
    EXPECT_EQ(find<TRpDataText>(*project.reports()[1]->pages()[0], "Driven")->dataView(), driverView);
}

TEST_F(ProjectFile, PropertyValuesUseTheirTagsAndDefaultsStayOut)
{
    TRpProjectManager project;
    buildScheduleProject(project);
    auto bytes = project.saveToStream(BlockMethod::Stored);

    EXPECT_TRUE(contains(bytes, property("Rotation", { 2, 5 })));
    EXPECT_TRUE(contains(bytes, property("MaxPages", { 3, 0x00, 0xA3, 0xE1, 0x11 })));
    EXPECT_TRUE(contains(bytes, property("MaxRows", { 1, 5 })));
    EXPECT_TRUE(contains(bytes, property("KeepRowTogether", { 0, 4, 'T', 'r', 'u', 'e' })));
    // Booleans and enumerations at their defaults are left out.
    EXPECT_FALSE(contains(bytes, property("KeepBodyTogether", {})));
    EXPECT_FALSE(contains(bytes, property("InitToFirst", {})));
    EXPECT_FALSE(contains(bytes, property("DisplayOn", {})));
    // A font always carries Charset, Color, Size and Style; Pitch only off its default.
    EXPECT_TRUE(contains(bytes, property("Size", { 1, 10 })));
    EXPECT_TRUE(contains(bytes, property("Charset", { 1, 1 })));
    EXPECT_TRUE(contains(bytes, property("Style", { 7, 6, 'f', 's', 'B', 'o', 'l', 'd', 0 })));
    EXPECT_TRUE(contains(bytes, property("Style", { 7, 0 })));
    EXPECT_TRUE(contains(bytes, property("Pitch", { 0, 7, 'f', 'p', 'F', 'i', 'x', 'e', 'd' })));
    EXPECT_FALSE(contains(bytes, property("Pitch", { 0, 9, 'f', 'p', 'D' })));
    // A font's own Name is an ordinary string property; only a component's name is not.
    EXPECT_TRUE(contains(bytes, property("Name", { 6, 11, 'C', 'o', 'u', 'r', 'i', 'e', 'r', ' ', 'N', 'e', 'w' })));
    EXPECT_TRUE(contains(bytes, property("Name", { 6, 5, 'A', 'r', 'i', 'a', 'l' })));
    // A system colour is a negative TColor: its magnitude as a count.
    EXPECT_TRUE(contains(bytes, property("Color", { 2, 0xE0, 0xFF, 0xFF, 0xF1 })));
    // References: bare within an item, owner-qualified across pages.
    EXPECT_TRUE(contains(bytes, property("ControllerBand", { 0, 9, 'D', 'a', 't', 'a', 'B', 'a', 'n', 'd', '1' })));
    EXPECT_TRUE(contains(bytes, property("Mirror", { 0, 11, 'P', 'a', 'g', 'e', '1', '.', 'T', 'i', 't', 'l', 'e' })));
    EXPECT_TRUE(contains(bytes, property("PageList", { 9, 5, 'P', 'a', 'g', 'e', '1', 11, 'G', 'l', 'o', 'b', 'a', 'l', 'P', 'a', 'g', 'e', '1', 0 })));
}

TEST_F(ProjectFile, ParamsAreOneFormStringOfQuotedPairs)
{
    auto bytes = encodeParams({ { "Amount", "1\"2" } });
    std::string text = "\"Amount\",\"1\"\"2\";";
    Bytes expected { 6, std::uint8_t(text.size()) };
    for (char c : text)
        expected.push_back(std::uint8_t(c));
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(decodeParams(bytes), (std::vector<std::pair<std::string, std::string>> { { "Amount", "1\"2" } }));

    auto longText = encodeParams({ { "Note", std::string(300, 'x') } });
    EXPECT_EQ(longText[0], 12);
    EXPECT_EQ(decodeParams(longText)[0].second, std::string(300, 'x'));
    auto utf8 = encodeParams({ { "Name", "Zürich" } });
    EXPECT_EQ(utf8[0], 20);
    EXPECT_EQ(decodeParams(utf8)[0].second, "Zürich");
    // 8-bit texts from older writers are Latin-1.
    Bytes latin { 6, 11, '"', 'a', '"', ',', '"', 0xFC, '"', ';', ' ', ' ', ' ' };
    EXPECT_EQ(decodeParams(latin)[0].second, "ü");
}

TEST_F(ProjectFile, MissingLastActiveReportActivatesTheFirst)
{
    TRpProjectManager original;
    buildScheduleProject(original);
    original.activateReport(original.reports()[1].get());
    auto bytes = original.saveToStream(BlockMethod::Stored);

    TRpProjectManager project;
    project.loadFromStream(bytes);
    EXPECT_EQ(project.activeReport()->name(), "Report2");

    // The stored name must match exactly; "report2" is no longer the second report.
    auto at = std::search(bytes.begin(), bytes.end(), std::begin("\x07Report2"), std::end("\x07Report2") - 1);
    ASSERT_NE(at, bytes.end());
    at[1] = 'r';
    project.loadFromStream(bytes);
    EXPECT_EQ(project.activeReport()->name(), "Report1");
    EXPECT_EQ(project.lastActiveReport(), "Report1");
}

TEST_F(ProjectFile, BrokenHeadersFailAndLeaveTheProjectEmpty)
{
    TRpProjectManager original;
    buildScheduleProject(original);
    auto good = original.saveToStream();

    auto expectFailure = [&](Bytes bytes, const char* message) {
        TRpProjectManager project;
        project.loadFromStream(good);
        try {
            project.loadFromStream(bytes);
            ADD_FAILURE() << message;
        } catch (const ERpException& error) {
            EXPECT_STREQ(error.what(), message);
        }
        EXPECT_TRUE(project.reports().empty());
        EXPECT_TRUE(project.dataObjects().empty());
        EXPECT_EQ(project.activeReport(), nullptr);
    };

    auto badSignature = good;
    badSignature[3] = 0x1B;
    expectFailure(badSignature, "Invalid Project Format");
    auto badHeader = good;
    badHeader[8] = 1;
    expectFailure(badHeader, "Invalid Project Header Code");
    expectFailure(Bytes(good.begin(), good.end() - 3), "Stream read error");
    expectFailure(Bytes(good.begin(), good.begin() + 6), "Stream read error");
}

TEST_F(ProjectFile, PageEntryWithoutZeroMarkerIsAClassNotFoundError)
{
    TRpProjectManager original;
    auto report = std::make_unique<TRpReport>();
    report->setName("R");
    report->addPage(std::make_unique<TRpPage>())->setName("P");
    original.addReport(std::move(report));
    auto bytes = original.saveToStream(BlockMethod::Stored);
    // Report payload: last active page "", one page, then the page entry's marker.
    Bytes entry { 0x00, 0x01, 0x00, 0x01, 'P' };
    auto at = std::search(bytes.begin(), bytes.end(), entry.begin(), entry.end());
    ASSERT_NE(at, bytes.end());
    at[2] = 7;
    TRpProjectManager project;
    EXPECT_THROW(project.loadFromStream(bytes), EClassNotFound);
    try {
        project.loadFromStream(bytes);
    } catch (const ERpException& error) {
        EXPECT_STREQ(error.what(), "TRpProjectItem class not found");
    }
}

TEST_F(ProjectFile, UnknownClassIsAnnouncedAndSkippedWithItsChildren)
{
    TRpProjectManager original;
    auto report = std::make_unique<TRpReport>();
    report->setName("Report1");
    auto* page = report->addPage(std::make_unique<TRpPage>());
    page->setName("Page1");
    auto* section = add<TRpSection>(*page, "Strange");
    add<TRpText>(*section, "Inner")->setText("inside");
    add<TRpText>(*page, "After")->setText("still here");
    original.addReport(std::move(report));
    auto bytes = original.saveToStream(BlockMethod::Stored);
    auto at = std::search(bytes.begin(), bytes.end(), std::begin("TRpSection"), std::end("TRpSection") - 1);
    ASSERT_NE(at, bytes.end());
    std::copy_n("TRpWidgetX", 10, at);

    TRpProjectManager project;
    project.setMessages(recorder());
    project.loadFromStream(bytes);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0],
        "Unknown class \"TRpWidgetX\" found.  You will need to include the unit containing this component to your uses clause.");
    auto& loadedPage = *project.reports()[0]->pages()[0];
    EXPECT_EQ(loadedPage.findComponent("Strange"), nullptr);
    EXPECT_EQ(loadedPage.findComponent("Inner"), nullptr);
    ASSERT_NE(find<TRpText>(loadedPage, "After"), nullptr);
    EXPECT_EQ(find<TRpText>(loadedPage, "After")->text(), "still here");
}

TEST_F(ProjectFile, ReferenceToALaterItemIsFilledInAfterLoading)
{
    TRpProjectManager original;
    auto* security = static_cast<TRpLookupSecurity*>(original.addDataObject(std::make_unique<TRpLookupSecurity>()));
    security->setName("Security1");
    auto* view = static_cast<TRpDataView*>(original.addDataObject(std::make_unique<TRpDataView>()));
    view->setName("Users");
    security->setDataView(view);
    original.setSecurityControl(security);

    TRpProjectManager project;
    project.loadFromStream(original.saveToStream());
    auto* loadedSecurity = dynamic_cast<TRpLookupSecurity*>(project.findItem("Security1"));
    ASSERT_NE(loadedSecurity, nullptr);
    EXPECT_EQ(loadedSecurity->dataView(), project.findItem("Users"));
    // The project record comes before every item, so its reference waits as well.
    EXPECT_EQ(project.securityControl(), loadedSecurity);
}

TEST_F(ProjectFile, SavingOneReportTakesOnlyWhatItDependsOn)
{
    TRpProjectManager master;
    buildScheduleProject(master);
    auto& report2 = *master.reports()[1];
    auto bytes = master.saveReportToStream(report2);

    TRpProjectManager copy;
    copy.setMaster(&master);
    copy.loadFromStream(bytes);
    ASSERT_EQ(copy.reports().size(), 1u);
    EXPECT_EQ(copy.reports()[0]->name(), "Report2");
    EXPECT_EQ(copy.activeReport(), copy.reports()[0].get());
    EXPECT_TRUE(copy.globalPages().empty());
    ASSERT_EQ(copy.dataObjects().size(), 1u);
    auto* driverView = dynamic_cast<TRpDriverDataView*>(copy.dataObjects()[0].get());
    ASSERT_NE(driverView, nullptr);
    // The database stays with the master and the copy's reference reaches into it.
    EXPECT_EQ(driverView->database(), master.findItem("Database1"));
    EXPECT_TRUE(contains(bytes, property("Database", { 0, 10, '*', 'D', 'a', 't', 'a', 'b', 'a', 's', 'e', '1' })));

    auto& report1 = *master.reports()[0];
    TRpProjectManager copy1;
    copy1.loadFromStream(master.saveReportToStream(report1));
    ASSERT_EQ(copy1.dataObjects().size(), 1u);
    EXPECT_EQ(copy1.dataObjects()[0]->name(), "DataView1");
    ASSERT_EQ(copy1.globalPages().size(), 1u);
    EXPECT_EQ(copy1.reports()[0]->pageList()[1].get(), copy1.globalPages()[0].get());
    EXPECT_EQ(find<TRpDataBand>(*copy1.reports()[0]->pages()[0], "DataBand1")->dataView(), copy1.dataObjects()[0].get());
}

TEST_F(ProjectFile, EmptyStreamIsABlankProjectAndEmptyNamedItemsAreDropped)
{
    TRpProjectManager project;
    project.loadFromStream(Bytes {});
    ASSERT_EQ(project.reports().size(), 1u);
    EXPECT_EQ(project.reports()[0]->name(), "Report1");
    ASSERT_EQ(project.reports()[0]->pages().size(), 1u);
    EXPECT_EQ(project.reports()[0]->pages()[0]->name(), "Page1");
    EXPECT_EQ(project.fileName(), "Project1.rav");

    TRpProjectManager original;
    auto* nameless = original.addGlobalPage(std::make_unique<TRpPage>());
    add<TRpText>(*nameless, "Orphan");
    auto* kept = original.addGlobalPage(std::make_unique<TRpPage>());
    kept->setName("Kept");
    add<TRpText>(*kept, "Pointer")->setMirror(static_cast<TRpControl*>(nameless->children()[0].get()));
    project.loadFromStream(original.saveToStream());
    ASSERT_EQ(project.globalPages().size(), 1u);
    EXPECT_EQ(project.globalPages()[0]->name(), "Kept");
}

TEST_F(ProjectFile, UnknownPropertiesOfEveryTagAreSkipped)
{
    // A data-view item holding a text property of each tag kind before the one it knows.
    ProjectWriter record;
    record.writeByte(0);
    record.writeString("TRpDataView");
    record.writeString("View");
    record.writeByte(8);
    auto unknown = [&](const std::string& name, std::uint8_t tag) {
        record.writeString(name);
        record.writeByte(tag);
    };
    unknown("A", 0), record.writeString("x");
    unknown("B", 1), record.writeCount(300);
    unknown("C", 3), record.writeInt32(-1);
    unknown("D", 5), record.writeExtended(1.5L);
    unknown("E", 7), record.writeString("m"), record.writeString("");
    unknown("F", 8), record.writeString("Inner"), record.writeByte(6), record.writeString("t"), record.writeString("");
    unknown("G", 10), record.writeString("TItem"), record.writeString("Size"), record.writeByte(1), record.writeCount(3),
        record.writeString(""), record.writeString("");
    record.writeString("Module"), record.writeCount(2), record.writeBytes(Bytes { 9, 9 });
    record.writeString("ConnectionName"), record.writeByte(6), record.writeString("Conn");
    record.writeString("");
    record.writeCount(0);

    ProjectWriter file;
    file.writeBytes(Bytes { 'R', 'A', 'V', 0x1A });
    file.writeInt32(40004);
    file.writeByte(0);
    file.writeString("");
    file.writeByte(0), file.writeString("TRpProjectManager"), file.writeString("P"), file.writeByte(8), file.writeString(""),
        file.writeCount(0);
    file.writeByte(2), file.writeString("View"), file.writeBlock(BlockMethod::Compressed, record.bytes());

    TRpProjectManager project;
    project.loadFromStream(file.bytes());
    auto* view = dynamic_cast<TRpDataView*>(project.findItem("View"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->connectionName(), "Conn");
    EXPECT_EQ(view->module(), Bytes({ 9, 9 }));
    EXPECT_EQ(project.version(), 40004);
}

TEST(ClassRegistry, KnowsEveryClassByNameInAnyCase)
{
    registerReportClasses();
    auto& registry = RpClassRegistry::instance();
    for (const char* name : { "TRpProjectManager", "TRpReport", "TRpPage", "TRpDataView", "TRpDriverDataView", "TRpDatabase",
             "TRpSimpleSecurity", "TRpLookupSecurity", "TRpStringField", "TRpIntegerField", "TRpInt64Field", "TRpBooleanField",
             "TRpFloatField", "TRpCurrencyField", "TRpBCDField", "TRpDateTimeField", "TRpDateField", "TRpTimeField",
             "TRpBlobField", "TRpMemoField", "TRpGraphicField", "TRpFontMaster", "TRpPageNumInit", "TRpText", "TRpMemo",
             "TRpSection", "TRpBitmap", "TRpMetaFile", "TRpRegion", "TRpBand", "TRpIterateBand", "TRpDataBand",
             "TRpDataCycle", "TRpLine", "TRpHLine", "TRpVLine", "TRpRectangle", "TRpSquare", "TRpEllipse", "TRpCircle",
             "TRpDataText", "TRpDataMemo", "TRpCalcText", "TRpCalcOp", "TRpCalcTotal", "TRpCalcController",
             "TRpDataMirrorSection", "TRpPostNetBarCode", "TRpI2of5BarCode", "TRpCode39BarCode", "TRpCode128BarCode",
             "TRpUPCBarCode", "TRpEANBarCode" }) {
        auto* registered = registry.find(name);
        ASSERT_NE(registered, nullptr) << name;
        EXPECT_STREQ(registered->create()->className(), name);
    }
    EXPECT_NE(registry.find("trpdatatext"), nullptr);
    EXPECT_EQ(registry.find("TRpChart"), nullptr);
    EXPECT_EQ(registry.classesOf("Drawing").size(), 7u);
}

namespace {

// A project file around one report whose payload the caller writes.
Bytes fileWithReport(std::int32_t version, const std::function<void(ProjectWriter&)>& payload,
    BlockMethod method = BlockMethod::Stored)
{
    ProjectWriter file;
    file.writeBytes(Bytes { 'R', 'A', 'V', 0x1A });
    file.writeInt32(version);
    file.writeByte(0);
    if (version > 40004)
        file.writeCount(0);
    file.writeString("Report1");
    file.writeByte(0), file.writeString("TRpProjectManager"), file.writeString("P"), file.writeByte(8), file.writeString(""),
        file.writeCount(0);
    ProjectWriter block;
    payload(block);
    file.writeByte(4), file.writeString("Report1"), file.writeBlock(method, block.bytes());
    return file.take();
}

void writeRecord(ProjectWriter& w, const char* className, const char* name, const std::function<void()>& properties = {},
    int children = 0)
{
    w.writeByte(0), w.writeString(className), w.writeString(name), w.writeByte(8);
    if (properties)
        properties();
    w.writeString("");
    w.writeCount(std::uint32_t(children));
}

} // namespace

TEST_F(ProjectFile, IntegersTakeTheShortestTagTheirRangeAllows)
{
    struct Case {
        int value;
        Bytes encoded;
    };
    for (auto& [value, encoded] : std::vector<Case> {
             { 268'435'455, { 1, 0xEF, 0xFF, 0xFF, 0xFF } },
             { 268'435'456, { 3, 0x00, 0x00, 0x00, 0x10 } },
             { -268'435'455, { 2, 0xEF, 0xFF, 0xFF, 0xFF } },
             { -268'435'456, { 3, 0x00, 0x00, 0x00, 0xF0 } },
             { 127, { 1, 0x7F } },
             { 128, { 1, 0x80, 0x80 } } }) {
        TRpProjectManager project;
        auto report = std::make_unique<TRpReport>();
        report->setName("R");
        report->setCopies(value);
        project.addReport(std::move(report));
        auto bytes = project.saveToStream(BlockMethod::Stored);
        Bytes expected = property("Copies", {});
        expected.insert(expected.end(), encoded.begin(), encoded.end());
        EXPECT_TRUE(contains(bytes, expected)) << value;
        TRpProjectManager loaded;
        loaded.loadFromStream(bytes);
        EXPECT_EQ(loaded.reports()[0]->copies(), value);
    }
}

TEST_F(ProjectFile, OldVersionsHaveNoModulesAndNoLastActivePage)
{
    auto bytes = fileWithReport(30003, [](ProjectWriter& w) {
        w.writeCount(1), w.writeByte(0), w.writeString("Page1");
        w.writeCount(0);
        writeRecord(w, "TRpReport", "Report1");
        ProjectWriter page;
        writeRecord(
            page, "TRpPage", "Page1", [&] { page.writeString("PageWidth"), page.writeByte(1), page.writeCount(11); }, 1);
        writeRecord(page, "TRpText", "Text1", [&] { page.writeString("Text"), page.writeByte(6), page.writeString("old"); });
        w.writeBlock(BlockMethod::Compressed, page.bytes());
    });
    TRpProjectManager project;
    project.loadFromStream(bytes);
    ASSERT_EQ(project.reports().size(), 1u);
    auto& page = *project.reports()[0]->pages()[0];
    EXPECT_DOUBLE_EQ(page.pageWidth(), 11.0);
    EXPECT_EQ(find<TRpText>(page, "Text1")->text(), "old");
    EXPECT_EQ(project.version(), 30003);
    // Saving writes the current version and reads back the same.
    TRpProjectManager again;
    again.loadFromStream(project.saveToStream());
    EXPECT_EQ(find<TRpText>(*again.reports()[0]->pages()[0], "Text1")->text(), "old");
}

TEST_F(ProjectFile, ChildrenAParentRefusesAreSkippedQuietly)
{
    auto bytes = fileWithReport(40005, [](ProjectWriter& w) {
        w.writeString("");
        w.writeCount(1), w.writeByte(0), w.writeString("Page1");
        w.writeCount(0);
        writeRecord(w, "TRpReport", "Report1");
        ProjectWriter page;
        writeRecord(page, "TRpPage", "Page1", {}, 2);
        // A band straight on a page has no region to stack in.
        writeRecord(page, "TRpBand", "LooseBand", {}, 1);
        writeRecord(page, "TRpText", "InLooseBand");
        writeRecord(page, "TRpText", "Kept");
        w.writeBlock(BlockMethod::Stored, page.bytes());
    });
    TRpProjectManager project;
    project.setMessages(recorder());
    project.loadFromStream(bytes);
    auto& page = *project.reports()[0]->pages()[0];
    EXPECT_EQ(page.findComponent("LooseBand"), nullptr);
    EXPECT_EQ(page.findComponent("InLooseBand"), nullptr);
    EXPECT_NE(page.findComponent("Kept"), nullptr);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ProjectFile, ValuesThatDoNotSuitThePropertyAreReadPastAndUnknownTagsFail)
{
    auto withProperties = [](const std::function<void(ProjectWriter&)>& values) {
        return fileWithReport(40005, [&](ProjectWriter& w) {
            w.writeString("");
            w.writeCount(0);
            w.writeCount(0);
            writeRecord(w, "TRpReport", "Report1", [&] { values(w); });
        });
    };
    TRpProjectManager project;
    project.loadFromStream(withProperties([](ProjectWriter& w) {
        w.writeString("Collate"), w.writeByte(0), w.writeString("pcMaybe");
        w.writeString("Copies"), w.writeByte(6), w.writeString("two");
        w.writeString("Duplex"), w.writeByte(0), w.writeString("PDVERTICAL");
        w.writeString("MaxPages"), w.writeByte(8), w.writeString("X"), w.writeByte(1), w.writeCount(1), w.writeString("");
        w.writeString("FirstPage"), w.writeByte(1), w.writeCount(0);
        w.writeString("Printer"), w.writeByte(6), w.writeString("Laser");
    }));
    auto& report = *project.reports()[0];
    EXPECT_EQ(report.collate(), pcDefault);
    EXPECT_EQ(report.copies(), 0);
    EXPECT_EQ(report.duplex(), pdVertical);
    EXPECT_EQ(report.maxPages(), 0);
    EXPECT_EQ(report.firstPage(), nullptr);
    EXPECT_EQ(report.printer(), "Laser");

    // A tag the format does not have leaves no way to find the next property.
    try {
        project.loadFromStream(withProperties([](ProjectWriter& w) { w.writeString("Unknown"), w.writeByte(11); }));
        FAIL();
    } catch (const ERpException& error) {
        EXPECT_STREQ(error.what(), "Invalid property value");
    }
    EXPECT_TRUE(project.reports().empty());
}

TEST_F(ProjectFile, ColoursWrittenByNameAreUnderstood)
{
    ProjectWriter record;
    writeRecord(record, "TRpPage", "G", [&] {}, 1);
    writeRecord(record, "TRpRectangle", "Box", [&] {
        record.writeString("FillColor"), record.writeByte(0), record.writeString("clNavy");
        record.writeString("BorderColor"), record.writeByte(0), record.writeString("clNone");
    });
    ProjectWriter file;
    file.writeBytes(Bytes { 'R', 'A', 'V', 0x1A });
    file.writeInt32(40005);
    file.writeByte(0);
    file.writeCount(0);
    file.writeString("");
    file.writeByte(0), file.writeString("TRpProjectManager"), file.writeString("P"), file.writeByte(8), file.writeString(""),
        file.writeCount(0);
    file.writeByte(3), file.writeString("G"), file.writeBlock(BlockMethod::Stored, record.bytes());
    TRpProjectManager project;
    project.loadFromStream(file.bytes());
    auto* box = find<TRpRectangle>(*project.globalPages()[0], "Box");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->fillColor(), 0x800000);
    EXPECT_EQ(box->borderColor(), 0x1FFFFFFF);
}

TEST_F(ProjectFile, OverfilledCompressedBlockFailsTheLoad)
{
    // Codes that keep adding strings without a clear code, as in the LZW tests.
    Bytes packed;
    std::uint64_t buffer = 0;
    int bits = 0;
    auto put = [&](int code, int width) {
        buffer = (buffer << width) | unsigned(code);
        bits += width;
        while (bits >= 8) {
            bits -= 8;
            packed.push_back(std::uint8_t(buffer >> bits));
        }
    };
    put(256, 9);
    put('x', 9);
    int width = 9;
    for (int next = 258; next <= 8191; ++next) {
        put('y', width);
        if (next == (1 << width) - 1 && width < 13)
            ++width;
    }
    put(0, 16);
    ProjectWriter file;
    file.writeBytes(Bytes { 'R', 'A', 'V', 0x1A });
    file.writeInt32(40005);
    file.writeByte(0);
    file.writeCount(0);
    file.writeString("");
    file.writeByte(0), file.writeString("TRpProjectManager"), file.writeString("P"), file.writeByte(8), file.writeString(""),
        file.writeCount(0);
    file.writeByte(3), file.writeString("G");
    file.writeByte(2), file.writeInt32(std::int32_t(packed.size())), file.writeBytes(packed);
    TRpProjectManager project;
    try {
        project.loadFromStream(file.bytes());
        FAIL();
    } catch (const ERpException& error) {
        EXPECT_STREQ(error.what(), "Hash Table overflow.");
    }
    EXPECT_TRUE(project.globalPages().empty());
}

TEST_F(ProjectFile, FilesOnDiskLoadAndAZeroByteFileIsABlankProject)
{
    auto dir = ::testing::TempDir();
    auto path = dir + "/report_project_test.rav";
    TRpProjectManager original;
    buildScheduleProject(original);
    auto bytes = original.saveToStream();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    TRpProjectManager project;
    project.loadFromFile(path);
    EXPECT_EQ(project.fileName(), path);
    EXPECT_EQ(project.reports().size(), 2u);

    file = std::fopen(path.c_str(), "wb");
    std::fclose(file);
    project.loadFromFile(path);
    EXPECT_EQ(project.fileName(), "Project1.rav");
    ASSERT_EQ(project.reports().size(), 1u);
    EXPECT_EQ(project.activeReport()->name(), "Report1");
    // Parameters survive loading a file that stores none, stored ones replace them; the
    // other settings are those of the file just loaded.
    project.setParam("Amount", "5");
    project.loadFromStream(bytes);
    EXPECT_EQ(project.units(), unMM);
    TRpProjectManager plain;
    plain.newProject();
    project.setParams({ { "Amount", "5" } });
    project.loadFromStream(plain.saveToStream());
    EXPECT_EQ(project.param("Amount"), "5");
    EXPECT_EQ(project.units(), unInch);
    project.loadFromStream(bytes);
    EXPECT_EQ(project.param("Amount"), "200,000.00");
    std::remove(path.c_str());
    EXPECT_THROW(project.loadFromFile(path), ERpException);
}
