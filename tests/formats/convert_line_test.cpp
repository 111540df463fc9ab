// Conversion of DATANORM 4 lines into the fixed records: one table of
// lines and the positions they fill, and the header checks.

#include <string>
#include <vector>

#include "support/dn4_fixture.h"

namespace dn::test {
namespace {

struct Expect {
    Dn4Buffer buffer;
    std::size_t pos;
    std::string bytes;  // "\0" = absent
};

const std::string kAbsent(1, '\0');

struct Case {
    const char* name;
    std::string line;
    char type;  // type at position 1 of DnRecord
    std::vector<Expect> expects;
};

using B = Dn4Buffer;

std::string bytesOf(const Dn4Reader& r, const Expect& e) {
    switch (e.buffer) {
        case B::Price:
            return std::string(r.priceRecord().at(e.pos, e.bytes.size()));
        case B::Set:
            return std::string(r.setRecord().at(e.pos, e.bytes.size()));
        case B::Set2:
            return std::string(r.setRecord2().at(e.pos, e.bytes.size()));
        case B::Record:
            break;
    }
    return std::string(r.record().at(e.pos, e.bytes.size()));
}

const std::vector<Case>& cases() {
    static const std::vector<Case> c{
        {"A article",
         "A;N;4711;00;Kurztext eins;Kurztext zwei;1;2;Stck;12345;RG01;123;LT000001;",
         'A',
         {{B::Record, 2, "N"},
          {B::Record, 3, pad("4711", 15)},
          {B::Record, 18, "00"},
          {B::Record, 20, pad("Kurztext eins", 40)},
          {B::Record, 60, pad("Kurztext zwei", 40)},
          {B::Record, 100, "1"},
          {B::Record, 101, "2"},
          {B::Record, 102, "Stck"},
          {B::Record, 106, "12345   "},
          {B::Record, 114, "RG01"},
          {B::Record, 118, "123"},
          {B::Record, 121, pad("LT000001", 13)}}},
        {"A with empty fields",
         "A;N;4711;;Rohr;;;;;;;;;",
         'A',
         {{B::Record, 18, kAbsent},
          {B::Record, 60, kAbsent},
          {B::Record, 106, kAbsent},
          {B::Record, 129, "\r\n"}}},
        {"B supplement, catalogue data cut to 6",
         "B;N;4711;MATCH;ALT-NR;12345678;1;003;000150;4012345678901;KAT;ABC;90;  10;EH;ZUSATZ;",
         'B',
         {{B::Record, 18, pad("MATCH", 15)},
          {B::Record, 33, pad("ALT-NR", 15)},
          {B::Record, 48, "123456"},
          {B::Record, 54, "1"},
          {B::Record, 55, "003"},
          {B::Record, 58, "000150"},
          {B::Record, 64, "4012345678901"},
          {B::Record, 77, pad("KAT", 12)},
          {B::Record, 89, pad("ABC", 10)},
          {B::Record, 99, "90"},
          {B::Record, 101, "  10 "},
          {B::Record, 106, "EH  "},
          {B::Record, 110, pad("ZUSATZ", 17)}}},
        {"B catalogue data does not spill",
         "B;N;4711;;;12345678;;;",
         'B',
         {{B::Record, 48, "123456"}, {B::Record, 54, kAbsent}, {B::Record, 55, kAbsent}}},
        {"C material",
         "C;N;WERKSTOFF-1;ART-2;00000150;00000200;ABC;DEF;1;0000000010;NR-X;",
         'c',
         {{B::Record, 3, pad("WERKSTOFF-1", 15)},
          {B::Record, 18, std::string("\x01\x00", 2)},
          {B::Record, 20, pad("ART-2", 15)},
          {B::Record, 35, "00000150"},
          {B::Record, 43, "00000200"},
          {B::Record, 51, pad("ABC", 10)},
          {B::Record, 61, pad("DEF", 10)},
          {B::Record, 71, "1"},
          {B::Record, 72, "0000000010"},
          {B::Record, 82, pad("NR-X", 15)}}},
        {"C labour",
         "C;N;ARBEIT-1;LEIST-1;1;M;000030;",
         'c',
         {{B::Record, 18, std::string("\x02\x00", 2)},
          {B::Record, 20, pad("LEIST-1", 15)},
          {B::Record, 35, "1"},
          {B::Record, 36, "M"},
          {B::Record, 37, "000030"}}},
        {"C date, copied to the price record",
         "C;;TERMIN-1;01082025;",
         'c',
         {{B::Record, 18, std::string("\x03\x00", 2)},
          {B::Record, 20, "01082025"},
          {B::Price, 1, "c"},
          {B::Price, 3, pad("TERMIN-1", 15)},
          {B::Price, 18, std::string("\x03\x00", 2)},
          {B::Price, 20, "01082025"},
          {B::Price, 97, kAbsent}}},
        {"C VAT",
         "C;N; MWST-1 ;19000;",
         'c',
         {{B::Record, 18, std::string("\x04\x00", 2)},
          {B::Record, 20, "19000"},
          {B::Price, 1, kAbsent}}},
        {"C unknown subtype",
         "C;N;ANDERS;xyz;",
         'c',
         {{B::Record, 18, std::string("\x00\x00", 2)}, {B::Record, 20, kAbsent}}},
        {"D long text, blank pre-fill",
         "D;N;4711;1;F;;Zeile eins;2;F;;;",
         'D',
         {{B::Record, 18, "1 "},
          {B::Record, 20, "F"},
          {B::Record, 21, kAbsent},
          {B::Record, 29, pad("Zeile eins", 40)},
          {B::Record, 69, "2 "},
          {B::Record, 71, "F"},
          {B::Record, 80, std::string(40, ' ')},
          {B::Record, 120, kAbsent}}},
        {"T text block",
         "T;N;TZ-0159;;1;;Aufbewahrungspult;2;;Pult;",
         'T',
         {{B::Record, 2, "N"},
          {B::Record, 3, "TZ-0159 "},
          {B::Record, 11, kAbsent},
          {B::Record, 18, "1 "},
          {B::Record, 29, pad("Aufbewahrungspult", 40)},
          {B::Record, 69, "2 "},
          {B::Record, 80, pad("Pult", 40)}}},
        {"E text block",
         "E;N;00000007;;1;;erste;2;;zweite;",
         'E',
         {{B::Record, 3, "00000007"},
          {B::Record, 29, pad("erste", 40)},
          {B::Record, 80, pad("zweite", 40)}}},
        {"Z subtype 1",
         "Z;N;4711;01;1;02;Kupferzuschlag;3;00012345;00000100;00000200;",
         'Z',
         {{B::Record, 18, "01"},
          {B::Record, 20, "1"},
          {B::Record, 21, "02"},
          {B::Record, 23, pad("Kupferzuschlag", 28)},
          {B::Record, 51, "3"},
          {B::Record, 52, "00012345"},
          {B::Record, 60, "00000100"},
          {B::Record, 68, "00000200"}}},
        {"Z subtype 3",
         "Z;N;4711;01;3;02;4;00012345;000100;000200;000300;",
         'Z',
         {{B::Record, 21, "02"},
          {B::Record, 23, "4"},
          {B::Record, 24, "00012345"},
          {B::Record, 32, "000100"},
          {B::Record, 38, "000200"},
          {B::Record, 44, "000300"}}},
        {"Z subtype 4",
         "Z;N;4711;01;4;CU;000150;000200;000300;000400;",
         'Z',
         {{B::Record, 21, "CU"},
          {B::Record, 23, "000150"},
          {B::Record, 29, "000200"},
          {B::Record, 35, "000300"},
          {B::Record, 41, "000400"}}},
        {"Z subtype 5",
         "Z;N;4711;01;5;Text des Zuschlags;3;00000999;",
         'Z',
         {{B::Record, 21, pad("Text des Zuschlags", 40)},
          {B::Record, 61, "3"},
          {B::Record, 62, "00000999"}}},
        {"Z subtype 6",
         "Z;N;4711;01;6;AB;1;2;00001000;000001;000002;000003;000004;000005;",
         'Z',
         {{B::Record, 21, "AB"},
          {B::Record, 23, "1"},
          {B::Record, 24, "2"},
          {B::Record, 25, "00001000"},
          {B::Record, 33, "000001"},
          {B::Record, 39, "000002"},
          {B::Record, 45, "000003"},
          {B::Record, 51, "000004"},
          {B::Record, 57, "000005"}}},
        {"K customer, copied",
         "K;;018988; ;",
         'K',
         {{B::Record, 3, pad("018988", 10)},
          {B::Price, 1, "K"},
          {B::Price, 3, pad("018988", 10)},
          {B::Set, 1, "K"},
          {B::Set, 3, pad("018988", 10)},
          {B::Set, 129, "\r\n"}}},
        {"R discount group",
         "R;;RG01;1;1250;Rabattgruppe eins;",
         'R',
         {{B::Record, 3, "RG01"},
          {B::Record, 7, "1"},
          {B::Record, 8, "1250"},
          {B::Record, 12, pad("Rabattgruppe eins", 40)}}},
        {"S main product group",
         "S;;01;Installationsger\x84te;;;",
         'S',
         {{B::Record, 3, "01 "},
          {B::Record, 6, pad("Installationsger\x84te", 40)},
          {B::Record, 46, kAbsent}}},
        {"S without main-group text is W",
         "S;;01; ;12;Sicherungsautomaten;",
         'W',
         {{B::Record, 46, pad("12", 10)}, {B::Record, 56, pad("Sicherungsautomaten", 40)}}},
        {"P price change, three blocks",
         "P;A;996633;1;10000;1;1000;;;;;996634;2;6000;1;0;1;0;1;0;996635;1;12345678;;;;;;;",
         'P',
         {{B::Price, 1, "P"},
          {B::Price, 2, "A"},
          {B::Price, 3, pad("996633", 15)},
          {B::Price, 18, "1"},
          {B::Price, 19, "10000   "},
          {B::Price, 27, "1"},
          {B::Price, 28, "1000"},
          {B::Price, 32, kAbsent},
          {B::Price, 42, pad("996634", 15)},
          {B::Price, 57, "2"},
          {B::Price, 58, "6000    "},
          {B::Price, 66, "1"},
          {B::Price, 67, "0   "},
          {B::Price, 76, "1"},
          {B::Price, 77, "0   "},
          {B::Price, 81, pad("996635", 15)},
          {B::Price, 96, "1"},
          {B::Price, 97, "12345678"},
          {B::Price, 105, kAbsent},
          {B::Record, 3, kAbsent}}},
        {"J set in two buffers",
         "J;N;SET-1;;L;ART-A;Settext;1;ART-B;0000150;",
         'J',
         {{B::Set, 1, "J"},
          {B::Set, 2, "N"},
          {B::Set, 3, pad("SET-1", 15)},
          {B::Set, 18, pad("ART-A", 15)},
          {B::Set, 33, pad("ART-B", 15)},
          {B::Set, 48, "0000150"},
          {B::Set2, 1, "j"},
          {B::Set2, 3, pad("SET-1", 15)},
          {B::Set2, 18, pad("ART-A", 15)},
          {B::Set2, 35, "L"},
          {B::Set2, 36, pad("Settext", 28)},
          {B::Set2, 64, "1"},
          {B::Set2, 65, pad("ART-B", 15)},
          {B::Set2, 80, "0000150"}}},
        {"unknown letter",
         "X;N;TZ-0159;;7;",
         'X',
         {{B::Record, 2, kAbsent}, {B::Record, 3, kAbsent}}},
        {"empty line", "", '\0', {{B::Record, 2, kAbsent}}},
    };
    return c;
}

TEST_F(Dn4Test, ConvertsEveryRecordType) {
    readHeader();
    for (const auto& c : cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(reader.ConvertDn4Line(c.line));
        EXPECT_EQ(reader.record().type(), c.type);
        for (const auto& e : c.expects)
            EXPECT_EQ(bytesOf(reader, e), e.bytes) << "position " << e.pos;
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Dn4Test, EveryLineStartsFromClearedBuffers) {
    readHeader();
    ASSERT_TRUE(reader.ConvertDn4Line("K;;018988;"));
    ASSERT_TRUE(reader.ConvertDn4Line("A;N;4711;"));
    EXPECT_TRUE(reader.priceRecord().absent(1));
    EXPECT_TRUE(reader.record().absent(18));
    EXPECT_EQ(reader.record().at(129, 2), "\r\n");
}

TEST_F(Dn4Test, HeaderFillsRecordAndCompanions) {
    const std::string h =
        headerLine("161025", "04", "EUR", "datacrossmedia Demodaten", "Zweiter", "Dritter");
    ASSERT_EQ(h.size(), 128u);
    ASSERT_TRUE(reader.ConvertDn4Line(h));
    EXPECT_TRUE(reader.HeaderSeen());
    EXPECT_TRUE(reader.FileInEuro());
    EXPECT_EQ(reader.currency(), "EUR");
    const auto& r = reader.record();
    EXPECT_EQ(r.type(), 'V');
    EXPECT_EQ(r.at(dnpos::HeaderDate, 6), "161025");
    EXPECT_EQ(r.at(dnpos::HeaderText1, 40), pad("datacrossmedia Demodaten", 40));
    EXPECT_EQ(r.at(dnpos::HeaderText2, 40), pad("Zweiter", 40));
    EXPECT_EQ(r.at(dnpos::HeaderText3, 40), pad("Dritter", 35) + "04EUR");
    EXPECT_EQ(r.at(dnpos::HeaderCurrency, 3), "EUR");
    EXPECT_EQ(reader.priceRecord().type(), 'V');
    EXPECT_EQ(reader.setRecord().type(), 'V');
    EXPECT_EQ(reader.priceRecord().at(3, 126), r.at(3, 126));

    ASSERT_TRUE(reader.ConvertDn4Line(headerLine("161025", "04", "DEM")));
    EXPECT_FALSE(reader.FileInEuro());
}

TEST_F(Dn4Test, HeaderRefusals) {
    struct Refusal {
        const char* name;
        std::string line;
        std::string message;
    };
    const std::vector<Refusal> refusals{
        {"first record not V", "A;N;4711;00;Rohr;", kMsgHeaderMissing},
        {"unknown letter before the header", "X;N;", kMsgHeaderMissing},
        {"version 03", headerLine("161025", "03"), kMsgNotDn4},
        {"short header", "V 161025Lieferant", kMsgNotDn4},
        {"129 characters", headerLine() + " ", kMsgNoEndMark},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.name);
        Dn4Reader fresh(session);
        host.messages.clear();
        EXPECT_FALSE(fresh.ConvertDn4Line(r.line));
        EXPECT_FALSE(fresh.HeaderSeen());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], r.message);
    }
}

TEST_F(Dn4Test, EmptyLineBeforeTheHeaderIsSkipped) {
    EXPECT_TRUE(reader.ConvertDn4Line(""));
    EXPECT_TRUE(reader.ConvertDn4Line(headerLine()));
    EXPECT_TRUE(host.messages.empty());
}

TEST(Dn4Layout, TableIsConsistent) {
    for (const auto& l : Dn4Layouts()) {
        SCOPED_TRACE(std::string(1, l.letter) + " " + std::string(l.subtype));
        for (const auto& f : l.fields) {
            EXPECT_GE(f.position, 1u);
            EXPECT_LE(f.position - 1 + f.width, f.buffer == Dn4Buffer::Record ? 138u : 130u);
            EXPECT_LE(f.keep, f.width);
        }
        if (!l.subtype.empty()) {
            EXPECT_NE(FindDn4Layout(l.letter), nullptr);
        }
    }
    EXPECT_EQ(FindDn4Layout('C', "TERMIN-1")->subtypeNumber, kCDate);
    EXPECT_EQ(FindDn4Layout('Q'), nullptr);
}

}  // namespace
}  // namespace dn::test
