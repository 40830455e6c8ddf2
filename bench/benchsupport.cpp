#include "bench/benchsupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>

namespace kx::bench {
namespace {

double Now(Clock clock) {
    if (clock == Clock::Wall) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::optional<double> Median(std::vector<double> times) {
    if (times.empty())
        return std::nullopt;
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    if (times.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(times.begin(), middle)) / 2;
}

void ShowMedians(benchmark::State& state, const Turns& turns) {
    if (const std::optional<double> seconds = turns.AnchorSeconds())
        state.counters["anchor_ms"] = *seconds * 1000;
    if (const std::optional<double> seconds = turns.SubjectSeconds())
        state.counters["subject_ms"] = *seconds * 1000;
}

} // namespace

double Turns::Time(const std::function<void()>& work) const {
    const double start = Now(clock_);
    work();
    return Now(clock_) - start;
}

void Turns::Record(double anchorSeconds, double subjectSeconds) {
    anchor_.push_back(anchorSeconds);
    subject_.push_back(subjectSeconds);
}

std::optional<double> Turns::AnchorSeconds() const {
    return Median(anchor_);
}

std::optional<double> Turns::SubjectSeconds() const {
    return Median(subject_);
}

std::optional<double> Turns::Ratio() const {
    const std::optional<double> anchor = AnchorSeconds();
    const std::optional<double> subject = SubjectSeconds();
    if (!anchor || !subject || *anchor <= 0)
        return std::nullopt;
    return *subject / *anchor;
}

void RunTurns(benchmark::State& state, Turns& turns, const std::function<void()>& anchor,
              const std::function<void()>& subject) {
    RunTimedTurns(
        state, turns, [&] { return turns.Time(anchor); }, [&] { return turns.Time(subject); });
}

void RunTimedTurns(benchmark::State& state, Turns& turns, const std::function<double()>& anchor,
                   const std::function<double()>& subject) {
    for (auto _ : state) {
        const double anchorSeconds = anchor();
        const double subjectSeconds = subject();
        turns.Record(anchorSeconds, subjectSeconds);
        state.SetIterationTime(subjectSeconds);
    }
    ShowMedians(state, turns);
}

void RunBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The table without colour codes: a colour's closing code would otherwise
    // stand at the start of the next line, in front of "ratio".
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::cout.flush();
}

void PrintRatio(const char* name, std::optional<double> value) {
    if (!value)
        return;
    std::printf("ratio %s %.3f\n", name, *value);
    std::fflush(stdout);
}

double AnonymousBytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    double kib = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "RssAnon: %lf kB", &kib) == 1)
            break;
    }
    std::fclose(status);
    return kib * 1024;
}

std::optional<double> MeasureInFreshProcess(const char* program, const std::string& arguments) {
    const std::string command = std::string("'") + program + "' " + arguments;
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return std::nullopt;
    char line[256];
    std::optional<double> figure;
    while (std::fgets(line, sizeof line, child)) {
        double value = 0;
        if (std::sscanf(line, "%lf", &value) == 1)
            figure = value;
    }
    if (pclose(child) != 0)
        return std::nullopt;
    return figure;
}

} // namespace kx::bench
