#pragma once
// A version 4 supplier on a fresh home, DATANORM 4 files built in code and
// the runs of the article import and the price maintenance through the
// scripted host.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/current_supplier.h"
#include "common/session.h"
#include "features/articles/article_import4.h"
#include "features/prices/price_maintenance4.h"
#include "host/codepage.h"
#include "host/store.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"

namespace dn::test {

inline std::string dn4Header(const std::string& currency = "EUR") {
    std::string s = "V 161025";
    for (const char* t : {"Lieferant GmbH", "Artikeldaten", "Ansprechpartner"}) {
        std::string f = t;
        f.resize(40, ' ');
        s += f;
    }
    s.resize(123);
    return s + "04" + currency;
}

// UTF-8 text padded with blanks to n characters.
inline std::string padTo(const std::string& text, std::size_t n) {
    std::string s = text;
    s.append(n - utf8Length(text), ' ');
    return s;
}

// An A record line with the fields in their order.
struct ALine {
    std::string flag = "N";
    std::string number;
    std::string text1 = "Artikel";
    std::string text2 = "";
    std::string priceFlag = "1";
    std::string unitCode = "0";
    std::string unit = "St";
    std::string price = "00010000";
    std::string group = "";
    std::string productGroup = "";
    std::string textNumber = "";

    std::string str() const {
        return "A;" + flag + ";" + number + ";00;" + text1 + ";" + text2 + ";" + priceFlag + ";" +
               unitCode + ";" + unit + ";" + price + ";" + group + ";" + productGroup + ";" +
               textNumber + ";";
    }
};

class Import4Test : public SessionFixture {
  protected:
    void SetUp() override {
        SessionFixture::SetUp();
        useSupplier(1, ' ');
    }

    void useSupplier(int number, char letter) {
        SupplierRecord r = session->suppliers.readRecord(number);
        r.setName("Testlieferant");
        r.setVersion('4');
        r.setLetter(letter);
        session->suppliers.writeRecord(number, r);
        SetCurrentSupplier(*session, number);
        ReadCurrentSupplier(*session);
    }

    // Writes the lines (UTF-8 in the test, CP850 in the file) with CR LF.
    std::string writeDelivery(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += utf8ToCp850(l) + "\r\n";
        const auto path = home / name;
        writeFile(path, bytes);
        return path.string();
    }

    // Runs the import in mode 1 over the files with the options dialog
    // filled by tag (protocol on by default).
    CommandOutcome importFiles(const std::vector<std::string>& files,
                               std::vector<std::pair<int, std::string>> sets = {{105, "1"}}) {
        host.forms.push_back(FormScript{"TUEBERNEHMEN4", std::move(sets), {}});
        session->OnlineImportFiles = files;
        session->OnlineImportStatus = std::string(files.size(), '0');
        return ImportArticles4(*session, 1);
    }
    CommandOutcome import(const std::vector<std::string>& lines,
                          std::vector<std::pair<int, std::string>> sets = {{105, "1"}}) {
        return importFiles({writeDelivery("DATANORM.001", lines)}, std::move(sets));
    }

    HostStore& store() { return session->store(); }

    void addGroup(const std::string& code, const std::string& kind, double value,
                  double surcharge = 0) {
        DiscountGroupRecord g;
        g.key = session->ArticlePrefix + code;
        g.kennung = kind;
        g.wert = value;
        g.salesSurcharge = surcharge;
        store().writeDiscountGroup(g);
    }

    bool printed(const std::string& line) const {
        for (const auto& p : host.printed)
            if (p == line) return true;
        return false;
    }
};

}  // namespace dn::test
