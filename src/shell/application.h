#pragma once
#include "shell/navigation.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

// Builds each screen through its factory when it is first shown, and
// destroys it when it is unloaded.
class Application : public Navigation {
public:
    using Fabrique = std::function<QWidget*()>;

    void enregistrer(Ecran ecran, Fabrique fabrique);
    void montrer(Ecran ecran) override;
    void decharger(Ecran ecran) override;
    QWidget* instance(Ecran ecran) const override;
    void quitter() override;

    static bool estPrincipal(Ecran ecran);

private:
    std::map<Ecran, Fabrique> fabriques_;
    std::map<Ecran, QPointer<QWidget>> instances_;
};
