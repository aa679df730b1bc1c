#include "noyau/resultats/ligne_json.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace Journal {

namespace {

// A general reader's limit too: deeper, the line is refused.
constexpr int ProfondeurMax = 1024;

// Reads one JSON value after another from a line, checking its grammar.
class Lecteur {
public:
    explicit Lecteur(QByteArrayView octets) : o_(octets) {}

    void blancs() {
        while (i_ < o_.size() &&
               (o_[i_] == ' ' || o_[i_] == '\t' || o_[i_] == '\n' || o_[i_] == '\r'))
            ++i_;
    }
    bool fini() {
        blancs();
        return i_ == o_.size();
    }
    bool lireCaractere(char c) {
        blancs();
        if (i_ >= o_.size() || o_[i_] != c) return false;
        return ++i_, true;
    }
    bool devant(char c) {
        blancs();
        return i_ < o_.size() && o_[i_] == c;
    }

    // One value, its kind and its bytes; nothing when it breaks the grammar.
    std::optional<LigneJson::Valeur> valeur(int profondeur = 0) {
        blancs();
        if (i_ >= o_.size() || profondeur > ProfondeurMax) return std::nullopt;
        const qsizetype debut = i_;
        const char c = o_[i_];
        bool bon = false;
        char genre = 'x';
        if (c == '"')
            bon = chaine(), genre = '"';
        else if (c == '[')
            bon = suite(']', profondeur), genre = '[';
        else if (c == '{')
            bon = suite('}', profondeur);
        else if (c == '-' || (c >= '0' && c <= '9'))
            bon = nombre(), genre = '0';
        else
            bon = mot("true") || mot("false") || mot("null");
        if (!bon) return std::nullopt;
        return LigneJson::Valeur{genre, o_.sliced(debut, i_ - debut)};
    }

    std::optional<QByteArrayView> cle() {
        blancs();
        const qsizetype debut = i_;
        if (i_ >= o_.size() || o_[i_] != '"' || !chaine()) return std::nullopt;
        return o_.sliced(debut, i_ - debut);
    }

private:
    bool chaine() {
        for (++i_; i_ < o_.size(); ++i_) {
            const auto c = static_cast<unsigned char>(o_[i_]);
            if (c == '"') return ++i_, true;
            if (c < 0x20) return false;
            if (c == '\\' && !echappement()) return false;
            if (c >= 0x80 && !caractereUtf8()) return false;
        }
        return false;
    }
    // One character of two to four bytes, as UTF-8 allows them.
    bool caractereUtf8() {
        const auto octet = [&](qsizetype k) { return static_cast<unsigned char>(o_[i_ + k]); };
        const unsigned char c = octet(0);
        const int suite = c >= 0xC2 && c <= 0xDF   ? 1
                          : c >= 0xE0 && c <= 0xEF ? 2
                          : c >= 0xF0 && c <= 0xF4 ? 3
                                                   : 0;
        if (!suite || i_ + suite >= o_.size()) return false;
        for (int k = 1; k <= suite; ++k)
            if ((octet(k) & 0xC0) != 0x80) return false;
        // No overlong form, no surrogate, nothing past U+10FFFF.
        if ((c == 0xE0 && octet(1) < 0xA0) || (c == 0xED && octet(1) > 0x9F) ||
            (c == 0xF0 && octet(1) < 0x90) || (c == 0xF4 && octet(1) > 0x8F))
            return false;
        return i_ += suite, true;
    }
    bool echappement() {
        if (++i_ >= o_.size()) return false;
        if (QByteArrayView("\"\\/bfnrt").contains(o_[i_])) return true;
        if (o_[i_] != 'u' || i_ + 4 >= o_.size()) return false;
        for (int k = 1; k <= 4; ++k)
            if (!std::isxdigit(static_cast<unsigned char>(o_[i_ + k]))) return false;
        return i_ += 4, true;
    }
    // An object's members or a list's items up to `fin`.
    bool suite(char fin, int profondeur) {
        ++i_;
        if (lireCaractere(fin)) return true;
        do {
            if (fin == '}' && (!cle() || !lireCaractere(':'))) return false;
            if (!valeur(profondeur + 1)) return false;
        } while (lireCaractere(','));
        return lireCaractere(fin);
    }
    bool chiffres() {
        const qsizetype debut = i_;
        while (i_ < o_.size() && o_[i_] >= '0' && o_[i_] <= '9') ++i_;
        return i_ > debut;
    }
    bool nombre() {
        if (o_[i_] == '-') ++i_;
        if (i_ < o_.size() && o_[i_] == '0')
            ++i_;
        else if (!chiffres())
            return false;
        if (i_ < o_.size() && o_[i_] == '.' && (++i_, !chiffres())) return false;
        if (i_ < o_.size() && (o_[i_] == 'e' || o_[i_] == 'E')) {
            ++i_;
            if (i_ < o_.size() && (o_[i_] == '+' || o_[i_] == '-')) ++i_;
            if (!chiffres()) return false;
        }
        return true;
    }
    bool mot(QByteArrayView m) {
        if (!o_.sliced(i_).startsWith(m)) return false;
        return i_ += m.size(), true;
    }

    QByteArrayView o_;
    qsizetype i_ = 0;
};

double enNombre(const LigneJson::Valeur& v) {
    double d = 0;
    if (v.genre != '0' ||
        std::from_chars(v.brut.data(), v.brut.data() + v.brut.size(), d).ec != std::errc())
        return 0;
    return d;
}

int enEntier(const LigneJson::Valeur& v) {
    const double d = enNombre(v);
    return std::isfinite(d) && d == std::trunc(d) && d >= INT_MIN && d <= INT_MAX
               ? static_cast<int>(d)
               : 0;
}

// A quoted text, its grammar checked, undone of its escapes.
QString enTexte(QByteArrayView brut) {
    const QByteArrayView dedans = brut.sliced(1, brut.size() - 2);
    if (!dedans.contains('\\')) return QString::fromUtf8(dedans);
    QString texte;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < dedans.size(); ++i) {
        if (dedans[i] != '\\') continue;
        texte += QString::fromUtf8(dedans.sliced(debut, i - debut));
        const char c = dedans[++i];
        if (c == 'u') {
            texte += QChar(dedans.sliced(i + 1, 4).toByteArray().toUShort(nullptr, 16));
            i += 4;
        } else {
            const qsizetype k = QByteArrayView("bfnrt").indexOf(c);
            texte += k >= 0 ? QChar("\b\f\n\r\t"[k]) : QChar(c);
        }
        debut = i + 1;
    }
    return texte + QString::fromUtf8(dedans.sliced(debut));
}

// The items of a list, each as it stands.
QVector<LigneJson::Valeur> elements(const LigneJson::Valeur& v) {
    QVector<LigneJson::Valeur> liste;
    if (v.genre != '[') return liste;
    Lecteur l(v.brut.sliced(1, v.brut.size() - 2));
    while (!l.fini()) {
        liste << *l.valeur();
        l.lireCaractere(',');
    }
    return liste;
}

}  // namespace

std::optional<LigneJson> LigneJson::Lire(QByteArrayView octets) {
    Lecteur l(octets);
    LigneJson ligne;
    if (!l.lireCaractere('{')) return std::nullopt;
    if (!l.lireCaractere('}')) {
        do {
            const auto cle = l.cle();
            if (!cle || !l.lireCaractere(':')) return std::nullopt;
            const auto valeur = l.valeur();
            if (!valeur) return std::nullopt;
            ligne.champs_.push_back({*cle, *valeur});
        } while (l.lireCaractere(','));
        if (!l.lireCaractere('}')) return std::nullopt;
    }
    if (!l.fini()) return std::nullopt;
    return ligne;
}

const LigneJson::Valeur* LigneJson::trouver(QLatin1StringView cle) const {
    // The last of two equal keys counts, as with a general reader.
    for (auto c = champs_.crbegin(); c != champs_.crend(); ++c)
        if (c->first.size() == cle.size() + 2 &&
            c->first.sliced(1, cle.size()) == QByteArrayView(cle.data(), cle.size()))
            return &c->second;
    return nullptr;
}

QString LigneJson::texte(QLatin1StringView cle) const {
    const Valeur* v = trouver(cle);
    return v && v->genre == '"' ? enTexte(v->brut) : QString();
}

int LigneJson::entier(QLatin1StringView cle) const {
    const Valeur* v = trouver(cle);
    return v ? enEntier(*v) : 0;
}

double LigneJson::nombre(QLatin1StringView cle) const {
    const Valeur* v = trouver(cle);
    return v ? enNombre(*v) : 0;
}

QVector<int> LigneJson::entiers(QLatin1StringView cle) const {
    QVector<int> liste;
    if (const Valeur* v = trouver(cle))
        for (const Valeur& e : elements(*v)) liste << enEntier(e);
    return liste;
}

QStringList LigneJson::textes(QLatin1StringView cle) const {
    QStringList liste;
    if (const Valeur* v = trouver(cle))
        for (const Valeur& e : elements(*v))
            liste << (e.genre == '"' ? enTexte(e.brut) : QString());
    return liste;
}

}  // namespace Journal
