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

// Switches the display to the given size, rounded to whole pixels (halves
// to even); a size the display refuses leaves it unchanged.
void ChangerResolution(Affichage& affichage, float& largeur, float& hauteur);

// Records the display and switches it to 800 x 600 when needed.
void Preparer_ecran(QuizState& etat, Affichage& affichage);

// Puts the recorded size back; nothing when no size was recorded yet.
void RecupererEcran(const QuizState& etat, Affichage& affichage);

}  // namespace ModEcran
