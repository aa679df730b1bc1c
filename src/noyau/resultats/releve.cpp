#include "noyau/resultats/releve.h"

#include "noyau/questionnaire/chargement.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/resultats/ordre.h"

#include <QBuffer>
#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <memory>

namespace Resultats {

namespace {

bool memeNom(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Same questionnaire, pupil and class, whatever the case: a record, a
// journal or a copy of either.
template <typename A, typename B>
bool memesNoms(const A& a, const B& b) {
    return memeNom(a.questionnaire, b.questionnaire) && memeNom(a.identifiant, b.identifiant) &&
           memeNom(a.classe, b.classe);
}

// The attempt a journal belongs to, whatever the case of its names. Keys
// are hashes rather than texts: a million texts would take hundreds of
// megabytes.
size_t cleRattachement(const QString& questionnaire, const QString& identifiant,
                       const QString& classe, int essai, const QDate& jour) {
    return qHashMulti(HashNoms({questionnaire, identifiant, classe}), essai, jour.toJulianDay());
}

size_t cleRattachement(const JournalGarde& j) {
    return cleRattachement(j.questionnaire, j.identifiant, j.classe, j.essai, j.debut.date());
}

bool rattache(const JournalGarde& j, const EssaiLu& e) {
    return memesNoms(j, e) && j.essai == e.numero && j.debut.date() == e.date;
}

// Two copies of one record: from several machines, or copied twice.
size_t cleEssai(const EssaiLu& e) {
    return qHashMulti(HashNoms({e.questionnaire, e.identifiant, e.classe}), e.numero, e.texteDate,
                      e.heure.msecsSinceStartOfDay(), e.note, e.traitees, e.questions, e.justes,
                      e.fausses, e.nulles);
}

bool memeEssai(const EssaiLu& a, const EssaiLu& b) {
    return memesNoms(a, b) && a.numero == b.numero && a.texteDate == b.texteDate &&
           a.heure == b.heure && a.note == b.note && a.traitees == b.traitees &&
           a.questions == b.questions && a.justes == b.justes && a.fausses == b.fausses &&
           a.nulles == b.nulles;
}

bool estJournal(const QFileInfo& f) {
    return f.suffix().compare("jsonl", Qt::CaseInsensitive) == 0 &&
           f.dir().dirName().compare(Journal::DossierEssais, Qt::CaseInsensitive) == 0;
}

// The title in the questionnaire file of a folder holding results.
QString titreDuDossier(const QString& dossier, const QString& questionnaire) {
    const QString dat = CheminDat(dossier, questionnaire);
    Lecture l;
    const CheminsQuestionnaire chemins = CheminsDuFichier(dossier, dat);
    return LireQuestions(l, chemins, SourceFichiers::disque().lire(dat)).isEmpty()
               ? l.questionnaire.titre
               : QString();
}

// One copy of each name: a class's names come back in every attempt.
class Noms {
public:
    QString garder(const QString& nom) {
        const auto trouve = noms_.constFind(nom);
        if (trouve != noms_.constEnd()) return *trouve;
        noms_.insert(nom);
        return nom;
    }

private:
    QSet<QString> noms_;
};

// The files to read, listed before any is read. A year's million and a
// half paths would take hundreds of megabytes as texts: the names of a
// folder share one block.
class ListeFichiers {
public:
    struct Entree {
        qint32 dossier, debut, taille;
        bool journal;
    };

    void ajouter(const QFileInfo& f, bool journal) {
        const QString dossier = f.path();
        if (dossiers_.isEmpty() || dossiers_.back() != dossier) dossiers_ << dossier, noms_ << "";
        const QByteArray nom = QFile::encodeName(f.fileName());
        entrees_.push_back({static_cast<qint32>(dossiers_.size() - 1),
                            static_cast<qint32>(noms_.back().size()),
                            static_cast<qint32>(nom.size()), journal});
        noms_.back() += nom;
    }
    const QVector<Entree>& entrees() const { return entrees_; }
    QString chemin(const Entree& e) const {
        return dossiers_[e.dossier] + '/' +
               QFile::decodeName(noms_[e.dossier].mid(e.debut, e.taille));
    }

private:
    QStringList dossiers_;
    QVector<QByteArray> noms_;  // by folder, its files' names end to end
    QVector<Entree> entrees_;
};

// What one file gave: the records of a results file, or a journal.
// Made ready on the reader's thread, keys included, so that little is left
// for the one thread that gathers the files in order.
struct FichierLu {
    QString chemin;
    QStringList erreurs;
    QVector<std::pair<EssaiLu, size_t>> essais;  // and their keys, see cleEssai
    std::optional<JournalGarde> journal;
    QString titre;          // the journal's
    size_t cleJournal = 0;  // by attempt and start
};

FichierLu lireFichier(const QString& chemin, bool journal) {
    FichierLu lu{chemin};
    if (!journal) {
        LectureResultats lus = LireFichierResultats(chemin);
        lu.erreurs = std::move(lus.erreurs);
        for (EssaiLu& e : lus.essais) {
            const size_t cle = cleEssai(e);
            lu.essais.push_back({std::move(e), cle});
        }
        return lu;
    }
    QString erreur;
    const auto j = Journal::LireFichierJournal(chemin, &erreur, Journal::Textes::Omis);
    if (!j) return lu.erreurs << erreur, lu;
    lu.erreurs = j->erreurs;
    lu.titre = j->titre;
    lu.journal = JournalGarde::De(*j);
    lu.cleJournal = qHashMulti(cleRattachement(*lu.journal), lu.journal->debut);
    return lu;
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
        lireTous(progression);
        TrierParEleve(r_.essais, [](const EssaiLu& e) {
            return std::tuple{e.numero, e.date, e.heure};
        });
        titresDesDossiers();
        r_.lignes = LignesEssais(r_);
        if (r_.essais.isEmpty() && r_.journaux.isEmpty() && r_.erreurs.isEmpty())
            r_.erreurs << QStringLiteral("aucun fichier de résultats trouvé");
        return std::move(r_);
    }

private:
    void retenir(const QFileInfo& f) {
        if (f.suffix().compare("rst", Qt::CaseInsensitive) == 0)
            fichiers_.ajouter(f, false);
        else if (estJournal(f))
            fichiers_.ajouter(f, true);
    }

    // Each file is read and parsed on its own, so the files are shared out
    // among the processor's cores; what they gave is kept in listing order
    // as it comes, so that a file's text is let go once it is read.
    void lireTous(const Progression& progression) {
        // Reading waits on the disk or the network share: more readers than
        // cores keep the cores busy.
        QThreadPool lecteurs;
        lecteurs.setMaxThreadCount(2 * QThread::idealThreadCount());
        QFuture<int> lus = QtConcurrent::mappedReduced<int>(
            &lecteurs, fichiers_.entrees(),
            [this](const ListeFichiers::Entree& f) {
                return lireFichier(fichiers_.chemin(f), f.journal);
            },
            [this](int&, const FichierLu& lu) { garder(lu); }, QtConcurrent::OrderedReduce);
        while (progression && !lus.isFinished()) {
            progression(lus.progressValue(), fichiers_.entrees().size());
            QThread::msleep(100);
        }
        lus.waitForFinished();
    }

    void garder(const FichierLu& lu) {
        r_.erreurs << lu.erreurs;
        if (lu.journal) garderJournal(*lu.journal, lu);
        const QString dossier = QFileInfo(lu.chemin).path();
        for (const auto& [e, cle] : lu.essais) garderEssai(e, cle, dossier);
    }

    void garderEssai(EssaiLu e, size_t cle, const QString& dossier) {
        for (auto i = vus_.constFind(cle); i != vus_.constEnd() && i.key() == cle; ++i)
            if (memeEssai(r_.essais[*i], e)) return;
        vus_.insert(cle, r_.essais.size());
        for (QString* nom :
             {&e.questionnaire, &e.identifiant, &e.classe, &e.note, &e.noteSurQuatre, &e.texteDate})
            *nom = noms_.garder(*nom);
        QStringList& dossiers = dossiers_[e.questionnaire.toUpper()];
        if (!dossiers.contains(dossier)) dossiers << dossier;
        r_.essais << std::move(e);
    }

    // Of two copies of one journal, the longer: one may have been copied
    // while the attempt was running.
    void garderJournal(JournalGarde j, const FichierLu& lu) {
        const QString questionnaire = j.questionnaire.toUpper();
        if (!lu.titre.isEmpty()) r_.titres.insert(questionnaire, lu.titre);
        garderTextes(r_.textes[questionnaire], j, lu.chemin);
        for (QString* nom : {&j.questionnaire, &j.identifiant, &j.classe})
            *nom = noms_.garder(*nom);
        const size_t cle = lu.cleJournal;
        for (auto i = copies_.constFind(cle); i != copies_.constEnd() && i.key() == cle; ++i) {
            JournalGarde& garde = r_.journaux[*i];
            if (!memeCopie(garde, j)) continue;
            if (j.reponses.size() + j.termine > garde.reponses.size() + garde.termine)
                garde = std::move(j);
            return;
        }
        copies_.insert(cle, r_.journaux.size());
        r_.journaux << std::move(j);
    }

    // The texts of the questions this journal answers that are still
    // missing, read again from its file: a year's million journals are
    // first read without them.
    static void garderTextes(QMap<int, TextesQuestion>& textes, const JournalGarde& j,
                             const QString& chemin) {
        const auto manque = [&](const ReponseGardee& r) {
            const auto t = textes.constFind(r.numero);
            return t == textes.cend() || t->intitule.isEmpty() ||
                   t->reponses.size() < std::min<int>(r.choix, MaxCreneaux);
        };
        if (std::none_of(j.reponses.begin(), j.reponses.end(), manque)) return;
        const auto avecTextes = Journal::LireFichierJournal(chemin, nullptr);
        if (!avecTextes) return;
        for (const Journal::ReponseLue& reponse : avecTextes->reponses) {
            TextesQuestion& t = textes[reponse.numero];
            if (t.intitule.isEmpty()) t.intitule = reponse.intitule;
            if (t.reponses.size() < reponse.textes.size()) t.reponses = reponse.textes;
        }
    }

    static bool memeCopie(const JournalGarde& a, const JournalGarde& b) {
        return memesNoms(a, b) && a.essai == b.essai && a.debut == b.debut;
    }

    // For a questionnaire whose journals gave no title, the title in its
    // file beside the records.
    void titresDesDossiers() {
        for (auto q = dossiers_.cbegin(); q != dossiers_.cend(); ++q)
            for (const QString& dossier : q.value()) {
                if (!r_.titres.value(q.key()).isEmpty()) break;
                r_.titres.insert(q.key(), titreDuDossier(dossier, q.key()));
            }
    }

    Releve r_;
    ListeFichiers fichiers_;
    QMultiHash<size_t, int> vus_;           // records kept, see cleEssai
    QMultiHash<size_t, int> copies_;        // journals kept, by attempt and start
    QHash<QString, QStringList> dossiers_;  // by questionnaire, the folders of its records
    Noms noms_;
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

ReponseGardee ReponseGardee::De(const Journal::ReponseLue& r) {
    const auto bits = [](const QVector<int>& numeros) {
        quint16 b = 0;
        for (int k : numeros)
            if (k >= 1 && k <= 16) b |= quint16(1u << (k - 1));
        return b;
    };
    const char verdict = r.verdict == "Vrai" ? 'V' : r.verdict == "Faux" ? 'F' : 'N';
    return {r.numero, bits(r.cochees), bits(r.justes),
            static_cast<quint8>(std::clamp(r.choix, 0, 16)), verdict};
}

JournalGarde JournalGarde::De(const Journal::JournalLu& lu) {
    JournalGarde j{
        lu.questionnaire, lu.identifiant,       lu.classe, lu.essai, lu.questions, lu.debut,
        lu.termine,       lu.resultatsAtteints, lu.note,   {}};
    j.reponses.reserve(lu.reponses.size());
    for (const Journal::ReponseLue& reponse : lu.reponses) j.reponses << ReponseGardee::De(reponse);
    return j;
}

Journal::Decompte JournalGarde::decompte() const {
    Journal::Decompte d;
    for (const ReponseGardee& r : reponses)
        (r.verdict == 'V' ? d.justes : r.verdict == 'F' ? d.fausses : d.nulles) += 1;
    return d;
}

QVector<LigneEssai> LignesEssais(const Releve& r) {
    // The journals by attempt, sorted rather than hashed: a million entries
    // with no allocation each.
    QVector<std::pair<size_t, int>> index;
    index.reserve(r.journaux.size());
    for (int i = 0; i < r.journaux.size(); ++i)
        index.push_back({cleRattachement(r.journaux[i]), i});
    std::sort(index.begin(), index.end());
    // The latest journal kept for the attempt, as a copy read last replaces.
    const auto journalDe = [&](const EssaiLu& e) {
        const size_t cle =
            cleRattachement(e.questionnaire, e.identifiant, e.classe, e.numero, e.date);
        const JournalGarde* trouve = nullptr;
        for (auto i = std::lower_bound(index.cbegin(), index.cend(), std::pair{cle, 0});
             i != index.cend() && i->first == cle; ++i)
            if (const JournalGarde& j = r.journaux[i->second]; rattache(j, e)) trouve = &j;
        return trouve;
    };
    QVector<LigneEssai> lignes;
    lignes.reserve(r.essais.size());
    QVector<bool> rattaches(r.journaux.size());
    for (const EssaiLu& e : r.essais) {
        const JournalGarde* j = journalDe(e);
        if (j) rattaches[j - r.journaux.data()] = true;
        lignes.push_back({&e, j});
    }
    const qsizetype enregistres = lignes.size();
    for (qsizetype i = 0; i < r.journaux.size(); ++i)
        if (const JournalGarde& j = r.journaux[i]; !rattaches[i]) lignes.push_back({nullptr, &j});
    // The records came sorted: only the journals without one need placing.
    if (lignes.size() > enregistres)
        TrierParEleve(lignes, [](const LigneEssai& l) {
            return std::tuple{l.numero(), l.date(), l.heure()};
        });
    return lignes;
}

size_t HashNoms(std::initializer_list<QStringView> noms) {
    size_t h = 0;
    for (const QStringView nom : noms) {
        for (const QChar c : nom) h = h * 31 + c.toCaseFolded().unicode();
        h = h * 31 + 0x1F;
    }
    return h;
}

QString Compte(qsizetype nombre, const QString& singulier, const QString& pluriel) {
    return QString::number(nombre) + ' ' + (nombre > 1 ? pluriel : singulier);
}

void EcrireCsv(QTextStream& texte, const Releve& r) {
    texte.setGenerateByteOrderMark(true);
    texte << QStringLiteral(
        "questionnaire;titre;identifiant;classe;essai;date;heure;traitees;"
        "questions;justes;fausses;nulles;note;note_sur_4;complet\r\n");
    for (const LigneEssai& l : r.lignes) {
        QStringList champs{ProtegerFormule(l.questionnaire()),
                           ProtegerFormule(r.titre(l.questionnaire())),
                           ProtegerFormule(l.identifiant()),
                           ProtegerFormule(l.classe()),
                           QString::number(l.numero()),
                           l.date().toString(Qt::ISODate),
                           l.heure().toString(QStringLiteral("HH:mm:ss"))};
        if (const EssaiLu* e = l.essai) {
            champs << QString::number(e->traitees) << QString::number(e->questions)
                   << QString::number(e->justes) << QString::number(e->fausses)
                   << QString::number(e->nulles) << e->note << e->noteSurQuatre
                   << (e->complet() ? QStringLiteral("oui") : QStringLiteral("non"));
        } else {
            const Journal::Decompte d = l.journal->decompte();
            champs << QString::number(l.journal->reponses.size())
                   << QString::number(l.journal->questions) << QString::number(d.justes)
                   << QString::number(d.fausses) << QString::number(d.nulles) << QString()
                   << QString() << QStringLiteral("non");
        }
        texte << LigneCsv(champs);
    }
}

QString LigneCsv(const QStringList& champs) {
    QStringList cellules;
    for (const QString& c : champs) cellules << ChampCsv(c);
    return cellules.join(';') + "\r\n";
}

QByteArray EnOctets(const std::function<void(QTextStream&)>& ecrire) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QTextStream texte(&tampon);
    ecrire(texte);
    texte.flush();
    return octets;
}

}  // namespace Resultats
