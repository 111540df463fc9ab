#include "host/article_export.h"

#include <cstdio>
#include <vector>

#include "host/store_article_columns.h"

namespace dn {

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(";\"\n\r") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return out;
}

std::string jsonValue(const ArticleRecord& a, const ArticleColumn& c) {
    switch (c.kind) {
        case ColumnKind::Text:
            return jsonString(articleColumnText(a, c));
        case ColumnKind::Lines: {
            const auto& lines = a.*std::get<std::vector<std::string> ArticleRecord::*>(c.member);
            std::string out = "[";
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (i > 0) out += ",";
                out += jsonString(lines[i]);
            }
            return out + "]";
        }
        default:
            return articleColumnText(a, c);
    }
}

std::vector<const ArticleColumn*> presentColumns(HostStore& store) {
    std::vector<const ArticleColumn*> cols;
    for (const auto& c : articleColumns()) {
        if (store.hasColumn(c.name)) cols.push_back(&c);
    }
    return cols;
}

}  // namespace

void exportArticles(HostStore& store, const std::string& prefix, ExportFormat format,
                    std::ostream& out) {
    const auto cols = presentColumns(store);
    const KeyRange range = KeyRange::prefix(prefix);
    if (format == ExportFormat::Csv) {
        for (std::size_t i = 0; i < cols.size(); ++i) out << (i ? ";" : "") << cols[i]->name;
        out << '\n';
        store.forEachArticle(range, [&](const ArticleRecord& a) {
            for (std::size_t i = 0; i < cols.size(); ++i) {
                out << (i ? ";" : "") << csvField(articleColumnText(a, *cols[i]));
            }
            out << '\n';
            // A failed write ends the listing; the caller reports it.
            return static_cast<bool>(out);
        });
        return;
    }
    out << '[';
    bool first = true;
    store.forEachArticle(range, [&](const ArticleRecord& a) {
        out << (first ? "\n  {" : ",\n  {");
        first = false;
        for (std::size_t i = 0; i < cols.size(); ++i) {
            out << (i ? ", " : "") << jsonString(cols[i]->name) << ": " << jsonValue(a, *cols[i]);
        }
        out << '}';
        return static_cast<bool>(out);
    });
    out << (first ? "]\n" : "\n]\n");
}

}  // namespace dn
