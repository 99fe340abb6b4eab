#include "NativePath.h"

#include "TextEncoding.h"

namespace {

// Byte b (0x80..0xFF: bytes below are ASCII and always valid) is U+DC00 + b.
constexpr char16_t kEscapeBase = 0xDC00;

}  // namespace

QString PathFromBytes(const std::string& bytes) {
    QString path;
    path.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = rad::Utf8SequenceLength(bytes, at);
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
