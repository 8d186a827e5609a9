#include "LoanTestSupport.h"

#include "loan/BankRounding.h"
#include "loan/LoanFile.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/TextFile.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

class BankRounding : public ::testing::Test {
protected:
    ScopedRegionalSettings m_posix{RegionalSettings::posix()};
    LoanEngine engine;
    RecordingView view;
    TDateTime const march15 = encodeDate(2024, 3, 15);

    CalculateOutcome bank(const std::string& amount, const std::string& rate, const std::string& term)
    {
        CalculateInput in = input(amount, rate, term, march15);
        in.rounding = RoundingModel::Bank;
        return engine.calculate(in, view);
    }

    std::string cell(int row, int col) const { return engine.table.cell(row, col); }

    // Interest plus principal of the last month in use: what the last payment settles.
    std::string lastPayment() const
    {
        int const last = engine.totals.scheduleMonths;
        return numberText(parseNumber(cell(last, colInterest)) + parseNumber(cell(last, colPrincipal)));
    }

    void expectGridMatchesTable() const
    {
        for (int row = 1; row <= engine.totals.scheduleMonths; ++row) {
            for (int col = 0; col < 6; ++col)
                ASSERT_EQ(view.cell(col, row), cell(row, col)) << "row " << row << " col " << col;
        }
    }
};

} // namespace

// Payments published by a regulator, a handbook and every spreadsheet's PMT, which the
// classic model misses by cents.
TEST_F(BankRounding, PublishedPaymentsMatchToTheCent)
{
    struct Published {
        const char* amount;
        const char* rate;
        const char* payment;
        const char* firstInterest;
    };
    for (Published const& loan :
         {Published{"162000", "3.875", "761.78", "523.13"}, Published{"100000", "4", "477.42", "333.33"},
          Published{"200000", "5", "1073.64", "833.33"}}) {
        SCOPED_TRACE(loan.amount);
        ASSERT_EQ(bank(loan.amount, loan.rate, "30"), CalculateOutcome::Done);
        EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], loan.payment);
        EXPECT_EQ(cell(1, colInterest), loan.firstInterest);
        EXPECT_EQ(engine.totals.scheduleMonths, 360);
        EXPECT_EQ(cell(360, colBalance), "0");
        EXPECT_EQ(engine.record.rounding, RoundingModel::Bank);
    }
}

// 162000 x 3.875 / 1200 is exactly 523.125: half-up gives 523.13 where a binary
// product rounds to 523.12.
TEST_F(BankRounding, RegulatorsSampleLoanToTheLastPayment)
{
    ASSERT_EQ(bank("162000", "3.875", "30"), CalculateOutcome::Done);
    EXPECT_EQ(cell(1, colInterest), "523.13");
    EXPECT_EQ(cell(1, colPrincipal), "238.65");
    EXPECT_EQ(cell(1, colBalance), "161761.35");
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "112243.7");
    EXPECT_EQ(view.labels[ResultLabel::TotalPayment], "274243.7");
    EXPECT_EQ(view.labels[ResultLabel::InterestSaved], "0");
    EXPECT_EQ(lastPayment(), "764.68");
    EXPECT_EQ(engine.bank.monthlyRate, "0.00322916666666667");
    EXPECT_EQ(engine.totals.totalInterest, 112243.7);
    expectGridMatchesTable();
    EXPECT_EQ(view.chartRedraws, 1);
}

TEST_F(BankRounding, ZeroRateRepaysTheAmountInEqualParts)
{
    ASSERT_EQ(bank("1000", "0", "1"), CalculateOutcome::Done);
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "83.33");
    EXPECT_EQ(cell(1, colInterest), "0");
    EXPECT_EQ(cell(1, colBalance), "916.67");
    EXPECT_EQ(cell(12, colPrincipal), "83.37"); // the last payment settles the rounding
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "0");
    EXPECT_EQ(view.labels[ResultLabel::TotalPayment], "1000");
}

// A payment rounded up can pay the loan before its term: the schedule ends there.
TEST_F(BankRounding, ScheduleEndsWhenTheBalanceIsPaidBeforeTheTerm)
{
    ASSERT_EQ(bank("2", "0", "25"), CalculateOutcome::Done);
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "0.01");
    EXPECT_EQ(engine.totals.scheduleMonths, 200);
    EXPECT_EQ(view.rowCount(), 201);
    EXPECT_EQ(cell(200, colBalance), "0");
    EXPECT_EQ(cell(201, colBalance), "0");
    EXPECT_EQ(cell(300, colDate), "2049-03-15"); // later months keep number and date
}

TEST_F(BankRounding, AmountIsRoundedHalfUpToTheCent)
{
    ASSERT_EQ(bank("1000.005", "6", "1"), CalculateOutcome::Done);
    EXPECT_EQ(cell(0, colBalance), "1000.01");
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "86.07");
    EXPECT_EQ(lastPayment(), "86.04");
    ASSERT_EQ(bank("123456.78", "5", "1"), CalculateOutcome::Done);
    EXPECT_EQ(cell(0, colBalance), "123456.78"); // no single-precision value in between
}

TEST_F(BankRounding, RefusesAmountsAndRatesOutsideTheirRange)
{
    struct Refused {
        const char* amount;
        const char* rate;
        const char* message;
    };
    for (Refused const& r : {
             Refused{"0", "5", "Info: Amount '0' is refused: a loan amount must be above 0"},
             Refused{"0.004", "5", "Info: Amount '0.004' is refused: a loan amount must be above 0"},
             Refused{"-5", "5", "Info: Amount '-5' is refused: a loan amount must be above 0"},
             Refused{"1e16", "5", "Info: Amount '1e16' is refused: a loan amount may be at most 1000000000000000"},
             Refused{"1000", "-0.5", "Info: Rate '-0.5' is refused: the yearly rate must lie from 0 to 100 %"},
             Refused{"1000", "100.01", "Info: Rate '100.01' is refused: the yearly rate must lie from 0 to 100 %"},
             Refused{"1000", "1e-25", "Info: Rate '1e-25' is refused: a rate takes at most 20 decimals"},
         }) {
        SCOPED_TRACE(std::string(r.amount) + " at " + r.rate);
        view.messages.clear();
        EXPECT_EQ(bank(r.amount, r.rate, "1"), CalculateOutcome::DataError);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0], r.message);
    }
    EXPECT_EQ(engine.table.rowCount(), 0); // nothing was computed
    EXPECT_EQ(bank("1000", "100", "1"), CalculateOutcome::Done);
    EXPECT_EQ(bank("1000", "5.00000000000000000001", "1"), CalculateOutcome::Done);
}

TEST_F(BankRounding, InputErrorsAreTheClassicOnes)
{
    CalculateInput in = input("1000", "5,5", "1", march15);
    in.rounding = RoundingModel::Bank;
    EXPECT_EQ(engine.calculate(in, view), CalculateOutcome::RateError);
    EXPECT_EQ(view.messages.back(), "error: number 44");
    EXPECT_EQ(bank("1000", "5", "0"), CalculateOutcome::DataError);
    EXPECT_EQ(view.messages.back(), "Info: Data Error!");
    EXPECT_EQ(errorText([&] { bank("abc", "5", "1"); }), "'abc' is not a valid floating point value");
}

TEST_F(BankRounding, ExtraPaymentsShortenTheLoanAndSaveInterest)
{
    ASSERT_EQ(bank("10000", "7", "1"), CalculateOutcome::Done);
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "865.27");
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "383.22");
    typeExtra(engine, view, 3, "1000");
    EXPECT_EQ(cell(3, colInterest), "48.89");
    EXPECT_EQ(cell(3, colPrincipal), "816.38");
    EXPECT_EQ(cell(3, colBalance), "6565.04");
    EXPECT_EQ(engine.totals.scheduleMonths, 11);
    EXPECT_EQ(view.rowCount(), 12);
    EXPECT_EQ(cell(11, colInterest), "3.93");
    EXPECT_EQ(cell(11, colPrincipal), "673.93");
    EXPECT_EQ(cell(11, colBalance), "0");
    EXPECT_EQ(cell(12, colInterest), "0");
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "330.56");
    EXPECT_EQ(view.labels[ResultLabel::InterestSaved], "52.66");
    EXPECT_EQ(view.labels[ResultLabel::TotalPayment], "10330.56");
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "865.27");
    expectGridMatchesTable();

    // More than the balance pays it off and no further.
    typeExtra(engine, view, 1, "20000");
    EXPECT_EQ(engine.totals.scheduleMonths, 1);
    EXPECT_EQ(cell(1, colPrincipal), "806.94");
    EXPECT_EQ(cell(1, colBalance), "0");
    EXPECT_EQ(view.labels[ResultLabel::TotalPayment], "10058.33");

    // Back to nothing extra: the full term and the baseline again.
    typeExtra(engine, view, 1, "0");
    EXPECT_EQ(engine.totals.scheduleMonths, 12);
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "383.22");
    EXPECT_EQ(view.labels[ResultLabel::InterestSaved], "0");
}

TEST_F(BankRounding, SeveralExtraPaymentsOnALongLoan)
{
    ASSERT_EQ(bank("200000", "5", "30"), CalculateOutcome::Done);
    typeExtra(engine, view, 60, "10000.5");
    typeExtra(engine, view, 12, "5000");
    EXPECT_EQ(engine.totals.scheduleMonths, 313);
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "150679.87");
    EXPECT_EQ(lastPayment(), "703.69");
    EXPECT_EQ(cell(313, colBalance), "0");
    EXPECT_EQ(cell(60, colExtra), "10000.5");
}

TEST_F(BankRounding, NegativeExtraPaymentsAreRefused)
{
    ASSERT_EQ(bank("10000", "7", "1"), CalculateOutcome::Done);
    EXPECT_EQ(errorText([&] { typeExtra(engine, view, 2, "-5"); }),
              "'-5' is refused: a bank-rounded loan takes no extra payment below 0");
    EXPECT_EQ(errorText([&] { typeExtra(engine, view, 2, "1.2.3"); }), "'1.2.3' is not a valid floating point value");
}

// Re-amortizing from a month works the same in both models: the entry point a
// recurring extra payment builds on.
TEST_F(BankRounding, ApplyingAnExtraPaymentEqualsTypingIt)
{
    for (RoundingModel model : {RoundingModel::Classic, RoundingModel::Bank}) {
        SCOPED_TRACE(roundingName(model));
        CalculateInput in = input("10000", "7", "1", march15);
        in.rounding = model;
        LoanEngine typed;
        RecordingView typedView;
        typed.calculate(in, typedView);
        typeExtra(typed, typedView, 3, "1000");
        typeExtra(typed, typedView, 5, "250");

        engine.calculate(in, view);
        engine.applyExtraPayment(3, "1000", view);
        engine.applyExtraPayment(5, "250", view);
        EXPECT_EQ(loanFileText(engine), loanFileText(typed));
        EXPECT_EQ(view.labels, typedView.labels);
        EXPECT_EQ(engine.extraPayments(), (std::vector<std::pair<int, std::string>>{{3, "1000"}, {5, "250"}}));
        EXPECT_EQ(errorText([&] { engine.applyExtraPayment(13, "1", view); }),
                  "Month 13 is outside the loan term of 12 months");
    }
}

TEST_F(BankRounding, CommaLocaleReadsAndWritesItsOwnSeparator)
{
    RegionalSettings comma = RegionalSettings::posix();
    comma.decimalSeparator = ',';
    ScopedRegionalSettings regional(comma);
    ASSERT_EQ(bank("162000,004", "3.875", "30"), CalculateOutcome::Done);
    EXPECT_EQ(cell(0, colBalance), "162000");
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "761,78");
    EXPECT_EQ(cell(1, colInterest), "523,13");
    typeExtra(engine, view, 2, "100,5");
    EXPECT_EQ(cell(2, colExtra), "100,5");
    EXPECT_EQ(cell(2, colInterest), "522,35");
    EXPECT_EQ(cell(2, colBalance), "161421,42");
}

TEST_F(BankRounding, FileEndsWithTheRoundingLineAndReadsBackExactly)
{
    ASSERT_EQ(bank("162000", "3.875", "30"), CalculateOutcome::Done);
    typeExtra(engine, view, 2, "1000");
    std::string const text = loanFileText(engine);
    TextFileReader file = TextFileReader::fromBytes(text);
    EXPECT_EQ(file.lineCount(), 12u + 60 * 30 + 1);
    std::string const tail = "\r\nrounding=bank\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.substr(0, 21), "162000\r\n3.875\r\n0.0032");

    LoanEngine loaded;
    RecordingView shown;
    TextFileReader again = TextFileReader::fromBytes(text);
    LoanFileContents const contents = parseLoanFile(again, "bank.qvl");
    EXPECT_EQ(contents.record.rounding, RoundingModel::Bank);
    EXPECT_EQ(contents.bank.totalInterest, engine.bank.totalInterest);

    // Continue after a load as after the calculation itself.
    ScratchDir scratch("qv-bank");
    std::string const path = scratch.file("bank.qvl");
    writeLoanFile(path, engine);
    readLoanFile(path, loaded, shown);
    EXPECT_EQ(loaded.record.rounding, RoundingModel::Bank);
    EXPECT_EQ(loanFileText(loaded), text);
    typeExtra(loaded, shown, 5, "2500");
    typeExtra(engine, view, 5, "2500");
    EXPECT_EQ(loanFileText(loaded), loanFileText(engine));
    EXPECT_EQ(shown.labels, view.labels);
}

TEST_F(BankRounding, ClassicFilesKeepTheirBytes)
{
    ASSERT_EQ(engine.calculate(input("10000", "7", "1", march15), view), CalculateOutcome::Done);
    std::string const text = loanFileText(engine);
    EXPECT_EQ(TextFileReader::fromBytes(text).lineCount(), 12u + 60);
    EXPECT_EQ(text.find("rounding"), std::string::npos);
    EXPECT_EQ(text.substr(0, 31), "10000\r\n7\r\n0.00583000015467405\r\n");

    // A classic Calculate after a bank one writes the classic file again.
    ASSERT_EQ(bank("10000", "7", "1"), CalculateOutcome::Done);
    ASSERT_EQ(engine.calculate(input("10000", "7", "1", march15), view), CalculateOutcome::Done);
    EXPECT_EQ(loanFileText(engine), text);
}

TEST_F(BankRounding, TheFileLineNamesTheModel)
{
    EXPECT_EQ(roundingFromFileLine(""), RoundingModel::Classic);
    EXPECT_EQ(roundingFromFileLine("rounding=classic"), RoundingModel::Classic);
    EXPECT_EQ(roundingFromFileLine("rounding=bank"), RoundingModel::Bank);
    EXPECT_EQ(errorText([] { roundingFromFileLine("rounding=Bank"); }),
              "'rounding=Bank' is not a valid rounding model");
    EXPECT_EQ(roundingFileLine(RoundingModel::Classic), nullptr);
}
