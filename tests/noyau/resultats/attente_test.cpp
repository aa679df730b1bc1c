#include "noyau/resultats/attente.h"

#include "noyau/resultats/enregistrement.h"
#include "support/dossier.h"

// A share gone at the results screen: the record waits on this computer and
// reaches its file exactly once, even after a run that delivered it died
// before forgetting it.
TEST(FileAttente, LeResultatAttendLePartageEtArriveUneSeuleFois) {
    QTemporaryDir racine;
    const QString partage = racine.path() + "/partage/VOLCANS", etat = racine.path() + "/etat";
    QuizState s;
    s.Identifiant = "b01", s.Classe = "3a", s.NbQuestions = s.RangQuestion = 1;
    s.DossierQuestionnaire = partage;
    s.CheminResultats = partage + "/VOLCANS _B01_3A_.rst";
    FileAttente file(etat);
    const Resultats::Enregistrement e = Resultats::EnregistrerResultats(s, QTime(9, 0), &file);
    EXPECT_TRUE(e.conserve);
    EXPECT_TRUE(Resultats::MessageEchec(e.chemin, e.raison, e.conserve).contains("conservé"));
    EXPECT_EQ(file.livrer(), 1);  // still away

    poser(partage + "/volcans _b01_3a_.rst", "avant\r\n");  // back, the name in another case
    const QByteArray record =
        Fichiers::encoderWindows1252(Resultats::TexteEnregistrement(s, QTime(9, 0)));
    EXPECT_EQ(file.livrer(), 0);
    file.garder(s.CheminResultats, partage, record);
    EXPECT_EQ(FileAttente(etat).livrer(), 0);
    EXPECT_EQ(contenu(partage + "/volcans _b01_3a_.rst"), "avant\r\n" + record);
    EXPECT_EQ(QDir(etat).entryList(QDir::Files), QStringList());
}
