#pragma once

class QCoreApplication;

// Installs Qt's own Ukrainian texts (qtbase_uk.qm from Qt's translations folder), so that the
// file dialogs speak the program's language; false when the translation is not installed.
// The command line's texts (usage, errors) are Ukrainian either way: the program carries them.
bool installQtTranslation(QCoreApplication &app);
