#include "tests/core/ReferenceRecalculation.h"

#include <chrono>

#include "core/DateText.h"
#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/FixedWidthText.h"
#include "core/NumberReading.h"
#include "core/NumberText.h"
#include "core/OfficialHolidays.h"

namespace reference {
namespace {

using core::DayNumber;

const QChar kDateSeparator = QLatin1Char('.');

double Amount(const QString& text) { return core::ParseAmount(text); }
double Digits(const QString& text) { return core::ParseDigits(text); }
QString Text(double value) { return core::GeneralText(value); }
QString Fmt(double value) { return core::FormatAmount(value); }
QString Fmt15(double value) { return core::FormatAmount15(value); }
QString Part(const QString& text, int start, int count) {
    return core::Substring(text, start, count);
}

// --- Holiday calendar, as a table of days tested once each, in order. ---

struct MonthDay {
    unsigned month;
    unsigned day;
};

constexpr MonthDay kFixedHolidays[] = {{1, 1}, {4, 23}, {5, 1}, {5, 19}, {8, 30}, {10, 29}};

struct YearHolidays {
    int year;
    MonthDay days[7];
};

constexpr YearHolidays kYearHolidays[] = {
    {2016, {{7, 5}, {7, 6}, {7, 7}, {9, 12}, {9, 13}, {9, 14}, {9, 15}}},
    {2017, {{6, 25}, {6, 26}, {6, 27}, {9, 1}, {9, 2}, {9, 3}, {9, 4}}},
    {2018, {{6, 15}, {6, 16}, {6, 17}, {8, 21}, {8, 22}, {8, 23}, {8, 24}}},
    {2019, {{6, 5}, {6, 6}, {6, 7}, {8, 11}, {8, 12}, {8, 13}, {8, 14}}},
};

std::chrono::year_month_day Civil(DayNumber d) {
    return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{d}}};
}

bool Is(DayNumber d, int year, MonthDay day) {
    const auto civil = Civil(d);
    return civil ==
           std::chrono::year{year} / std::chrono::month{day.month} / std::chrono::day{day.day};
}

DayNumber MovePastHolidays(DayNumber d) {
    for (const MonthDay& holiday : kFixedHolidays) {
        if (Is(d, static_cast<int>(Civil(d).year()), holiday)) ++d;
    }
    for (const YearHolidays& year : kYearHolidays) {
        if (static_cast<int>(Civil(d).year()) != year.year) continue;
        for (const MonthDay& holiday : year.days) {
            if (Is(d, year.year, holiday)) ++d;
        }
    }
    const std::chrono::weekday weekday{std::chrono::sys_days{std::chrono::days{d}}};
    if (weekday == std::chrono::Sunday) d += 1;
    if (weekday == std::chrono::Saturday) d += 2;
    return d;
}

// --- The official calendar: the first day that is neither a weekend nor a holiday. ---

bool IsOfficialHoliday(const OfficialDays& official, DayNumber d) {
    if (official.days.count(d) > 0) return true;
    const auto civil = Civil(d);
    for (const OfficialDays::EveryYear& e : official.everyYear) {
        if (civil.month() == std::chrono::month{e.month} &&
            civil.day() == std::chrono::day{e.day} &&
            static_cast<int>(civil.year()) >= e.fromYear) {
            return true;
        }
    }
    return false;
}

DayNumber NextWorkingDay(const OfficialDays& official, DayNumber d) {
    for (;;) {
        const std::chrono::weekday weekday{std::chrono::sys_days{std::chrono::days{d}}};
        const bool weekend = weekday == std::chrono::Saturday || weekday == std::chrono::Sunday;
        if (!weekend && !IsOfficialHoliday(official, d)) return d;
        ++d;
    }
}

// --- The recalculation of one row. ---

class RowRun {
  public:
    explicit RowRun(State& state) : s_(state), r_(state.currentRow) {}

    void run() {
        annualRateDefault();
        if (Amount(c(7)) == 0) c(7) = s_.inputs.annualRate;
        completeDate(c(1));
        completeDate(c(2));
        datesByDefault();
        valueDateFromExtraDays();
        moveOffHolidays();
        if (Text(Digits(c(2))).size() < 6) {
            c(2).clear();
            return;
        }
        if (!core::IsValidDateText(c(2))) {
            s_.messages << c(2) + QStringLiteral(" Tarih Girişiniz doğru değil.");
            c(2).clear();
            return;
        }
        creditBalance();
        amounts();
        if (r_ == 1 || c(2).size() != 10) return;
        const double days = periodDays();
        periodInterest(days);
        c(11) = Fmt(Amount(p(11)) + Amount(c(9)) + Amount(c(12)) - Amount(c(6)));
        totals();
    }

  private:
    QString& c(int column) { return s_.rows[r_][column]; }
    const QString& p(int column) const { return s_.rows[r_ - 1][column]; }

    // Writing the annual rate field is a change of its text: the coupling runs.
    void annualRateDefault() {
        if (!s_.inputs.annualRate.isEmpty()) return;
        s_.inputs.annualRate = QStringLiteral("0");
        if (s_.direction != core::RateDirection::AnnualDrives) return;
        QString text = s_.inputs.annualRate;
        text.remove(QLatin1Char(' '));
        const double v = text.isEmpty() ? 0 : core::StrictNumber(text);
        s_.inputs.monthlyRate = Text(v / 12);
    }

    void completeDate(QString& cell) {
        if (!(Digits(cell) > 0)) return;
        QString day = Part(cell, 1, 2);
        if (Digits(day) < 10) day = QStringLiteral("0") + Text(Digits(day));
        QString month = Part(cell, 4, 2);
        if (Text(Digits(month)).size() < 2) month = QStringLiteral("0") + Text(Digits(month));
        QString year = Part(cell, 7, 4);
        if (Digits(year) == 0 && Digits(month) > 0) {
            year = QString::number(s_.inputs.calculationDate.year());
        }
        if (Text(Digits(year)).size() == 1 && Digits(year) > 0) {
            year = QStringLiteral("200") + Text(Digits(year));
        }
        if (Text(Digits(year)).size() == 2) year = QStringLiteral("20") + Text(Digits(year));
        if (Text(Digits(year)).size() == 3) year = QStringLiteral("1") + Text(Digits(year));
        const QString joined = day + kDateSeparator + month + kDateSeparator + year;
        if (Digits(day) >= 1 && Digits(month) >= 1 && Digits(year) >= 1905 &&
            Digits(year) <= 2999) {
            cell = joined;
            return;
        }
        s_.messages << QLatin1Char('"') + joined + QLatin1Char('"') +
                           QStringLiteral(" tarih girişiniz uygun değil!");
        cell.clear();
        throw core::SilentStop{};
    }

    void datesByDefault() {
        if (Digits(c(1)) < 1 && c(2).size() == 10) c(1) = c(2);
        if (Digits(c(2)) < 1 && c(1).size() == 10) c(2) = c(1);
    }

    void valueDateFromExtraDays() {
        const double extra = Amount(s_.inputs.repaymentExtraDays);
        if (extra > 0 && Digits(c(5)) > 0) {
            const DayNumber date = core::ReadDateByPosition(c(1));
            c(2) = core::ShortDateText(core::AddDays(date, extra, s_.inputs.repaymentExtraDays));
        }
    }

    void moveOffHolidays() {
        if (s_.inputs.moveRepaymentsPastHolidays && c(2).size() == 10 && Digits(c(2)) > 110 &&
            Digits(c(5)) > 0) {
            const DayNumber from = core::ReadDateByPosition(c(2));
            if (!s_.official) {
                c(2) = core::ShortDateText(MovePastHolidays(from));
                return;
            }
            const DayNumber to = NextWorkingDay(*s_.official, from);
            for (int year = static_cast<int>(Civil(from).year());
                 year <= static_cast<int>(Civil(to).year()); ++year) {
                if (s_.official->announcedYears.count(year) == 0 &&
                    s_.toldYears.insert(year).second) {
                    s_.messages << core::MissingHolidayYearNotice(year,
                                                                  QStringLiteral("tatiller.txt"));
                }
            }
            c(2) = core::ShortDateText(to);
        }
    }

    void creditBalance() {
        if (r_ == 1) {
            c(10) = Fmt(Amount(c(4)) - Amount(c(5)));
        } else {
            c(10) = Fmt(Amount(p(10)) + Amount(c(4)) - Amount(c(5)));
        }
    }

    void amounts() {
        if (!c(4).isEmpty()) {
            c(4) = Fmt(Amount(c(4)));
            c(9) = Fmt(Amount(c(9)));
        }
        if (!c(5).isEmpty()) c(5) = Fmt(Amount(c(5)));
        if (!c(6).isEmpty()) c(6) = Fmt(Amount(c(6)));
    }

    double periodDays() {
        const DayNumber v = core::ReadDateByPosition(c(2));
        const DayNumber start = p(2).size() == 10 ? core::ReadDateByPosition(p(2))
                                                  : core::DayNumberOf(s_.inputs.calculationDate);
        const double d = static_cast<double>(v - start);
        c(8) = Text(d);
        return d;
    }

    void periodInterest(double d) {
        const double b = Amount(p(10));
        if (b == 0) return;
        const double n = b * d;
        c(13) = Fmt15(n);
        const double r = Amount(p(7)) > 0 ? Amount(p(7)) : core::StrictNumber(s_.inputs.annualRate);
        const double y = core::StrictNumber(s_.inputs.daysInYear);
        if (y * 100 == 0) throw core::CommandFailure(DivisionByZeroText(s_.inputs.daysInYear));
        const double i = r * n / (y * 100);
        const double t1 = Amount(s_.inputs.bsmvRate) > 0 ? Amount(s_.inputs.bsmvRate) * i / 100 : 0;
        const double t2 =
            Amount(s_.inputs.vergi2Rate) > 0 ? Amount(s_.inputs.vergi2Rate) * i / 100 : 0;
        c(9) = Fmt15(i);
        c(12) = Fmt15(t1 + t2);
    }

    // Rows are read one after the other, each row's columns 4, 5, 6, 9, 12, 13 in turn.
    void totals() {
        int n = 0;
        while (n + 1 < s_.rowCount() && !s_.rows[n + 1][0].isEmpty()) ++n;
        double s4 = 0, s5 = 0, s6 = 0, s9 = 0, s12 = 0, s13 = 0;
        for (int i = 1; i <= n; ++i) {
            const Row& row = s_.rows[i];
            s4 += Amount(row[4]);
            s5 += Amount(row[5]);
            s6 += Amount(row[6]);
            s9 += Amount(row[9]);
            s12 += Amount(row[12]);
            s13 += Amount(row[13]);
        }
        core::TableTotals& t = s_.totals;
        t.totalDrawn = Fmt(s4);
        t.totalRepaid = Fmt(s5);
        t.creditBalance = Fmt(s4 - s5);
        t.totalInterest = Fmt(s9);
        t.interestPaid = Fmt(s6);
        t.interestUnpaid = Fmt(s9 + s12 - s6);
        t.totalBsmv = Fmt(s12);
        t.totalInterestNumber = Fmt(s13);
    }

    State& s_;
    int r_;
};

}  // namespace

OfficialDays OfficialDays::read(const QString& listText) {
    OfficialDays official;
    const auto number = [](const QString& line, int from, int count) {
        return line.mid(from, count).toInt();
    };
    for (QString line : listText.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const unsigned day = static_cast<unsigned>(number(line, 0, 2));
        const unsigned month = static_cast<unsigned>(number(line, 3, 2));
        if (line.size() > 10 && line[5] == QLatin1Char('.')) {
            const int year = number(line, 6, 4);
            official.days.insert(core::DaysFromCivil(year, month, day));
            official.announcedYears.insert(year);
        } else {
            const bool from = line.mid(10, 3) == QStringLiteral("'de") ||
                              line.mid(10, 3) == QStringLiteral("'da");
            official.everyYear.push_back({month, day, from ? number(line, 6, 4) : 0});
        }
    }
    return official;
}

State State::of(const core::Calculation& calc) {
    State state;
    const core::TransactionTable& table = calc.table();
    state.rows.resize(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) state.rows[r] = table.row(r);
    state.currentColumn = table.currentColumn();
    state.currentRow = table.currentRow();
    state.inputs = calc.inputs();
    state.totals = calc.totals();
    state.direction = calc.rateDirection();
    return state;
}

QString DivisionByZeroText(const QString& daysInYearText) {
    return QStringLiteral("Sıfıra bölme hatası: \"Yıldaki Gün\" %1").arg(daysInYearText);
}

void RecalculateRow(State& state) { RowRun(state).run(); }

void MoveToRow(State& state, int row) {
    if (row == state.currentRow) return;
    state.currentRow = row;
    RecalculateRow(state);
}

Outcome RecalculateAll(State& state) {
    try {
        MoveToRow(state, 1);
        if (state.rowCount() < 3) return {};
        const int times = state.rowCount() - 2;
        for (int i = 0; i < times; ++i) {
            RecalculateRow(state);
            MoveToRow(state, state.currentRow + 1);
        }
    } catch (const core::SilentStop&) {
        return Outcome::stopped();
    } catch (const core::CommandFailure& error) {
        return Outcome::failed(error.message());
    }
    return {};
}

}  // namespace reference
