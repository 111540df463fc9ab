#include "features/services/documents.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <vector>

#include "common/session.h"
#include "host/codepage.h"
#include "host/errors.h"
#include "host/replacement_file.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

constexpr unsigned char kKeyRecord = 201;
constexpr unsigned char kOfferTextKey = 255;

unsigned char byteAt(std::string_view r, std::size_t oneBased) {
    return static_cast<unsigned char>(r[oneBased - 1]);
}

std::string readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw IoError("Die Datei kann nicht gelesen werden. " + SystemReason(errno));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw IoError("Die Datei kann nicht gelesen werden. " + SystemReason(errno));
    return bytes;
}

// A document that another program holds or that may not be written.
void checkWritable(const fs::path& file) {
    std::fstream probe(file, std::ios::binary | std::ios::in | std::ios::out);
    if (!probe)
        throw IoError("Die Datei ist gesperrt oder schreibgeschützt. " + SystemReason(errno));
}

// The new content goes into a file of its own beside the real document,
// which it then replaces.
void replaceWith(const fs::path& real, const std::string& bytes) {
    std::error_code ec;
    const auto perms = fs::status(real, ec).permissions();
    ReplacementFile temp(real.parent_path());
    temp.write(bytes);
    temp.replace(real, ec ? std::nullopt : std::optional(perms));
}

bool hasExtension(const fs::path& p, std::string_view ext) {
    std::string e = p.extension().string();
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
    return e == ext;
}

}  // namespace

std::string tailNote(const DocumentRewrite& done) {
    return "Die Dateilänge ist kein Vielfaches von 82 Bytes: die letzten " +
           std::to_string(done.tailBytes) +
           " Bytes gehören zu keinem ganzen Satz und bleiben, wie sie sind.";
}

std::optional<std::size_t> documentKeyOffset(std::string_view r, DocumentKind kind) {
    if (r.size() < kDocumentRecordSize) return std::nullopt;
    if (kind == DocumentKind::Offer) {
        if (byteAt(r, 1) == kKeyRecord && byteAt(r, 3) == 2) return 3;
        if (byteAt(r, 1) == kOfferTextKey) return 1;
        return std::nullopt;
    }
    if (byteAt(r, 1) == kKeyRecord && byteAt(r, 2) == 2) return 2;
    return std::nullopt;
}

DocumentRewrite rewriteDocument(const fs::path& file, DocumentKind kind, const KeyMapper& map) {
    // A linked document is changed where it really lives.
    const fs::path real = RealFile(file);
    std::string bytes = readWhole(real);
    DocumentRewrite result;
    result.tailBytes = bytes.size() % kDocumentRecordSize;
    const std::size_t whole = bytes.size() - result.tailBytes;
    for (std::size_t at = 0; at < whole; at += kDocumentRecordSize) {
        const std::string_view record(bytes.data() + at, kDocumentRecordSize);
        const auto offset = documentKeyOffset(record, kind);
        if (!offset) continue;
        const std::size_t length =
            std::min<std::size_t>(static_cast<unsigned char>(record[*offset]), kDocumentKeyLength);
        std::string key = cp850ToUtf8(record.substr(*offset + 1, length));
        key.erase(key.find_last_not_of(' ') + 1);
        const std::string mapped = map(key);
        if (mapped.empty()) continue;
        std::string newKey = utf8ToCp850(mapped);
        newKey.resize(std::min(newKey.size(), kDocumentKeyLength));
        char* field = bytes.data() + at + *offset;
        field[0] = static_cast<char>(newKey.size());
        std::fill_n(field + 1, kDocumentKeyLength, '\0');
        std::copy(newKey.begin(), newKey.end(), field + 1);
        ++result.changed;
    }
    if (result.changed == 0) return result;
    checkWritable(real);
    replaceWith(real, bytes);
    return result;
}

int rewriteDocuments(Session& s, DocumentKind kind, const KeyMapper& map) {
    const bool offers = kind == DocumentKind::Offer;
    const fs::path dir = s.dir(offers ? kOfferDir : kMeasurementDir);
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && hasExtension(it->path(), offers ? ".ang" : ".auf"))
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    int changed = 0;
    for (const fs::path& file : files) {
        if (s.ui.ESCPanel()) break;
        const std::string name = file.filename().string();
        s.ui.SetInfo((offers ? "Projekt: " : "Aufmaß: ") + name);
        try {
            const DocumentRewrite done = rewriteDocument(file, kind, map);
            if (done.changed > 0) ++changed;
            if (done.tailBytes > 0)
                s.ui.meldung((offers ? "Hinweis bei Angebot \"" : "Hinweis bei Aufmaß \"") + name +
                             "\"!\n" + tailNote(done));
        } catch (const Error& e) {
            s.ui.meldung((offers ? "Fehler bei Angebot \"" : "Fehler bei Aufmaß \"") + name +
                         "\"!\n" + e.what());
        } catch (const fs::filesystem_error& e) {
            s.ui.meldung((offers ? "Fehler bei Angebot \"" : "Fehler bei Aufmaß \"") + name +
                         "\"!\n" + e.what());
        }
    }
    return changed;
}

}  // namespace dn
