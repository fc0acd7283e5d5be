#include "report/ReportCommand.h"

#include <new>
#include <optional>

#include <QCursor>
#include <QFile>
#include <QGuiApplication>

#include "common/Clock.h"
#include "dialogs/Dialogs.h"
#include "files/FileNames.h"
#include "files/JobDialog.h"
#include "files/RecordLines.h"
#include "report/ReportPdf.h"
#include "report/ReportText.h"

namespace sonivel {
namespace {

void ShowFailure(QWidget* parent, const SFileResult& result)
{
    if (!result.ok && !result.cancelled)
        Dialogs().Message(parent, QString::fromLocal8Bit(result.message), QStringLiteral("ERROR"),
                          IDialogs::Icon::Warning);
}

} // namespace

void ReportPdfCommand(QWidget* parent, const CRecordList& records, const std::string& name)
{
    if (records.IsEmpty())
        return;
    const QString path = Dialogs().SaveFileName(parent, QString::fromLatin1(InitialFileName("pdf")),
                                                QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    const std::string file = QFile::encodeName(path).toStdString();
    const CRecordSnapshot copy = SnapshotRecords(records);
    std::optional<SReportSource> source;
    SFileResult failure = FileCancelled();
    RunJob(parent, QStringLiteral("Writing %1").arg(path), [&](IJobProgress& progress) {
        try {
            source = ReportSourceOf(name, copy, progress);
        } catch (const std::bad_alloc&) {
            failure = FileFailure("Cannot write", file, "not enough memory for the report");
        }
    });
    if (!source) {
        ShowFailure(parent, failure);
        return;
    }
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const SFileResult result = WriteReportPdf(file, {*source}, reporttext::Issued(Now()), EPathSource::UserChosen);
    QGuiApplication::restoreOverrideCursor();
    ShowFailure(parent, result);
}

} // namespace sonivel
