#pragma once
// A fresh TORVALO home on which DATANORM 5 article files are imported
// through `ImportArticles5` in its online mode (the options dialog answered
// by the script), with the store at hand for the checks.

#include <string>
#include <vector>

#include "common/session.h"
#include "features/articles/import_articles5.h"
#include "host/store.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"

namespace dn::test {

class ImportFixture5 : public SessionFixture {
  protected:
    static constexpr const char* kHeader = "V;050;A;20250415;EUR;Test;Test GmbH;TST;;;;;;;;";

    // Imports the lines (CP850, joined with CR LF) as one file; `sets` fill
    // the options dialog by tag.
    CommandOutcome import(const std::vector<std::string>& lines,
                          std::vector<std::pair<int, std::string>> sets = {}, bool header = true) {
        std::string text = header ? std::string(kHeader) + "\r\n" : std::string();
        for (const auto& l : lines) text += l + "\r\n";
        const auto file = home / ("DATANORM." + std::to_string(++files_));
        writeFile(file, text);
        session->OnlineImportFiles = {file.string()};
        session->OnlineImportStatus = "0";
        host.forms.push_back(FormScript{"TUEBERNEHMEN4", std::move(sets), {}, {}});
        host.defaultAnswer = true;
        return ImportArticles5(*session, 1);
    }

    HostStore& store() { return session->store(); }
    ArticleRecord article(const std::string& key) {
        auto a = store().readArticle(key);
        return a ? *a : ArticleRecord{};
    }
    const std::string& lastMessage() const { return host.messages.back(); }

  private:
    int files_ = 0;
};

}  // namespace dn::test
