#include "NativePath.h"

namespace {

// Byte b (0x80..0xFF: bytes below are ASCII and always valid) is U+DC00 + b.
constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at text[at], or 0 when there is none.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t least = 0;
    char32_t code = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, least = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, least = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, least = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are no valid UTF-8.
    if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return length;
}

}  // namespace

QString PathFromBytes(const std::string& bytes) {
    QString path;
    path.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8Length(bytes, at);
        if (length == 0) {
            path.append(
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at]))));
            ++at;
            continue;
        }
        path.append(QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length)));
        at += length;
    }
    return path;
}

std::string PathBytes(const QString& path) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(path.size()));
    qsizetype from = 0;
    const auto flush = [&](qsizetype to) {
        if (to > from) bytes += path.mid(from, to - from).toStdString();
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        // Only a lone escape: the low half of a surrogate pair is a character's.
        const bool pairLow = i > 0 && path[i - 1].isHighSurrogate();
        if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF && !pairLow) {
            flush(i);
            bytes.push_back(static_cast<char>(unit - kEscapeBase));
            from = i + 1;
        }
    }
    flush(path.size());
    return bytes;
}

QString PathFromFileUrl(const QUrl& url) {
    const QByteArray escaped = url.path(QUrl::FullyEncoded).toLatin1();
    return PathFromBytes(QByteArray::fromPercentEncoding(escaped).toStdString());
}
