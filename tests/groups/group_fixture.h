#pragma once
// A session on a fresh home with the groups' input files in its source
// directory, and builders for DATANORM 4 group files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/store.h"
#include "suppliers/supplier_record.h"
#include "support/session_fixture.h"

namespace dn::test {

// Blank-padded (or cut) to exactly `width` characters.
inline std::string padded(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

// A fixed 128-character DATANORM 4 header with the version in 124-125.
inline std::string groupHeader(const std::string& version = "04") {
    return "V " + padded("010125", 6) + padded("Grosshandel", 40) + padded("Rabattdatei", 40) +
           padded("Zeile drei", 35) + version + "EUR";
}

class GroupTest : public SessionFixture {
  protected:
    void SetUp() override {
        SessionFixture::SetUp();
        std::filesystem::create_directories(home / "in");
        session->settings.SourcePath = (home / "in").string() + "/";
        host.defaultAnswer = true;
        SupplierRecord r = session->suppliers.readRecord(1);
        r.setName("Test");
        r.setVersion('4');
        session->suppliers.writeRecord(1, r);
    }

    HostStore& store() { return session->store(); }

    // Writes the lines (CP850 bytes, CR LF) as a file of the source directory.
    std::string writeInput(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        writeFile(home / "in" / name, bytes);
        return (home / "in" / name).string();
    }

    DiscountGroupRecord discount(const std::string& key, const std::string& kind, double value,
                                 bool marked = false, const std::string& text = "Gruppe") {
        DiscountGroupRecord g;
        g.key = key;
        g.kennung = kind;
        g.wert = value;
        g.selektiert = marked;
        g.bezeichnung = text;
        return g;
    }

    ProductGroupRecord product(const std::string& key, const std::string& text, bool sub = false,
                               bool marked = false) {
        ProductGroupRecord g;
        g.key = key;
        g.bezeichnung = text;
        g.isSubGroup = sub;
        g.selektiert = marked;
        return g;
    }

    void article(const std::string& key, const std::string& discountGroup,
                 const std::string& productGroup = "") {
        ArticleRecord a;
        a.key = key;
        a.discountgroup = discountGroup;
        a.productgroup = productGroup;
        store().writeArticle(a);
    }
};

}  // namespace dn::test
