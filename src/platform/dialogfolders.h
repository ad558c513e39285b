#pragma once

#include <QSettings>
#include <QString>

// The user's settings of the program: ~/.config/zoris/zoris.conf, whatever title the application
// carries.
QSettings programSettings();

// Where the open and save dialogs start: the folder the user last chose a file in, kept across
// runs in the user's settings; before any choice, the documents folder, else the home folder.
// A remembered folder that has gone since is passed over.
class DialogFolders
{
public:
    QString start() const;
    // Remembers the folder of a file the user chose in a dialog.
    void remember(const QString &chosenFile);
};
