#include "quiz/vignette.h"

#include "platform/fichiers.h"
#include "quiz/presentation.h"

#include <QFileInfo>
#include <QImageReader>

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
    c.gauche = Centrer(largeurBoite, c.largeur);
    return c;
}

float Centrer(float largeurBoite, float largeur) { return largeurBoite / 2 - largeur / 2; }

bool EstGif(const QString& chemin) { return chemin.right(3).toLower() == "gif"; }

QString CheminImage(const QuizState& s, const QString& nom) {
    return Fichiers::cheminEcrit(s.DossierQuestionnaire + "/Images", nom);
}

QString CheminImageQuestion(const QuizState& s) {
    const int q = s.NumQuestion;
    return CheminImage(s, numeroDeQuestionValide(q) ? s.TableImages[0][q] : QString());
}

Vignette Charger_vignette(const QString& chemin, float hauteurBoite, float largeurBoite,
                          float largeurCadre) {
    Vignette v;
    const QString reel = Fichiers::resoudre(chemin);
    if (!QFileInfo(reel).isFile()) {
        v.etat = Vignette::Etat::Introuvable;
        return v;
    }
    QImageReader lecteur(reel);
    lecteur.setAutoTransform(true);
    QSize naturelle = lecteur.size();
    if (!naturelle.isValid()) return v;
    // A photo turned by its camera tag is read upright; the scaled size
    // applies before the turn.
    const bool tournee = lecteur.transformation() & QImageIOHandler::TransformationRotate90;
    if (tournee) naturelle.transpose();
    v.cadrage = Cadrer_vignette(naturelle * TwipsParPixel, hauteurBoite, largeurBoite, largeurCadre);
    const QSize taille(std::max(EnPixels(v.cadrage.largeur), 1),
                       std::max(EnPixels(v.cadrage.hauteur), 1));
    // The decoder scales as it reads (JPEG decodes at a fraction of its size).
    lecteur.setScaledSize(tournee ? taille.transposed() : taille);
    QImage image = lecteur.read();
    if (image.isNull()) return v;
    if (image.size() != taille)
        image = image.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    v.image = std::move(image);
    v.etat = Vignette::Etat::Chargee;
    return v;
}
