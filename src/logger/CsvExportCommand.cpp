#include "logger/CsvExportCommand.h"

#include "dialogs/Dialogs.h"
#include "files/CsvExport.h"
#include "files/FileNames.h"
#include "logger/LogFileRead.h"

namespace logfile {

void ExportCsv(QWidget* parent, const CRecordList& records)
{
    const QString path = Dialogs().SaveFileName(parent, Latin1(sonivel::InitialFileName("csv")),
                                                QStringLiteral("csv"), QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    Report(parent, WriteRecords(parent, LocalPath(path), records,
                                [](const std::string& p, const CRecordList& r, sonivel::IJobProgress& progress) {
                                    return sonivel::WriteCsv(p, r, progress, sonivel::EPathSource::UserChosen);
                                }));
}

} // namespace logfile
