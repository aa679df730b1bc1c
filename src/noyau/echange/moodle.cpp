#include "noyau/echange/moodle.h"

#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Echange {

namespace {

const QString Greffon = QStringLiteral("@@PLUGINFILE@@/");

// A question read as a small tree: its elements are few and shallow.
struct Element {
    QString nom;
    QXmlStreamAttributes attributs;
    QString texte;
    std::vector<Element> enfants;

    const Element* enfant(QStringView n) const {
        for (const Element& e : enfants)
            if (e.nom == n) return &e;
        return nullptr;
    }
    // The <text> of the child `n`; empty when missing.
    QString texteDe(QStringView n) const {
        const Element* e = enfant(n);
        const Element* t = e ? e->enfant(u"text") : nullptr;
        return t ? t->texte : QString();
    }
    QString attribut(QLatin1StringView n) const { return attributs.value(n).toString(); }
};

constexpr int MaxProfondeur = 12;

// Reads the element the reader stands on, to its end.
bool lireElement(QXmlStreamReader& xml, Element& e, int profondeur) {
    e.nom = xml.name().toString();
    e.attributs = xml.attributes();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) return true;
        if (xml.isCharacters()) e.texte += xml.text();
        if (xml.isStartElement()) {
            if (profondeur >= MaxProfondeur) {
                xml.raiseError("éléments imbriqués trop profondément");
                return false;
            }
            e.enfants.emplace_back();
            if (!lireElement(xml, e.enfants.back(), profondeur + 1)) return false;
        }
    }
    return false;
}

QString texteSelon(const Element* e) {
    if (!e) return {};
    const Element* t = e->enfant(u"text");
    const QString brut = t ? t->texte : QString();
    const QString format = e->attribut(QLatin1StringView("format"));
    return format == "plain_text" || format == "markdown" ? UneLigne(brut) : TexteBrut(brut);
}

// The first picture the question text shows that the question carries.
std::pair<QString, QByteArray> image(const Element& enonce, LectureBanque& l,
                                     const QString& designation) {
    const Element* t = enonce.enfant(u"text");
    const QString html = t ? t->texte : QString();
    for (qsizetype i = html.indexOf(Greffon); i >= 0; i = html.indexOf(Greffon, i + 1)) {
        qsizetype fin = i + Greffon.size();
        while (fin < html.size() && !QString("\"'<> ?#").contains(html[fin])) ++fin;
        const QString chemin =
            '/' + QUrl::fromPercentEncoding(
                      html.mid(i + Greffon.size(), fin - i - Greffon.size()).toUtf8());
        for (const Element& f : enonce.enfants) {
            if (f.nom != "file" || f.attribut(QLatin1StringView("encoding")) != "base64") continue;
            QString dossier = f.attribut(QLatin1StringView("path"));
            if (!dossier.endsWith('/')) dossier += '/';
            if (dossier + f.attribut(QLatin1StringView("name")) != chemin) continue;
            QByteArray base64 = f.texte.toLatin1();
            base64.replace(' ', "").replace('\n', "").replace('\r', "").replace('\t', "");
            const auto octets =
                QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
            if (octets && !octets.decoded.isEmpty())
                return {f.attribut(QLatin1StringView("name")), octets.decoded};
            l.remarques
                << QString("« %1 » : l'image %2 est illisible, la question est gardée sans elle")
                       .arg(designation, f.attribut(QLatin1StringView("name")));
            return {};
        }
    }
    return {};
}

void lireQuestion(const Element& e, QString& categorie, LectureBanque& l) {
    const QString type = e.attribut(QLatin1StringView("type"));
    if (type == "category") {
        const QString nom = DernierePartie(e.texteDe(u"category"));
        if (!nom.isEmpty()) categorie = nom;
        return;
    }
    Question q;
    q.texte = texteSelon(e.enfant(u"questiontext"));
    q.commentaire = texteSelon(e.enfant(u"generalfeedback"));
    const QString designation = Designation(e.texteDe(u"name"), q.texte);
    static const QMap<QString, QString> autres{
        {"shortanswer", "question à réponse courte, sans choix proposés"},
        {"numerical", "question numérique"},
        {"matching", "question d'appariement"},
        {"essay", "question ouverte, à réponse rédigée"},
        {"cloze", "question à trous (cloze)"},
        {"multianswer", "question à trous (cloze)"},
        {"description", "description sans réponses"}};
    if (type != "multichoice" && type != "truefalse") {
        Ignorer(
            l, designation,
            autres.value(type, QString("type de question « %1 » non pris en charge").arg(type)));
        return;
    }
    QVector<double> poids;
    for (const Element& r : e.enfants) {
        if (r.nom != "answer") continue;
        q.reponses << texteSelon(&r);
        poids << r.attribut(QLatin1StringView("fraction")).toDouble();
    }
    bool partielle = false;
    q.justes = Justes(poids, &partielle);
    if (type == "truefalse") {
        const qsizetype vrai = q.reponses.indexOf("true");
        const bool juste = vrai >= 0 && q.justes[vrai];
        q.reponses = {"Vrai", "Faux"};
        q.justes = {juste, !juste};
        partielle = false;
    }
    const auto [nom, octets] =
        image(e.enfant(u"questiontext") ? *e.enfant(u"questiontext") : Element{}, l, designation);
    q.image = nom;
    Banque& banque = BanqueNommee(l, categorie);
    const auto avant = banque.questions.size();
    Retenir(l, banque, q, designation, octets);
    if (partielle && banque.questions.size() > avant) Partielle(l, designation);
}

void texteHtml(QXmlStreamWriter& xml, const QString& element, const QString& html) {
    xml.writeStartElement(element);
    xml.writeAttribute("format", "html");
    xml.writeTextElement("text", html);
    xml.writeEndElement();
}

}  // namespace

bool Moodle::reconnait(const QString& texte) const {
    const QString debut = texte.left(4096).trimmed();
    return debut.startsWith("<?xml") || debut.startsWith("<quiz");
}

LectureBanque Moodle::lire(const QByteArray& octets, const QString& nomFichier) const {
    LectureBanque l;
    QString categorie = QFileInfo(nomFichier).completeBaseName();
    QXmlStreamReader xml(octets);
    bool quiz = false;
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (!quiz) {
            if (xml.name() != u"quiz") {
                return {{},
                        {},
                        0,
                        "ce fichier XML n'est pas une banque de questions "
                        "(élément <quiz> attendu)"};
            }
            quiz = true;
            continue;
        }
        Element question;
        if (!lireElement(xml, question, 1)) break;
        if (question.nom == "question") lireQuestion(question, categorie, l);
    }
    if (xml.hasError() || !quiz)
        return {{},
                {},
                0,
                QString("ligne %1 : XML mal formé (%2)")
                    .arg(xml.lineNumber())
                    .arg(quiz ? xml.errorString() : "pas d'élément <quiz>")};
    l.banques.removeIf([](const Banque& b) { return b.questions.isEmpty(); });
    return l;
}

QByteArray Moodle::ecrire(const QVector<Banque>& banques, QStringList*) const {
    QByteArray octets;
    QXmlStreamWriter xml(&octets);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement("quiz");
    for (const Banque& b : banques) {
        xml.writeStartElement("question");
        xml.writeAttribute("type", "category");
        xml.writeStartElement("category");
        xml.writeTextElement("text", "$course$/top/" + QString(b.categorie).replace("/", "//"));
        xml.writeEndElement();
        xml.writeEndElement();
        for (int i = 0; i < b.questions.size(); ++i) {
            const Question& q = b.questions[i];
            const QByteArray image = b.images.value(q.image);
            xml.writeStartElement("question");
            xml.writeAttribute("type", "multichoice");
            xml.writeStartElement("name");
            xml.writeTextElement("text", QString("Q%1").arg(i + 1));
            xml.writeEndElement();
            xml.writeStartElement("questiontext");
            xml.writeAttribute("format", "html");
            QString html = "<p>" + q.texte.toHtmlEscaped() + "</p>";
            if (!image.isEmpty())
                html += "<p><img src=\"" + Greffon + QUrl::toPercentEncoding(q.image) +
                        "\" alt=\"\"></p>";
            xml.writeTextElement("text", html);
            if (!image.isEmpty()) {
                xml.writeStartElement("file");
                xml.writeAttribute("name", q.image);
                xml.writeAttribute("path", "/");
                xml.writeAttribute("encoding", "base64");
                xml.writeCharacters(QString::fromLatin1(image.toBase64()));
                xml.writeEndElement();
            }
            xml.writeEndElement();
            texteHtml(xml, "generalfeedback", q.commentaire.toHtmlEscaped());
            xml.writeTextElement("defaultgrade", "1");
            xml.writeTextElement("single", q.justes.count(true) == 1 ? "true" : "false");
            xml.writeTextElement("shuffleanswers", "0");
            xml.writeTextElement("answernumbering", "abc");
            const QVector<double> poids = Poids(q.justes);
            for (int k = 0; k < q.reponses.size(); ++k) {
                xml.writeStartElement("answer");
                xml.writeAttribute("fraction", TextePoids(poids[k]));
                xml.writeAttribute("format", "html");
                xml.writeTextElement("text", q.reponses[k].toHtmlEscaped());
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
    }
    xml.writeEndDocument();
    return octets;
}

}  // namespace Echange
