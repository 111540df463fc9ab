#pragma once
// A TORVALO home with supplier 1 as a DATANORM 5 supplier whose files lie
// in its own folder, for the group imports, the price maintenance and the
// graphics commands.

#include <filesystem>
#include <string>
#include <vector>

#include "common/current_supplier.h"
#include "common/session.h"
#include "host/codepage.h"
#include "host/store.h"
#include "support/session_fixture.h"

namespace dn::test {

class Maintenance5Test : public SessionFixture {
  protected:
    void SetUp() override {
        SessionFixture::SetUp();
        std::filesystem::create_directories(source());
        SupplierRecord r = session->suppliers.readRecord(1);
        r.setName("Fünf");
        r.setVersion('5');
        r.setPath(source().string() + "/");
        session->suppliers.writeRecord(1, r);
        ReadCurrentSupplier(*session);
    }

    std::filesystem::path source() const { return home.path() / "quelle"; }

    // Writes the lines (UTF-8 here, CP850 in the file) with CR LF.
    std::filesystem::path file(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += utf8ToCp850(l) + "\r\n";
        const auto p = source() / name;
        writeFile(p, bytes);
        return p;
    }

    HostStore& store() { return session->store(); }

    // Scripts the next dialog: its fields in order, then its buttons.
    void form(std::string formClass, std::vector<std::pair<int, std::string>> sets = {},
              std::vector<int> presses = {}) {
        FormScript f;
        f.formClass = std::move(formClass);
        f.sets = std::move(sets);
        f.presses = std::move(presses);
        host.forms.push_back(std::move(f));
    }

    bool said(const std::string& text) const {
        for (const auto& m : host.messages)
            if (m == text) return true;
        return false;
    }
    bool printed(const std::string& text) const {
        for (const auto& m : host.printed)
            if (m == text) return true;
        return false;
    }
};

}  // namespace dn::test
