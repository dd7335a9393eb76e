// Language file loading against its floor:
//   lang_load_1M_keys: TMultiLang::LoadLanguageFile of a file of one million
//   key lines in random order (13 MB, within the 16 MiB limit) vs reading
//   the same file's bytes with QFile.
// The first lookup after the load, which indexes the section, is shown
// beside it. Prints "ratio <name> <measured> goal <goal>" at the end.

#include "lang/TMultiLang.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>

namespace {

QString FilePath;

void WriteKeyFile(const QString &path)
{
    std::vector<int> keys(1000000);
    std::iota(keys.begin(), keys.end(), 0);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(12));
    QByteArray text = "[MainForm]\n";
    char line[32];
    for (const int key : keys)
        text.append(line, std::snprintf(line, sizeof line, "K%05x=%05x\n", key, key));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        std::abort();
}

void BM_ReadBytes(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(FilePath);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}

void BM_Load(benchmark::State &state)
{
    for (auto _ : state) {
        TMultiLang lang;
        benchmark::DoNotOptimize(lang.LoadLanguageFile(FilePath));
    }
}

void BM_LoadAndLookUp(benchmark::State &state)
{
    for (auto _ : state) {
        TMultiLang lang;
        lang.UseLanguageFile(FilePath, QStringLiteral("MainForm"));
        benchmark::DoNotOptimize(lang.Text(QStringLiteral("K12345")));
    }
}

// Keeps the median wall-clock time of each benchmark.
class TRecorder : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    FilePath = dir.filePath(QStringLiteral("keys.lng"));
    WriteKeyFile(FilePath);

    using TBenchmark = void (*)(benchmark::State &);
    const std::pair<const char *, TBenchmark> benchmarks[] = {
        {"lang_read_bytes", BM_ReadBytes}, {"lang_load", BM_Load}, {"lang_load_and_look_up", BM_LoadAndLookUp}};
    for (const auto &[name, fn] : benchmarks)
        benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(1);

    benchmark::Initialize(&argc, argv);
    TRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();

    const double bytes = recorder.medians["lang_read_bytes"];
    std::printf("first lookup included: %.2f x reading the bytes\n", recorder.medians["lang_load_and_look_up"] / bytes);
    std::printf("ratio lang_load_1M_keys %.2f goal 20.00\n", recorder.medians["lang_load"] / bytes);
    return 0;
}
