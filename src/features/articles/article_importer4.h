#pragma once
// The run state and record handlers of the DATANORM 4 article import. One
// importer per run; `readFile` per file. The handlers live in
// article_transfer4.cpp (A), article_records4.cpp (B, C, Z) and
// text_records4.cpp (D, T, E).

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/discount_rules.h"
#include "common/file_end.h"
#include "common/unit_batch.h"
#include "features/articles/import_options4.h"
#include "formats/dn4/dn4_lines_ahead.h"
#include "formats/dn4/dn4_reader.h"
#include "host/store_records.h"

namespace dn {

class HostStore;

// The article in the buffer: written when the next record group begins.
struct PendingArticle4 {
    bool ArticlePending = false;
    bool LongTextPending = false;
    bool SurchargePending = false;
    std::string key;       // key of the buffer (`materind_satz`)
    bool deleted = false;  // the A record of the key was a deletion
    ArticleRecord article;
    bool sideLoaded = false;  // the stock record was read or touched
    bool sideTouched = false;
    bool existed = false;
    ArticleSideRecord side;
    std::vector<DRecord> DRecordList;
    std::vector<std::string> ZRecordBlob;  // positions 2 onward, UTF-8
    std::vector<std::string> zRaw;         // the same records as CP850 bytes, positions 1-128
};

class ArticleImporter4 {
  public:
    ArticleImporter4(Session& s, const ImportOptions4& options);
    ~ArticleImporter4();

    // Reads one file. `shownName` is the name for messages and the log.
    FileEnd readFile(const std::string& path, long long bytesBefore, long long totalBytes);

    long ImportedCount() const { return importedCount_; }
    // Records of the file read last left out for a faulty numeric field.
    long SkippedInFile() const { return reader_.skippedRecords(); }

  private:
    friend class ArticleRecords4;
    // Record handlers; false ends the file.
    void TransferArticle4(DnRecord rec);
    void transferB(const DnRecord& rec);
    void transferC(const DnRecord& rec);
    bool transferD(const DnRecord& rec);
    bool transferText(const DnRecord& rec);
    bool transferZ(const DnRecord& rec);
    void convertZAmounts(DnRecord& rec);
    void deleteArticle(const DnRecord& rec, const std::string& number);
    void changeNumber(const DnRecord& rec, const std::string& key);
    void fillArticle(const DnRecord& rec, bool all);
    void priceArticle(const DnRecord& rec, int listPriceUnit);
    void applyCopperRule();
    void writePending();

    // Read-ahead of the text and surcharge groups: the next line converted
    // into the reader's buffers. 1 = a line, 0 = end of file, -1 = the
    // conversion failed (the file ends).
    int readAhead(std::string& line);
    void pushBack(std::string line);

    std::string keyOf(const DnRecord& rec) const;
    bool belongsToPending(const std::string& key) const;
    void protocol(const std::string& line);
    void protocolText(const std::string& text);
    void loadSide();
    // The discount group of the code, read once per run: the groups do not
    // change while articles are imported.
    const DiscountGroupRule& discountGroup(const std::string& code);

    Session& s_;
    HostStore& store_;
    ImportOptions4 options_;
    Dn4Reader reader_;
    std::unique_ptr<dn4::LinesAhead> lines_;
    bool pushedBackConverted_ = false;
    PendingArticle4 p_;
    long importedCount_ = 0;
    bool longLinesWarned_ = false;  // per run
    bool letterWarned_ = false;     // per file
    std::unique_ptr<StreamBatch> batch_;
    std::map<std::string, DiscountGroupRule> groups_;
};

}  // namespace dn
