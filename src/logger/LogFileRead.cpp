#include "logger/LogFileRead.h"

#include <new>

#include <QFile>

#include "dialogs/Dialogs.h"
#include "files/DataFile.h"
#include "files/FileNames.h"
#include "files/JobDialog.h"
#include "files/RecordLines.h"

namespace logfile {

QString Latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void Report(QWidget* parent, bool ok, const std::string& message)
{
    if (!ok)
        Dialogs().Message(parent, QString::fromLocal8Bit(message.c_str()), QStringLiteral("ERROR"),
                          IDialogs::Icon::Warning);
}

void Report(QWidget* parent, const sonivel::SFileResult& result)
{
    Report(parent, result.ok || result.cancelled, result.message);
}

std::string AskSavePath(QWidget* parent, const char* suffix)
{
    const QString ext = QString::fromLatin1(suffix);
    const QString path = Dialogs().SaveFileName(parent, Latin1(sonivel::InitialFileName(suffix)), ext,
                                                QStringLiteral("Data File(*.%1)").arg(ext));
    return path.isEmpty() ? std::string() : LocalPath(path);
}

sonivel::SFileResult WriteRecords(QWidget* parent, const std::string& path, const CRecordList& records,
                                  const RecordsWriter& write)
{
    const CRecordSnapshot copy = sonivel::SnapshotRecords(records);
    return sonivel::RunFileJob(parent, QStringLiteral("Writing %1").arg(QString::fromLocal8Bit(path.c_str())),
                               [&](sonivel::IJobProgress& progress) { return write(path, copy, progress); });
}

sonivel::SFileResult SaveDataFile(QWidget* parent, const std::string& path, const CRecordList& records)
{
    return WriteRecords(parent, path, records,
                        [](const std::string& p, const CRecordList& r, sonivel::IJobProgress& progress) {
                            return sonivel::WriteDataFile(p, r, progress, sonivel::EPathSource::UserChosen);
                        });
}

sonivel::SFileResult ExportRecords(QWidget* parent, const std::string& path, const CRecordList& records,
                                   const SStatBlock& stats, sonivel::EExportSource source)
{
    return WriteRecords(parent, path, records,
                        [&stats, source](const std::string& p, const CRecordList& r, sonivel::IJobProgress& progress) {
                            return sonivel::WriteExport(p, r, stats, source, progress,
                                                        sonivel::EPathSource::UserChosen);
                        });
}

} // namespace logfile

bool ReadLogFile(QWidget* parent, CRecordStore& logStore, const std::function<void()>& beforeReplace)
{
    const QString path = Dialogs().OpenFileName(parent, QStringLiteral("*.txt"), QStringLiteral("txt"),
                                                QStringLiteral("Data File(*.txt)"));
    if (path.isEmpty())
        return false;
    return ReadLogFileAt(parent, path, logStore, beforeReplace);
}

bool ReadLogFileAt(QWidget* parent, const QString& path, CRecordStore& logStore,
                   const std::function<void()>& beforeReplace)
{
    sonivel::SDataFileRead read;
    const std::string file = logfile::LocalPath(path);
    sonivel::RunJob(parent, QStringLiteral("Reading %1").arg(path), [&read, &file](sonivel::IJobProgress& progress) {
        try {
            read = sonivel::ReadDataFile(file, progress);
        } catch (const std::bad_alloc&) {
            read = {};
            read.status = sonivel::SDataFileRead::EStatus::CannotOpen;
            read.message = sonivel::FileFailure("Cannot read", file, "not enough memory for its records").message;
        }
    });
    // Back on this thread, with the whole file read and checked.
    switch (read.status) {
    case sonivel::SDataFileRead::EStatus::Ok:
        if (beforeReplace)
            beforeReplace();
        logStore.Replace(std::move(read.records));
        return true;
    case sonivel::SDataFileRead::EStatus::Cancelled:
        return false;
    default:
        logfile::Report(parent, false, read.message);
        return false;
    }
}
