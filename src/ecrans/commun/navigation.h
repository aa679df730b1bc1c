#pragma once

class Affichage;
class QWidget;
struct QuizState;

enum class Ecran { Splash, Themes, Nom, Main, Resultats, Illustration, Notes, Outils };

// How a screen reaches the others: one instance of each, created on first
// use. Showing a main screen (splash, library, identification, quiz,
// results) unloads the main screen open before it, so one is open at a time.
class Navigation {
public:
    virtual ~Navigation() = default;
    virtual void montrer(Ecran ecran) = 0;
    virtual void decharger(Ecran ecran) = 0;
    // The loaded instance, or nullptr.
    virtual QWidget* instance(Ecran ecran) const = 0;
    // Ends the program; the caller has restored the display.
    virtual void quitter() = 0;
};

// Every way out of the run but a crash: the display back to the size it had
// at start-up, then the end.
void QuitterProgramme(const QuizState& etat, Affichage& affichage, Navigation& navigation);
