#pragma once

#include <QString>
#include <QUrl>
#include <string>

// File names are bytes, and Qt's QString of a name that is no UTF-8 loses some of them: such
// a file could be neither opened nor saved under its name. These keep every byte: a byte that
// is no part of valid UTF-8 becomes the lone character U+DC80 + byte (as Python's
// "surrogateescape"), and back; a UTF-8 name is its ordinary QString.
QString PathFromBytes(const std::string& bytes);
std::string PathBytes(const QString& path);
// The name of a local file's URL (a dropped file) with its bytes; QUrl::toLocalFile decodes
// the escaped bytes as UTF-8 and loses the others.
QString PathFromFileUrl(const QUrl& url);
