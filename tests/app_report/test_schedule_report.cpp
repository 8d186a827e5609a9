#include "../report_execution/SnapshotText.h"

#include "AmortizationReport.h"
#include "loan/MemoryLoanView.h"
#include "report/project/ReportErrors.h"
#include "runtime/core/RegionalSettings.h"
#include "support/ScratchDir.h"
#include "views/report/ScheduleReport.h"

#include "RegionalPresets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

// The shipped report against a calculated loan, generated into memory.
class ScheduleReportRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        tools::writeAmortizationProject((m_dir / "rptQVR1.rav").string());
        project.SetProjectFile((m_dir / "rptQVR1.rav").string());
        project.Engine = &system;
        system.SystemSetups = 0;
        system.DefaultDest = TReportDest::rdFile;
        system.NativeOutput = false;
        system.SystemFiler.StreamMode = TStreamMode::smUser;
        system.SystemFiler.Stream = &snapshot;
    }

    void calculate(const std::string& amount, const std::string& rate, const std::string& term,
        RoundingModel rounding = RoundingModel::Classic)
    {
        CalculateInput input {term, amount, rate, encodeDate(2024, 3, 15), rounding};
        engine.calculate(input, view);
        view.amountText = amount;
        view.rateText = rate;
        view.termText = term;
    }

    void extraPayment(int month, const std::string& text)
    {
        engine.selectCell(LoanEngine::extraColumn, month, view);
        view.grid().setCellText(LoanEngine::extraColumn, month, text);
        engine.selectCell(LoanEngine::extraColumn + 1, month, view);
    }

    ReportFieldTexts texts() const
    {
        return {view.amountText, view.rateText, view.termText, view.label(ResultLabel::MonthlyPayment),
            view.label(ResultLabel::TotalInterest), view.label(ResultLabel::TotalPayment), view.label(ResultLabel::InterestSaved),
            engine.record.rounding == RoundingModel::Bank ? "Bank" : "Classic"};
    }

    test::TextCollector run()
    {
        snapshot.setSize(0);
        snapshot.seek(0);
        source.runReport(project, texts());
        return test::TextCollector::read(snapshot);
    }

    // The payment numbers of every page: right-aligned texts ending at the "No" column.
    static std::vector<std::string> paymentNumbers(const test::TextCollector& texts)
    {
        std::vector<std::string> numbers;
        for (const auto& page : texts.pages) {
            for (const auto& placed : page) {
                bool number = !placed.text.empty() && placed.text.find_first_not_of("0123456789") == std::string::npos;
                if (number && placed.x < 1.2 && placed.y < 10.3)
                    numbers.push_back(placed.text);
            }
        }
        return numbers;
    }

    static std::vector<std::string> oneTo(int n)
    {
        std::vector<std::string> numbers;
        for (int i = 1; i <= n; ++i)
            numbers.push_back(std::to_string(i));
        return numbers;
    }

    ScopedRegionalSettings m_posix {RegionalSettings::posix()};
    qv::test::ScratchDir m_scratch{"qv-app-report"};
    fs::path m_dir = m_scratch.path();
    LoanEngine engine;
    MemoryLoanView view;
    DataCommunication data;
    // As the window holds it: offered to other processes only when asked.
    ScheduleReport source {
        engine, data.connections(), TRuntimeVisibility::rtDeveloper, ScheduleReport::OfferStart::WhenAsked};
    TRvProject project {data};
    TRvSystem system;
    TMemoryStream snapshot;
};

TEST_F(ScheduleReportRun, OneYearLoanServesTwelveRowsAndTheSummary)
{
    calculate("10000", "7", "1");
    test::TextCollector texts = run();

    ASSERT_EQ(texts.pages.size(), 1u);
    EXPECT_EQ(paymentNumbers(texts), oneTo(12));
    EXPECT_TRUE(texts.has(0, "10,000.00"));
    EXPECT_EQ(view.label(ResultLabel::MonthlyPayment), "865.25");
    EXPECT_TRUE(texts.has(0, "865.25"));
    EXPECT_EQ(view.label(ResultLabel::TotalInterest), "383");
    EXPECT_TRUE(texts.has(0, "383.00"));
    EXPECT_TRUE(texts.has(0, "Page 1 of 1"));
    EXPECT_TRUE(texts.has(0, "Loan Amortization Schedule"));
    EXPECT_TRUE(texts.has(0, "12 payments"));
    EXPECT_EQ(texts.count(0, "383.00"), 2) << "the interest column adds up to the total interest";
    EXPECT_EQ(texts.pageSizes[0], std::make_pair(8.5, 11.0));
    EXPECT_FALSE(project.Active()) << "the command closes the project";
}

// The process's own report needs no listener: the window runs one before it has offered
// anything to other processes, and offering later starts the listener once.
TEST_F(ScheduleReportRun, ServesItsOwnProcessBeforeOtherProcessesAreOffered)
{
    source.offerParameters([this] { return texts(); });
    calculate("10000", "7", "1");
    EXPECT_EQ(paymentNumbers(run()), oneTo(12));
    EXPECT_FALSE(source.offered());
    EXPECT_FALSE(source.RvCustomConnection1().Listening());

    source.offerToOtherProcesses();
    source.offerToOtherProcesses();
    EXPECT_TRUE(source.RvCustomConnection1().Listening());
    EXPECT_EQ(source.offerError(), "");
    EXPECT_EQ(paymentNumbers(run()), oneTo(12)) << "and still after";
}

TEST_F(ScheduleReportRun, TheSummaryNamesTheRoundingModel)
{
    calculate("162000", "3.875", "30", RoundingModel::Bank);
    test::TextCollector bank = run();
    EXPECT_TRUE(bank.has(0, "Rounding:"));
    EXPECT_TRUE(bank.has(0, "Bank"));
    EXPECT_FALSE(bank.has(0, "Classic"));
    EXPECT_TRUE(bank.has(0, "761.78"));
    EXPECT_TRUE(bank.has(0, "112,243.70"));

    calculate("162000", "3.875", "30");
    test::TextCollector classic = run();
    EXPECT_TRUE(classic.has(0, "Classic"));
    EXPECT_FALSE(classic.has(0, "Bank"));
}

TEST_F(ScheduleReportRun, ReamortizedLoanEndingInMonthElevenReportsElevenRows)
{
    calculate("10000", "7", "1");
    extraPayment(3, "1000");
    ASSERT_EQ(engine.totals.scheduleMonths, 11);
    test::TextCollector texts = run();
    EXPECT_EQ(paymentNumbers(texts), oneTo(11));
    EXPECT_TRUE(texts.has(0, "52.64")) << "interest saved";
    EXPECT_TRUE(texts.has(0, "1,000.00")) << "the extra payment in its row";
    EXPECT_EQ(texts.count(0, "330.36"), 2) << "summary and interest column total";
    EXPECT_TRUE(texts.has(0, "11 payments"));
}

TEST_F(ScheduleReportRun, TwoRunsInARowBothStartAtRowOne)
{
    calculate("10000", "7", "1");
    EXPECT_EQ(paymentNumbers(run()), oneTo(12));
    EXPECT_EQ(source.reportRowCursor(), 13);
    EXPECT_EQ(paymentNumbers(run()), oneTo(12));
}

TEST_F(ScheduleReportRun, ThirtyYearLoanRepeatsTheHeaderAndNumbersEveryPage)
{
    calculate("200000", "6.5", "30");
    test::TextCollector texts = run();
    std::vector<std::string> numbers = paymentNumbers(texts);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] != std::to_string(i + 1)) {
            ADD_FAILURE() << "first gap before " << numbers[i];
            break;
        }
    }
    ASSERT_EQ(numbers.size(), 360u);
    EXPECT_EQ(numbers, oneTo(360));
    int pages = int(texts.pages.size());
    ASSERT_GT(pages, 5);
    for (int page = 0; page < pages; ++page) {
        EXPECT_TRUE(texts.has(page, "Payment Date")) << "page " << page + 1;
        EXPECT_TRUE(texts.has(page, "Page " + std::to_string(page + 1) + " of " + std::to_string(pages)));
    }
}

// The report under every desktop: money and dates in the user's own form, the run
// date as the user writes today, the schedule's digits the same everywhere.
TEST_F(ScheduleReportRun, ReadsLikeABankStatementUnderEveryRegion)
{
    struct Case {
        const char* locale;
        const char* payment;
        const char* amount;
        const char* firstDate;
        const char* runDate;
    };
    const Case cases[] = {
        {"C", "1,074.13", "200,000.00", "2024-04-15", "Run date: 2026-12-09"},
        {"de_DE.UTF-8", "1.074,13", "200.000,00", "15.04.2024", "Run date: 09.12.2026"},
        {"fr_FR.UTF-8", "1\xE2\x80\xAF" "074,13", "200\xE2\x80\xAF" "000,00", "15/04/2024", "Run date: 09/12/2026"},
        {"de_CH.UTF-8", "1\xE2\x80\x99" "074.13", "200\xE2\x80\x99" "000.00", "15.04.2024", "Run date: 09.12.2026"},
        {"en_US.UTF-8", "1,074.13", "200,000.00", "04/15/2024", "Run date: 12/09/2026"},
    };
    std::vector<test::NamedSettings> regions = test::everyRegion();
    std::vector<ScheduleTable::Row> scheduleInC;
    for (std::size_t k = 0; k < regions.size(); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.locale);
        ASSERT_EQ(std::string(regions[k].locale), c.locale);
        ScopedRegionalSettings region(regions[k].settings);
        calculate("200000", "5", "30");

        std::vector<ScheduleTable::Row> schedule;
        for (int row = 0; row < engine.table.rowCount(); ++row) {
            schedule.push_back(engine.table.row(row));
            for (auto& cell : schedule.back())
                std::replace(cell.begin(), cell.end(), regions[k].settings.decimalSeparator, '.');
        }
        if (scheduleInC.empty())
            scheduleInC = schedule;
        EXPECT_EQ(schedule, scheduleInC) << "the schedule differs only in its decimal separator";

        snapshot.setSize(0);
        snapshot.seek(0);
        source.runReport(project, texts());
        test::TextCollector page;
        snapshot.seek(0);
        TRPConverter converter(snapshot, page);
        converter.Now = [] {
            std::tm t {};
            t.tm_year = 126;
            t.tm_mon = 11;
            t.tm_mday = 9;
            t.tm_hour = 14;
            t.tm_min = 5;
            return t;
        };
        converter.GeneratePage(1);

        EXPECT_EQ(page.count(0, c.payment), 1) << "monthly payment";
        EXPECT_TRUE(page.has(0, c.amount)) << "loan amount";
        EXPECT_TRUE(page.has(0, std::string("834") + regions[k].settings.decimalSeparator + "00")) << "first month's interest";
        EXPECT_TRUE(page.has(0, c.firstDate));
        EXPECT_TRUE(page.has(0, c.runDate));
        EXPECT_EQ(paymentNumbers(page).front(), "1");
    }
}

TEST_F(ScheduleReportRun, MissingProjectEndsTheCommandAndLeavesNoOutput)
{
    calculate("10000", "7", "1");
    project.SetProjectFile((m_dir / "gone.rav").string());
    EXPECT_THROW(run(), report::ERpException);
    EXPECT_EQ(snapshot.size(), 0);
}

} // namespace
} // namespace qv
