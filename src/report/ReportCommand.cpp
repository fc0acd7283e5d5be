#include "report/ReportCommand.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>

#include "common/Clock.h"
#include "dialogs/Dialogs.h"
#include "files/FileNames.h"
#include "report/ReportPdf.h"
#include "report/ReportText.h"

namespace sonivel {

void ReportPdfCommand(QWidget* parent, const CRecordList& records, const std::string& name)
{
    if (records.IsEmpty())
        return;
    const QString path = Dialogs().SaveFileName(parent, QString::fromLatin1(InitialFileName("pdf")),
                                                QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const SFileResult result = WriteReportPdf(QFile::encodeName(path).toStdString(), {ReportSourceOf(name, records)},
                                              reporttext::Issued(Now()), EPathSource::UserChosen);
    QGuiApplication::restoreOverrideCursor();
    if (!result.ok)
        Dialogs().Message(parent, QString::fromLocal8Bit(result.message), QStringLiteral("ERROR"),
                          IDialogs::Icon::Warning);
}

} // namespace sonivel
