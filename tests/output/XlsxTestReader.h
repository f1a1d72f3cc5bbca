#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

namespace outputtest {

// A cell as the workbook file holds it.
struct XlsxCell {
    bool present = false;  // the file has an element for it
    QString type;          // "s" shared string, "n" number, "formula", "" blank
    QString text;          // string cells
    double number = 0;     // number cells and the stored result of a formula
    QString formula;       // formula cells, as stored (no "=")
    bool bold = false;
    double size = 11;
    QString font;  // the face's name
    QString numberFormat = QStringLiteral("General");
};

// Reads the first worksheet of an .xlsx file the way an independent reader does: the zip
// parts, the shared strings, the styles and the sheet XML.
class XlsxTestReader {
  public:
    explicit XlsxTestReader(const QString& path);

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    const QString& sheetName() const { return sheetName_; }

    // "C15"; a cell the file does not hold reads as absent and unformatted.
    XlsxCell cell(const QString& reference) const;
    // Every cell reference the file holds, with or without a value.
    std::vector<QString> references() const;
    // The width of a column ("C") when the file sets one, else 0.
    double columnWidth(const QString& letters) const;
    // The row's height when the file sets one, else 0.
    double rowHeight(int row) const;

  private:
    struct Style {
        bool bold = false;
        double size = 11;
        QString font;
        QString numberFormat;
    };
    QByteArray part(const QString& name);
    void readStrings(const QByteArray& xml);
    void readStyles(const QByteArray& xml);
    void readWorkbook(const QByteArray& xml);
    void readSheet(const QByteArray& xml);

    QString path_;
    QString error_;
    QString sheetName_;
    std::vector<QString> strings_;
    std::vector<Style> styles_;
    std::map<QString, XlsxCell> cells_;
    std::map<int, double> widths_;  // by column number
    std::map<int, double> heights_;
};

// "A" -> 1, "IV" -> 256.
int ColumnNumber(const QString& letters);

}  // namespace outputtest
