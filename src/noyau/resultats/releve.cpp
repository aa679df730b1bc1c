#include "noyau/resultats/releve.h"

#include "noyau/questionnaire/chargement.h"
#include "noyau/questionnaire/formats.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <memory>

namespace Resultats {

namespace {

// By questionnaire, class and identifier in French order, then attempt and time.
template <typename Essai>
void TrierEssais(QVector<Essai>& essais) {
    QCollator collation{Formats::francais()};
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(essais.begin(), essais.end(), [&](const Essai& a, const Essai& b) {
        if (const int ordre = ComparerParEleve(collation, a, b)) return ordre < 0;
        if (a.numero != b.numero) return a.numero < b.numero;
        return std::pair{a.date, a.heure} < std::pair{b.date, b.heure};
    });
}

QString cle(const QStringList& parties) { return parties.join(QChar(0x1F)); }

QString cleEssai(const EssaiLu& e) {
    return cle({e.questionnaire.toUpper(), e.identifiant.toUpper(), e.classe.toUpper(),
                QString::number(e.numero), e.texteDate, e.heure.toString(), e.note,
                QString::number(e.traitees), QString::number(e.questions),
                QString::number(e.justes), QString::number(e.fausses), QString::number(e.nulles)});
}

QString cleRattachement(const QString& questionnaire, const QString& identifiant,
                        const QString& classe, int essai, const QDate& jour) {
    return cle({questionnaire.toUpper(), identifiant.toUpper(), classe.toUpper(),
                QString::number(essai), jour.toString(Qt::ISODate)});
}

QString cleRattachement(const Journal::JournalLu& j) {
    return cleRattachement(j.questionnaire, j.identifiant, j.classe, j.essai, j.debut.date());
}

bool estJournal(const QFileInfo& f) {
    return f.suffix().compare("jsonl", Qt::CaseInsensitive) == 0 &&
           f.dir().dirName().compare(Journal::DossierEssais, Qt::CaseInsensitive) == 0;
}

// The title in the questionnaire file beside a results file, read once per folder.
class Titres {
public:
    QString titre(const EssaiLu& e) {
        const QString dossier = QFileInfo(e.fichier).path();
        const QString cleTitre = dossier + '/' + e.questionnaire.toUpper();
        const auto trouve = lus_.constFind(cleTitre);
        if (trouve != lus_.constEnd()) return *trouve;
        const QString dat = CheminDat(dossier, e.questionnaire);
        Lecture l;
        const CheminsQuestionnaire chemins = CheminsDuFichier(dossier, dat);
        const QString titre =
            LireQuestions(l, chemins, SourceFichiers::disque().lire(dat)).isEmpty()
                ? l.questionnaire.titre
                : QString();
        lus_.insert(cleTitre, titre);
        return titre;
    }

private:
    QHash<QString, QString> lus_;
};

// What one file gave: the records of a results file, or a journal.
struct FichierLu {
    LectureResultats resultats;
    std::optional<Journal::JournalLu> journal;
    QString erreur;
};

FichierLu lireFichier(const QString& chemin, bool journal) {
    FichierLu lu;
    if (journal)
        lu.journal = Journal::LireFichierJournal(chemin, &lu.erreur);
    else
        lu.resultats = LireFichierResultats(chemin);
    return lu;
}

// Each file is read and parsed on its own, so the files are shared out
// among the processor's cores; what they gave comes back in listing order.
QVector<FichierLu> lireTous(const QVector<std::pair<QString, bool>>& fichiers,
                            const Progression& progression) {
    QFuture<FichierLu> lus = QtConcurrent::mapped(
        fichiers, [](const std::pair<QString, bool>& f) { return lireFichier(f.first, f.second); });
    while (progression && !lus.isFinished()) {
        progression(lus.progressValue(), fichiers.size());
        QThread::msleep(100);
    }
    return lus.results();
}

class Collecte {
public:
    void lister(const QString& chemin) {
        const QFileInfo info(chemin);
        if (info.isFile()) return retenir(info);
        if (!info.isDir()) {
            r_.erreurs
                << QStringLiteral("%1 : dossier introuvable").arg(QDir::toNativeSeparators(chemin));
            return;
        }
        QDirIterator it(chemin, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) retenir(it.nextFileInfo());
    }

    Releve terminer(const Progression& progression) {
        for (FichierLu& lu : lireTous(fichiers_, progression)) garder(lu);
        trier();
        for (int i = 0; i < r_.journaux.size(); ++i) {
            const Journal::JournalLu& j = r_.journaux[i];
            r_.indexJournaux.insert(cleRattachement(j), i);
            if (!j.titre.isEmpty()) r_.titres.insert(j.questionnaire.toUpper(), j.titre);
        }
        for (const EssaiLu& e : std::as_const(r_.essais))
            if (r_.titre(e.questionnaire).isEmpty())
                r_.titres.insert(e.questionnaire.toUpper(), titres_.titre(e));
        if (r_.essais.isEmpty() && r_.journaux.isEmpty() && r_.erreurs.isEmpty())
            r_.erreurs << QStringLiteral("aucun fichier de résultats trouvé");
        return std::move(r_);
    }

private:
    void retenir(const QFileInfo& f) {
        if (f.suffix().compare("rst", Qt::CaseInsensitive) == 0)
            fichiers_.push_back({f.filePath(), false});
        else if (estJournal(f))
            fichiers_.push_back({f.filePath(), true});
    }

    void garder(FichierLu& lu) {
        if (!lu.erreur.isEmpty()) r_.erreurs << lu.erreur;
        if (lu.journal) r_.erreurs << lu.journal->erreurs;
        if (lu.journal) garderJournal(std::move(*lu.journal));
        r_.erreurs << lu.resultats.erreurs;
        for (EssaiLu& e : lu.resultats.essais) {
            const QString cle = cleEssai(e);
            if (vus_.contains(cle)) continue;
            vus_.insert(cle);
            r_.essais << std::move(e);
        }
    }

    // Of two copies of one journal, the longer: one may have been copied
    // while the attempt was running.
    void garderJournal(Journal::JournalLu j) {
        const QString cleJournal = cleRattachement(j) + j.debut.toString(Qt::ISODate);
        const auto trouve = journaux_.constFind(cleJournal);
        if (trouve == journaux_.constEnd()) {
            journaux_.insert(cleJournal, r_.journaux.size());
            r_.journaux << std::move(j);
            return;
        }
        Journal::JournalLu& garde = r_.journaux[*trouve];
        if (j.reponses.size() + j.termine > garde.reponses.size() + garde.termine)
            garde = std::move(j);
    }

    void trier() { TrierEssais(r_.essais); }

    Releve r_;
    QVector<std::pair<QString, bool>> fichiers_;  // path, and whether a journal
    QSet<QString> vus_;
    QHash<QString, int> journaux_;
    Titres titres_;
};

}  // namespace

// Text a spreadsheet would take for a formula is kept as text.
QString ProtegerFormule(const QString& texte) {
    static const QString debutsFormule = QStringLiteral("=+-@\t\r");
    return !texte.isEmpty() && debutsFormule.contains(texte[0]) ? '\'' + texte : texte;
}

QString ChampCsv(const QString& texte) {
    if (!texte.contains(';') && !texte.contains('"') && !texte.contains('\n') &&
        !texte.contains('\r'))
        return texte;
    return '"' + QString(texte).replace('"', "\"\"") + '"';
}

int Releve::codeSortie() const {
    if (erreurs.isEmpty()) return 0;
    return essais.isEmpty() && journaux.isEmpty() ? 2 : 1;
}

Releve Rassembler(const QStringList& chemins, const Progression& progression) {
    Collecte collecte;
    for (const QString& chemin : chemins) collecte.lister(chemin);
    return collecte.terminer(progression);
}

const Journal::JournalLu* JournalDe(const Releve& r, const EssaiLu& e) {
    const auto trouve = r.indexJournaux.constFind(
        cleRattachement(e.questionnaire, e.identifiant, e.classe, e.numero, e.date));
    return trouve == r.indexJournaux.constEnd() ? nullptr : &r.journaux[*trouve];
}

QVector<LigneEssai> LignesEssais(const Releve& r) {
    QVector<LigneEssai> lignes;
    lignes.reserve(r.essais.size());
    QSet<const Journal::JournalLu*> rattaches;
    for (const EssaiLu& e : r.essais) {
        const Journal::JournalLu* j = JournalDe(r, e);
        if (j) rattaches.insert(j);
        lignes.push_back(
            {&e, j, e.questionnaire, e.identifiant, e.classe, e.numero, e.date, e.heure});
    }
    const qsizetype enregistres = lignes.size();
    for (const Journal::JournalLu& j : r.journaux)
        if (!rattaches.contains(&j))
            lignes.push_back({nullptr, &j, j.questionnaire, j.identifiant, j.classe, j.essai,
                              j.debut.date(), j.debut.time()});
    // The records came sorted: only the journals without one need placing.
    if (lignes.size() > enregistres) TrierEssais(lignes);
    return lignes;
}

QString Compte(qsizetype nombre, const QString& singulier, const QString& pluriel) {
    return QString::number(nombre) + ' ' + (nombre > 1 ? pluriel : singulier);
}

QByteArray TexteCsv(const Releve& r) {
    QString texte = QStringLiteral(
        "questionnaire;titre;identifiant;classe;essai;date;heure;traitees;"
        "questions;justes;fausses;nulles;note;note_sur_4;complet\r\n");
    for (const LigneEssai& l : LignesEssais(r)) {
        QStringList champs{ProtegerFormule(l.questionnaire),
                           ProtegerFormule(r.titre(l.questionnaire)),
                           ProtegerFormule(l.identifiant),
                           ProtegerFormule(l.classe),
                           QString::number(l.numero),
                           l.date.toString(Qt::ISODate),
                           l.heure.toString(QStringLiteral("HH:mm:ss"))};
        if (const EssaiLu* e = l.essai) {
            champs << QString::number(e->traitees) << QString::number(e->questions)
                   << QString::number(e->justes) << QString::number(e->fausses)
                   << QString::number(e->nulles) << e->note << e->noteSurQuatre
                   << (e->complet() ? QStringLiteral("oui") : QStringLiteral("non"));
        } else {
            const Journal::Decompte d = Journal::Decompter(*l.journal);
            champs << QString::number(l.journal->reponses.size())
                   << QString::number(l.journal->questions) << QString::number(d.justes)
                   << QString::number(d.fausses) << QString::number(d.nulles) << QString()
                   << QString() << QStringLiteral("non");
        }
        QStringList cellules;
        for (const QString& c : champs) cellules << ChampCsv(c);
        texte += cellules.join(';') + "\r\n";
    }
    return "\xEF\xBB\xBF" + texte.toUtf8();
}

}  // namespace Resultats
