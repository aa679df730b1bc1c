#include "noyau/resultats/attente.h"

#include "noyau/resultats/enregistrement.h"
#include "support/dossier.h"

// A share gone at the results screen: the record waits on this computer and
// reaches its file exactly once when the share is back, whatever the order
// of deliveries, retries and runs.
TEST(FileAttente, LeResultatAttendLePartageEtArriveUneSeuleFois) {
    QTemporaryDir racine;
    const QString partage = racine.path() + "/partage/VOLCANS";
    QuizState s;
    s.Identifiant = "b01", s.Classe = "3a", s.NbQuestions = s.RangQuestion = 1;
    s.DossierQuestionnaire = partage;
    s.CheminResultats = partage + "/VOLCANS _B01_3A_.rst";
    FileAttente file(racine.path() + "/etat/attente");
    const Resultats::Enregistrement e = Resultats::EnregistrerResultats(s, QTime(9, 0), &file);
    EXPECT_EQ(e.raison, "le dossier n'existe plus");
    EXPECT_TRUE(e.conserve);
    EXPECT_TRUE(Resultats::MessageEchec(e.chemin, e.raison, e.conserve).contains("conservé"));
    EXPECT_EQ(file.livrer(), 1);  // still away

    // Back, with the pupil's name in another case and an earlier record.
    poser(partage + "/volcans _b01_3a_.rst", "avant\r\n");
    const QByteArray attendu =
        "avant\r\n" + Fichiers::encoderWindows1252(Resultats::TexteEnregistrement(s, QTime(9, 0)));
    EXPECT_EQ(file.livrer(), 0);
    EXPECT_EQ(contenu(partage + "/volcans _b01_3a_.rst"), attendu);
    // Delivered by a run that died before forgetting it: not appended again.
    file.garder(s.CheminResultats, partage, attendu.mid(7));
    EXPECT_EQ(FileAttente(racine.path() + "/etat/attente").livrer(), 0);
    EXPECT_EQ(contenu(partage + "/volcans _b01_3a_.rst"), attendu);
    EXPECT_EQ(QDir(racine.path() + "/etat/attente").entryList(QDir::Files), QStringList());
}
