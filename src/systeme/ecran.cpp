#include "systeme/ecran.h"

#include "noyau/deroulement/quiz_state.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/services/affichage.h"

#include <algorithm>
#include <cstdint>

namespace ModEcran {

namespace {

// The display is switched only when it is neither 800 wide nor 600 high:
// 800 x 480 or 1280 x 600 stay as they are.
bool Faut_changer(int largeurPixels, int hauteurPixels) {
    return largeurPixels != LargeurVoulue && hauteurPixels != HauteurVoulue;
}

// A length in twips and the twips per pixel, both rounded, divided as
// integers; kept within the 16-bit field.
std::int16_t pixels(float twips, float twipsParPixel) {
    const long parPixel = std::max(1L, Formats::arrondiPair(twipsParPixel));
    return std::int16_t(std::clamp(Formats::arrondiPair(twips) / parPixel, 0L, 32767L));
}

// Records the display size (given in pixels) in LargeurEcranPixels,
// HauteurEcranPixels and the sizes to restore, ResolutionX and ResolutionY.
void Relever_ecran(QuizState& etat, QSize taillePixels) {
    const float parPixel = TwipsParPixel;
    etat.LargeurEcranPixels = pixels(float(taillePixels.width()) * parPixel, parPixel);
    etat.HauteurEcranPixels = pixels(float(taillePixels.height()) * parPixel, parPixel);
    etat.ResolutionX = etat.LargeurEcranPixels;
    etat.ResolutionY = etat.HauteurEcranPixels;
}

}  // namespace

void ChangerResolution(Affichage& affichage, float& largeur, float& hauteur) {
    affichage.changer(int(Formats::arrondiPair(largeur)), int(Formats::arrondiPair(hauteur)));
}

void Preparer_ecran(QuizState& etat, Affichage& affichage) {
    Relever_ecran(etat, affichage.taille());
    if (Faut_changer(etat.LargeurEcranPixels, etat.HauteurEcranPixels)) {
        float largeur = LargeurVoulue, hauteur = HauteurVoulue;
        ChangerResolution(affichage, largeur, hauteur);
    }
}

void RecupererEcran(const QuizState& etat, Affichage& affichage) {
    if (etat.ResolutionX <= 0 || etat.ResolutionY <= 0) return;
    float largeur = etat.ResolutionX, hauteur = etat.ResolutionY;
    ChangerResolution(affichage, largeur, hauteur);
}

}  // namespace ModEcran
