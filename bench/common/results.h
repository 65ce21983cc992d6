// Summaries of repeated measurements and the one line format every bench
// program prints them in, so bench/run.sh can read them all the same way:
//   RESULT <key> <median> <min> <max> <count>   a series
//   RESULT <key> <text>                         a single value or a note
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

struct Spread {
    double median = 0, min = 0, max = 0;
    size_t count = 0;
};

inline Spread Summarize(std::vector<double> values) {
    Spread s;
    s.count = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    s.median = values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}

inline void PrintResult(const std::string& key, const Spread& s) {
    std::printf("RESULT %s %.6g %.6g %.6g %zu\n", key.c_str(), s.median, s.min, s.max, s.count);
    std::fflush(stdout);
}

inline void PrintResult(const std::string& key, const std::string& text) {
    std::printf("RESULT %s %s\n", key.c_str(), text.c_str());
    std::fflush(stdout);
}
