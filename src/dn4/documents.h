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
// it, so that no failure leaves half a document. A document that cannot be
// read or written, or whose length is not a multiple of 82 bytes, is left
// exactly as it was.

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

// Rewrites the keys of one document; returns the number of records changed.
// Raises IoError with the reason when the document cannot be read, is not a
// whole number of records, or cannot be written; the file is then unchanged.
int rewriteDocument(const std::filesystem::path& file, DocumentKind kind, const KeyMapper& map);

// Every "*.ang" of the offer directory or every "*.auf" of the measurement
// directory, in name order, until Escape on the status panel. The status
// shows "Projekt: " / "Aufmaß: " + file name; an error in one document is
// shown ("Fehler bei Angebot "name"!" / "Fehler bei Aufmaß "name"!" and the
// reason) and the next document follows. Returns the documents changed.
int rewriteDocuments(Session& s, DocumentKind kind, const KeyMapper& map);

}  // namespace dn
