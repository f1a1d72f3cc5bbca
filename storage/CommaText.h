#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace storage {

// The comma-text line of the calculation file.

// Items joined by single commas. An item is put in double quotes, its own double quotes
// doubled, when it holds a character with code 0 to 32, a double quote or a comma; every
// other item (the empty one included) is written bare.
QString WriteCommaText(const QStringList& items);
// Appends one item as WriteCommaText writes it (the separating comma is the caller's).
void AppendCommaTextItem(QString& line, const QString& item);
bool NeedsQuotes(const QString& item);
// The same, already in the file's Windows-1254 bytes; false, with nothing appended, when the
// item holds a character a line cannot (files::IsWritableLineText).
bool AppendEncodedCommaTextItem(QByteArray& line, const QString& item);

// Reads one line: characters with codes 1 to 32 are skipped before and
// after each item; a quoted item runs to its closing quote (a doubled quote is one quote);
// a bare item runs up to the first character with code 0 to 32 or the first comma; a comma
// with nothing after it adds one last empty item; two adjacent commas give an empty item.
// An empty line gives no item at all.
//
// Malformed lines are read leniently, as the files in use were written: a character with code 0
// ends the line; a quoted item without a closing quote runs to the end of the line, all its
// characters kept; text that follows a closing quote directly (`"ab"cd`) starts the next item.
QStringList ReadCommaText(QStringView line);

}  // namespace storage
