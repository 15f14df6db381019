// Qt's own texts (the file and print dialogs, the standard buttons) in
// Italian like the rest of the program, whatever the system's language.
#pragma once
#include <QTranslator>

namespace mr {

// Loads Qt's Italian translations from the system's Qt translations folder
// into traduttore and installs it in the application. False, and Qt's
// English texts, when the translations are not installed.
bool TraduciQt(QTranslator& traduttore);

}  // namespace mr
