#include "images/vignette.h"

#include "images/images.h"
#include "noyau/deroulement/presentation.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/chemins.h"

#include <QFileInfo>
#include <QPainter>

namespace {
// The picture over white where it is transparent: the box is black behind
// any picture but a GIF, and a drawing's black lines would vanish on it.
QImage surBlanc(const QImage& image) {
    if (!image.hasAlphaChannel()) return image;
    QImage fond(image.size(), QImage::Format_RGB32);
    fond.fill(Qt::white);
    QPainter peintre(&fond);
    peintre.drawImage(0, 0, image);
    return fond;
}
}  // namespace

Cadrage Cadrer_vignette(QSizeF naturelle, float hauteurBoite, float largeurBoite,
                        float largeurCadre) {
    Cadrage c;
    if (naturelle.height() <= 0 || naturelle.width() <= 0) return c;
    const float h0 = static_cast<float>(naturelle.height());
    const float w0 = static_cast<float>(naturelle.width());
    const float r = hauteurBoite / h0;
    c.hauteur = r * h0;
    c.largeur = r * w0;
    if (c.largeur > largeurCadre) c.largeur = largeurCadre;
    // A thin strip stays one pixel wide rather than vanish.
    c.largeur = std::max(c.largeur, TwipsParPixel);
    c.hauteur = std::max(c.hauteur, TwipsParPixel);
    c.gauche = Centrer(largeurBoite, c.largeur);
    return c;
}

float Centrer(float largeurBoite, float largeur) { return largeurBoite / 2 - largeur / 2; }

bool EstGif(const QString& chemin) { return chemin.right(3).toLower() == "gif"; }

QString CheminImage(const QuizState& s, const QString& nom) {
    return ::CheminImage(s.DossierQuestionnaire, nom);
}

QString CheminImageQuestion(const QuizState& s) {
    const int q = s.NumQuestion;
    return CheminImage(s, numeroDeQuestionValide(q) ? s.TableImages[0][q] : QString());
}

bool Vignette::aJour() const {
    const QFileInfo info(fichier);
    return info.isFile() == (octets >= 0) && info.size() == std::max<qint64>(octets, 0) &&
           info.lastModified() == date;
}

Vignette Charger_vignette(const QString& chemin, float hauteurBoite, float largeurBoite,
                          float largeurCadre) {
    Vignette v;
    v.fichier = Fichiers::resoudre(chemin);
    const QFileInfo info(v.fichier);
    if (info.isFile()) {
        v.octets = info.size();
        v.date = info.lastModified();
    }
    const Images::Lecture lue = Images::lire(v.fichier, [&](QSize naturelle) {
        v.cadrage = Cadrer_vignette(QSizeF(naturelle) * TwipsParPixel, hauteurBoite, largeurBoite,
                                    largeurCadre);
        return Images::auMoinsUnPixel(EnPixels(v.cadrage.largeur), EnPixels(v.cadrage.hauteur));
    });
    if (!lue.montrable()) {
        v.etat = lue.etat == Images::Etat::Introuvable ? Vignette::Etat::Introuvable
                                                       : Vignette::Etat::Illisible;
        return v;
    }
    v.image = EstGif(chemin) ? lue.image : surBlanc(lue.image);
    v.etat = Vignette::Etat::Chargee;
    return v;
}

QString Explication_image(bool introuvable) {
    return introuvable ? "Image introuvable. Prévenez le professeur."
                       : "Cette image ne peut pas être affichée. Prévenez le professeur.";
}
