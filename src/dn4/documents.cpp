#include "dn4/documents.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "frame/session.h"
#include "host/codepage.h"
#include "host/errors.h"

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
    if (!in) throw IoError("Die Datei kann nicht gelesen werden.");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw IoError("Die Datei kann nicht gelesen werden.");
    return bytes;
}

// A document that another program holds or that may not be written.
void checkWritable(const fs::path& file) {
    std::fstream probe(file, std::ios::binary | std::ios::in | std::ios::out);
    if (!probe) throw IoError("Die Datei ist gesperrt oder schreibgeschützt.");
}

void replaceWith(const fs::path& file, const std::string& bytes) {
    fs::path temp = file;
    temp += ".dntmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(temp, ec);
            throw IoError("Die Datei kann nicht geschrieben werden.");
        }
    }
    std::error_code ec;
    fs::permissions(temp, fs::status(file, ec).permissions(), ec);
    fs::rename(temp, file, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw IoError("Die Datei kann nicht ersetzt werden: " + ec.message());
    }
}

bool hasExtension(const fs::path& p, std::string_view ext) {
    std::string e = p.extension().string();
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
    return e == ext;
}

}  // namespace

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

int rewriteDocument(const fs::path& file, DocumentKind kind, const KeyMapper& map) {
    std::string bytes = readWhole(file);
    if (bytes.size() % kDocumentRecordSize != 0)
        throw IoError("Die Dateilänge " + std::to_string(bytes.size()) +
                      " ist kein Vielfaches von 82 Bytes; die Datei ist unvollständig.");
    int changed = 0;
    for (std::size_t at = 0; at < bytes.size(); at += kDocumentRecordSize) {
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
        ++changed;
    }
    if (changed == 0) return 0;
    checkWritable(file);
    replaceWith(file, bytes);
    return changed;
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
            if (rewriteDocument(file, kind, map) > 0) ++changed;
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
