#pragma once

#include <QString>

// Why a file could not be read or written (error is an errno), in the user's language where
// the catalogue has the core's text.
QString FileErrorCause(int error);
