// What the user waits for on the real widgets (offscreen): one digit typed
// into Edit8 with a full catalogue, and the window's first paint.
#include "BenchCatalogue.h"
#include "RecordingScreen.h"
#include "ScratchFolder.h"
#include "app/Unit1.h"
#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int IcIndex = 2;

// The program's window state and main window on a full catalogue, shown.
struct Program {
    ScratchFolder folder;
    RecordingScreen screen; // an error box would void the figures
    TForm1 form{screen, "celestrix"};
    std::unique_ptr<MainWindow> window;

    Program()
    {
        folder.Write(CatalogueFileName, GeneratedCatalogue(LineStoreCapacity));
        form.Create();
        window = std::make_unique<MainWindow>(form);
        window->ShowCentred();
        window->activateWindow();
        if (!QTest::qWaitForWindowExposed(window.get()))
            std::abort();
    }

    QLineEdit* Edit8() const { return dynamic_cast<QLineEdit*>(window->Widget("Edit8")); }
};

using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Each keystroke is timed alone, by the clock and by the processor time of
// this thread, which a busy machine disturbs less; the medians and the 90th
// percentile of the clock are reported beside the mean.
class KeystrokeTimes {
public:
    template <class F>
    void Time(benchmark::State& state, F&& keystroke)
    {
        const double cpuStart = ThreadCpuSeconds();
        const auto start = Clock::now();
        keystroke();
        const std::chrono::duration<double> taken = Clock::now() - start;
        cpuSeconds_.push_back(ThreadCpuSeconds() - cpuStart);
        state.SetIterationTime(taken.count());
        seconds_.push_back(taken.count());
    }

    void Report(benchmark::State& state)
    {
        if (seconds_.empty())
            return;
        state.counters["median_us"] = Quantile(seconds_, 0.5) * 1e6;
        state.counters["p90_us"] = Quantile(seconds_, 0.9) * 1e6;
        state.counters["median_cpu_us"] = Quantile(cpuSeconds_, 0.5) * 1e6;
    }

private:
    static double Quantile(std::vector<double>& values, double q)
    {
        std::sort(values.begin(), values.end());
        return values[static_cast<std::size_t>(static_cast<double>(values.size() - 1) * q)];
    }

    std::vector<double> seconds_;
    std::vector<double> cpuSeconds_;
};

// The box holds the first digits already (set by the program, untimed); the
// user types the last one.
void TypeLastDigit(benchmark::State& state, Program& program, const std::string& number, bool repaint)
{
    program.form.ComboBox1.SetItemIndex(IcIndex);
    QLineEdit* edit8 = program.Edit8();
    edit8->setFocus();
    const std::string typedBefore = number.substr(0, number.size() - 1);
    const auto key = static_cast<Qt::Key>(Qt::Key_0 + (number.back() - '0'));
    KeystrokeTimes times;
    for (auto _ : state) {
        program.form.Edit8.SetText(typedBefore);
        QCoreApplication::processEvents();
        edit8->end(false);
        times.Time(state, [&] {
            QTest::keyClick(edit8, key);
            if (repaint)
                QCoreApplication::processEvents();
        });
    }
    times.Report(state);
    if (program.form.Edit8.Text() != number || !program.screen.errorBoxes.empty())
        state.SkipWithError("the digit did not reach the lookup");
    const bool found = !program.form.Edit3.Text().empty();
    if (found != (number == LastObjectNumber))
        state.SkipWithError("the lookup did not give the expected boxes");
}

// Qt's own share: a digit typed into a line edit that runs no lookup.
void TypeIntoPlainLineEdit(benchmark::State& state)
{
    QLineEdit edit;
    edit.show();
    if (!QTest::qWaitForWindowExposed(&edit))
        std::abort();
    edit.setFocus();
    KeystrokeTimes times;
    for (auto _ : state) {
        edit.setText("989");
        QCoreApplication::processEvents();
        times.Time(state, [&] { QTest::keyClick(&edit, Qt::Key_0); });
    }
    times.Report(state);
}

// The first paint of a new main window, every control and the star field.
void FirstPaint(benchmark::State& state, Program& program)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<TForm1>(program.screen, "celestrix");
        form->Create();
        auto window = std::make_unique<MainWindow>(*form);
        state.ResumeTiming();
        benchmark::DoNotOptimize(window->grab());
        state.PauseTiming();
        window.reset();
        form.reset();
        state.ResumeTiming();
    }
}

void Register(Program& program)
{
    benchmark::RegisterBenchmark("Keystroke/last_line_20000", [&](benchmark::State& s) {
        TypeLastDigit(s, program, LastObjectNumber, false);
    })->UseManualTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Keystroke/not_found_20000", [&](benchmark::State& s) {
        TypeLastDigit(s, program, MissingNumber, false);
    })->UseManualTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Keystroke/last_line_20000_repainted", [&](benchmark::State& s) {
        TypeLastDigit(s, program, LastObjectNumber, true);
    })->UseManualTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Keystroke/plain_line_edit", TypeIntoPlainLineEdit)
        ->UseManualTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("FirstPaint/main_window", [&](benchmark::State& s) { FirstPaint(s, program); })
        ->Unit(benchmark::kMicrosecond);
}

}

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    auto program = std::make_unique<Program>();
    Register(*program);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    program.reset();
    return 0;
}
