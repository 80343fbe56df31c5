// Benchmark output followed by the time ratio of each named pair measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace lcduitest {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Ratio {
        std::string name, peer, meaning;
    };
    explicit RatioReporter(std::vector<Ratio> ratios) : m_ratios(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::cout << "\nTime ratios (below 1: the first is faster):\n";
        for (const Ratio& r : m_ratios)
            if (m_seconds.count(r.name) && m_seconds.count(r.peer) && m_seconds[r.peer] > 0)
                std::cout << r.name << " / " << r.peer << " = " << m_seconds[r.name] / m_seconds[r.peer] << "  ("
                          << r.meaning << ")\n";
    }

private:
    std::vector<Ratio> m_ratios;
    std::map<std::string, double> m_seconds;
};

}  // namespace lcduitest
