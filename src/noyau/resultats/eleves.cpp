#include "noyau/resultats/eleves.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/resultats/ordre.h"

#include <QSet>

#include <algorithm>
#include <climits>
#include <numeric>

namespace Resultats {

namespace {

// The fields of one CSV line, quotes undone.
QStringList champs(const QString& ligne, QChar separateur) {
    QStringList liste{QString()};
    bool guillemets = false;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        const QChar c = ligne[i];
        if (c == '"' && guillemets && i + 1 < ligne.size() && ligne[i + 1] == '"')
            liste.back() += c, ++i;
        else if (c == '"')
            guillemets = !guillemets;
        else if (c == separateur && !guillemets)
            liste << QString();
        else
            liste.back() += c;
    }
    return liste;
}

// "Prénom " and "prenom" name the same column.
QString nomColonne(const QString& texte) {
    QString nom;
    for (const QChar c : texte.normalized(QString::NormalizationForm_D))
        if (c.isLetter()) nom += c.toLower();
    return nom;
}

int distance(const QString& a, const QString& b) {
    QVector<int> avant(b.size() + 1), ligne(b.size() + 1);
    std::iota(avant.begin(), avant.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        ligne[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= b.size(); ++j)
            ligne[j] = std::min(
                {avant[j] + 1, ligne[j - 1] + 1, avant[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(avant, ligne);
    }
    return avant[b.size()];
}

// When an attempt was made: records of several days may share a number.
auto moment(const EssaiLu* e) { return std::tuple{e->date, e->heure, e->numero}; }

// Whether the complete attempt `e` gives the mark rather than `garde`, the
// first of equals keeping it.
bool prefere(const EssaiLu* e, const EssaiLu* garde, RegleEssai regle) {
    if (!garde) return true;
    switch (regle) {
    case RegleEssai::Premier: return moment(e) < moment(garde);
    case RegleEssai::Dernier: return moment(garde) < moment(e);
    case RegleEssai::Meilleur: break;
    }
    return *e->valeurNote != *garde->valeurNote ? *garde->valeurNote < *e->valeurNote
                                                : moment(e) < moment(garde);
}

// A pupil at a questionnaire: a million attempts, so a hash rather than a
// text for a key.
size_t cleEleve(const QString& questionnaire, const QString& identifiant, const QString& classe) {
    return HashNoms({questionnaire, QStringView(identifiant).trimmed(), classe});
}

bool memeEleve(const NoteEleve& n, const QString& questionnaire, const QString& identifiant,
               const QString& classe) {
    return n.questionnaire.compare(questionnaire, Qt::CaseInsensitive) == 0 &&
           QStringView(n.identifiant)
                   .trimmed()
                   .compare(QStringView(identifiant).trimmed(), Qt::CaseInsensitive) == 0 &&
           n.classe.compare(classe, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::optional<RegleEssai> LireRegle(const QString& mot) {
    if (mot == "premier") return RegleEssai::Premier;
    if (mot == "meilleur") return RegleEssai::Meilleur;
    if (mot == "dernier") return RegleEssai::Dernier;
    return std::nullopt;
}

QString CleIdentifiant(const QString& identifiant) { return identifiant.trimmed().toUpper(); }

const Inscrit* ListeClasse::trouver(const QString& identifiant) const {
    const auto i = index.constFind(CleIdentifiant(identifiant));
    return i == index.constEnd() ? nullptr : &inscrits[*i];
}

QString ListeClasse::plusProche(const QString& identifiant) const {
    const QString cle = CleIdentifiant(identifiant);
    const Inscrit* proche = nullptr;
    int meilleure = INT_MAX;
    for (const Inscrit& i : inscrits)
        if (const int d = distance(cle, CleIdentifiant(i.identifiant)); d < meilleure)
            meilleure = d, proche = &i;
    return proche ? proche->identifiant : QString();
}

std::optional<ListeClasse> LireListe(const QByteArray& octets, QString* erreur) {
    Fichiers::LignesTexte lignes(octets);
    const QString entete = lignes.suivante().value_or(QString());
    const QChar separateur = entete.contains(';') ? ';' : ',';
    QHash<QString, int> colonnes;
    const QStringList noms = champs(entete, separateur);
    for (int c = 0; c < noms.size(); ++c) colonnes.insert(nomColonne(noms[c]), c);
    if (!colonnes.contains("identifiant")) {
        if (erreur)
            *erreur = QStringLiteral(
                "la première ligne doit nommer les colonnes, dont « identifiant » "
                "(identifiant;nom;prenom;classe)");
        return std::nullopt;
    }
    ListeClasse liste;
    while (const auto ligne = lignes.suivante()) {
        const QStringList c = champs(*ligne, separateur);
        const auto valeur = [&](const char* nom) {
            const int i = colonnes.value(nom, -1);
            return i >= 0 && i < c.size() ? c[i].trimmed() : QString();
        };
        Inscrit inscrit{valeur("identifiant"), valeur("nom"), valeur("prenom"), valeur("classe")};
        const QString cle = CleIdentifiant(inscrit.identifiant);
        if (cle.isEmpty() || liste.index.contains(cle)) continue;
        liste.index.insert(cle, liste.inscrits.size());
        liste.inscrits << inscrit;
    }
    return liste;
}

QVector<NoteEleve> NotesEleves(const Releve& r, RegleEssai regle, const ListeClasse* liste) {
    QVector<NoteEleve> notes;
    QMultiHash<size_t, int> index;
    QVector<const LigneEssai*> retenues;    // by pupil, the attempt giving the mark
    QHash<QString, QSet<QString>> classes;  // by questionnaire, the classes that took it
    QSet<QString> vus;                      // questionnaire and listed pupil
    const auto eleve = [&](const LigneEssai& l, const Inscrit* inscrit, const QString& classe) {
        const size_t cle = cleEleve(l.questionnaire(), l.identifiant(), classe);
        for (auto i = index.constFind(cle); i != index.constEnd() && i.key() == cle; ++i)
            if (memeEleve(notes[*i], l.questionnaire(), l.identifiant(), classe)) return *i;
        index.insert(cle, notes.size());
        notes.push_back(
            {l.questionnaire(), inscrit ? inscrit->identifiant : l.identifiant(), classe, inscrit});
        retenues.push_back(nullptr);
        return static_cast<int>(notes.size() - 1);
    };
    for (const LigneEssai& l : r.lignes) {
        const Inscrit* inscrit = liste ? liste->trouver(l.identifiant()) : nullptr;
        const QString classe = inscrit ? inscrit->classe : l.classe();
        const QString q = l.questionnaire().toUpper();
        if (liste) classes[q].insert(classe.toUpper());
        if (inscrit) vus.insert(q + '\n' + CleIdentifiant(inscrit->identifiant));
        const int n = eleve(l, inscrit, classe);
        ++notes[n].essais;
        if (l.journal) notes[n].journal = l.journal;
        const EssaiLu* garde = retenues[n] ? retenues[n]->essai : nullptr;
        if (l.complet() && prefere(l.essai, garde, regle)) retenues[n] = &l;
    }
    for (int n = 0; n < notes.size(); ++n)
        if (const LigneEssai* l = retenues[n])
            notes[n].retenu = l->essai, notes[n].journal = l->journal;
    if (liste) {
        QVector<NoteEleve> absents;
        for (const NoteEleve& n : std::as_const(notes)) {
            const QString q = n.questionnaire.toUpper();
            if (!vus.contains(q + "\n!")) {
                vus.insert(q + "\n!");
                for (const Inscrit& i : liste->inscrits)
                    if (classes[q].contains(i.classe.toUpper()) &&
                        !vus.contains(q + '\n' + CleIdentifiant(i.identifiant)))
                        absents.push_back({n.questionnaire, i.identifiant, i.classe, &i});
            }
        }
        notes << absents;
    }
    TrierParEleve(notes, [](const NoteEleve&) { return 0; });
    return notes;
}

Moyennes CalculerMoyennes(QVector<double> notes) {
    if (notes.isEmpty()) return {};
    std::sort(notes.begin(), notes.end());
    double somme = 0;
    for (double n : notes) somme += n;
    const qsizetype m = notes.size() / 2;
    return {static_cast<int>(notes.size()), somme / notes.size(),
            notes.size() % 2 ? notes[m] : (notes[m - 1] + notes[m]) / 2};
}

void EcrireNotes(QTextStream& texte, const QVector<NoteEleve>& notes) {
    texte.setGenerateByteOrderMark(true);
    texte << QStringLiteral("identifiant;nom;prenom;classe;questionnaire;note;essai\r\n");
    for (const NoteEleve& n : notes) {
        const auto note = n.note();
        const QStringList champs{ProtegerFormule(n.identifiant),
                                 ProtegerFormule(n.inscrit ? n.inscrit->nom : QString()),
                                 ProtegerFormule(n.inscrit ? n.inscrit->prenom : QString()),
                                 ProtegerFormule(n.classe),
                                 ProtegerFormule(n.questionnaire),
                                 note ? Formats::francais().toString(*note, 'g', 6) : QString(),
                                 n.retenu ? QString::number(n.retenu->numero) : QString()};
        texte << LigneCsv(champs);
    }
}

}  // namespace Resultats
