// The wine side of the Windows comparisons: one private wine prefix for the whole test program,
// the Windows test program run in it, and the files through which the two sides talk.
#pragma once

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace wine {

using Record = QByteArrayList;
struct Run { int exitCode = -1; QByteArray output; }; // output: standard output and error together

// Runs a Windows program (by wine's name for it, "regedit", or a Linux path) in the prefix,
// which is started at the first call and stopped when the test program ends.
Run run(const QString& program, const QStringList& arguments);
// Runs one command of zelvane_win32_tests.exe on `requests` and returns its answers (fields
// separated by tabs, one record a line); a command that fails fails the test.
QList<Record> ask(const char* command, const QList<Record>& requests);

QString prefix(); // the prefix's folder on Linux
// A Linux path as the Windows side names it, through wine's drive Z:.
inline QString windowsPath(const QString& linuxPath) { return QStringLiteral("Z:") + QString(linuxPath).replace('/', '\\'); }
// A text as the exchange files carry it: its UTF-16LE bytes in hexadecimal.
inline QByteArray hex(const QString& text) { return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2).toHex(); }

} // namespace wine
