#pragma once
// Qt's own texts in German: the buttons of message boxes and the file and
// folder dialogs ("Abbrechen", "Öffnen", "Suchen in").

class QTranslator;

namespace dn::gui {

// Loads Qt's German translations ("qtbase" from Qt's translation directory)
// into `translator` and installs it in the application, which must exist.
// Returns whether they were found; without them Qt's texts stay English.
// The translator must live as long as the texts are wanted.
bool installGermanTranslations(QTranslator& translator);

}  // namespace dn::gui
