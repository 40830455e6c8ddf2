#pragma once
// What every benchmark here shares: a subject and its anchor timed in turns
// on the same data, so that a change of load on the machine meets both
// alike; a plain table without colour codes; and the "ratio <name> <value>"
// lines, each at the start of its own line after the table.

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kx::bench {

// Thread: processor time of this thread, for work done here that waits for
// nothing. Wall: the clock on the wall, for work that waits for the disk or
// for another process.
enum class Clock { Thread, Wall };

// The times of a subject and its anchor, one of each per turn.
class Turns {
public:
    explicit Turns(Clock clock) : clock_(clock) {}

    // Seconds the work takes by this clock.
    double Time(const std::function<void()>& work) const;
    // Notes one turn: the anchor's seconds and the subject's that followed.
    void Record(double anchorSeconds, double subjectSeconds);

    // Medians over the turns taken; nullopt before the first turn.
    std::optional<double> AnchorSeconds() const;
    std::optional<double> SubjectSeconds() const;
    // The subject's median over the anchor's.
    std::optional<double> Ratio() const;

private:
    Clock clock_;
    std::vector<double> anchor_;
    std::vector<double> subject_;
};

// One benchmark of turns: each iteration runs the anchor, then the subject,
// and counts the subject's time, so register it with UseManualTime(). The
// table shows both medians as counters.
void RunTurns(benchmark::State& state, Turns& turns, const std::function<void()>& anchor,
              const std::function<void()>& subject);

// The same where each side answers the seconds it took, for a side that
// times only part of what it does (a launch up to a window, not the end of
// the process).
void RunTimedTurns(benchmark::State& state, Turns& turns, const std::function<double()>& anchor,
                   const std::function<double()>& subject);

// Runs the benchmarks the command line selects, with the plain table.
void RunBenchmarks(int& argc, char** argv);

// "ratio <name> <value>" on a line of its own; nothing when the value is
// missing (its benchmark was not selected).
void PrintRatio(const char* name, std::optional<double> value);

// The anonymous memory this process holds, in bytes: the heap and every
// private mapping, whoever made it (malloc, the row blocks, SQLite).
double AnonymousBytes();

// A measure of memory taken in a fresh process: the program runs again with
// these arguments and prints the figure as its last line, so that no memory
// freed earlier in this process hides what the measured step takes.
// Nullopt when the run fails.
std::optional<double> MeasureInFreshProcess(const char* program, const std::string& arguments);

} // namespace kx::bench
