#include "ecrans/suivi/frm_suivi.h"

#include "noyau/fichiers/fichiers.h"
#include "support/dossier.h"
#include "support/fakes.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QByteArray debut(const char* identifiant) {
    return QByteArray(R"({"type":"debut","questionnaire":"X","titre":"Les x","identifiant":")") +
           identifiant +
           R"(","classe":"3A","essai":1,"debut":"2026-12-05T14:03:27","questions":3})" + "\n";
}
QByteArray question(int numero, const char* verdict) {
    return R"({"type":"question","numero":)" + QByteArray::number(numero) +
           R"(,"rang":1,"cochees":[1],"justes":[1],"choix":3,"verdict":")" + verdict +
           "\",\"secondes\":9}\n";
}

// The texts of a row, cells joined by "|".
std::string ligne(QTableWidget* t, int r) {
    QStringList textes;
    for (int c = 0; c < t->columnCount(); ++c)
        textes << (t->item(r, c) ? t->item(r, c)->text() : "");
    return textes.join('|').toStdString();
}

}  // namespace

// Journals growing on the share while the window polls: the grid, the
// marks, who finished, who is idle, and the class report from the button.
TEST(FrmSuivi, LaClasseEnDirect) {
    QTemporaryDir racine, documents;
    const QString essais = racine.filePath("X/Essais/");
    poser(essais + "B01.jsonl", debut("B01") + question(1, "Vrai") + question(2, "Faux"));
    poser(essais + "B02.jsonl", debut("B02"));
    poser(racine.filePath("X/X _B01_3A_.rst"), "");
    PlateformeSimulee p;
    p.horloge.instant = QDateTime::currentDateTime();
    frmSuivi f({racine.path()}, p.services, documents.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.onglets->count() == 1; }, 8000));
    auto* table = static_cast<QTableWidget*>(f.onglets->widget(0));
    EXPECT_EQ(f.onglets->tabText(0), "Les x (2)");
    EXPECT_EQ(ligne(table, 0), "B01|3A|1|2 / 3|19,0|à l'instant|en cours|✓|✗|·");
    EXPECT_EQ(ligne(table, 1), "B02|3A|1|0 / 3|–|à l'instant|en cours|·|·|·");
    EXPECT_EQ(ligne(table, 2), "Réussite|||||||100 %|0 %|–");

    p.horloge.avancer(10 * 60);
    Fichiers::ajouterOctets(essais + "B01.jsonl",
                            question(3, "Nulle") + R"({"type":"fin","fin":"resultats","note":18.5})"
                                                   "\n");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return ligne(table, 0).find("terminé") != std::string::npos; }, 8000));
    EXPECT_TRUE(ligne(table, 0).starts_with("B01|3A|1|3 / 3|18,5|il y a "));
    EXPECT_TRUE(ligne(table, 0).ends_with(" min|terminé|✓|✗|○")) << ligne(table, 0);
    EXPECT_EQ(ligne(table, 1), "B02|3A|1|0 / 3|–|⚠ il y a 10 min|⚠ inactif|·|·|·");
    EXPECT_TRUE(f.lblEtat->text().contains("2 élèves suivis, 1 inactif"))
        << f.lblEtat->text().toStdString();

    f.cmdBilan->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.documents.ouverts.isEmpty(); }, 8000));
    EXPECT_EQ(p.documents.ouverts, QStringList{documents.filePath("bilan.html")});
    const QByteArray page = contenu(documents.filePath("bilan.html"));
    EXPECT_TRUE(page.contains("<td class=\"v fausse\">✗</td>") &&
                page.contains("<td>interrompu</td>"));
}
