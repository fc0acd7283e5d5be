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
    if (!path.isEmpty())
        Report(parent, sonivel::WriteCsv(LocalPath(path), records, sonivel::EPathSource::UserChosen));
}

} // namespace logfile
