#pragma once
// Value types of the host master-data store: one struct per table row.
// Texts are UTF-8; amounts are doubles rounded by the store with dn::rund;
// dates are host day numbers. Keys are handed in as the caller has them and
// compared without trailing blanks (see store_keys.h).

#include <cstdint>
#include <string>
#include <vector>

#include "host/day_number.h"

namespace dn {

// One article (`materdat_satz`, table "article"). Column names are the
// member names. The "_" members are the optional columns: a store created
// without them ignores them on write and leaves them at their defaults on
// read (HostStore::hasColumn tells which are there).
struct ArticleRecord {
    std::string key;              // up to 18 characters, supplier prefix + number
    std::string matchcode;        // 15
    std::string shorttext1;       // 40
    std::string shorttext2;       // 40
    std::string unit;             // 4
    std::string priceflag;        // 1: "1" list, "2" net, "3" factory, "4", "9"
    std::string priceflagsource;  // 1: "1" when a DATANORM 5 record set the flag
    int priceunit = 1;            // price unit quantity (1, 10, 100, 1000, ...)
    double purchaseprice = 0;     // EK, amount
    double salesprice = 0;        // VK, amount
    double listprice = 0;         // list price, amount
    double factoryprice = 0;      // factory price (price flag "3"), amount
    std::string discountgroup;    // 4, without prefix
    std::string productgroup;     // 3, main product group
    std::string productsubgroup;  // 10
    DayNumber changedate = 0;     // price date
    double assemblyminutes = 0;
    std::string graphickey;   // up to 18, with prefix
    std::string longtextkey;  // up to 18, with prefix
    double metalweight = 0;
    double metalbase = 0;
    std::string metalkind;  // "c" = copper surcharge
    double metalsurcharge = 0;
    std::vector<std::string> extralines;  // e.g. "C50" calculation lines
    int newflag = 0;
    // DATANORM 4 article fields.
    std::string textflag;       // 2 characters, "0"/"1" each
    std::string priceunitcode;  // 1 character "0".."3"
    int priceunitfraction = 0;  // hundredths of the price unit ("EGEMA" mode)
    // DATANORM 5 A-record fields kept as they come (field number = suffix).
    std::string attr15;    // 15
    std::string attr19;    // 18
    int attr21 = 0;        // integer, 1 for a new article without the field
    std::string attr22;    // 15
    std::string attr23;    // 1, "0" for a new article without the field
    int attr25 = 0;        // integer
    std::string attr27;    // 17
    std::string attr28;    // 17
    int attr29 = 0;        // integer
    std::string attrzero;  // always "0" when written by a DATANORM 5 import
    // Optional columns.
    double _richtpreis = 0;          // recommended price, amount
    std::string _kuerzelalternativ;  // 13
    std::string _kuerzelhersteller;  // 13
    std::string _herstellernummer;   // 35
    std::string _herstellertype;     // 35
    std::string _lagermerker;        // 1
    std::string _kalkmengeneinheit;  // 4
    double _kalkfaktor = 0;
    double _empfohlenervk = 0;  // recommended sales price, amount

    bool operator==(const ArticleRecord&) const = default;
};

// The article's stock record and supplement (`materind_satz`, table
// "article_side"), same key as the article.
struct ArticleSideRecord {
    std::string key;
    int recordtype = 0;         // 3 once a DATANORM 4 B record was taken
    std::string altarticleno;   // 15, alternative article number
    std::string catalog;        // 6, catalogue characters
    std::string metalunitcode;  // 1, "1" = 100, "2" = 1000
    std::string metalnumber;    // 3
    double metalweight = 0;
    std::string ean;          // 13
    int articlekind = 0;      // B position 99: 92..99 decide "l-", "g-", "f-" keys
    std::string supplement1;  // 10, B position 89
    std::string supplement2;  // 15, B position 77
    std::string supplement3;  // 13, B position 106
    std::string supplement4;  // 17, B position 110

    bool operator==(const ArticleSideRecord&) const = default;
};

// One D record of an article (`add_dsatz`): DATANORM 5 fields 4, 5, 6, 7;
// DATANORM 4 line number, flag, text line, text key.
struct DRecord {
    std::string lineNumber;  // 2
    std::string flag;        // 1
    std::string text;        // 40
    std::string textKey;     // 15 (+ prefix)

    bool operator==(const DRecord&) const = default;
};

// A long text: kind "1" T text, "2" E text, "0" free text, "3" graphics
// binding, or the DATANORM 5 text kind.
struct LongText {
    std::string key;
    std::string kind;
    std::vector<std::string> lines;

    bool operator==(const LongText&) const = default;
};

// One entry of the graphics index (`SchreibArtikelGrafik`).
struct GraphicsIndexEntry {
    std::string articleKey;
    std::string pictureKind;  // characters 3-4 of the binding line
    std::string fileName;     // folder + file name
    std::string text;         // 40

    bool operator==(const GraphicsIndexEntry&) const = default;
};

// Discount group (`rabattdat_typ`, table "discount_group").
struct DiscountGroupRecord {
    int number = 0;
    std::string key;            // prefix + code
    bool selektiert = false;    // marked
    double salesSurcharge = 0;  // "VK-Aufschlag (%)"
    std::string secondmark = "#";
    std::string kennung = "1";  // "1" Rabatt, "2" Multi, "3" Teuerungszuschlag
    double wert = 0;            // percent or factor
    std::string bezeichnung;    // 40

    bool operator==(const DiscountGroupRecord&) const = default;
};

// Product group (`warendat_typ`, table "product_group").
struct ProductGroupRecord {
    int number = 0;
    std::string key;
    std::string bezeichnung;  // 40
    int costType = 0;         // "Kostenart"
    bool isSubGroup = false;
    bool selektiert = false;
    std::string furtherData;  // up to 200 bytes, kept as they are

    bool operator==(const ProductGroupRecord&) const = default;
};

inline constexpr std::size_t kServiceRows = 213;
inline constexpr std::size_t kBomRows = 50;

// One calculation row of a service: article key (18) and quantity.
struct ServiceRow {
    std::string articleKey;
    double quantity = 0;

    bool operator==(const ServiceRow&) const = default;
};

// A host service (`leistind_satz`/`leistdat_satz`, table "service" with
// rows in "service_row"). Row i of the host buffer is rows[i - 1].
struct ServiceRecord {
    std::string key;
    std::string typechar;   // "1" for services built from sets
    std::string text1;      // 43
    std::string text2;      // 43
    std::string unit;       // 5: the article's 4 unit characters and a blank
    std::string matchcode;  // 15
    double minutes = 0;
    double wage1 = 0;              // amount
    double wage2 = 0;              // amount
    std::vector<ServiceRow> rows;  // at most kServiceRows

    bool operator==(const ServiceRecord&) const = default;
};

// One row of a bill of material: article key, quantity, marker (the
// position kind or format letter, "C" for rows from "C50" lines).
struct BomRow {
    std::string articleKey;
    double quantity = 0;
    std::string marker;

    bool operator==(const BomRow&) const = default;
};

// A bill of material (`StueckPuffer`, table "bom" with rows in "bom_row").
struct BomRecord {
    std::string key;
    std::string text;  // 40
    double quantity = 0;
    std::vector<BomRow> rows;  // at most kBomRows

    bool operator==(const BomRecord&) const = default;
};

// An entry of the host's content list (`inhaltdat_satz`, table "content").
struct ContentRecord {
    std::string key;
    int kind = 0;  // 2 = product main group
    std::string key1;
    std::string key2;
    std::string key3;
    std::string text;

    bool operator==(const ContentRecord&) const = default;
};

}  // namespace dn
