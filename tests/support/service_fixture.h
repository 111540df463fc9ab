#pragma once
// A session on a fresh home with the host store, for the set, minutes and
// number-change commands: articles and services built in code, DATANORM 4
// set and article lines, and the scripted dialogs of the commands.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/session.h"
#include "features/services/set_rows.h"
#include "host/store.h"
#include "support/dn4_fixture.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"

namespace dn::test {

// A fixed 128-character DATANORM 4 header line.
inline std::string dn4Header() {
    std::string h = "V 161025";
    h += std::string(40, ' ') + std::string(40, ' ') + std::string(35, ' ') + "04EUR";
    return h;
}

// A DATANORM 4 J line: set number, position kind, article number, quantity
// and the 28-character set text.
inline std::string jLine4(const std::string& set, const std::string& kind,
                          const std::string& number, const std::string& quantity,
                          const std::string& text = "", const std::string& flag = "N") {
    return "J;" + flag + ";" + set + ";;" + kind + ";;" + text + ";;" + number + ";" + quantity +
           ";";
}

class ServiceTest : public SessionFixture {
  protected:
    // The file dialog opens in the source directory, where file() writes
    // the files the scripted user picks.
    void SetUp() override {
        SessionFixture::SetUp();
        session->settings.SourcePath = home.path().string() + "/";
    }

    HostStore& store() { return session->store(); }

    ArticleRecord article(const std::string& key, double purchase = 0, double minutes = 0) {
        ArticleRecord a;
        a.key = key;
        a.shorttext1 = "Text " + key;
        a.shorttext2 = "Zeile 2";
        a.unit = "St";
        a.matchcode = "MC" + key;
        a.purchaseprice = purchase;
        a.salesprice = purchase * 2;
        a.assemblyminutes = minutes;
        store().writeArticle(a);
        return a;
    }
    void articleKind(const std::string& key, int kind) {
        ArticleSideRecord side;
        side.key = key;
        side.articlekind = kind;
        store().writeArticleSide(side);
    }

    // Writes the lines as a file (CR LF) and returns its path.
    std::string file(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        const auto p = home / name;
        writeFile(p, bytes);
        return p.string();
    }

    // The rows' keys of a service.
    std::vector<std::string> rowKeys(const std::string& key) {
        std::vector<std::string> keys;
        if (auto s = store().readService(key))
            for (const auto& r : s->rows) keys.push_back(r.articleKey);
        return keys;
    }
};

}  // namespace dn::test
