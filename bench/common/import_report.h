#pragma once
// The figures every import benchmark prints: outcome, messages, articles,
// file size, time, rate, processor time and peak resident memory.

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>

#include "common/dispatch.h"
#include "common/session.h"
#include "host/scripted_host.h"
#include "host/store.h"

namespace dn::bench {

inline int printImportReport(Session& s, const ScriptedHost& host,
                             const std::filesystem::path& file, double seconds,
                             CommandOutcome outcome) {
    const long articles = static_cast<long>(s.store().countArticles(KeyRange::all()));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("outcome %d, status %s\n", static_cast<int>(outcome), s.OnlineImportStatus.c_str());
    for (const auto& m : host.messages) std::printf("message: %s\n", m.c_str());
    std::printf("articles in store: %ld\n", articles);
    std::printf("file: %.1f MB\n", static_cast<double>(std::filesystem::file_size(file)) / 1e6);
    std::printf("time: %.2f s\n", seconds);
    std::printf("articles per second: %.0f\n", articles / seconds);
    const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 +
                       usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    std::printf("processor time (user + system): %.2f s, %.0f articles per processor second\n", cpu,
                articles / cpu);
    std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return outcome == CommandOutcome::Done ? 0 : 1;
}

}  // namespace dn::bench
