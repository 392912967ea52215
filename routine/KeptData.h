#pragma once

#include <QList>
#include <QString>

// What of a working folder is the user's data, the one list that a backup saves and a restore
// puts back: a feature that keeps data of its own in the working folder adds its line here.
struct KeptData {
    enum class Kind {
        Book,    // an address book: a file of records
        Folder,  // a folder: everything in it, whatever its depth
    };
    QString name;  // as it stands in the working folder: "pltRecv.dat", "Vemo"
    Kind kind;
    QString caption;  // what the user is told it is: "реквизиты плательщиков"

    static const QList<KeptData>& All();
    // The part of the data a name in the working folder belongs to, as its index in All(); -1
    // for none. A book is its file alone; a folder is what is in it, and the folder itself when a
    // folder is asked for.
    static int PartOf(const QString& name, bool folder);
};
