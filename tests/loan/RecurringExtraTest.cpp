// The recurring extra payment commands against the long way round: typing each month's
// amount into its cell and leaving it, month after month, while the schedule shows the month.
#include "LoanTestSupport.h"

#include "loan/BankRounding.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace qv;
using namespace qv::test;

namespace {

struct Loan {
    const char* amount;
    const char* rate;
    const char* term;
};

// A 1000 at 24 % loan runs past a zero balance in the classic model: its re-amortization ends early.
const Loan loans[] = {{"200000", "5", "30"},
                      {"162000", "3.875", "30"},
                      {"10000", "7", "1"},
                      {"123456.78", "8.5", "15"},
                      {"1000", "24", "30"}};

// Everything the user can see or save of the loan, as text.
std::string state(const LoanEngine& engine, const RecordingView& view)
{
    std::ostringstream out;
    for (int row = 0; row < engine.table.rowCount(); ++row) {
        for (std::string const& cell : engine.table.row(row))
            out << cell << '|';
        out << '\n';
    }
    out << "grid rows " << view.rowCount() << '\n';
    for (int row = 1; row < view.rowCount(); ++row) {
        for (int col = 0; col <= colBalance; ++col)
            out << view.cell(col, row) << '|';
        out << '\n';
    }
    LoanTotals const& t = engine.totals;
    out.precision(17);
    out << t.monthlyPayment << ' ' << t.totalInterest << ' ' << t.totalPayment << ' ' << t.baselineInterest << ' '
        << t.baselinePayment << ' ' << t.interestSaved << ' ' << t.scheduleMonths << '\n';
    for (auto const& [label, text] : view.labels)
        out << static_cast<int>(label) << '=' << text << '\n';
    BankFigures const& b = engine.bank;
    out << b.totalInterest << ' ' << b.totalPayment << ' ' << b.interestSaved << '\n';
    return out.str();
}

// One loan calculated twice: `bulk` takes the commands, `typed` the month-by-month typing.
class RecurringExtra : public ::testing::TestWithParam<RoundingModel> {
protected:
    void calculate(const Loan& loan)
    {
        CalculateInput in = input(loan.amount, loan.rate, loan.term, encodeDate(2024, 1, 31));
        in.rounding = GetParam();
        ASSERT_EQ(bulk.calculate(in, bulkView), CalculateOutcome::Done);
        ASSERT_EQ(typed.calculate(in, typedView), CalculateOutcome::Done);
        baseline = state(typed, typedView);
    }

    // Types the month's text into every month from `first` on that the schedule still shows.
    void typeFrom(int first, const std::function<std::string(int)>& textOf)
    {
        for (int month = first; month <= typed.totals.scheduleMonths; ++month)
            typeExtra(typed, typedView, month, textOf(month));
    }
    void typeRepeated(int first, const std::string& text)
    {
        typeFrom(first, [&](int) { return text; });
    }

    void expectSame(const std::string& what) { EXPECT_EQ(state(bulk, bulkView), state(typed, typedView)) << what; }

    ScopedRegionalSettings m_posix{RegionalSettings::posix()};
    LoanEngine bulk;
    RecordingView bulkView;
    LoanEngine typed;
    RecordingView typedView;
    std::string baseline;
};

std::string describe(const Loan& loan) { return std::string(loan.amount) + " at " + loan.rate + " % for " + loan.term; }

} // namespace

TEST_P(RecurringExtra, RepeatingEqualsTypingEveryMonth)
{
    for (Loan const& loan : loans) {
        calculate(loan);
        bulk.repeatExtraPayment(1, "100", bulkView);
        typeRepeated(1, "100");
        expectSame(describe(loan) + ": 100 from month 1");
        EXPECT_GT(bulk.totals.interestSaved, 0) << describe(loan);

        // Over payments typed before, some of them past where the new amount pays the loan off.
        typeExtra(bulk, bulkView, 2, "2500");
        typeExtra(typed, typedView, 2, "2500");
        bulk.repeatExtraPayment(3, "100.50", bulkView);
        typeRepeated(3, "100.50");
        expectSame(describe(loan) + ": 100.50 from month 3 over 100");
    }
}

TEST_P(RecurringExtra, AmountThatPaysTheLoanOffEarly)
{
    for (Loan const& loan : loans) {
        calculate(loan);
        int const term = bulk.record.term * 12;
        int const from = term > 12 ? 10 : 2;
        std::string const big = term > 12 ? "5000" : "3000";
        bulk.repeatExtraPayment(from, big, bulkView);
        typeRepeated(from, big);
        expectSame(describe(loan) + ": " + big + " from month " + std::to_string(from));
        // The schedule ends in the payoff month; the months after it hold no extra payment.
        int const paid = bulk.totals.scheduleMonths;
        EXPECT_LT(paid, term) << describe(loan);
        EXPECT_EQ(bulkView.rowCount(), paid + 1);
        EXPECT_EQ(bulk.table.cell(paid, colBalance), "0");
        EXPECT_EQ(bulk.table.cell(paid, colExtra), big);
        EXPECT_EQ(bulk.table.cell(paid + 1, colExtra), "0");
        EXPECT_EQ(bulk.extraPayments().size(), static_cast<std::size_t>(paid - from + 1));

        // Repeating it again changes nothing; repeating a smaller amount lengthens the loan.
        std::string const before = state(bulk, bulkView);
        bulk.repeatExtraPayment(from, big, bulkView);
        EXPECT_EQ(state(bulk, bulkView), before);
        bulk.repeatExtraPayment(from, "10", bulkView);
        typeRepeated(from, "10");
        expectSame(describe(loan) + ": 10 over " + big);
        EXPECT_GT(bulk.totals.scheduleMonths, paid) << describe(loan);
    }
}

TEST_P(RecurringExtra, ClearingFromAMonthEqualsTypingZeros)
{
    for (Loan const& loan : loans) {
        calculate(loan);
        int const last = bulk.record.term * 12;
        for (LoanEngine* engine : {&bulk, &typed}) {
            RecordingView& view = engine == &bulk ? bulkView : typedView;
            typeExtra(*engine, view, 1, "50");
            typeExtra(*engine, view, last / 2, "1234.56");
            typeExtra(*engine, view, last / 2 + 1, "7");
        }
        bulk.clearExtraPaymentsFrom(last / 2, bulkView);
        typeRepeated(last / 2, "0");
        expectSame(describe(loan) + ": cleared from the middle");
        EXPECT_EQ(bulk.extraPayments(), (std::vector<std::pair<int, std::string>>{{1, "50"}}));

        // An empty cell repeated clears the same way.
        bulk.repeatExtraPayment(1, "", bulkView);
        typeRepeated(1, "0");
        expectSame(describe(loan) + ": empty from month 1");
        EXPECT_TRUE(bulk.extraPayments().empty());
    }
}

TEST_P(RecurringExtra, ClearAllBringsBackTheCalculatedLoan)
{
    for (Loan const& loan : loans) {
        calculate(loan);
        bulk.repeatExtraPayment(5, "300", bulkView);
        typeExtra(bulk, bulkView, 2, GetParam() == RoundingModel::Bank ? "20" : "-20");
        ASSERT_NE(bulk.totals.interestSaved, 0);
        bulk.clearAllExtraPayments(bulkView);
        // Grid rows past the old payoff keep hidden texts; the rows shown, the table, the
        // totals and the labels are the calculated ones.
        EXPECT_EQ(state(bulk, bulkView), baseline) << describe(loan);
        EXPECT_EQ(bulk.totals.interestSaved, 0);
        EXPECT_EQ(bulk.totals.totalInterest, bulk.totals.baselineInterest);
        EXPECT_EQ(bulk.totals.totalPayment, bulk.totals.baselinePayment);
        EXPECT_EQ(bulkView.labels[ResultLabel::InterestSaved], "0");
        if (GetParam() == RoundingModel::Bank) {
            // Exact money: typing the zeros back gives the calculated loan too.
            typeRepeated(1, "300");
            typeRepeated(1, "0");
            EXPECT_EQ(state(typed, typedView), baseline) << describe(loan);
        }
    }
}

TEST_P(RecurringExtra, RefusedTextChangesNothing)
{
    calculate(loans[0]);
    bulk.repeatExtraPayment(10, "100", bulkView);
    std::string const before = state(bulk, bulkView);
    EXPECT_EQ(errorText([&] { bulk.repeatExtraPayment(3, "1.2.3", bulkView); }),
              "'1.2.3' is not a valid floating point value");
    EXPECT_EQ(errorText([&] { bulk.repeatExtraPayment(361, "5", bulkView); }),
              "Month 361 is outside the loan term of 360 months");
    EXPECT_EQ(errorText([&] {
                  bulk.applyExtraPayments({{5, "5"}, {0, "5"}}, bulkView);
              }),
              "Month 0 is outside the loan term of 360 months");
    if (GetParam() == RoundingModel::Bank) {
        EXPECT_EQ(errorText([&] { bulk.repeatExtraPayment(3, "-5", bulkView); }),
                  "'-5' is refused: a bank-rounded loan takes no extra payment below 0");
    }
    EXPECT_EQ(state(bulk, bulkView), before);
}

TEST_P(RecurringExtra, MixedTextsEqualTypingThemInMonthOrder)
{
    for (Loan const& loan : loans) {
        calculate(loan);
        int const last = bulk.record.term * 12;
        auto textOf = [](int month) { return month % 7 == 0 ? "0" : month % 5 == 0 ? "250.25" : "40"; };
        typeExtra(bulk, bulkView, 4, "40");
        typeExtra(typed, typedView, 4, "40");
        std::map<int, std::string> extras;
        for (int month = 3; month <= last; ++month)
            extras[month] = textOf(month);
        bulk.applyExtraPayments(extras, bulkView);
        typeFrom(3, textOf);
        expectSame(describe(loan) + ": mixed texts");
    }
}

INSTANTIATE_TEST_SUITE_P(BothModels, RecurringExtra, ::testing::Values(RoundingModel::Classic, RoundingModel::Bank),
                         [](const auto& info) { return std::string(roundingName(info.param)); });

TEST(RecurringExtraClassic, ClearAllIsAnUndoWhereTypingZerosIsNot)
{
    ScopedRegionalSettings posix{RegionalSettings::posix()};
    LoanEngine engine;
    RecordingView view;
    engine.calculate(input("1000", "24", "30", encodeDate(2024, 1, 31)), view);
    std::string const calculated = state(engine, view);
    // Typed back to 0 the classic recurrence stops where the balance first drops to 0.
    typeExtra(engine, view, 1, "1");
    typeExtra(engine, view, 1, "0");
    EXPECT_EQ(engine.totals.scheduleMonths, 350);
    EXPECT_NE(engine.totals.interestSaved, 0);
    engine.clearAllExtraPayments(view);
    EXPECT_EQ(state(engine, view), calculated);
}
