#pragma once
#include <QString>

#include <functional>
#include <memory>

// A teacher's practice run: the questionnaire folder played in the real quiz
// and results screens, with nothing recorded and the display left alone.
class Essai {
public:
    // `fin` runs once the last practice screen has gone; the Essai may then
    // be destroyed (not from within `fin` itself). The message boxes are
    // `dialogues` when given (a test's), Qt's otherwise.
    Essai(const QString& dossier, const QString& identifiant, std::function<void()> fin,
          class Dialogues* dialogues = nullptr);
    ~Essai();
    Essai(const Essai&) = delete;
    Essai& operator=(const Essai&) = delete;

    // The quiz screen, or nullptr once it has gone.
    class QWidget* quiz() const;

private:
    struct Contenu;
    std::unique_ptr<Contenu> contenu_;
};
