#pragma once
// A fresh store file per test.

#include <gtest/gtest.h>

#include <memory>

#include "host/store.h"
#include "support/temp_dir.h"

namespace dn::test {

class StoreTest : public ::testing::Test {
  protected:
    std::unique_ptr<HostStore> open(bool optionalColumns = false) {
        return openSqliteStore(dir_ / "stamm.db", StoreOptions{optionalColumns});
    }
    void SetUp() override { store_ = open(); }

    TempDir dir_;
    std::unique_ptr<HostStore> store_;
};

inline ArticleRecord article(const std::string& key, const std::string& text = "Rohr") {
    ArticleRecord a;
    a.key = key;
    a.shorttext1 = text;
    return a;
}

}  // namespace dn::test
