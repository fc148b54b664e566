#include "core/text_utf.h"
#include "core/tools/cash/breakdown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sumiplex::cash {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

Decimal dec(const char* text) {
    return *Decimal::parse(std::string_view(text));
}

std::vector<std::string> plain(const Counts& counts) {
    std::vector<std::string> out;
    for (const Decimal& c : counts)
        out.push_back(c.toPlainAscii());
    return out;
}

using Row = std::vector<std::string>;

TEST(Split, GivesEveryDenominationItsCount) {
    struct Case {
        const char* amount;
        Row counts;
    };
    const Case cases[] = {
        {"18765", {"1", "1", "3", "1", "2", "1", "1", "1", "0"}},
        {"-1234", {"0", "0", "-1", "0", "-2", "0", "-3", "0", "-4"}},
        {"-56789", {"-5", "-1", "-1", "-1", "-2", "-1", "-3", "-1", "-4"}},
        {"9", {"0", "0", "0", "0", "0", "0", "0", "1", "4"}},
        {"123", {"0", "0", "0", "0", "1", "0", "2", "0", "3"}},
        {"12.75", {"0", "0", "0", "0", "0", "0", "1", "0", "2"}},
        {"-123456", {"-12", "0", "-3", "0", "-4", "-1", "0", "-1", "-1"}},
        {"0", {"0", "0", "0", "0", "0", "0", "0", "0", "0"}},
        // The largest amount: every digit above the thousands goes to the 10,000 note.
        {"79228162514264337593543950335",
         {"7922816251426433759354395", "0", "0", "0", "3", "0", "3", "1", "0"}},
    };
    for (const Case& c : cases) {
        const Counts counts = splitAmount(dec(c.amount));
        EXPECT_EQ(plain(counts), c.counts) << c.amount;
        EXPECT_EQ(moneyValue(counts), dec(c.amount).truncated()) << c.amount;
    }
}

TEST(Normalise, BorrowsTwiceFromTheOneCoinUp) {
    struct Case {
        const char* name;
        Row before;
        Row after;
    };
    const Case cases[] = {
        // 100 and -3: the 97 of the worked example.
        {"97",
         {"0", "0", "0", "0", "1", "0", "0", "0", "-3"},
         {"0", "0", "0", "0", "0", "1", "4", "1", "2"}},
        // Minus twelve ones borrow only twice and stay negative.
        {"-12 ones",
         {"0", "0", "0", "0", "0", "0", "0", "0", "-12"},
         {"-1", "1", "4", "1", "4", "1", "4", "0", "-2"}},
        {"nothing negative",
         {"1", "1", "3", "1", "2", "1", "1", "1", "0"},
         {"1", "1", "3", "1", "2", "1", "1", "1", "0"}},
        {"a 5,000 note borrows from the 10,000",
         {"1", "-1", "0", "0", "0", "0", "0", "0", "0"},
         {"0", "1", "0", "0", "0", "0", "0", "0", "0"}},
    };
    for (const Case& c : cases) {
        Counts counts;
        for (std::size_t k = 0; k < kDenominations; ++k)
            counts[k] = dec(c.before[k].c_str());
        const auto value = moneyValue(counts);
        normalise(counts);
        EXPECT_EQ(plain(counts), c.after) << c.name;
        EXPECT_EQ(moneyValue(counts), value) << c.name;
    }
}

std::vector<std::u16string> list(std::initializer_list<const char*> items) {
    std::vector<std::u16string> out;
    for (const char* i : items)
        out.push_back(u16(i));
    return out;
}

TEST(BuildCashTables, SumsSplitsAndChecksAgainstTheTotal) {
    struct Case {
        const char* name;
        std::vector<std::u16string> entries;
        const char* mainTotal;
        Row counts;
        const char* cashValue;
        bool addsUp;
    };
    const Case cases[] = {
        {"empty", {}, "0", Row(9, "0"), "0", true},
        {"100 and -3",
         list({"100", "-3"}),
         "97",
         {"0", "0", "0", "0", "0", "1", "4", "1", "2"},
         "97",
         true},
        {"fraction kept aside",
         list({"12.75"}),
         "12.75",
         {"0", "0", "0", "0", "0", "0", "1", "0", "2"},
         "12",
         true},
        // A negative entry's fraction counts with its sign: 100 - 3.25 is 96.75.
        {"negative fraction",
         list({"100", "-3.25"}),
         "96.75",
         {"0", "0", "0", "0", "0", "1", "4", "1", "2"},
         "97",
         true},
        {"ten tenths make one",
         list({"0.1", "0.1", "0.1", "0.1", "0.1", "0.1", "0.1", "0.1", "0.1", "0.1"}), "1",
         Row(9, "0"), "0", true},
        {"rounded total differs",
         list({"1234.5"}),
         "1235",
         {"0", "0", "1", "0", "2", "0", "3", "0", "4"},
         "1234",
         false},
        {"negative total is not borrowed", list({"-3"}), "-3",
         Row{"0", "0", "0", "0", "0", "0", "0", "0", "-3"}, "-3", true},
        {"unreadable entry warns",
         list({"100", "abc"}),
         "100",
         {"0", "0", "0", "0", "1", "0", "0", "0", "0"},
         "100",
         false},
        {"unreadable main total warns",
         list({"100"}),
         "Text4",
         {"0", "0", "0", "0", "1", "0", "0", "0", "0"},
         "100",
         false},
    };
    for (const Case& c : cases) {
        const CashTables t = BuildCashTables(c.entries);
        EXPECT_EQ(plain(t.counts), c.counts) << c.name;
        EXPECT_EQ(t.cashValue.toPlainAscii(), c.cashValue) << c.name;
        EXPECT_EQ(addsUpTo(t, u16(c.mainTotal)), c.addsUp) << c.name;
    }
}

TEST(BuildCashTables, CountsEveryEntryOfALongList) {
    // Far past any fixed row limit: every entry is split and counted.
    const std::vector<std::u16string> entries(25000, u"1.5");
    const CashTables t = BuildCashTables(entries);
    EXPECT_EQ(t.entryTotals[8].toPlainAscii(), "25000");
    EXPECT_EQ(t.amount.toPlainAscii(), "25000");
    EXPECT_TRUE(addsUpTo(t, u"37500"));
}

TEST(Exchange, TopsUpOrCutsDownToThePrincipal) {
    struct Case {
        const char* principal;
        const char* difference;
        Row counts;
        const char* cashValue;
    };
    const auto entries = list({"3200", "1500"});
    const Case cases[] = {
        {"10000", "5300", {"0", "1", "4", "1", "5", "0", "0", "0", "0"}, "10000"},
        {"4700", "0", {"0", "0", "4", "1", "2", "0", "0", "0", "0"}, "4700"},
        {"4000", "-700", {"0", "0", "4", "0", "0", "0", "0", "0", "0"}, "4000"},
        {"4800.9", "100", {"0", "0", "4", "1", "3", "0", "0", "0", "0"}, "4800"},
    };
    for (const Case& c : cases) {
        const auto e = exchange(BuildCashTables(entries), u16(c.principal));
        ASSERT_TRUE(e) << c.principal;
        EXPECT_EQ(e->difference.toPlainAscii(), c.difference) << c.principal;
        EXPECT_EQ(plain(e->counts), c.counts) << c.principal;
        EXPECT_EQ(e->cashValue.toPlainAscii(), c.cashValue) << c.principal;
    }
    EXPECT_FALSE(exchange(BuildCashTables(entries), u"1万"));
}

std::vector<std::vector<std::string>> fields(const std::u16string& text) {
    std::vector<std::vector<std::string>> lines;
    std::string all = utf8(text);
    std::size_t start = 0;
    for (std::size_t end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::vector<std::string> line;
        const std::string l = all.substr(start, end - start);
        std::size_t f = 0;
        for (std::size_t tab; (tab = l.find('\t', f)) != std::string::npos; f = tab + 1)
            line.push_back(l.substr(f, tab - f));
        line.push_back(l.substr(f));
        lines.push_back(line);
    }
    EXPECT_EQ(start, all.size()) << "every line ends in CR LF";
    return lines;
}

TEST(BreakdownWindow, PastesTheSummaryFieldByField) {
    CashBreakdown window;
    window.activated(list({"1000", "500"}), u"1500");
    const auto text = window.takeMemoText();
    ASSERT_TRUE(text);
    const std::vector<std::vector<std::string>> expected{{"一万円券", "0", "0"},
                                                         {"五千円券", "0", "0"},
                                                         {"千円券　", "1", "1,000"},
                                                         {"五百円玉", "1", "500"},
                                                         {"百円玉　", "0", "0"},
                                                         {"五十円玉", "0", "0"},
                                                         {"十円玉　", "0", "0"},
                                                         {"五円玉　", "0", "0"},
                                                         {"一円玉　", "0", "0"},
                                                         {"合計　　", "", "1,500"},
                                                         {""}};
    EXPECT_EQ(fields(*text), expected);
    EXPECT_FALSE(window.view().command2Visible);
}

TEST(BreakdownWindow, NothingToPasteDisablesTheButton) {
    CashBreakdown window;
    window.activated({}, u"0");
    EXPECT_FALSE(window.takeMemoText());
    EXPECT_FALSE(window.view().command2Enabled);
    EXPECT_TRUE(window.view().command2Visible);
}

TEST(BreakdownPrintout, GroupsAmounts) {
    Counts counts;
    counts[0] = Decimal::fromInt(12);
    const DenominationPrintout p = breakdownPrintout(counts, Decimal::fromInt(120000));
    EXPECT_EQ(utf8(p.rows[0].denomination), "10,000");
    EXPECT_EQ(utf8(p.rows[0].count), "12");
    EXPECT_EQ(utf8(p.rows[0].amount), "120,000");
    EXPECT_EQ(utf8(p.rows[8].amount), "0");
    EXPECT_EQ(utf8(p.total), "120,000");
}

} // namespace
} // namespace sumiplex::cash
