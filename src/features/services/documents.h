#pragma once
// The host's saved documents of 82-byte records that name articles: offers
// and invoices ("*.ang") and measurements ("*.auf"). The article-number
// change in services rewrites their article keys.
//
// Records that carry a key (bytes counted from 1; the key is a short string:
// a length byte and up to 18 characters, CP850):
//   offer, first byte 201 and third byte 2: key from byte 4
//   offer, first byte 255:                  key from byte 2
//   measurement, first byte 201, second 2:  key from byte 3
//
// A document is rewritten into a temporary file beside it that then replaces
// it, so that no failure leaves half a document; a linked document is
// rewritten where the link leads. A document that cannot be read or written
// is left exactly as it was. Bytes after the last whole record (a length
// that is not a multiple of 82) belong to no record and are kept as they are.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dn {

struct Session;

enum class DocumentKind { Offer, Measurement };

inline constexpr std::size_t kDocumentRecordSize = 82;
inline constexpr std::size_t kDocumentKeyLength = 18;

// Maps a key (UTF-8, without trailing blanks) to its new key; empty = no
// change.
using KeyMapper = std::function<std::string(const std::string&)>;

// Offset (from 0) of the key's length byte in a record, or nothing when the
// record carries no key.
std::optional<std::size_t> documentKeyOffset(std::string_view record, DocumentKind kind);

// What rewriting one document did.
struct DocumentRewrite {
    int changed = 0;            // records whose key was replaced
    std::size_t tailBytes = 0;  // bytes after the last whole record, kept
};

// Rewrites the keys of one document. Raises IoError with the reason when the
// document cannot be read or written; the file is then unchanged.
DocumentRewrite rewriteDocument(const std::filesystem::path& file, DocumentKind kind,
                                const KeyMapper& map);

// The note on a document with bytes after its last whole record.
std::string tailNote(const DocumentRewrite& done);

// Every "*.ang" of the offer directory or every "*.auf" of the measurement
// directory, in name order, until Escape on the status panel. The status
// shows "Projekt: " / "Aufmaß: " + file name; an error in one document is
// shown ("Fehler bei Angebot "name"!" / "Fehler bei Aufmaß "name"!" and the
// reason) and the next document follows; a document with bytes after its
// last whole record is named with "Hinweis bei ..." and `tailNote`. Returns
// the documents changed.
int rewriteDocuments(Session& s, DocumentKind kind, const KeyMapper& map);

}  // namespace dn
