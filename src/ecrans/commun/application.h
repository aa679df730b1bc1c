#pragma once
#include "ecrans/commun/navigation.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

// Builds each screen through its factory when it is first shown, and
// destroys it when it is unloaded. The program ends when no main screen is
// left: a main screen closed from outside (the window manager's close
// button) with no other one shown in its place ends the run through the
// end procedure, which restores the display before quitting. Main screens
// open centred on the screen of the one they replace.
class Application : public Navigation {
public:
    using Fabrique = std::function<QWidget*()>;

    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    // Destroys the screens still loaded, before the state they refer to.
    ~Application() override;

    void enregistrer(Ecran ecran, Fabrique fabrique);
    // What ends the run when the last main screen goes; quitter() by default.
    void surFin(std::function<void()> fin);

    void montrer(Ecran ecran) override;
    void decharger(Ecran ecran) override;
    QWidget* instance(Ecran ecran) const override;
    void quitter() override;

    static bool estPrincipal(Ecran ecran);

private:
    void verifierFin();
    QWidget* principaleOuverte() const;

    std::map<Ecran, Fabrique> fabriques_;
    std::map<Ecran, QPointer<QWidget>> instances_;
    std::function<void()> fin_;
    bool finie_ = false;
    // Context of the connections to the screens: they die with this object.
    QObject contexte_;
};
