// sonivel-report: the noise report of data text files as a PDF file, for a
// report made by a cron job or a timer. Runs without a display: the
// offscreen platform is used unless QT_QPA_PLATFORM names another.
#include <cstdio>
#include <cstdlib>

#include <QGuiApplication>

#include "ReportOptions.h"
#include "common/Clock.h"
#include "report/ReportPdf.h"
#include "report/ReportText.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFile = 1;
constexpr int kExitUsage = 2;

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "sonivel-report: %s\n", message.c_str());
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    SReportOptions options;
    std::string error;
    if (!ParseReportOptions(argc, argv, options, error))
        return Fail(kExitUsage, error);
    if (options.version) {
        std::printf("sonivel-report %s\n", SONIVEL_VERSION);
        return kExitOk;
    }
    if (options.help) {
        std::fputs(kReportUsage, stdout);
        return kExitOk;
    }
    // Every file is read first: a report missing one of them is never written.
    std::vector<sonivel::SReportSource> sources;
    int status = kExitOk;
    for (const std::string& path : options.files) {
        sonivel::SReportSource source;
        if (sonivel::ReadReportSource(path, source, error))
            sources.push_back(std::move(source));
        else
            status = Fail(kExitFile, error);
    }
    if (status != kExitOk)
        return Fail(status, "no report written to " + options.out);

    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const sonivel::SFileResult result =
        sonivel::WriteReportPdf(options.out, sources, sonivel::reporttext::Issued(sonivel::Now()));
    return result.ok ? kExitOk : Fail(kExitFile, result.message);
}
