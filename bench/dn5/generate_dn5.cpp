// Writes a DATANORM 5 article delivery of N articles: per article an A
// line, two D, two Z, one C, three T lines and a G line (about 640 bytes),
// spread over 50 discount groups and 20 product groups, CP850, CR LF.
//
//   dn5_generate N FILE

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dn5_generate N FILE\n");
        return 2;
    }
    const long n = std::atol(argv[1]);
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f) {
        std::perror(argv[2]);
        return 1;
    }
    std::fprintf(f, "V;050;A;20250415;EUR;Benchmark-Lieferung;Benchmark GmbH;BENCH;;;;;;;;\r\n");
    for (long i = 0; i < n; ++i) {
        const std::string nr = "B" + std::to_string(1000000 + i);
        const int group = static_cast<int>(i % 50);
        const int product = static_cast<int>(i % 20);
        std::fprintf(f,
                     "A;N;%s;Kupferrohr hart %ld mm blank;Stange 5 m Werkstoff "
                     "Cu-DHP;MTR;1;100;%ld;R%03d;W%02d;"
                     "U%03d;kupferrohr;ALT%ld;4012345%06ld;HK;HT%ld;;;;1;;0;T%s;1;L;;;;\r\n",
                     nr.c_str(), i % 100 + 6, 1000 + (i * 37) % 90000, group, product, product * 3,
                     i % 1000, i % 1000000, i % 97, nr.c_str());
        std::fprintf(f, "D;N;%s;01;1;Kupferrohr nach DIN EN 1057 in Stangen;;\r\n", nr.c_str());
        std::fprintf(f, "D;N;%s;02;1;geeignet fuer Trinkwasser und Heizung;;\r\n", nr.c_str());
        std::fprintf(
            f, "Z;N;%s;01;1;Staffelpreis ab 50 m;Staffelpreis ab 50 m;1;+;2;1;%ld;;1;50;499;\r\n",
            nr.c_str(), 900 + i % 50);
        std::fprintf(
            f,
            "Z;N;%s;02;1;Staffelpreis ab 500 m;Staffelpreis ab 500 m;1;+;2;1;%ld;;1;500;99999;\r\n",
            nr.c_str(), 800 + i % 50);
        std::fprintf(f, "C;N;ARBA;%s;;2;%ld;;\r\n", nr.c_str(), 50 + i % 300);
        std::fprintf(f, "T;N;T%s;1;01;Kupferrohr hart in Stangen zu 5 m, blank, fuer Loet-;\r\n",
                     nr.c_str());
        std::fprintf(f, "T;N;T%s;1;02;und Pressverbindungen, innen und aussen gereinigt;\r\n",
                     nr.c_str());
        std::fprintf(f, "T;N;T%s;1;03;Werkstoff Cu-DHP (CW024A), Zustand R290 hart;\r\n",
                     nr.c_str());
        std::fprintf(f, "G;N;%s;01;BI;K%06ld;JPG;Produktbild Kupferrohr;\r\n", nr.c_str(),
                     i % 1000000);
    }
    if (std::fclose(f) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
