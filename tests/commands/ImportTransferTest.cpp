#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include "commands/ImportTransfer.h"
#include "core/Errors.h"
#include "core/NumberReading.h"
#include "core/RecordingDialogs.h"
#include "tests/core/ReferenceRecalculation.h"
#include "tests/sheets/TestWorkbooks.h"

using commands::TransferOutcome;
using core::ImportSettings;
using sheets::PreviewGrid;

namespace {

PreviewGrid previewOf(const std::vector<QStringList>& rows) {
    sheets::SheetContent sheet;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            if (!rows[r][c].isEmpty()) sheet.add(qint64(r) + 1, c + 1, rows[r][c]);
        }
    }
    PreviewGrid grid;
    grid.show(sheet);
    return grid;
}

// The fields' design values: value date 1, transaction date 2, description 3, drawn 4,
// repaid 5, rows 3 to 10.
ImportSettings designFields() { return {"1", "2", "3", "4", "5", "3", "10", false}; }

struct Transfer {
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};

    Transfer() {
        calc.inputs().annualRate = QStringLiteral("24");
        calc.inputs().daysInYear = QStringLiteral("360");
        calc.inputs().bsmvRate = QStringLiteral("5");
    }
    QString cell(int column, int row) const { return calc.table().cell(column, row); }
    TransferOutcome run(const PreviewGrid& preview, const ImportSettings& fields) {
        return commands::TransferToTable(preview, fields, calc);
    }
};

// A five-row statement: two heading rows, three movements.
const std::vector<QStringList> kFiveRows = {
    {"Hesap Ekstresi"},
    {"Valör", "İşlem", "Açıklama", "Kullanım", "Ödeme"},
    {"02.01.2020", "01.01.2020", "Kullanım", "100.000,00", ""},
    {"31.01.2020", "31.01.2020", "Ara ödeme", "", "40000"},
    {"29.02.2020", "", "Faiz", "", ""},
};

}  // namespace

TEST(ImportTransfer, DesignFieldsOnAFiveRowSheet) {
    Transfer t;
    ASSERT_EQ(t.run(previewOf(kFiveRows), designFields()), TransferOutcome::Done);
    // Sheet rows 6 to 10 have no value date: left out, told once, table rows 4 to 8 empty.
    EXPECT_EQ(t.dialogs.texts(),
              QStringList{QStringLiteral("6. satır, 1. sütun (Valör Tarihi Sütunu): boş. Valör "
                                         "tarihi boş olan 5 satır aktarılmadı.")});
    EXPECT_EQ(t.calc.table().rowCount(), 11);
    EXPECT_EQ(t.cell(1, 1), QStringLiteral("01.01.2020"));
    EXPECT_EQ(t.cell(2, 1), QStringLiteral("02.01.2020"));
    EXPECT_EQ(t.cell(3, 1), QStringLiteral("Kullanım"));
    EXPECT_EQ(t.cell(4, 1), QStringLiteral("100.000,00"));
    EXPECT_EQ(t.cell(5, 2), QStringLiteral("40.000,00"));
    EXPECT_EQ(t.cell(10, 2), QStringLiteral("60.000,00"));
    // An empty transaction-date cell yields the two separators alone, which the
    // recalculation completes from the value date.
    EXPECT_EQ(t.cell(2, 3), QStringLiteral("29.02.2020"));
    for (int r = 4; r <= 8; ++r) {
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(t.cell(c, r), QString()) << c << "," << r;
    }
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(t.cell(0, r), QString::number(r));
    EXPECT_EQ(t.calc.totals().totalDrawn, QStringLiteral("100.000,00"));
}

TEST(ImportTransfer, ValueDateServesAsTransactionDateWithoutItsColumn) {
    const std::vector<QStringList> sheet = {{"03.03.2021", "01.03.2021", "açıklama", "40"}};
    Transfer t;
    ImportSettings fields = designFields();
    fields.transactionDateColumn.clear();
    fields.descriptionColumn.clear();
    fields.firstRow = fields.lastRow = QStringLiteral("1");
    ASSERT_EQ(t.run(previewOf(sheet), fields), TransferOutcome::Done);
    EXPECT_TRUE(t.dialogs.texts().isEmpty());
    EXPECT_EQ(t.cell(1, 1), QStringLiteral("03.03.2021"));
    EXPECT_EQ(t.cell(3, 1), QString());
    EXPECT_EQ(t.cell(4, 1), QStringLiteral("40,00"));
}

// A cell the table cannot take refuses the whole transfer with one message naming it, before
// anything changes; rows before it that were fine do not reach the table either.
TEST(ImportTransfer, ACellTheTableCannotTakeRefusesTheTransferUntouched) {
    struct Case {
        const char* valueDate;
        const char* transactionDate;
        const char* drawn;
        const char* message;
    };
    const Case cases[] = {
        {"Kullanım", "", "50",
         "2. satır, 1. sütun (Valör Tarihi Sütunu): \"Kullanım\" geçerli bir tarih değil. "
         "Tarih formatı gg.aa.yyyy. şeklinde olmalıdır.\nAktarım yapılmadı; tablo değişmedi."},
        {"5.3.2020", "", "50", "2. satır, 1. sütun (Valör Tarihi Sütunu): \"5.3.2020\""},
        {"31.02.2020", "", "50", "2. satır, 1. sütun (Valör Tarihi Sütunu): \"31.02.2020\""},
        {"15.07.1905", "", "50", "2. satır, 1. sütun (Valör Tarihi Sütunu): \"15.07.1905\""},
        {"00.13.2020", "", "50", "2. satır, 1. sütun (Valör Tarihi Sütunu): \"00.13.2020\""},
        {"00.00.2021", "", "50", "2. satır, 1. sütun (Valör Tarihi Sütunu): \"00.00.2021\""},
        {"02.01.3000", "", "50", "2. satır, 1. sütun (Valör Tarihi Sütunu): \"02.01.3000\""},
        {"06.03.2020", "İşlem", "50", "2. satır, 2. sütun (İşlem Tarihi Sütunu): \"İşlem\""},
        {"06.03.2020", "", "1,2,3",
         "2. satır, 4. sütun (Dorud Kullanım Sütunu): \"1,2,3\" geçerli bir sayı değil.\n"
         "Aktarım yapılmadı; tablo değişmedi."},
    };
    for (const Case& c : cases) {
        const std::vector<QStringList> sheet = {
            {"02.01.2020", "", "", "100"},
            {QString::fromUtf8(c.valueDate), QString::fromUtf8(c.transactionDate), "",
             QString::fromUtf8(c.drawn)},
            {"", "", "", ""},  // an empty row after the bad one is not what is told
        };
        Transfer t;
        t.calc.table().setCell(3, 1, QStringLiteral("eski"));
        t.calc.totals().totalDrawn = QStringLiteral("1,00");
        ImportSettings fields = designFields();
        fields.firstRow = QStringLiteral("1");
        fields.lastRow = QStringLiteral("3");
        EXPECT_EQ(t.run(previewOf(sheet), fields), TransferOutcome::Refused) << c.valueDate;
        ASSERT_EQ(t.dialogs.texts().size(), 1) << c.valueDate;
        EXPECT_TRUE(t.dialogs.texts()[0].startsWith(QString::fromUtf8(c.message)))
            << t.dialogs.texts()[0].toStdString();
        EXPECT_EQ(t.calc.table().rowCount(), 2);
        EXPECT_EQ(t.cell(3, 1), QStringLiteral("eski"));
        EXPECT_EQ(t.calc.totals().totalDrawn, QStringLiteral("1,00"));
    }
}

// The value dates a sheet gives in the table's own dd.mm.yyyy form and in its other forms:
// each as the table stores it, or refused where it is no date of the table's years.
TEST(ImportTransfer, ValueDatesOfEveryFormReachTheTableWithItsSeparator) {
    // Other separators become the table's; a longer text's year is cut from its end.
    const std::pair<const char*, const char*> cases[] = {
        {"15.03.2020", "15.03.2020"},   {"15/03/2020", "15.03.2020"}, {"15-03-2020 10:30", nullptr},
        {"15-03-202020", "15.03.2020"}, {" 5.03.2020", "05.03.2020"}, {"29.02.2020", "29.02.2020"},
        {"29.02.2021", nullptr},        {"01.01.1906", "01.01.1906"}, {"31.12.1905", nullptr},
        {"31.12.2999", "31.12.2999"},   {"1.03.2020x", nullptr},      {"٣١.٠١.٢٠٢٠", nullptr},
    };
    for (const auto& [cell, stored] : cases) {
        Transfer t;
        ImportSettings fields = designFields();
        fields.firstRow = QStringLiteral("1");
        fields.lastRow = QStringLiteral("1");
        const TransferOutcome outcome =
            t.run(previewOf({{QString::fromUtf8(cell), "", "", "100"}}), fields);
        if (stored) {
            EXPECT_EQ(outcome, TransferOutcome::Done) << cell;
            EXPECT_EQ(t.cell(2, 1), QString::fromUtf8(stored)) << cell;
        } else {
            EXPECT_EQ(outcome, TransferOutcome::Refused) << cell;
        }
    }
}

// An empty sheet, or a value-date column that is empty in every row asked for.
TEST(ImportTransfer, NoValueDateInAnyRowRefusesTheTransferWithOneMessage) {
    Transfer t;
    t.calc.table().setCell(3, 1, QStringLiteral("eski"));
    ImportSettings fields = designFields();
    fields.firstRow = QStringLiteral("1");
    fields.lastRow = QStringLiteral("6500");
    EXPECT_EQ(t.run(previewOf({}), fields), TransferOutcome::Refused);
    EXPECT_EQ(t.dialogs.texts(),
              QStringList{QStringLiteral(
                  "1. satır, 1. sütun (Valör Tarihi Sütunu): boş. 1. satırdan 6500. satıra "
                  "kadar hiçbir satırda valör tarihi yok.\nAktarım yapılmadı; tablo değişmedi.")});
    EXPECT_EQ(t.cell(3, 1), QStringLiteral("eski"));
    EXPECT_EQ(t.calc.table().rowCount(), 2);
}

// The totals belong to the new table even where its rows compute none: none transferred,
// or one row, which never reaches the totals.
TEST(ImportTransfer, TheTotalsOfThePreviousTableGo) {
    for (const char* last : {"2", "3"}) {
        Transfer t;
        ImportSettings fields = designFields();
        fields.lastRow = QStringLiteral("5");
        ASSERT_EQ(t.run(previewOf(kFiveRows), fields), TransferOutcome::Done);
        ASSERT_EQ(t.calc.totals().totalDrawn, QStringLiteral("100.000,00"));
        fields.lastRow = QString::fromLatin1(last);
        ASSERT_EQ(t.run(previewOf(kFiveRows), fields), TransferOutcome::Done);
        EXPECT_EQ(t.calc.totals(), core::TableTotals{}) << last;
    }
}

TEST(ImportTransfer, OwnTransactionDatesCheckBoxAndZeroColumns) {
    const std::vector<QStringList> sheet = {
        {"10.03.2020", "09.03.2020", "a", "100", "5"},
    };
    struct Case {
        bool valueDateIsTransactionDate;
        const char* drawnColumn;
        const char* transactionDate;
        const char* drawn;
        const char* repaid;
    };
    const Case cases[] = {
        {false, "4", "09.03.2020", "100,00", "5,00"},
        {true, "4", "10.03.2020", "100,00", "5,00"},
        {false, "0", "09.03.2020", "", "5,00"},
    };
    for (const Case& c : cases) {
        Transfer t;
        ImportSettings fields = designFields();
        fields.firstRow = fields.lastRow = QStringLiteral("1");
        fields.valueDateIsTransactionDate = c.valueDateIsTransactionDate;
        fields.drawingColumn = QString::fromLatin1(c.drawnColumn);
        ASSERT_EQ(t.run(previewOf(sheet), fields), TransferOutcome::Done);
        EXPECT_EQ(t.cell(1, 1), QString::fromLatin1(c.transactionDate));
        EXPECT_EQ(t.cell(4, 1), QString::fromLatin1(c.drawn));
        EXPECT_EQ(t.cell(5, 1), QString::fromLatin1(c.repaid));
    }
}

TEST(ImportTransfer, EndRowsAtAndBelowTheStartRow) {
    struct Case {
        const char* first;
        const char* last;
        int rowCount;  // 0: refused, the table unchanged
    };
    const Case cases[] = {{"3", "2", 3}, {"3", "1", 2}, {"3", "0", 0}, {"1", "100000", 0}};
    for (const Case& c : cases) {
        Transfer t;
        t.calc.table().setCell(3, 1, QStringLiteral("eski"));
        ImportSettings fields = designFields();
        fields.firstRow = QString::fromLatin1(c.first);
        fields.lastRow = QString::fromLatin1(c.last);
        const TransferOutcome outcome = t.run(previewOf(kFiveRows), fields);
        if (c.rowCount == 0) {
            EXPECT_EQ(outcome, TransferOutcome::Refused) << c.last;
            EXPECT_EQ(t.cell(3, 1), QStringLiteral("eski"));
            ASSERT_EQ(t.dialogs.texts().size(), 1);
            EXPECT_TRUE(t.dialogs.texts()[0].contains(QString::fromLatin1(c.last)));
            continue;
        }
        EXPECT_EQ(outcome, TransferOutcome::Done);
        EXPECT_EQ(t.calc.table().rowCount(), c.rowCount);
        EXPECT_TRUE(t.dialogs.texts().isEmpty());
        EXPECT_EQ(t.cell(3, 1), QString());
        for (int r = 1; r < c.rowCount; ++r) EXPECT_EQ(t.cell(0, r), QString::number(r));
    }
}

namespace {

// The fields a transfer needs, in the order they are checked, with the message that names each.
struct RequiredField {
    QString ImportSettings::*field;
    const char* message;
};
const RequiredField kRequiredFields[] = {
    {&ImportSettings::firstRow, "Başlangıç satırını boş geçemezsiniz!"},
    {&ImportSettings::lastRow, "Bitiş satırını boş geçemezsiniz!"},
    {&ImportSettings::valueDateColumn, "Vade tarihi sütununu boş geçemezsiniz!"},
    {&ImportSettings::drawingColumn, "Dorud kullanım sütununu boş geçemezsiniz!"},
    {&ImportSettings::repaymentColumn, "Dorud ödeme sütununu boş geçemezsiniz!"},
};

}  // namespace

TEST(ImportTransfer, RequiredFieldsInOrderAndFieldsThatAreNoNumbers) {
    for (const RequiredField& c : kRequiredFields) {
        Transfer t;
        ImportSettings fields{};  // no settings at all: the first message wins
        for (const RequiredField& other : kRequiredFields)
            fields.*other.field = QStringLiteral("1");
        fields.*c.field = QString();
        t.calc.table().setCell(3, 1, QStringLiteral("eski"));
        EXPECT_EQ(t.run(previewOf(kFiveRows), fields), TransferOutcome::Refused);
        EXPECT_EQ(t.dialogs.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(t.cell(3, 1), QStringLiteral("eski"));
    }
    Transfer t;
    t.calc.table().setCell(3, 1, QStringLiteral("eski"));
    ImportSettings fields = designFields();
    fields.valueDateColumn = QStringLiteral("A");  // a hand-edited settings file
    EXPECT_THROW(t.run(previewOf(kFiveRows), fields), core::CommandFailure);
    EXPECT_EQ(t.cell(3, 1), QStringLiteral("eski"));
}

// ---------------------------------------------------------------------------------------
// The transfer against an independent reading of it, on workbooks of several writers.

namespace {

struct ReferenceResult {
    reference::State state;
    reference::Outcome outcome;
    bool refused = false;
};

int integer(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || text.isEmpty() || text.back().isSpace()) throw core::CommandFailure(text);
    return value;
}

// The date a cell gives, cut by position: empty when it is no real date from 1906 to 2999.
QString dateOf(const QString& c) {
    try {
        const QString d = c.mid(0, 2), m = c.mid(3, 2), y = c.length() < 4 ? c : c.right(4);
        const int year = integer(y);
        if (year <= 1905 || year > 2999 || !QDate(year, integer(m), integer(d)).isValid()) {
            return {};
        }
        return d + "." + m + "." + y;
    } catch (const core::CommandFailure&) {
        return {};
    }
}

bool isAmount(const QString& text) {
    try {
        core::ParseAmount(text);
        return true;
    } catch (const core::CommandFailure&) {
        return false;
    }
}

// The transfer's messages are compared by the cell they name, which begins them.
QString cellNamed(int row, int column) {
    return QStringLiteral("%1. satır, %2. sütun").arg(row).arg(column);
}

ReferenceResult referenceTransfer(const PreviewGrid& p, const ImportSettings& f,
                                  reference::State state) {
    ReferenceResult result{std::move(state), {}, false};
    reference::State& st = result.state;
    // The first empty field the transfer needs refuses it; its message is checked above.
    for (const RequiredField& required : kRequiredFields) {
        if ((f.*required.field).isEmpty()) {
            st.messages << QString::fromUtf8(required.message);
            result.refused = true;
            return result;
        }
    }
    try {
        const int S = integer(f.firstRow), E = integer(f.lastRow), V = integer(f.valueDateColumn);
        const int T = f.transactionDateColumn.isEmpty() ? 0 : integer(f.transactionDateColumn);
        const int K = integer(f.drawingColumn), O = integer(f.repaymentColumn);
        const int A = f.descriptionColumn.isEmpty() ? 0 : integer(f.descriptionColumn);
        const bool ownTransactionDate = !f.valueDateIsTransactionDate && T > 0;
        // Every row is read first; the first cell the table cannot take refuses.
        int empty = 0, firstEmpty = 0;
        for (int s = S; s <= E; ++s) {
            const QString c = p.cell(V, s);
            std::optional<int> bad;
            if (c.isEmpty()) {
                if (empty++ == 0) firstEmpty = s;
                continue;
            }
            if (dateOf(c).isEmpty()) {
                bad = V;
            } else if (ownTransactionDate && !p.cell(T, s).isEmpty() &&
                       dateOf(p.cell(T, s)).isEmpty()) {
                bad = T;
            } else if (K > 0 && !isAmount(p.cell(K, s))) {
                bad = K;
            } else if (O > 0 && !isAmount(p.cell(O, s))) {
                bad = O;
            }
            if (bad) {
                st.messages << cellNamed(s, *bad);
                result.refused = true;
                return result;
            }
        }
        if (E >= S && empty == E - S + 1) {
            st.messages << cellNamed(S, V);
            result.refused = true;
            return result;
        }
        for (int r = 1; r < st.rowCount(); ++r) st.rows[r] = reference::Row{};
        st.totals = core::TableTotals{};
        st.rows.resize(std::size_t(E - S + 4));
        st.currentRow = std::min(st.currentRow, st.rowCount() - 1);
        int t = 1;
        for (int s = S; s <= E; ++s, ++t) {
            const QString date = dateOf(p.cell(V, s));
            if (date.isEmpty()) continue;
            st.rows[t][2] = date;
            st.rows[t][1] = !ownTransactionDate      ? date
                            : p.cell(T, s).isEmpty() ? QStringLiteral("..")
                                                     : dateOf(p.cell(T, s));
            if (K > 0) st.rows[t][4] = p.cell(K, s);
            if (O > 0) st.rows[t][5] = p.cell(O, s);
            if (A > 0) st.rows[t][3] = p.cell(A, s);
        }
        if (empty > 0) st.messages << cellNamed(firstEmpty, V);
        reference::MoveToRow(st, 1);
        for (int i = 1; i <= st.rowCount() - 2; ++i) {
            st.rows[i][0] = QString::number(i);
            reference::RecalculateRow(st);
            reference::MoveToRow(st, i + 1);
        }
        const int last = st.rowCount() < 3 ? 1 : st.rowCount() - 1;
        st.rows[last][0] = QString::number(last);
    } catch (const core::SilentStop&) {
        result.outcome = reference::Outcome::stopped();
    } catch (const core::CommandFailure& e) {
        result.outcome = reference::Outcome::failed(e.message());
    }
    return result;
}

void expectSameAsReference(const PreviewGrid& preview, const ImportSettings& fields,
                           const std::string& what) {
    Transfer t;
    const reference::State start = reference::State::of(t.calc);
    reference::Outcome outcome;
    bool refused = false;
    try {
        refused = t.run(preview, fields) == TransferOutcome::Refused;
    } catch (const core::SilentStop&) {
        outcome = reference::Outcome::stopped();
    } catch (const core::CommandFailure& e) {
        outcome = reference::Outcome::failed(e.message());
    }
    const ReferenceResult ref = referenceTransfer(preview, fields, start);
    SCOPED_TRACE(what);
    EXPECT_EQ(refused, ref.refused);
    EXPECT_EQ(outcome.silentStop, ref.outcome.silentStop);
    EXPECT_EQ(outcome.error.has_value(), ref.outcome.error.has_value());
    ASSERT_EQ(t.dialogs.texts().size(), ref.state.messages.size());
    for (qsizetype i = 0; i < ref.state.messages.size(); ++i) {
        EXPECT_TRUE(t.dialogs.texts()[i].startsWith(ref.state.messages[i]))
            << t.dialogs.texts()[i].toStdString();
    }
    ASSERT_EQ(t.calc.table().rowCount(), ref.state.rowCount());
    for (int r = 1; r < ref.state.rowCount(); ++r) {
        for (int c = 0; c < 15; ++c) {
            EXPECT_EQ(t.cell(c, r), ref.state.rows[r][c]) << "cell " << c << "," << r;
        }
    }
    EXPECT_EQ(t.calc.totals(), ref.state.totals);
}

QString writeStatementXlsx(const testing_sheets::WorkbookFolder& folder) {
    return folder.xlsx(QStringLiteral("ekstre.xlsx"), [](lxw_workbook* book) {
        lxw_worksheet* sheet = workbook_add_worksheet(book, "Ekstre");
        lxw_format* date = workbook_add_format(book);
        format_set_num_format(date, "dd.mm.yyyy");
        worksheet_write_string(sheet, 0, 0, "Valör", nullptr);
        worksheet_write_string(sheet, 0, 1, "İşlem", nullptr);
        worksheet_write_string(sheet, 0, 2, "Açıklama", nullptr);
        worksheet_write_string(sheet, 0, 3, "Kullanım", nullptr);
        worksheet_write_string(sheet, 0, 4, "Ödeme", nullptr);
        for (int i = 1; i <= 40; ++i) {
            const lxw_row_t r = lxw_row_t(i);
            lxw_datetime d = {2020, 1 + (i / 4) % 12, 1 + (i * 7) % 28, 0, 0, 0};
            if (i % 9 == 0) {
                worksheet_write_string(sheet, r, 0, "31.02.2021",
                                       nullptr);  // text, no calendar day
            } else if (i % 13 == 0) {
                worksheet_write_string(sheet, r, 0, "15.07.1905", nullptr);
            } else if (i % 17 != 0) {  // every 17th value date left empty
                worksheet_write_datetime(sheet, r, 0, &d, date);
            }
            if (i % 3 == 0) worksheet_write_datetime(sheet, r, 1, &d, date);
            worksheet_write_string(sheet, r, 2, i % 2 ? "  Kredi kullanımı" : "Ödeme ğüşiöç",
                                   nullptr);
            if (i % 2) {
                worksheet_write_number(sheet, r, 3, 1000.0 * i + 0.25, nullptr);
            } else {
                worksheet_write_string(sheet, r, 4, "1.250,50", nullptr);
            }
        }
    });
}

}  // namespace

TEST(ImportTransfer, MatchesTheIndependentReadingOnWorkbooksOfSeveralWriters) {
    testing_sheets::WorkbookFolder folder;
    const QString workbooks[] = {writeStatementXlsx(folder), testing_sheets::Fixture("hareket.ods"),
                                 testing_sheets::Fixture("hareket.xls"),
                                 testing_sheets::Fixture("hareket.csv")};
    std::vector<ImportSettings> fieldSets = {
        designFields(),
        {"1", "2", "3", "4", "5", "2", "41", false},
        {"1", "", "", "4", "5", "2", "41", true},
        {"1", "2", "3", "0", "5", "1", "60", false},
        {"2", "1", "3", "4", "0", "2", "3", false},
        {"1", "2", "3", "4", "5", "2", "7", false},  // reaches "0,05" in the fixtures: no number
        {"1", "2", "3", "4", "5", "9", "7", false},
        // Ranges that go through: with a row without value date, and without any.
        {"1", "2", "3", "4", "5", "2", "4", false},
        {"1", "", "3", "4", "5", "15", "18", true},
        {"1", "2", "3", "4", "5", "2", "9", false},
    };
    for (const QString& workbook : workbooks) {
        const PreviewGrid preview = testing_sheets::PreviewOf(workbook);
        for (std::size_t i = 0; i < fieldSets.size(); ++i) {
            expectSameAsReference(preview, fieldSets[i],
                                  workbook.toStdString() + " fields " + std::to_string(i));
        }
    }
}
