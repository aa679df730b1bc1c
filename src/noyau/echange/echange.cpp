#include "noyau/echange/echange.h"

#include "noyau/echange/aiken.h"
#include "noyau/echange/gift.h"
#include "noyau/echange/moodle.h"
#include "noyau/questionnaire/ecriture.h"

#include <QHash>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>

namespace Echange {

namespace {

// The player judges two to six answers.
constexpr int MinReponses = 2, MaxReponses = 6;

const QHash<QString, QChar>& entitesNommees() {
    static const QHash<QString, QChar> table{
        {"amp", '&'},         {"lt", '<'},          {"gt", '>'},          {"quot", '"'},
        {"apos", '\''},       {"nbsp", ' '},        {"eacute", u'é'},     {"Eacute", u'É'},
        {"egrave", u'è'},     {"Egrave", u'È'},     {"ecirc", u'ê'},      {"Ecirc", u'Ê'},
        {"euml", u'ë'},       {"agrave", u'à'},     {"Agrave", u'À'},     {"acirc", u'â'},
        {"ccedil", u'ç'},     {"Ccedil", u'Ç'},     {"icirc", u'î'},      {"iuml", u'ï'},
        {"ocirc", u'ô'},      {"ucirc", u'û'},      {"ugrave", u'ù'},     {"uuml", u'ü'},
        {"oelig", u'œ'},      {"laquo", u'«'},      {"raquo", u'»'},      {"deg", u'°'},
        {"times", u'×'},      {"divide", u'÷'},     {"plusmn", u'±'},     {"le", u'≤'},
        {"ge", u'≥'},         {"ne", u'≠'},         {"pi", u'π'},         {"micro", u'µ'},
        {"Omega", u'Ω'},      {"radic", u'√'},      {"infin", u'∞'},      {"middot", u'·'},
        {"sup2", u'²'},       {"sup3", u'³'},       {"frac12", u'½'},     {"euro", u'€'},
        {"hellip", u'…'},     {"rsquo", u'\u2019'}, {"lsquo", u'\u2018'}, {"ldquo", u'\u201C'},
        {"rdquo", u'\u201D'}, {"ndash", u'\u2013'}, {"mdash", u'\u2014'}};
    return table;
}

// The character an entity starting at `i` (on '&') stands for; `fin` moves
// past it. Nothing when it is not an entity, so the '&' stays as written.
QString entite(const QString& html, qsizetype i, qsizetype& fin) {
    // Looked for nearby only: a text of many '&' without ';' stays linear.
    constexpr qsizetype MaxLongueur = 12;
    qsizetype pointVirgule = QStringView(html).mid(i, MaxLongueur + 1).indexOf(u';');
    if (pointVirgule < 0) return {};
    pointVirgule += i;
    const QString nom = html.mid(i + 1, pointVirgule - i - 1);
    fin = pointVirgule + 1;
    if (nom.startsWith('#')) {
        bool ok = false;
        const uint code = nom.startsWith("#x", Qt::CaseInsensitive) ? nom.mid(2).toUInt(&ok, 16)
                                                                    : nom.mid(1).toUInt(&ok);
        if (!ok) return {};
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return QString(QChar::ReplacementCharacter);
        const char32_t c = code;
        return QString::fromUcs4(&c, 1);
    }
    const auto trouve = entitesNommees().constFind(nom);
    return trouve == entitesNommees().constEnd() ? QString() : QString(*trouve);
}

// Tags that end a line or a paragraph leave a space; the others nothing.
bool separe(const QString& balise) {
    static const QStringList separatrices{"br", "p",  "div", "li", "tr", "td", "th",
                                          "h1", "h2", "h3",  "h4", "h5", "h6", "img"};
    qsizetype debut = balise.startsWith('/') ? 1 : 0, fin = debut;
    while (fin < balise.size() && balise[fin].isLetterOrNumber()) ++fin;
    return separatrices.contains(balise.mid(debut, fin - debut).toLower());
}

// A picture name any file system and the companion file take: ASCII letters,
// digits, '-' and '_', an extension, unique in the bank.
QString nomImage(const QString& propose, const QByteArray& octets, const Banque& b) {
    QString nom = QUrl::fromPercentEncoding(propose.section('/', -1).section('\\', -1).toUtf8());
    QString extension = nom.contains('.') ? nom.section('.', -1).toLower() : QString();
    QString base = nom.contains('.') ? nom.section('.', 0, -2) : nom;
    static const QList<std::pair<QByteArray, QString>> signatures{
        {"\x89PNG", "png"}, {"\xFF\xD8", "jpg"}, {"GIF8", "gif"}, {"BM", "bmp"}};
    const bool sur = !extension.isEmpty() && extension.size() <= 5 &&
                     std::all_of(extension.begin(), extension.end(),
                                 [](QChar c) { return c.isDigit() || (c >= 'a' && c <= 'z'); });
    if (!sur) {
        extension = "img";
        for (const auto& [debut, ext] : signatures)
            if (octets.startsWith(debut)) extension = ext;
    }
    base = Ascii(base).left(40);
    if (base.isEmpty() || base.startsWith('_')) base.prepend("image");
    QString unique = base + '.' + extension;
    for (int i = 2;
         std::any_of(b.images.keyBegin(), b.images.keyEnd(),
                     [&](const QString& n) { return !n.compare(unique, Qt::CaseInsensitive); });
         ++i)
        unique = QString("%1_%2.%3").arg(base).arg(i).arg(extension);
    return unique;
}

}  // namespace

QString Ascii(const QString& texte) {
    QString resultat;
    for (const QChar c : texte.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c == u'œ' || c == u'Œ')
            resultat += c == u'œ' ? "oe" : "OE";
        else if (c == u'æ' || c == u'Æ')
            resultat += c == u'æ' ? "ae" : "AE";
        else if (c == u'ß')
            resultat += "ss";
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '-')
            resultat += c;
        else
            resultat += '_';
    }
    return resultat;
}

QString UneLigne(const QString& texte) {
    QString propre = texte;
    for (QChar& c : propre)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            c = ' ';
    return propre.simplified();
}

QByteArray Format::ecrire(const QVector<Banque>&, QStringList*) const { return {}; }

const std::vector<std::unique_ptr<Format>>& FormatsConnus() {
    // The order of recognition: XML first, then the stricter plain text.
    static const auto formats = [] {
        std::vector<std::unique_ptr<Format>> liste;
        liste.push_back(std::make_unique<Moodle>());
        liste.push_back(std::make_unique<Aiken>());
        liste.push_back(std::make_unique<Gift>());
        return liste;
    }();
    return formats;
}

const Format* FormatNomme(const QString& nom) {
    for (const auto& f : FormatsConnus())
        if (f->nom() == nom) return f.get();
    return nullptr;
}

const Format* Reconnaitre(const QByteArray& octets) {
    const QString texte = Decoder(octets);
    for (const auto& f : FormatsConnus())
        if (f->reconnait(texte)) return f.get();
    return nullptr;
}

QString Decoder(const QByteArray& octets) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString texte = utf8.decode(octets);
    if (utf8.hasError()) return QStringDecoder("windows-1252").decode(octets);
    if (texte.startsWith(QChar::ByteOrderMark)) texte.remove(0, 1);
    return texte;
}

QString TexteBrut(const QString& html) {
    QString texte;
    texte.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        const QChar suivant = i + 1 < html.size() ? html[i + 1] : QChar();
        if (c == '<' && (suivant.isLetter() || suivant == '/' || suivant == '!')) {
            const bool commentaire = html.mid(i, 4) == "<!--";
            const qsizetype fin = commentaire ? html.indexOf("-->", i) : html.indexOf('>', i);
            if (fin < 0) break;  // an unclosed tag hides the rest, as in a browser
            if (!commentaire && separe(html.mid(i + 1, fin - i - 1))) texte += ' ';
            i = fin + (commentaire ? 2 : 0);
        } else if (c == '&') {
            qsizetype fin = i;
            const QString decode = entite(html, i, fin);
            if (decode.isEmpty()) {
                texte += c;
            } else {
                texte += decode;
                i = fin - 1;
            }
        } else {
            texte += c;
        }
    }
    return UneLigne(texte);
}

QString Designation(const QString& nom, const QString& texte) {
    const QString propre = UneLigne(nom);
    if (!propre.isEmpty()) return propre;
    const QStringList mots = UneLigne(texte).split(' ', Qt::SkipEmptyParts);
    constexpr int Mots = 8;
    return mots.size() > Mots ? mots.mid(0, Mots).join(' ') + " …" : mots.join(' ');
}

QVector<bool> Justes(const QVector<double>& poids, bool* partielle) {
    constexpr double Plein = 99.99;
    const bool plein = std::any_of(poids.begin(), poids.end(), [](double p) { return p >= Plein; });
    QVector<bool> justes;
    *partielle = false;
    for (const double p : poids) {
        justes << (plein ? p >= Plein : p > 0);
        if (plein && p > 0 && p < Plein) *partielle = true;
    }
    return justes;
}

QVector<double> Poids(const QVector<bool>& justes) {
    const auto k = justes.count(true), n = justes.size();
    QVector<double> poids;
    for (const bool juste : justes) poids << (juste ? 100.0 / k : k > 1 ? -100.0 / (n - k) : 0.0);
    return poids;
}

QString TextePoids(double poids) {
    QString texte = QString::number(poids, 'f', 5);
    while (texte.endsWith('0')) texte.chop(1);
    if (texte.endsWith('.')) texte.chop(1);
    return texte;
}

void Ignorer(LectureBanque& l, const QString& designation, const QString& raison) {
    l.remarques << QString("« %1 » ignorée : %2").arg(designation, raison);
    ++l.ignorees;
}

void Partielle(LectureBanque& l, const QString& designation) {
    l.remarques << QString(
                       "« %1 » : les réponses à crédit partiel comptent comme fausses, "
                       "seules celles à 100 % sont justes")
                       .arg(designation);
}

void Retenir(LectureBanque& l, Banque& b, Question q, const QString& designation,
             const QByteArray& image) {
    const qsizetype n = q.reponses.size();
    QString raison;
    if (n < MinReponses)
        raison = "moins de deux réponses";
    else if (n > MaxReponses)
        raison = QString("%1 réponses, le lecteur en juge %2 au plus").arg(n).arg(MaxReponses);
    else if (!q.justes.contains(true))
        raison = "aucune réponse juste";
    else if (q.texte.isEmpty())
        raison = "texte de la question vide";
    else if (const QString r = RefusTexte(GenreTexte::Question, q.texte); !r.isEmpty())
        raison = r;
    else if (const QString r = RefusTexte(GenreTexte::Commentaire, q.commentaire); !r.isEmpty())
        raison = "commentaire : " + r;
    for (qsizetype k = 0; k < n && raison.isEmpty(); ++k) {
        if (q.reponses[k].isEmpty())
            raison = QString("réponse %1 vide").arg(k + 1);
        else if (const QString r = RefusTexte(GenreTexte::Reponse, q.reponses[k]); !r.isEmpty())
            raison = QString("réponse %1 : %2").arg(k + 1).arg(r);
    }
    if (!raison.isEmpty()) return Ignorer(l, designation, raison);
    if (image.isEmpty()) {
        q.image.clear();
    } else {
        q.image = nomImage(q.image, image, b);
        b.images.insert(q.image, image);
    }
    b.questions << q;
}

Banque& BanqueNommee(LectureBanque& l, const QString& categorie) {
    for (Banque& b : l.banques)
        if (b.categorie == categorie) return b;
    l.banques.push_back({categorie, {}, {}});
    return l.banques.back();
}

QString DernierePartie(const QString& chemin) {
    constexpr QChar Barre(0xE000);
    QStringList parties = QString(chemin).replace("//", Barre).split('/', Qt::SkipEmptyParts);
    while (!parties.isEmpty() && parties.last().trimmed().isEmpty()) parties.removeLast();
    return parties.isEmpty() ? QString() : UneLigne(parties.last().replace(Barre, '/'));
}

}  // namespace Echange
