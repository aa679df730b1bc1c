#pragma once
#include <QSize>

class Affichage;
struct QuizState;

// The display module: the run's screens are laid out for 800 x 600 pixels;
// the size in force at start-up is recorded so that it can be put back.
namespace ModEcran {

constexpr int LargeurVoulue = 800;
constexpr int HauteurVoulue = 600;
constexpr int TwipsParPixel = 15;

// The display is switched only when it is neither 800 wide nor 600 high:
// 800 x 480 or 1280 x 600 stay as they are.
bool Faut_changer(int largeurPixels, int hauteurPixels);

// Records the display size (given in pixels) in LargeurEcranPixels,
// HauteurEcranPixels and the sizes to restore, ResolutionX and ResolutionY.
void Relever_ecran(QuizState& etat, QSize taillePixels);

// Switches the display to the given size, rounded to whole pixels (halves
// to even); a size the display refuses leaves it unchanged.
void ChangerResolution(Affichage& affichage, float& largeur, float& hauteur);

// Records the display and switches it to 800 x 600 when needed.
void Preparer_ecran(QuizState& etat, Affichage& affichage);

// Puts the recorded size back; nothing when no size was recorded yet.
void RecupererEcran(const QuizState& etat, Affichage& affichage);

}  // namespace ModEcran
