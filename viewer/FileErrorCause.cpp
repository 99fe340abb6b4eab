#include "FileErrorCause.h"

#include <QCoreApplication>

#include "RegularFile.h"

QString FileErrorCause(int error) {
    const std::string text = rad::FileErrorText(error);
    return QCoreApplication::translate("FileError", text.c_str());
}
