#include "logger/LogFileRead.h"

#include <QApplication>
#include <QFile>

#include "dialogs/Dialogs.h"
#include "files/DataFile.h"
#include "files/FileNames.h"

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
    Report(parent, result.ok, result.message);
}

std::string AskSavePath(QWidget* parent, const char* suffix)
{
    const QString ext = QString::fromLatin1(suffix);
    const QString path = Dialogs().SaveFileName(parent, Latin1(sonivel::InitialFileName(suffix)), ext,
                                                QStringLiteral("Data File(*.%1)").arg(ext));
    return path.isEmpty() ? std::string() : LocalPath(path);
}

} // namespace logfile

namespace {

// The wait cursor for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

} // namespace

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
    {
        CWaitCursor wait;
        read = sonivel::ReadDataFile(logfile::LocalPath(path));
        if (read.status == sonivel::SDataFileRead::EStatus::Ok) {
            if (beforeReplace)
                beforeReplace();
            logStore.Replace(std::move(read.records));
            return true;
        }
    }
    logfile::Report(parent, false, read.message);
    return false;
}
