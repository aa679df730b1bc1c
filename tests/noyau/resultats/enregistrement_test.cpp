#include "noyau/resultats/enregistrement.h"

#include "noyau/resultats/bilan.h"
#include "support/dossier.h"
#include "support/essai_exemple.h"

TEST(ResultatsEnregistrement, LignesSelonLEssai) {
    struct Cas {
        int rang, questions, justes;
        float note;
        int ligne;
        QString texte;
    };
    for (const Cas& c : std::vector<Cas>{
             {7, 20, 5, 18.5f, 20,
              "Nbre de réponses justes = 5 sur 20 questions posées, soit 25,0 %"},
             {30, 30, 0, -10.0f, 17, "-10/20     soit : -2,0/4"},
             {0, 0, 0, 20.0f, 20, "Nbre de réponses justes = 0 sur 0 questions posées, soit 0,0 %"},
             {1, 1, 1, 20.0f, 26, ""}}) {  // no date known
        QuizState s = EssaiExemple({});
        s.RangQuestion = c.rang, s.NbQuestions = c.questions, s.NbJustes = c.justes;
        s.Note = c.note, s.DateDuJour = "";
        const QStringList l =
            Resultats::TexteEnregistrement(s, QTime(9, 5, 0)).chopped(2).split("\r\n");
        ASSERT_EQ(l.size(), 27);
        EXPECT_EQ(l[c.ligne - 1], c.texte);
        EXPECT_EQ(l[26], "09:05:00");
    }
}

TEST(ResultatsBilan, AppreciationSelonLaNote) {
    const QString bien =
        "Le test est concluant. C'est très bien ! \r\nAppelez le professeur pour "
        "valider votre travail.";
    const QString enBonneVoie = "Le test n'est pas réussi mais vous êtes en bonne voie ! ";
    const QString revisions = "Le test n'est pas réussi. Des révisions s'imposent ! ";
    for (const auto& [note, texte] : std::vector<std::pair<float, QString>>{
             {18, bien}, {17.9f, enBonneVoie}, {12.01f, enBonneVoie}, {12, revisions}})
        EXPECT_EQ(Resultats::Appreciation(note), texte) << note;
}

TEST(ResultatsEnregistrement, FichierExistantJamaisVideEtRecreeSiDisparu) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("Volcans _B01_3A_.rst");
    Fichiers::ajouter(chemin, "autre poste\r\n");
    // First attempt of this run, on a name that differs only by case.
    QuizState s = EssaiExemple(dossier.filePath("VOLCANS _b01_3a_.RST"));
    EXPECT_EQ(Resultats::EnregistrerResultats(s, QTime(14, 3, 27)).raison, "");
    EXPECT_EQ(contenu(chemin), "autre poste\r\n" + OctetsEssaiExemple);
    QFile::remove(chemin);
    s.Recommencer = true;
    EXPECT_EQ(Resultats::EnregistrerResultats(s, QTime(14, 3, 27)).raison, "");
    EXPECT_EQ(contenu(s.CheminResultats), OctetsEssaiExemple);
}
