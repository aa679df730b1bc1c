#include "noyau/resultats/rapport.h"

#include "noyau/questionnaire/formats.h"
#include "noyau/resultats/statistiques.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace Resultats {

namespace {

const QString Style = QStringLiteral(R"(
@page { size: A4; margin: 14mm; }
body { font: 10.5pt "DejaVu Sans", Arial, sans-serif; color: #1b1b1b; margin: 0 auto; max-width: 190mm; }
h1 { font-size: 17pt; color: #1f4e79; border-bottom: 2px solid #1f4e79; padding-bottom: 4px; }
h2 { font-size: 14pt; color: #1f4e79; margin: 0 0 6px; }
h2 small { color: #555; font-weight: normal; font-size: 10pt; }
h3 { font-size: 11.5pt; margin: 14px 0 4px; }
section { margin-top: 18px; }
section + section { break-before: page; }
.chiffres { display: flex; flex-wrap: wrap; gap: 6px; margin: 6px 0; }
.chiffres div { border: 1px solid #c8d3de; border-radius: 4px; padding: 4px 9px; background: #f3f6f9; }
.chiffres b { display: block; font-size: 13pt; color: #1f4e79; }
table { border-collapse: collapse; width: 100%; margin: 4px 0 8px; font-size: 9pt; }
th, td { border: 1px solid #c8d3de; padding: 2px 4px; text-align: left; vertical-align: top; }
th { background: #e4ebf2; font-weight: 600; }
td.n { text-align: right; white-space: nowrap; }
tr { break-inside: avoid; }
.remarque { color: #6b4a00; background: #fff6dc; border-left: 3px solid #e0a800; padding: 3px 8px; }
.erreurs { color: #8b0000; }
tr.alerte td { color: #8b0000; border-top: none; font-weight: 600; }
table.questions td:nth-child(2) { width: 34%; }
span.juste, span.fausse { white-space: nowrap; }
span.juste { color: #1e6b40; font-weight: 700; }
span.fausse { color: #555; }
table.grille td.v { text-align: center; font-weight: 700; }
td.juste { color: #1e6b40; } td.fausse { color: #8b0000; } td.nulle { color: #8a6500; }
.legende { color: #555; font-size: 9pt; }
svg text { font: 8.5pt "DejaVu Sans", Arial, sans-serif; }
)");

QString e(const QString& texte) { return texte.toHtmlEscaped(); }
QString nombre(double valeur, int decimales = 1) {
    return Formats::francais().toString(valeur, 'f', decimales);
}
QString pourcent(int partie, int total) {
    return total ? nombre(100.0 * partie / total, 0) + " %" : QStringLiteral("–");
}
QString cellule(const QString& texte, bool numerique = false) {
    return (numerique ? QStringLiteral("<td class=\"n\">") : QStringLiteral("<td>")) + texte +
           "</td>";
}

// Bars of the marks by slices of two points, negative marks apart.
QString histogramme(const QVector<double>& notes) {
    constexpr int Tranches = 11, Largeur = 36, Haut = 110;
    QVector<int> effectifs(Tranches);
    for (double n : notes) ++effectifs[n < 0 ? 0 : 1 + static_cast<int>(std::min(n, 19.0) / 2)];
    const int plus = std::max(1, *std::max_element(effectifs.begin(), effectifs.end()));
    QString svg = QStringLiteral(
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                      "role=\"img\" aria-label=\"Répartition des notes\">")
                      .arg(Tranches * Largeur + 10)
                      .arg(Haut + 34);
    for (int t = 0; t < Tranches; ++t) {
        const int h = effectifs[t] * Haut / plus, x = 5 + t * Largeur;
        const QString tranche =
            t == 0 ? QStringLiteral("&lt; 0") : QStringLiteral("%1–%2").arg(2 * t - 2).arg(2 * t);
        svg +=
            QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"#3b7bbf\"/>")
                .arg(x + 3)
                .arg(14 + Haut - h)
                .arg(Largeur - 6)
                .arg(h);
        if (effectifs[t])
            svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">%3</text>")
                       .arg(x + Largeur / 2)
                       .arg(10 + Haut - h)
                       .arg(effectifs[t]);
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">%3</text>")
                   .arg(x + Largeur / 2)
                   .arg(Haut + 28)
                   .arg(tranche);
    }
    return svg +
           QStringLiteral("<line x1=\"5\" x2=\"%1\" y1=\"%2\" y2=\"%2\" stroke=\"#555\"/></svg>")
               .arg(5 + Tranches * Largeur)
               .arg(14 + Haut);
}

// Right, wrong and null shares of a question as one stacked bar.
QString barre(const StatQuestion& q) {
    QString svg =
        QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"90\" height=\"10\">");
    double x = 0;
    for (const auto& [partie, couleur] :
         {std::pair{q.justes, "#2e8b57"}, std::pair{q.fausses, "#c0392b"},
          std::pair{q.nulles, "#e0a800"}}) {
        const double l = q.reponses ? 90.0 * partie / q.reponses : 0;
        svg += QStringLiteral("<rect x=\"%1\" y=\"0\" width=\"%2\" height=\"10\" fill=\"%3\"/>")
                   .arg(x, 0, 'f', 1)
                   .arg(l, 0, 'f', 1)
                   .arg(couleur);
        x += l;
    }
    return svg + "</svg>";
}

QString etatJournal(const LigneEssai& l) {
    if (!l.journal) return QStringLiteral("absent");
    if (!l.journal->termine) return QStringLiteral("interrompu");
    return l.journal->resultatsAtteints ? QStringLiteral("complet") : QStringLiteral("abandon");
}

// Day and time as "05/12/2026" and "14:03", made by hand: a year's page
// writes millions of them, and a date's format is read anew at each call.
QString deuxChiffres(int n) {
    const QChar chiffres[] = {QChar(u'0' + n / 10 % 10), QChar(u'0' + n % 10)};
    return QString(chiffres, 2);
}
QString jour(const QDate& d) {
    return d.isValid() ? deuxChiffres(d.day()) + '/' + deuxChiffres(d.month()) + '/' +
                             QString::number(d.year())
                       : QString();
}
QString heure(const QTime& t) {
    return t.isValid() ? deuxChiffres(t.hour()) + ':' + deuxChiffres(t.minute()) : QString();
}

QString ligneEssai(const LigneEssai& l) {
    QString tr = "<tr>" + cellule(e(l.identifiant())) + cellule(QString::number(l.numero()), true);
    if (const EssaiLu* s = l.essai) {
        tr += cellule(s->date.isValid() ? jour(s->date) : e(s->texteDate)) +
              cellule(heure(s->heure)) +
              cellule(QStringLiteral("%1 / %2").arg(s->traitees).arg(s->questions), true) +
              cellule(QString::number(s->justes), true) +
              cellule(QString::number(s->fausses), true) +
              cellule(QString::number(s->nulles), true) +
              cellule(s->complet() ? e(s->note) : QStringLiteral("non évaluable"), true);
    } else {
        const JournalGarde& j = *l.journal;
        const Journal::Decompte d = j.decompte();
        tr += cellule(jour(j.debut.date())) + cellule(heure(j.debut.time())) +
              cellule(QStringLiteral("%1 / %2").arg(j.reponses.size()).arg(j.questions), true) +
              cellule(QString::number(d.justes), true) + cellule(QString::number(d.fausses), true) +
              cellule(QString::number(d.nulles), true) +
              cellule(QStringLiteral("sans résultat"), true);
    }
    return tr + cellule(etatJournal(l)) + "</tr>\n";
}

void tableClasse(QTextStream& html, const QString& classe,
                 const QVector<const LigneEssai*>& lignes) {
    html << "<h3>Classe " << e(classe)
         << "</h3>\n<table><tr><th>Identifiant</th><th>Essai</th>"
            "<th>Date</th><th>Heure</th><th>Traitées</th><th>Justes</th><th>Fausses</th>"
            "<th>Nulles</th><th>Note /20</th><th>Journal</th></tr>\n";
    for (const LigneEssai* l : lignes) html << ligneEssai(*l);
    html << "</table>\n";
}

// How often each answer was ticked, the right ones marked.
QString cocheesTexte(const StatQuestion& q) {
    QString texte;
    for (int k = 0; k < q.cochees.size(); ++k) {
        const QString reponse = k < q.textes.size() && !q.textes[k].isEmpty()
                                    ? " « " + e(q.textes[k].left(60)) + " »"
                                    : QString();
        texte += QStringLiteral("<span class=\"%1\">n° %2%3 : %4</span><br>")
                     .arg(q.bonnes[k] ? "juste" : "fausse")
                     .arg(k + 1)
                     .arg(reponse)
                     .arg(q.cochees[k]);
    }
    return texte;
}

QString tableQuestions(const StatQuestionnaire& s) {
    if (s.questions.isEmpty())
        return QStringLiteral(
            "<p class=\"remarque\">Aucun journal d'essai : pas de statistiques par "
            "question.</p>\n");
    QString html = QStringLiteral(
        "<h3>Questions</h3>\n<table class=\"questions\"><tr><th>N°</th><th>Question</th>"
        "<th>Réponses</th><th>Justes</th><th>Fausses</th><th>Nulles</th><th></th>"
        "<th>Discri&shy;mination</th><th>Cochées (<span class=\"juste\">juste</span>, "
        "<span class=\"fausse\">fausse</span>)</th></tr>\n");
    for (const StatQuestion& q : s.questions) {
        const QString intitule = q.intitule.size() > 90 ? q.intitule.left(88) + "…" : q.intitule;
        html +=
            "<tr>" + cellule(QString::number(q.numero), true) + cellule(e(intitule)) +
            cellule(QString::number(q.reponses), true) +
            cellule(pourcent(q.justes, q.reponses), true) +
            cellule(pourcent(q.fausses, q.reponses), true) +
            cellule(pourcent(q.nulles, q.reponses), true) + cellule(barre(q)) +
            cellule(q.discrimination ? nombre(*q.discrimination, 2) : QStringLiteral("–"), true) +
            cellule(cocheesTexte(q)) + "</tr>\n";
        if (!q.alertes.isEmpty())
            html += "<tr class=\"alerte\"><td></td><td colspan=\"8\">Question n° " +
                    QString::number(q.numero) + " à revoir : " + e(q.alertes.join(" ; ")) +
                    "</td></tr>\n";
    }
    return html +
           QStringLiteral(
               "</table>\n<p class=\"legende\">Justes : la facilité de la question, part des "
               "réponses justes (sous 20 %, trop difficile ; au-dessus de 90 %, trop facile). "
               "Discrimination : part de réponses justes "
               "parmi les 27 % "
               "d'essais complets les mieux notés, moins celle des 27 % les moins bien "
               "notés (de −1 à 1 ; "
               "nettement négative, la question trompe les meilleurs) ; « – » sous %1 "
               "essais complets "
               "avec journal.</p>\n")
               .arg(MinimumDiscrimination);
}

const char* nomRegle(RegleEssai regle) {
    switch (regle) {
    case RegleEssai::Meilleur: return "du meilleur essai complet";
    case RegleEssai::Dernier: return "du dernier essai complet";
    case RegleEssai::Premier: break;
    }
    return "du premier essai complet";
}

// A symbol as well as a colour, for black and white prints and
// colour-blind eyes.
const QString& caseGrille(const JournalGarde* j, int numero) {
    static const QString juste = QStringLiteral("<td class=\"v juste\">✓</td>"),
                         fausse = QStringLiteral("<td class=\"v fausse\">✗</td>"),
                         nulle = QStringLiteral("<td class=\"v nulle\">○</td>"),
                         nonTraitee = QStringLiteral("<td class=\"v\">·</td>");
    if (j)
        for (const ReponseGardee& r : j->reponses)
            if (r.numero == numero)
                return r.verdict == 'V' ? juste : r.verdict == 'F' ? fausse : nulle;
    return nonTraitee;
}

using Eleves = QVector<const NoteEleve*>;

QString moyennes(const QString& nom, const Eleves& eleves) {
    QVector<double> notes;
    for (const NoteEleve* n : eleves)
        if (const auto note = n->note()) notes << *note;
    const Moyennes m = CalculerMoyennes(notes);
    return "<tr>" + cellule(nom) + cellule(QString::number(eleves.size()), true) +
           cellule(QString::number(m.notes), true) +
           cellule(m.notes ? nombre(m.moyenne) : QStringLiteral("–"), true) +
           cellule(m.notes ? nombre(m.mediane) : QStringLiteral("–"), true) + "</tr>\n";
}

QString ligneEleve(const StatQuestionnaire& s, const NoteEleve& n, bool noms) {
    QString tr = "<tr>" + cellule(e(n.identifiant));
    if (noms)
        tr += cellule(n.inscrit ? e(n.inscrit->nom) : QString()) +
              cellule(n.inscrit ? e(n.inscrit->prenom) : QString());
    const auto note = n.note();
    tr += cellule(note       ? nombre(*note)
                  : n.essais ? QStringLiteral("non évaluable")
                             : QStringLiteral("aucun essai"),
                  true) +
          cellule(n.retenu ? QString::number(n.retenu->numero) : QString(), true);
    for (const StatQuestion& q : s.questions) tr += caseGrille(n.journal, q.numero);
    return tr + "</tr>\n";
}

// Each pupil's mark and, question by question, how the attempt behind it fared.
void tableEleves(QTextStream& html, const StatQuestionnaire& s, const Eleves& eleves,
                 RegleEssai regle, bool noms) {
    QMap<QString, Eleves> parClasse;
    for (const NoteEleve* n : eleves) parClasse[n->classe] << n;
    html << QStringLiteral(
                "<h3>Notes par élève</h3>\n<p class=\"legende\">La note d'un "
                "élève est celle %1. Grille : ✓ juste, ✗ fausse, ○ sans "
                "réponse, · non traitée.</p>\n<table><tr><th>Classe</th>"
                "<th>Élèves</th><th>Notés</th><th>Moyenne</th><th>Médiane</th>"
                "</tr>\n")
                .arg(nomRegle(regle));
    for (auto c = parClasse.cbegin(); c != parClasse.cend(); ++c)
        html << moyennes(e(c.key()), c.value());
    html << moyennes(QStringLiteral("Ensemble"), eleves) << "</table>\n";
    for (auto c = parClasse.cbegin(); c != parClasse.cend(); ++c) {
        html << "<table class=\"grille\"><tr><th>" << e(c.key()) << "</th>";
        if (noms) html << QStringLiteral("<th>Nom</th><th>Prénom</th>");
        html << QStringLiteral("<th>Note /20</th><th>Essai</th>");
        for (const StatQuestion& q : s.questions) html << "<th>" << q.numero << "</th>";
        html << "</tr>\n";
        for (const NoteEleve* n : c.value()) html << ligneEleve(s, *n, noms);
        html << "</table>\n";
    }
}

// Listed pupils with no attempt at all, and identifiers the list does not know.
QString controleListe(const Releve& r, const ListeClasse& liste) {
    QSet<QString> presents;
    QMap<QString, QString> inconnus;  // by identifier and class, the closest listed one
    for (const LigneEssai& l : r.lignes) {
        if (liste.trouver(l.identifiant()))
            presents.insert(CleIdentifiant(l.identifiant()));
        else
            inconnus.insert(l.identifiant() + " (" + l.classe() + ")",
                            liste.plusProche(l.identifiant()));
    }
    QString html = "<h2>Liste de la classe</h2>\n";
    QStringList absents;
    for (const Inscrit& i : liste.inscrits)
        if (!presents.contains(CleIdentifiant(i.identifiant)))
            absents << e(i.identifiant + " – " + i.nom + " " + i.prenom + " (" + i.classe + ")");
    html += "<p>" + Compte(absents.size(), "élève", "élèves") + " de la liste sans aucun essai" +
            (absents.isEmpty() ? "." : " :") + "</p>\n";
    if (!absents.isEmpty()) html += "<ul><li>" + absents.join("</li><li>") + "</li></ul>\n";
    html += "<p>" + Compte(inconnus.size(), "identifiant", "identifiants") +
            " absents de la liste" + (inconnus.isEmpty() ? "." : " :") + "</p>\n";
    if (!inconnus.isEmpty()) {
        html += "<ul>";
        for (auto i = inconnus.cbegin(); i != inconnus.cend(); ++i)
            html += "<li>" + e(i.key()) +
                    (i.value().isEmpty() ? QString() : " : " + e(i.value()) + " ?") + "</li>";
        html += "</ul>\n";
    }
    return html;
}

void section(QTextStream& sortie, const StatQuestionnaire& s, const Eleves& eleves,
             RegleEssai regle, bool noms) {
    QString html = "<section>\n<h2>" + e(s.titre.isEmpty() ? s.questionnaire : s.titre) +
                   " <small>(" + e(s.questionnaire) + ")</small></h2>\n<div class=\"chiffres\">";
    const auto chiffre = [&](const QString& nom, const QString& valeur) {
        html += "<div>" + nom + "<b>" + valeur + "</b></div>";
    };
    chiffre(QStringLiteral("Élèves"), QString::number(s.eleves));
    chiffre(QStringLiteral("Essais"), QString::number(s.essais));
    const bool notes = !s.notes.isEmpty();
    chiffre(QStringLiteral("Moyenne"), notes ? nombre(s.moyenne()) : QStringLiteral("–"));
    chiffre(QStringLiteral("Médiane"), notes ? nombre(s.mediane()) : QStringLiteral("–"));
    chiffre(QStringLiteral("Note la plus basse"),
            notes ? nombre(s.notes.first()) : QStringLiteral("–"));
    chiffre(QStringLiteral("Note la plus haute"),
            notes ? nombre(s.notes.last()) : QStringLiteral("–"));
    html += "</div>\n";
    QStringList remarques;
    if (s.essais > s.notes.size())
        remarques << QStringLiteral("%1 essai(s) sans note (non terminés), hors moyenne")
                         .arg(s.essais - s.notes.size());
    if (s.interrompus)
        remarques << QStringLiteral(
                         "%1 essai(s) interrompu(s) : leurs réponses comptent dans les questions")
                         .arg(s.interrompus);
    if (s.sansJournal)
        remarques << QStringLiteral(
                         "%1 essai(s) sans journal : absents des statistiques par question")
                         .arg(s.sansJournal);
    if (!remarques.isEmpty()) html += "<p class=\"remarque\">" + remarques.join(" ; ") + ".</p>\n";
    html += "<h3>Répartition des notes (" + QString::number(s.notes.size()) +
            " essais notés)</h3>\n" + histogramme(s.notes) + "\n";
    sortie << html;
    for (auto classe = s.classes.cbegin(); classe != s.classes.cend(); ++classe)
        tableClasse(sortie, classe.key(), classe.value());
    tableEleves(sortie, s, eleves, regle, noms);
    sortie << tableQuestions(s) << "</section>\n";
}

}  // namespace

void EcrireRapportHtml(QTextStream& sortie, const Releve& r, const QVector<NoteEleve>& notes,
                       RegleEssai regle, const ListeClasse* liste) {
    const QVector<StatQuestionnaire> stats = Statistiques(r);
    QHash<QString, Eleves> parQuestionnaire;
    for (const NoteEleve& n : notes) parQuestionnaire[n.questionnaire.toUpper()] << &n;
    QString html =
        "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Bilan de la classe</title>\n<style>" +
        Style +
        "</style>\n</head>\n<body>\n"
        "<h1>Bilan de la classe</h1>\n";
    int essais = 0;
    for (const StatQuestionnaire& s : stats) essais += s.essais;
    html += "<p>" + Compte(essais, "essai", "essais") + ", " +
            Compte(stats.size(), "questionnaire", "questionnaires") + ".</p>\n";
    if (!r.erreurs.isEmpty()) {
        html +=
            QStringLiteral("<div class=\"erreurs\"><p>Fichiers ou essais illisibles (%1) :</p><ul>")
                .arg(r.erreurs.size());
        for (const QString& erreur : r.erreurs) html += "<li>" + e(erreur) + "</li>";
        html += "</ul></div>\n";
    }
    if (liste) html += controleListe(r, *liste);
    sortie << html;
    for (const StatQuestionnaire& s : stats)
        section(sortie, s, parQuestionnaire.value(s.questionnaire.toUpper()), regle, liste);
    sortie << "</body>\n</html>\n";
}

QString RapportHtml(const Releve& r, RegleEssai regle, const ListeClasse* liste) {
    QString page;
    QTextStream sortie(&page);
    EcrireRapportHtml(sortie, r, NotesEleves(r, regle, liste), regle, liste);
    sortie.flush();
    return page;
}

}  // namespace Resultats
