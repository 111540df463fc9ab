// Writes a realistic DATANORM 4 article delivery of N articles: a header,
// a customer record, and per article an A record (prices over 50 discount
// groups and 20 product groups, some per 10 or 100 units), a B record,
// two D lines, a T text of two records with its own number, and a Z
// surcharge record (every fourth one copper). CP850, CR LF.
//
//   dn4_generate N FILE

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dn4_generate N FILE\n");
        return 2;
    }
    const long n = std::atol(argv[1]);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::perror(argv[2]);
        return 1;
    }
    std::string header = "V 010125";
    for (const char* t :
         {"Benchmark Grosshandel GmbH", "Artikelstamm komplett", "Generierte Daten"}) {
        std::string f = t;
        f.resize(40, ' ');
        header += f;
    }
    header.resize(123);
    header += "04EUR";
    std::fprintf(out, "%s\r\nK;;4711;\r\n", header.c_str());
    static const char* const units[] = {"St", "m", "kg", "Pak"};
    static const char* const words[] = {"Kupferrohr",
                                        "Bogen",
                                        "Muffe",
                                        "Kugelhahn",
                                        "Heizk\x94"
                                        "rper",
                                        "Schelle",
                                        "Dichtung",
                                        "Ventil"};
    for (long i = 0; i < n; ++i) {
        const char* word = words[i % 8];
        const int code = i % 10 == 0 ? 2 : i % 5 == 0 ? 1 : 0;
        const long price = 100 + (i * 7919) % 250000;
        std::fprintf(out,
                     "A;N;B%09ld;00;%s Gr\x94\xE1"
                     "e %ld;Ausf\x81"
                     "hrung %ld, Serie %ld;%d;%d;%s;%08ld;G%03ld;%03ld;T%07ld;\r\n",
                     i, word, i % 1000, i % 37, i % 113, i % 7 == 0 ? 2 : 1, code, units[i % 4],
                     price, i % 50, 100 + i % 20, i);
        std::fprintf(out, "B;N;B%09ld;%s%ld;ALT%ld;KAT%03ld;;;;40%011ld;;;;;;;\r\n", i, word,
                     i % 1000, i, i % 100, i);
        std::fprintf(out,
                     "D;N;B%09ld;1;;;Einbauhinweis zu Artikel %ld;2;;;Nur durch Fachbetrieb;\r\n",
                     i, i);
        std::fprintf(out, "D;N;B%09ld;3;;;Lagerware, Lieferzeit 2 Tage;4;;;;\r\n", i);
        std::fprintf(out,
                     "T;N;T%07ld;;1;;%s in bew\x84"
                     "hrter Qualit\x84"
                     "t;2;;f\x81"
                     "r Heizung und Sanit\x84"
                     "r;\r\n",
                     i, word);
        std::fprintf(out, "T;N;T%07ld;;3;;Normgerecht gefertigt;4;;Artikel %ld;\r\n", i, i);
        if (i % 4 == 0)
            std::fprintf(out, "Z;N;B%09ld;1;4;CU;%06ld;000050;000120;000300;\r\n", i,
                         100 + i % 400);
        else
            std::fprintf(out, "Z;N;B%09ld;1;1;01;Energiezuschlag;1;%08ld;;;\r\n", i, 10 + i % 90);
    }
    std::fclose(out);
    return 0;
}
