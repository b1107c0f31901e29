// Qt's own texts (the Yes and No of a question, the colour chooser, the file dialogs) in the
// language the player chose, so a Russian game does not ask its questions with English buttons.
// The translations are the ones the system's Qt ships (Debian: qt6-translations-l10n); without
// them Qt keeps its English texts.
#pragma once

#include <QString>

class QObject;

namespace vexil {

// The Qt locale name of the game's language AIndex ("ru" for language 0), or an empty name for
// a language Qt already speaks (English) or does not know.
QString QtLocaleOfLanguage(int AIndex);

// Installs Qt's translation of its own texts for language AIndex into the application; the
// translator lives as AOwner's child and is taken out of the application with it. False when
// the language needs none or the system lacks it.
bool InstallQtTranslation(QObject* AOwner, int AIndex);

} // namespace vexil
