// Applies a price-change file of N P records (default 1,000,000) to a store
// of N articles and prints the figures:
//
//     dn5_prices_bench [N] [work directory]
//
// The work directory (default: a new folder below the system's temporary
// directory) receives the TORVALO home with the store and the file; it is
// removed at the end unless it was given.

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "common/current_supplier.h"
#include "common/session.h"
#include "features/prices/price_maintenance5.h"
#include "features/setup/startup.h"
#include "host/scripted_host.h"
#include "host/store.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Answers every question with yes and keeps no status lines: a million of
// them would measure the recorder, not the import.
class BenchHost : public dn::ScriptedHost {
  public:
    BenchHost() { defaultAnswer = true; }
    void SetInfo(const std::string&) override {}
};

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long peakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

std::string number(long i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "ART%09ld", i);
    return buf;
}

void generateArticles(dn::HostStore& store, long n) {
    store.StartTransaction();
    for (long i = 0; i < n; ++i) {
        dn::ArticleRecord a;
        a.key = "1-" + number(i);
        a.shorttext1 = "Kupferrohr 15 x 1 mm, Stange 5 m";
        a.shorttext2 = "halbhart";
        a.unit = "MTR";
        a.priceflag = "1";
        a.priceunit = 100;
        a.purchaseprice = 3.2;
        a.salesprice = 4.5;
        a.listprice = 4.5;
        a.discountgroup = (i % 3 == 0) ? "G1" : "G2";
        a.productgroup = "100";
        store.writeArticle(a);
    }
    store.Commit();
}

void generatePriceFile(const fs::path& file, long n) {
    std::ofstream out(file, std::ios::binary);
    out << "V;050;P;20240131;EUR;Preisänderung;(c) Bench;BENCH;\r\n";
    for (long i = 0; i < n; ++i) {
        const long cents = 40000 + (i % 5000);
        // Three kinds of records: gross price with direct factors, gross
        // price with a discount group, net price.
        switch (i % 3) {
            case 0:
                out << "P;" << number(i) << ";1;100;" << cents << ";;1;2500;3;0500;;;\r\n";
                break;
            case 1:
                out << "P;" << number(i) << ";1;100;" << cents << ";G2;;;;;;;\r\n";
                break;
            default:
                out << "P;" << number(i) << ";2;100;" << cents / 2 << ";;;;;;;;\r\n";
                break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::stol(argv[1]) : 1000000;
    const bool keep = argc > 2;
    const fs::path work =
        keep ? fs::path(argv[2])
             : fs::temp_directory_path() / ("dn5_prices_bench_" + std::to_string(::getpid()));
    fs::create_directories(work);

    BenchHost host;
    dn::Session s(host);
    dn::Setup(s, (work / "home").string(), {});
    dn::SupplierRecord r = s.suppliers.readRecord(1);
    r.setName("Bench");
    r.setVersion('5');
    s.suppliers.writeRecord(1, r);
    dn::ReadCurrentSupplier(s);

    dn::HostStore& store = s.store();
    for (const char* code : {"G1", "G2"}) {
        dn::DiscountGroupRecord g;
        g.key = std::string("1-") + code;
        g.wert = code[1] == '1' ? 30 : 42.5;
        g.salesSurcharge = code[1] == '1' ? 0 : 15;
        store.writeDiscountGroup(g);
    }

    auto t0 = Clock::now();
    generateArticles(store, n);
    std::cout << "articles written     : " << n << " in " << seconds(t0) << " s\n";
    const fs::path file = work / "datpreis.001";
    t0 = Clock::now();
    generatePriceFile(file, n);
    std::cout << "price file           : " << fs::file_size(file) << " bytes in " << seconds(t0)
              << " s\n";

    dn::PriceModes options;
    const double cpu0 = cpuSeconds();
    t0 = Clock::now();
    const dn::dn5::PriceFileEnd run = dn::RunPriceFile5(s, file.string(), options);
    const dn::FileEnd end = run.end;
    const double t = seconds(t0);
    const double cpu = cpuSeconds() - cpu0;
    const long done = run.counts.RecordCount;
    std::cout << "price maintenance    : " << done << " records in " << t << " s"
              << (end == dn::FileEnd::EndOfFile ? "" : " (file not read to its end)") << ", CPU "
              << cpu << " s\n";
    std::cout << "records per second   : " << static_cast<long>(done / t) << "\n";
    std::cout << "peak RSS             : " << peakRssKb() / 1024 << " MB\n";
    for (const auto& m : host.messages) std::cout << "message: " << m << "\n";

    s.closeStore();
    if (!keep) fs::remove_all(work);
    return done == n && end == dn::FileEnd::EndOfFile ? 0 : 1;
}
