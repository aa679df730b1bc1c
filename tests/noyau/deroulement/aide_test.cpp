#include "noyau/deroulement/aide.h"

#include "support/dossier.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

using R = OuvreurDocuments::Resultat;

// Every outcome of opening the help document: opened, or a message naming
// the file; never a silent nothing.
TEST(OuvrirAide, OpensTheDocumentOrSaysWhyNot) {
    DossierDeTest volcans("VOLCANS");
    for (const char* nom : {"volcans.doc", "VOLCANS.HLP"})
        volcans.ecrireOctets(QString("Fichiers d'aide/") + nom, "aide");
    const QString aide = volcans.dossier() + "/Fichiers d'aide/";
    // The document named, what the desktop answers, the file handed to it and
    // the message shown ("" when none).
    const std::tuple<QString, R, const char*, const char*> cas[] = {
        // Found whatever the case of its name.
        {aide + "Volcans.DOC", R::Ouvert, "volcans.doc", ""},
        {aide + "volcans.doc", R::AucuneApplication, "volcans.doc",
         "L'ouverture du fichier d'aide choisi a échouée. Prévenez le professeur.\r\n"
         "Fichier : volcans.doc"},
        {aide + "volcans.doc", R::Echec, "volcans.doc", "« volcans.doc » n'a pas pu être ouvert"},
        {aide + "VOLCANS.HLP", R::Ouvert, "VOLCANS.HLP", ""},
        {aide + "VOLCANS.HLP", R::AucuneApplication, "VOLCANS.HLP",
         "« VOLCANS.HLP » est au format de l'aide de Windows"},
        {aide + "absent.pdf", R::Ouvert, "", "« absent.pdf » est introuvable"},
        {"C:\\AIDE\\volcans.doc", R::Ouvert, "", "« volcans.doc » est introuvable"},
    };
    for (const auto& [document, resultat, ouvert, message] : cas) {
        SCOPED_TRACE(document.toStdString());
        PlateformeSimulee p;
        QuizState s;
        s.FichierAide = document;
        p.documents.resultat = resultat;
        Ouvrir_aide(s, p.services, nullptr);
        EXPECT_EQ(p.documents.ouverts, *ouvert ? QStringList{aide + ouvert} : QStringList{});
        EXPECT_EQ(s.AideWinHelp, document.endsWith("HLP") ? document : "");
        ASSERT_EQ(p.dialogues.appels.size(), *message ? 1u : 0u);
        if (*message == 0) continue;
        EXPECT_TRUE(p.dialogues.appels[0].texte.contains(QString(message)));
        EXPECT_EQ(p.dialogues.appels[0].titre + QString::number(p.dialogues.appels[0].style),
                  "AVERTISSEMENT CRITIQUE16");
    }
}
