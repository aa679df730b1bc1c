#pragma once
#include "noyau/services/documents.h"

#include <QStringList>

// Opens documents the way the Linux desktop does: the document's type comes
// from the shared MIME database, its application from the freedesktop
// associations (mimeapps.list files, then the MimeType= lines of the
// installed desktop entries). The document is handed to xdg-open when the
// desktop has it, otherwise the associated application is started directly.
class OuvreurBureau : public OuvreurDocuments {
public:
    Resultat ouvrir(const QString& chemin) override;

    // Path of the desktop entry of the application associated with the
    // document's type (or one of its parent types); empty when there is none.
    static QString applicationAssociee(const QString& chemin);
    // The same search in the given folders: those holding mimeapps.list
    // files, and those holding desktop entries, by order of precedence.
    static QString applicationAssociee(const QString& chemin, const QStringList& dossiersConfig,
                                       const QStringList& dossiersApplications);

    // Program and arguments of a desktop entry's Exec= value for one file:
    // the file takes the place of the first file or URL field code, or is
    // added at the end when there is none.
    static QStringList commandeExec(const QString& exec, const QString& fichier);
};
