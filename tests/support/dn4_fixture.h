#pragma once
// Shared pieces of the DATANORM 4 reader tests: a scripted host, a session,
// and builders for fixed header lines and padded fields.

#include <gtest/gtest.h>

#include <string>

#include "common/session.h"
#include "formats/dn4/dn4_reader.h"
#include "host/scripted_host.h"
#include "support/temp_dir.h"

namespace dn::test {

// Blank-padded (or cut) to exactly `width` characters.
inline std::string pad(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

// A fixed 128-character header: "V", blank, date, three texts of 40
// characters; the third ends in the version and the currency.
inline std::string headerLine(const std::string& date = "161025", const std::string& version = "04",
                              const std::string& currency = "EUR",
                              const std::string& text1 = "Lieferant GmbH",
                              const std::string& text2 = "Artikeldaten",
                              const std::string& text3 = "Ansprechpartner") {
    return "V " + pad(date, 6) + pad(text1, 40) + pad(text2, 40) + pad(text3, 35) + version +
           pad(currency, 3);
}

class Dn4Test : public ::testing::Test {
  protected:
    ScriptedHost host;
    Session session{host};
    Dn4Reader reader{session};

    // Converts a header so that the following records are accepted.
    void readHeader(const std::string& currency = "EUR") {
        ASSERT_TRUE(reader.ConvertDn4Line(headerLine("161025", "04", currency)));
    }
};

}  // namespace dn::test
