// Why a file could not be read or written, as a sentence in the player's language. The system's
// own reason (in English) goes to the log only, so a message never mixes two languages.
#pragma once

#include "support/FileError.h"

#include <QString>

namespace vexil {

class TLocalizationStore;

QString FileErrorText(const TLocalizationStore& AStore, const TFileResult& AResult);

} // namespace vexil
