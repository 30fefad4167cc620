// Workbook writers at the sizes the reports reach.
//
// Xlsx: 1,000,000 cells (100,000 rows x 10 columns, numbers in the even
// columns and Chinese texts in the odd ones), streamed in constant-memory
// mode and, for comparison, built as an in-memory workbook first. The
// counter rss_growth_MB is the resident memory gained while the rows after
// the first tenth were written: flat memory shows as about 0.
// Xls: a full sheet of 65,536 rows x 10 columns, same mix, written from the
// in-memory workbook; and read back by our reader.
//
// `bench_workbook --write-xlsx FILE` and `--write-xls FILE` write the file
// once and exit, for compare-xlsx.sh and /usr/bin/time.
#include "platform/workbook/Workbook.h"
#include "platform/workbook/XlsReader.h"
#include "platform/workbook/XlsWriter.h"
#include "platform/workbook/XlsxWriter.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QString>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

using namespace morvane::workbook;

namespace {

constexpr int kColumns = 10;
constexpr int kXlsxRows = 100'000;

// Texts of a few thousand distinct values, as goods names and colours are.
std::string textFor(int row, int column) {
    static const char* const kWords[] = {"红色", "藏青", "米白", "卡其", "深灰", "酒红", "墨绿"};
    return "货品" + std::to_string((row * 7 + column) % 5000) + kWords[(row + column) % 7] + "款";
}

double numberFor(int row, int column) {
    return row % 11 == 0 ? 0 : row * 0.5 + column;
}

double residentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

QString tempFile(const char* name) {
    return QDir::temp().filePath(
        QStringLiteral("bench_workbook_%1_%2").arg(getpid()).arg(QString::fromLatin1(name)));
}

// Streams the million cells; returns the memory gained after the first tenth.
double streamXlsx(const QString& path) {
    XlsxStreamWriter out(path, true);
    out.addSheet(QStringLiteral("数据"));
    double early = 0;
    for (int r = 0; r < kXlsxRows; ++r) {
        if (r == kXlsxRows / 10)
            early = residentMb();
        for (int c = 0; c < kColumns; ++c)
            if (c % 2 == 0)
                out.writeNumber(r, c, numberFor(r, c));
            else
                out.writeText(r, c, textFor(r, c));
    }
    const double late = residentMb();
    out.close();
    return late - early;
}

Workbook buildWorkbook(int rows) {
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("数据"));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kColumns; ++c)
            if (c % 2 == 0)
                s.setNumber(r, c, numberFor(r, c));
            else
                s.setText(r, c, textFor(r, c));
    return wb;
}

void BM_XlsxMillionCellsStreamed(benchmark::State& state) {
    const QString path = tempFile("stream.xlsx");
    double growth = 0;
    for (auto _ : state)
        growth = streamXlsx(path);
    state.counters["cells"] = kXlsxRows * kColumns;
    state.counters["rss_growth_MB"] = growth;
    state.counters["file_MB"] = static_cast<double>(QFile(path).size()) / 1048576.0;
    QFile::remove(path);
}
BENCHMARK(BM_XlsxMillionCellsStreamed)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_XlsxMillionCellsFromWorkbook(benchmark::State& state) {
    const QString path = tempFile("workbook.xlsx");
    for (auto _ : state) {
        const Workbook wb = buildWorkbook(kXlsxRows);
        writeXlsx(wb, path);
    }
    state.counters["cells"] = kXlsxRows * kColumns;
    QFile::remove(path);
}
BENCHMARK(BM_XlsxMillionCellsFromWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_XlsFullSheetWrite(benchmark::State& state) {
    const Workbook wb = buildWorkbook(kXlsMaxRows);
    const QString path = tempFile("full.xls");
    for (auto _ : state)
        writeXls(wb, path);
    state.counters["cells"] = static_cast<double>(wb.sheet(0).cellCount());
    state.counters["file_MB"] = static_cast<double>(QFile(path).size()) / 1048576.0;
    QFile::remove(path);
}
BENCHMARK(BM_XlsFullSheetWrite)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_XlsFullSheetBuildAndWrite(benchmark::State& state) {
    const QString path = tempFile("full2.xls");
    for (auto _ : state) {
        const Workbook wb = buildWorkbook(kXlsMaxRows);
        writeXls(wb, path);
    }
    QFile::remove(path);
}
BENCHMARK(BM_XlsFullSheetBuildAndWrite)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_XlsFullSheetRead(benchmark::State& state) {
    const QString path = tempFile("read.xls");
    writeXls(buildWorkbook(kXlsMaxRows), path);
    for (auto _ : state) {
        const Workbook wb = readXls(path);
        benchmark::DoNotOptimize(wb.sheet(0).cellCount());
    }
    QFile::remove(path);
}
BENCHMARK(BM_XlsFullSheetRead)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-xlsx") == 0) {
        const double growth = streamXlsx(QString::fromLocal8Bit(argv[2]));
        std::printf("rss growth after the first tenth: %.1f MB\n", growth);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--write-xls") == 0) {
        writeXls(buildWorkbook(kXlsMaxRows), QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
