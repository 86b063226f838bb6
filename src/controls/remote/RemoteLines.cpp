#include "controls/remote/RemoteLines.h"

namespace velora::controls {

std::string EncodeRemoteLine(const RemoteFields& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '\t';
        for (const char c : fields[i]) {
            switch (c) {
                case '\t': line += "\\t"; break;
                case '\n': line += "\\n"; break;
                case '\r': line += "\\r"; break;
                case '\\': line += "\\\\"; break;
                default: line += c;
            }
        }
    }
    return line + '\n';
}

std::variant<RemoteFields, RemoteLineError> DecodeRemoteLine(std::string_view line) {
    RemoteFields fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
            continue;
        }
        if (c != '\\') {
            fields.back() += c;
            continue;
        }
        if (i + 1 == line.size()) return RemoteLineError{RemoteLineErrorKind::EscapeAtEnd, i};
        switch (line[i + 1]) {
            case 't': fields.back() += '\t'; break;
            case 'n': fields.back() += '\n'; break;
            case 'r': fields.back() += '\r'; break;
            case '\\': fields.back() += '\\'; break;
            default: return RemoteLineError{RemoteLineErrorKind::UnknownEscape, i};
        }
        ++i;
    }
    return fields;
}

void RemoteLineSplitter::Feed(std::string_view bytes, const std::function<void(std::string_view)>& line) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!dropping_) {
            if (pending_.size() + piece.size() > longestLine_) {
                pending_.clear();
                dropping_ = true;
            } else {
                pending_ += piece;
            }
        }
        if (end == std::string_view::npos) return;
        if (!dropping_) line(pending_);
        pending_.clear();
        dropping_ = false;
        bytes.remove_prefix(end + 1);
    }
}

}  // namespace velora::controls
