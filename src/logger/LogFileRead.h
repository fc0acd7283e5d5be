#pragma once
#include <functional>
#include <string>

#include <QString>

#include "files/ExcelExport.h"
#include "files/FileResult.h"
#include "files/JobProgress.h"
#include "records/RecordList.h"

class QWidget;

// Open (main view) and Import (data-logger window): asks for a data text file
// ("Data File(*.txt)", suffix txt), reads it into a new store on a worker
// thread (RunJob: the event loop keeps turning, a progress dialog with Cancel
// comes up for a long read) and, once the whole file is read and checked,
// replaces the logger store with its records on the UI thread. beforeReplace
// runs just before the old records are deleted (the window forgets its
// selection there).
//
// A wrong header shows "Data Format is wrong!" (caption "ERROR"); a file that
// cannot be read (not a regular file, a read error, more records than memory
// holds) shows a message naming it. In these cases, on Cancel in the file
// dialog and on Cancel in the progress dialog, the store, the selection and
// the window stay as they were and the result is false.
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
// The same for a file result; a cancelled one shows nothing.
void Report(QWidget* parent, const sonivel::SFileResult& result);
// The save dialog of Save and Export: "Data File(*.<suffix>)" with the
// time-named file offered; the chosen path as the file functions take it,
// empty on Cancel.
std::string AskSavePath(QWidget* parent, const char* suffix);

// Save and the exports: write(path, copy, progress) writes the records
// [0, n) of records as they are now (a copy of their pointers; appends go on
// meanwhile) on a worker thread, through RunFileJob. The result names the file
// on failure and is cancelled when the user cancelled (the old file kept).
using RecordsWriter = std::function<sonivel::SFileResult(const std::string& path, const CRecordList& records,
                                                         sonivel::IJobProgress& progress)>;
sonivel::SFileResult WriteRecords(QWidget* parent, const std::string& path, const CRecordList& records,
                                  const RecordsWriter& write);
// Save (the data text file) and Export To Excel of both windows, at a path the
// user chose, through WriteRecords.
sonivel::SFileResult SaveDataFile(QWidget* parent, const std::string& path, const CRecordList& records);
sonivel::SFileResult ExportRecords(QWidget* parent, const std::string& path, const CRecordList& records,
                                   const SStatBlock& stats, sonivel::EExportSource source);
} // namespace logfile
