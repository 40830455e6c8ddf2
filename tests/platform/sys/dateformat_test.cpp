#include "platform/sys/dateformat.h"
#include "platform/sys/exception.h"

#include <gtest/gtest.h>

namespace {

using namespace kx::sys;

TEST(FormatDateTime, TokensLiteralsAndMinutesAfterHours) {
    const QDateTime value(QDate(2007, 3, 5), QTime(14, 7, 9, 45));
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"yyyy-mm-dd", "2007-03-05"},
        {"yymmddhhnnss", "070305140709"},
        {"yyyymm", "200703"},
        {"yyyymmdd", "20070305"},
        {"yyyy-mm-dd hh:nn:ss", "2007-03-05 14:07:09"},
        {"yyyy-mm-dd hh.mm", "2007-03-05 14.07"},
        {"hh:mm", "14:07"},
        {"hhmm", "1407"},
        {"mm-hh-mm", "03-14-07"},
        {"hh 'x' mm", "14 x 07"},
        {"YYYY'年'MM'月'DD'日", "2007年03月05日"},
        {"YYYY'年'MM'月'DD'日 yyyy", "2007年03月05日 yyyy"},
        {"YYYY/MM/DD", "2007-03-05"},
        {"m/d/yy", "3-5-07"},
        {"yyy", "2007"},
        {"h:n:s.zzz", "14:7:9.045"},
        {"z", "45"},
        {"\"Day\" d", "Day 5"},
        {"c", "2007-03-05 14:07:09"},
        {"", "2007-03-05 14:07:09"},
        {"yyyy-mm-dd qb", "2007-03-05 qb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), value), QString::fromUtf8(c.expected))
            << c.format;
    }
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), QDate(2007, 3, 5)), QStringLiteral("2007-03-05"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy"), QDate(99, 1, 1)), QStringLiteral("0099"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy-mm-dd"), QDate()), QString());
}

TEST(StrToDate, YearMonthDayWithTheCenturyWindow) {
    struct Case {
        const char* text;
        int currentYear;
        QDate expected;
    };
    const Case cases[] = {
        {"2007-03-05", 2025, QDate(2007, 3, 5)},  {" 2007 - 3 - 5 ", 2025, QDate(2007, 3, 5)},
        {"2007-03-05-", 2025, QDate(2007, 3, 5)}, {"07-03-05", 2025, QDate(2007, 3, 5)},
        {"7-3-5", 2025, QDate(2007, 3, 5)},       {"55-01-01", 2025, QDate(1955, 1, 1)},
        {"54-01-01", 2025, QDate(2054, 1, 1)},    {"30-01-01", 2100, QDate(2030, 1, 1)},
        {"29-01-01", 2100, QDate(2129, 1, 1)},    {"0099-01-01", 2025, QDate(99, 1, 1)},
        {"03-05", 2025, QDate(2025, 3, 5)},       {"2024-02-29", 2025, QDate(2024, 2, 29)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToDate(QString::fromLatin1(c.text), c.currentYear), c.expected) << c.text;
}

TEST(StrToDate, NotADateRaisesTheDateError) {
    for (const char* text : {"2007/13/45", "2007/03/05", "2007-13-01", "2007-02-30", "2023-02-29",
                             "", "abc", "2007-03-05 12:30:00", "2007-03", "20070305", "0000-01-01",
                             "2007-03-05x", "12007-01-01"}) {
        const QString bad = QString::fromLatin1(text);
        QDate untouched(2000, 1, 1);
        EXPECT_FALSE(TryStrToDate(bad, untouched, 2025)) << text;
        EXPECT_EQ(untouched, QDate(2000, 1, 1));
        try {
            StrToDate(bad, 2025);
            ADD_FAILURE() << "no error for " << text;
        } catch (const kx::EConvertError& e) {
            EXPECT_EQ(e.Message(), u'\'' + bad + QStringLiteral("' is not a valid date"));
        }
    }
}

TEST(StrToDateTime, DateWithOptionalTime) {
    struct Case {
        const char* text;
        QDateTime expected;
    };
    const Case cases[] = {
        {"2007-03-05 12:30:00", QDateTime(QDate(2007, 3, 5), QTime(12, 30))},
        {"2007-03-05 12:30", QDateTime(QDate(2007, 3, 5), QTime(12, 30))},
        {"2007-03-05 9:05:07.25", QDateTime(QDate(2007, 3, 5), QTime(9, 5, 7, 25))},
        {"2007-03-05", QDateTime(QDate(2007, 3, 5), QTime(0, 0))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToDateTime(QString::fromLatin1(c.text), 2025), c.expected) << c.text;

    for (const char* text :
         {"2007-03-05 25:00", "2007-03-05 12", "2007-03-05 12:60", "12:30", "2007-03-05 12:30 x"}) {
        try {
            StrToDateTime(QString::fromLatin1(text), 2025);
            ADD_FAILURE() << "no error for " << text;
        } catch (const kx::EConvertError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("is not a valid date"))) << text;
            EXPECT_EQ(
                e.Message(),
                QStringLiteral("'%1' is not a valid date and time").arg(QString::fromLatin1(text)));
        }
    }
}

} // namespace
