#include "host/article_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "store_fixture.h"

namespace dn::test {
namespace {

using ArticleExportTest = StoreTest;

void fill(HostStore& s) {
    auto a = article("5-2", "Rohr; \"blank\"");
    a.salesprice = 12.5;
    a.extralines = {"C50 1", "C50 2"};
    s.writeArticle(a);
    s.writeArticle(article("5-1", "Muffe"));
    s.writeArticle(article("6-1", "Fremd"));
}

TEST_F(ArticleExportTest, CsvHasAllColumnsInKeyOrderForThePrefix) {
    fill(*store_);
    std::ostringstream out;
    exportArticles(*store_, "5-", ExportFormat::Csv, out);
    std::istringstream lines(out.str());
    std::string header, first, second, rest;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(header.rfind("key;matchcode;shorttext1;shorttext2;unit;priceflag;", 0), 0u);
    EXPECT_NE(header.find(";extralines;newflag;"), std::string::npos);
    EXPECT_EQ(header.find("_richtpreis"), std::string::npos);  // store without optional columns
    EXPECT_EQ(first.rfind("5-1;;Muffe;;;;;1;0.00;0.00;", 0), 0u);
    // Quoted field with doubled quotes, lines joined by a line break inside quotes.
    const std::string all = out.str();
    EXPECT_NE(all.find("\n5-2;;\"Rohr; \"\"blank\"\"\";;;;;1;0.00;12.50;"), std::string::npos);
    EXPECT_NE(all.find(";\"C50 1\nC50 2\";"), std::string::npos);
    EXPECT_EQ(all.find("6-1"), std::string::npos);
}

TEST_F(ArticleExportTest, JsonWritesNumbersAndLineArrays) {
    store_ = openSqliteStore(dir_ / "optional.db", StoreOptions{true});
    fill(*store_);
    std::ostringstream out;
    exportArticles(*store_, "", ExportFormat::Json, out);
    const std::string json = out.str();
    EXPECT_EQ(
        json.rfind("[\n  {\"key\": \"5-1\", \"matchcode\": \"\", \"shorttext1\": \"Muffe\"", 0),
        0u);
    EXPECT_NE(json.find("\"shorttext1\": \"Rohr; \\\"blank\\\"\""), std::string::npos);
    EXPECT_NE(json.find("\"salesprice\": 12.50"), std::string::npos);
    EXPECT_NE(json.find("\"extralines\": [\"C50 1\",\"C50 2\"]"), std::string::npos);
    EXPECT_NE(json.find("\"_empfohlenervk\": 0.00}"), std::string::npos);
    EXPECT_NE(json.find("\"key\": \"6-1\""), std::string::npos);
    EXPECT_EQ(json.substr(json.size() - 4), "}\n]\n");

    std::ostringstream none;
    exportArticles(*store_, "9-", ExportFormat::Json, none);
    EXPECT_EQ(none.str(), "[]\n");
}

}  // namespace
}  // namespace dn::test
