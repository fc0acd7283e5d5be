#pragma once
#include <functional>
#include <string>

#include <QString>

#include "files/FileResult.h"
#include "monitor/RecordList.h"

class QWidget;

// Open (main view) and Import (data-logger window): asks for a data text file
// ("Data File(*.txt)", suffix txt), reads it with the wait cursor shown and,
// once the file has passed the header check, replaces the logger store with
// its records. beforeReplace runs just before the old records are deleted (the
// window forgets its selection there).
//
// A wrong header shows "Data Format is wrong!" (caption "ERROR"); a file that
// cannot be read shows a message naming it. In both cases, and on Cancel,
// nothing changes and the result is false.
bool ReadLogFile(QWidget* parent, CRecordStore& logStore, const std::function<void()>& beforeReplace);
// The same for the file at path, without asking (a file named at start-up).
bool ReadLogFileAt(QWidget* parent, const QString& path, CRecordStore& logStore,
                   const std::function<void()>& beforeReplace);

// Shared pieces of the file commands of the data-logger window and the main view.
namespace logfile {
QString Latin1(const std::string& s);
// The path from a file dialog as the file functions take it.
std::string LocalPath(const QString& path);
// Shows a failure message (caption "ERROR") unless ok.
void Report(QWidget* parent, bool ok, const std::string& message);
void Report(QWidget* parent, const sonivel::SFileResult& result);
// The save dialog of Save and Export: "Data File(*.<suffix>)" with the
// time-named file offered; the chosen path as the file functions take it,
// empty on Cancel.
std::string AskSavePath(QWidget* parent, const char* suffix);
} // namespace logfile
