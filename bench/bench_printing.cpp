// Print Data of a full monitoring run (40000 records) into a PDF file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QPrinter>

#include "common/Text.h"
#include "dialogs/Dialogs.h"
#include "files/Printing.h"

namespace {

// Chooses a PDF file instead of showing the print dialog.
class CPdfPrinter final : public IDialogs {
public:
    explicit CPdfPrinter(QString path) : m_path(std::move(path)) {}
    void Message(QWidget*, const QString&, const QString&, Icon) override {}
    bool AskOkCancel(QWidget*, const QString&, const QString&) override { return false; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool ChooseColor(QWidget*, QColor, QColor*) override { return false; }
    bool SetupPrinter(QWidget*, QPrinter* printer) override
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_path);
        return true;
    }
    int Exec(QDialog&) override { return 0; }

private:
    QString m_path;
};

void BM_PrintData40000(benchmark::State& state)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_printing";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt cannot be torn down from the exit handlers.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;

    CRecordStore store;
    CRunningStats stats;
    for (int i = 0; i < 40000; ++i) {
        const CObjData r(40.0 + (i % 800) / 10.0,
                         sonivel::Format("05-12-2011,%.2d:%.2d:%.2d", i / 3600 % 24, i / 60 % 60, i % 60), "dBA", 0, 0.5);
        store.Add(r);
        stats.Account(r, store.GetAt(0), store.GetSize());
    }
    SStatBlock block{stats.Stats(), stats.Sum(), 0.5};

    const std::string pdf = (std::filesystem::temp_directory_path() / "sonivel-bench-print.pdf").string();
    CPdfPrinter printer(QString::fromStdString(pdf));
    SetDialogs(&printer);
    CPrintRX job;
    for (auto _ : state)
        sonivel::PrintData(job, nullptr, store, block);
    state.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
    SetDialogs(nullptr);
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_PrintData40000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
