#include "noyau/echange/gift.h"

#include <QFileInfo>

namespace Echange {

namespace {

// While the structure is read, escaped characters stand in a private-use
// range, so that "\{" or "\=" are never taken for markers.
const QString Speciaux = QStringLiteral("~=#{}:\\");
constexpr char16_t Masque = 0xF700;

QString masquer(const QString& texte) {
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar suivant = i + 1 < texte.size() ? texte[i + 1] : QChar();
        if (texte[i] == '\\' && Speciaux.contains(suivant)) {
            resultat += QChar(char16_t(Masque + Speciaux.indexOf(suivant)));
            ++i;
        } else if (texte[i] == '\\' && suivant == 'n') {
            resultat += ' ';
            ++i;
        } else {
            resultat += texte[i];
        }
    }
    return resultat;
}

QString demasquer(QString texte) {
    for (QChar& c : texte)
        if (c.unicode() >= Masque && c.unicode() < Masque + Speciaux.size())
            c = Speciaux[c.unicode() - Masque];
    return texte;
}

enum class Balisage { Html, Brut };

// A leading "[html]", "[markdown]"... is the text's format, not its content.
Balisage retirerFormat(QString& texte) {
    static const QStringList formats{"[html]", "[moodle]", "[plain]", "[markdown]"};
    const QString debut = texte.trimmed();
    for (const QString& f : formats)
        if (debut.startsWith(f)) {
            texte = debut.mid(f.size());
            return f == "[plain]" || f == "[markdown]" ? Balisage::Brut : Balisage::Html;
        }
    return Balisage::Html;
}

QString texte(const QString& masque, Balisage b) {
    return b == Balisage::Brut ? UneLigne(demasquer(masque)) : TexteBrut(demasquer(masque));
}

struct Bloc {
    QString texte;  // escapes masked, lines joined by '\n'
    QString categorie;
    int ligne = 0;
};

QVector<Bloc> blocs(const QString& fichier, const QString& nomFichier) {
    QVector<Bloc> liste;
    QString categorie = nomFichier;
    Bloc courant;
    auto finir = [&] {
        if (!courant.texte.trimmed().isEmpty()) liste << courant;
        courant = {{}, categorie, 0};
    };
    courant.categorie = categorie;
    const QStringList lignes =
        QString(fichier).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    for (int i = 0; i < lignes.size(); ++i) {
        const QString ligne = lignes[i].trimmed();
        if (ligne.startsWith("//")) continue;
        if (ligne.isEmpty()) {
            finir();
        } else if (ligne.startsWith("$CATEGORY:")) {
            finir();
            const QString nom = DernierePartie(ligne.mid(10).trimmed());
            categorie = nom.isEmpty() ? nomFichier : nom;
            courant.categorie = categorie;
        } else {
            if (courant.texte.isEmpty()) courant.ligne = i + 1;
            courant.texte += masquer(lignes[i]) + '\n';
        }
    }
    finir();
    return liste;
}

qsizetype prochaineMarque(const QString& texte, qsizetype depuis) {
    for (qsizetype i = depuis; i < texte.size(); ++i)
        if (texte[i] == '=' || texte[i] == '~') return i;
    return -1;
}

struct Reponse {
    QChar marque;
    double poids = 0;
    QString texte;
};

// The answers between the braces; nothing when they cannot be read.
std::optional<QVector<Reponse>> reponses(const QString& masque) {
    QVector<Reponse> liste;
    qsizetype i = prochaineMarque(masque, 0);
    if (i < 0 || !masque.left(i).trimmed().isEmpty()) return std::nullopt;
    while (i >= 0 && i < masque.size()) {
        const qsizetype suivant = prochaineMarque(masque, i + 1);
        Reponse r{masque[i], masque[i] == '=' ? 100.0 : 0.0,
                  masque.mid(i + 1, suivant < 0 ? -1 : suivant - i - 1).trimmed()};
        if (r.texte.startsWith('%')) {
            const qsizetype fin = r.texte.indexOf('%', 1);
            bool ok = false;
            if (fin > 0) r.poids = r.texte.mid(1, fin - 1).replace(',', '.').toDouble(&ok);
            if (!ok) return std::nullopt;
            r.texte = r.texte.mid(fin + 1);
        }
        r.texte = r.texte.section('#', 0, 0);  // the feedback is not the answer
        liste << r;
        i = suivant;
    }
    return liste;
}

// One question; a reason in French when the file is broken there.
// What the answers between the braces make of the question: kept when it is
// a multiple choice or true/false one, else skipped with the reason.
void retenirSelonGenre(LectureBanque& l, Banque& banque, Question q, QString interieur, Balisage b,
                       const QString& designation) {
    interieur = interieur.trimmed();
    const QString vraiFaux = interieur.section('#', 0, 0).trimmed();
    if (interieur.isEmpty()) {
        Ignorer(l, designation, "question ouverte, à réponse rédigée");
    } else if (interieur.startsWith('#')) {
        Ignorer(l, designation, "question numérique");
    } else if (QStringList{"T", "TRUE", "F", "FALSE"}.contains(vraiFaux)) {
        const bool vrai = vraiFaux.startsWith('T');
        q.reponses = {"Vrai", "Faux"};
        q.justes = {vrai, !vrai};
        Retenir(l, banque, q, designation);
    } else if (const auto liste = reponses(interieur); !liste) {
        Ignorer(l, designation, "réponses illisibles");
    } else if (std::any_of(liste->begin(), liste->end(),
                           [](const Reponse& r) { return r.texte.contains("->"); })) {
        Ignorer(l, designation, "question d'appariement");
    } else if (std::none_of(liste->begin(), liste->end(),
                            [](const Reponse& r) { return r.marque == '~'; })) {
        Ignorer(l, designation, "question à réponse courte, sans choix proposés");
    } else {
        QVector<double> poids;
        for (const Reponse& r : *liste) {
            QString t = r.texte;
            q.reponses << texte(t, retirerFormat(t) == Balisage::Brut ? Balisage::Brut : b);
            poids << r.poids;
        }
        bool partielle = false;
        q.justes = Justes(poids, &partielle);
        const auto avant = banque.questions.size();
        Retenir(l, banque, q, designation);
        if (partielle && banque.questions.size() > avant) Partielle(l, designation);
    }
}

QString lireBloc(const Bloc& bloc, LectureBanque& l) {
    QString t = bloc.texte.trimmed();
    QString nom;
    if (t.startsWith("::")) {
        const qsizetype fin = t.indexOf("::", 2);
        if (fin < 0)
            return QString("ligne %1 : nom de question « :: » jamais refermé").arg(bloc.ligne);
        nom = UneLigne(demasquer(t.mid(2, fin - 2)));
        t = t.mid(fin + 2);
    }
    const qsizetype ouvre = t.indexOf('{');
    const qsizetype ferme = t.indexOf('}', ouvre + 1);
    if (ouvre >= 0 && ferme < 0)
        return QString("ligne %1 : accolade « { » sans accolade « } »").arg(bloc.ligne);
    if (t.indexOf('{', ouvre + 1) >= 0 || (ferme >= 0 && t.lastIndexOf('}') != ferme))
        return QString(
                   "ligne %1 : accolades mal appariées (manque-t-il une ligne vide entre "
                   "deux questions ?)")
            .arg(bloc.ligne);
    QString enonce = ouvre < 0 ? t : t.left(ouvre);
    const Balisage b = retirerFormat(enonce);
    const QString apres = ouvre < 0 ? QString() : t.mid(ferme + 1);
    Question q;
    q.texte = texte(apres.trimmed().isEmpty() ? enonce : enonce + "_____" + apres, b);
    const QString designation = Designation(nom, q.texte);
    if (ouvre < 0) {
        Ignorer(l, designation, "description sans réponses");
        return {};
    }
    QString interieur = t.mid(ouvre + 1, ferme - ouvre - 1);
    if (const qsizetype general = interieur.indexOf("####"); general >= 0) {
        q.commentaire = texte(interieur.mid(general + 4), b);
        interieur.truncate(general);
    }
    retenirSelonGenre(l, BanqueNommee(l, bloc.categorie), q, interieur, b, designation);
    return {};
}

// Escapes for a text written after "[html]".
QString echapper(const QString& texte) {
    QString html = texte.toHtmlEscaped();
    // A leading '[' or '%' would read as a format or a weight.
    if (html.startsWith('[')) html.replace(0, 1, "&#91;");
    if (html.startsWith('%')) html.replace(0, 1, "&#37;");
    QString resultat;
    for (const QChar c : html) {
        if (Speciaux.contains(c)) resultat += '\\';
        resultat += c;
    }
    return resultat;
}

}  // namespace

bool Gift::reconnait(const QString& texte) const {
    return texte.contains('{') || texte.contains("$CATEGORY:");
}

LectureBanque Gift::lire(const QByteArray& octets, const QString& nomFichier) const {
    LectureBanque l;
    for (const Bloc& bloc : blocs(Decoder(octets), QFileInfo(nomFichier).completeBaseName())) {
        if (const QString erreur = lireBloc(bloc, l); !erreur.isEmpty()) return {{}, {}, 0, erreur};
    }
    l.banques.removeIf([](const Banque& b) { return b.questions.isEmpty(); });
    return l;
}

QByteArray Gift::ecrire(const QVector<Banque>& banques, QStringList* remarques) const {
    QString texte;
    for (const Banque& b : banques) {
        if (!b.images.isEmpty())
            *remarques << QString("%1 : GIFT ne porte pas d'images, elles restent à part")
                              .arg(b.categorie);
        texte += "$CATEGORY: $course$/top/" + QString(b.categorie).replace("/", "//") + "\n\n";
        for (int i = 0; i < b.questions.size(); ++i) {
            const Question& q = b.questions[i];
            texte += QString("::Q%1::[html]%2{\n").arg(i + 1).arg(echapper(q.texte));
            const QVector<double> poids = Poids(q.justes);
            const bool seule = q.justes.count(true) == 1;
            for (int k = 0; k < q.reponses.size(); ++k) {
                const QString marque =
                    seule ? (q.justes[k] ? "=" : "~") : "~%" + TextePoids(poids[k]) + "%";
                texte += "\t" + marque + echapper(q.reponses[k]) + "\n";
            }
            if (!q.commentaire.isEmpty()) texte += "\t####" + echapper(q.commentaire) + "\n";
            texte += "}\n\n";
        }
    }
    return texte.toUtf8();
}

}  // namespace Echange
