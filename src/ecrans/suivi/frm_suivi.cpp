#include "ecrans/suivi/frm_suivi.h"

#include "noyau/questionnaire/formats.h"
#include "noyau/resultats/rapport.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

using namespace Resultats;

namespace {

const QStringList Colonnes{"Élève", "Classe",           "Essai", "Avancement",
                           "Note",  "Dernière réponse", "État"};

// A symbol as well as a colour, read in black and white and by colour-blind eyes.
struct Apparence {
    const char* symbole;
    const char* mot;
    QColor fond;
};
Apparence apparence(Case c) {
    switch (c) {
    case Case::Juste: return {"✓", "juste", QColor(0xd4, 0xed, 0xda)};
    case Case::Fausse: return {"✗", "fausse", QColor(0xf8, 0xd7, 0xda)};
    case Case::Nulle: return {"○", "sans réponse", QColor(0xff, 0xf3, 0xcd)};
    case Case::PasEncore: break;
    }
    return {"·", "pas encore", QColor(Qt::white)};
}

QTableWidgetItem* cellule(const QString& texte, const QString& accessible = {}) {
    auto* item = new QTableWidgetItem(texte);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (!accessible.isEmpty()) {
        item->setData(Qt::AccessibleTextRole, accessible);
        item->setToolTip(accessible);
    }
    return item;
}

QString depuis(qint64 secondes) {
    if (secondes < 60) return QStringLiteral("à l'instant");
    return QStringLiteral("il y a %1 min").arg(secondes / 60);
}

bool inactif(const EleveEnDirect& e, const QDateTime& maintenant, int minutes) {
    return e.etat == EtatEleve::EnCours && e.derniere.secsTo(maintenant) > 60 * minutes;
}

QString ecrireBilan(const QStringList& dossiers, const QString& chemin) {
    const QByteArray page = RapportHtml(Rassembler(dossiers)).toUtf8();
    QDir().mkpath(QFileInfo(chemin).path());
    QSaveFile fichier(chemin);
    if (fichier.open(QIODevice::WriteOnly) && fichier.write(page) == page.size() &&
        fichier.commit())
        return {};
    return fichier.errorString();
}

}  // namespace

frmSuivi::frmSuivi(const QStringList& dossiers, Services& services, const QString& dossierBilan,
                   int minutesInactif, QWidget* parent)
    : QWidget(parent),
      dossiers_(dossiers),
      services_(services),
      dossierBilan_(dossierBilan),
      minutesInactif_(minutesInactif) {
    setWindowTitle(QStringLiteral("Korvane — suivi de la classe"));
    auto* disposition = new QVBoxLayout(this);
    lblEtat = new QLabel(QStringLiteral("Recherche des essais en cours…"), this);
    lblEtat->setWordWrap(true);
    onglets = new QTabWidget(this);
    onglets->setAccessibleName(QStringLiteral("Questionnaires en cours"));
    cmdBilan = new QPushButton(QStringLiteral("&Écrire et ouvrir le bilan de la classe"), this);
    disposition->addWidget(lblEtat);
    disposition->addWidget(onglets, 1);
    disposition->addWidget(cmdBilan, 0, Qt::AlignRight);
    connect(cmdBilan, &QPushButton::clicked, this, [this] { cmdBilan_Click(); });
    connect(&bilan_, &QFutureWatcher<QString>::finished, this, [this] {
        cmdBilan->setEnabled(true);
        const QString chemin = QDir(dossierBilan_).filePath("bilan.html");
        const QString raison = bilan_.result();
        if (!raison.isEmpty())
            services_.dialogues.afficher(
                QStringLiteral("Le bilan n'a pas pu être écrit dans %1 (%2).")
                    .arg(QDir::toNativeSeparators(chemin), raison),
                windowTitle(), Style::OkExclamation, this);
        else if (services_.documents.ouvrir(chemin) != OuvreurDocuments::Resultat::Ouvert)
            services_.dialogues.afficher(
                QStringLiteral("Le bilan est écrit dans %1.").arg(QDir::toNativeSeparators(chemin)),
                windowTitle(), Style::OkInformation, this);
    });
    suivi_ =
        std::make_unique<SuiviEnDirect>(dossiers, [this](const ClasseEnDirect& c) { afficher(c); });
}

frmSuivi::~frmSuivi() {
    suivi_.reset();
    bilan_.waitForFinished();
}

void frmSuivi::afficher(const ClasseEnDirect& classe) {
    int eleves = 0, inactifs = 0;
    for (int i = 0; i < classe.questionnaires.size(); ++i) {
        const QuestionnaireEnDirect& q = classe.questionnaires[i];
        const QString nom = q.titre.isEmpty() ? q.questionnaire : q.titre;
        QTableWidget* table = nullptr;
        for (int t = 0; t < onglets->count() && !table; ++t)
            if (onglets->widget(t)->objectName() == q.questionnaire.toUpper())
                table = static_cast<QTableWidget*>(onglets->widget(t));
        if (!table) {
            table = new QTableWidget(onglets);
            table->setObjectName(q.questionnaire.toUpper());
            table->setAccessibleName(QStringLiteral("Élèves et questions de %1").arg(nom));
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->verticalHeader()->hide();
            // Thirty pupils on a classroom screen.
            table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
            onglets->addTab(table, nom);
        }
        remplir(table, q);
        onglets->setTabText(onglets->indexOf(table),
                            QStringLiteral("%1 (%2)").arg(nom).arg(q.eleves.size()));
        eleves += static_cast<int>(q.eleves.size());
        for (const EleveEnDirect& e : q.eleves)
            inactifs += inactif(e, services_.horloge.maintenant(), minutesInactif_);
    }
    QString texte = classe.questionnaires.isEmpty()
                        ? QStringLiteral("Aucun essai commencé pour l'instant dans %1.")
                              .arg(QDir::toNativeSeparators(dossiers_.join(", ")))
                        : Compte(eleves, "élève suivi", "élèves suivis") + ", " +
                              Compte(inactifs, "inactif", "inactifs") +
                              QStringLiteral(" depuis plus de %1 min.").arg(minutesInactif_);
    if (!classe.erreurs.isEmpty())
        texte += ' ' + Compte(classe.erreurs.size(), "journal illisible", "journaux illisibles") +
                 " : " + classe.erreurs.first();
    lblEtat->setText(texte);
}

void frmSuivi::remplir(QTableWidget* table, const QuestionnaireEnDirect& q) {
    const int fixes = static_cast<int>(Colonnes.size());
    table->setColumnCount(fixes + q.questions);
    table->setRowCount(static_cast<int>(q.eleves.size()) + 1);
    QStringList entetes = Colonnes;
    for (int k = 1; k <= q.questions; ++k) entetes << QString::number(k);
    table->setHorizontalHeaderLabels(entetes);
    const QDateTime maintenant = services_.horloge.maintenant();
    const QLocale& fr = Formats::francais();
    for (int r = 0; r < q.eleves.size(); ++r) {
        const EleveEnDirect& e = q.eleves[r];
        const qint64 secondes = e.derniere.secsTo(maintenant);
        const bool signale = inactif(e, maintenant, minutesInactif_);
        const QString etat = e.etat == EtatEleve::Termine      ? QStringLiteral("terminé")
                             : e.etat == EtatEleve::Interrompu ? QStringLiteral("interrompu")
                             : signale                         ? QStringLiteral("⚠ inactif")
                                                               : QStringLiteral("en cours");
        const QStringList textes{e.identifiant,
                                 e.classe,
                                 QString::number(e.essai),
                                 QStringLiteral("%1 / %2").arg(e.traitees).arg(e.questions),
                                 e.traitees ? fr.toString(e.note, 'f', 1) : QStringLiteral("–"),
                                 (signale ? QStringLiteral("⚠ ") : QString()) + depuis(secondes),
                                 etat};
        for (int c = 0; c < fixes; ++c) {
            QTableWidgetItem* item = cellule(textes[c]);
            if (signale) {
                item->setBackground(QColor(0xff, 0xe0, 0xb2));
                QFont gras = item->font();
                gras.setBold(true);
                item->setFont(gras);
            }
            table->setItem(r, c, item);
        }
        for (int k = 0; k < e.cases.size(); ++k) {
            const Apparence a = apparence(e.cases[k]);
            QTableWidgetItem* item = cellule(
                a.symbole,
                QStringLiteral("%1, question %2 : %3").arg(e.identifiant).arg(k + 1).arg(a.mot));
            item->setTextAlignment(Qt::AlignCenter);
            item->setBackground(a.fond);
            table->setItem(r, fixes + k, item);
        }
    }
    const int total = static_cast<int>(q.eleves.size());
    table->setItem(total, 0, cellule(QStringLiteral("Réussite")));
    for (int c = 1; c < fixes; ++c) table->setItem(total, c, cellule(QString()));
    for (int k = 0; k < q.questions; ++k) {
        const QString part = q.reponses[k]
                                 ? QString::number(100 * q.justes[k] / q.reponses[k]) + " %"
                                 : QStringLiteral("–");
        QTableWidgetItem* item = cellule(part, QStringLiteral("question %1 : %2 justes sur %3")
                                                   .arg(k + 1)
                                                   .arg(q.justes[k])
                                                   .arg(q.reponses[k]));
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(total, fixes + k, item);
    }
    table->resizeColumnsToContents();
}

void frmSuivi::cmdBilan_Click() {
    if (bilan_.isRunning()) return;
    cmdBilan->setEnabled(false);
    bilan_.setFuture(
        QtConcurrent::run(ecrireBilan, dossiers_, QDir(dossierBilan_).filePath("bilan.html")));
}
