#pragma once
#include "ecrans/commun/navigation.h"
#include "noyau/services/services.h"

#include <QDateTime>
#include <QStringList>

#include <deque>
#include <vector>

// A message box that records what it was asked to show and answers from a
// script (Yes when the script is empty).
class DialoguesScriptes : public Dialogues {
public:
    struct Appel {
        QString texte, titre;
        int style;
    };
    std::vector<Appel> appels;
    std::deque<int> reponses;

    int afficher(const QString& texte, const QString& titre, int style, QWidget*) override {
        appels.push_back({texte, titre, style});
        if ((style & 0x0F) != 4) return Reponse::Ok;
        if (reponses.empty()) return Reponse::Oui;
        const int r = reponses.front();
        reponses.pop_front();
        return r;
    }
};

class HorlogeFixe : public Horloge {
public:
    QDateTime instant = QDateTime(QDate(2026, 12, 5), QTime(14, 3, 27));
    QDateTime maintenant() const override { return instant; }
    void avancer(int secondes) { instant = instant.addSecs(secondes); }
};

// Gives the values of its script in turn, then 0.
class HasardScripte : public SourceAleatoire {
public:
    std::deque<float> valeurs;
    int reensemencements = 0;
    void reensemencer(std::uint64_t) override { ++reensemencements; }
    float suivant() override {
        if (valeurs.empty()) return 0.0f;
        const float v = valeurs.front();
        valeurs.pop_front();
        return v;
    }
};

class AffichageSimule : public Affichage {
public:
    QSize courante{1024, 768};
    std::vector<QSize> changements;
    QSize taille() const override { return courante; }
    void changer(int l, int h) override {
        changements.emplace_back(l, h);
        courante = QSize(l, h);
    }
};

class OuvreurSimule : public OuvreurDocuments {
public:
    Resultat resultat = Resultat::Ouvert;
    QStringList ouverts;
    Resultat ouvrir(const QString& chemin) override {
        ouverts << chemin;
        return resultat;
    }
};

class NavigationSimulee : public Navigation {
public:
    std::vector<Ecran> montres, decharges;
    bool quitte = false;
    void montrer(Ecran e) override { montres.push_back(e); }
    void decharger(Ecran e) override { decharges.push_back(e); }
    QWidget* instance(Ecran) const override { return nullptr; }
    void quitter() override { quitte = true; }
};

// All fakes together, ready to hand to a screen.
struct PlateformeSimulee {
    DialoguesScriptes dialogues;
    HorlogeFixe horloge;
    HasardScripte hasard;
    AffichageSimule affichage;
    OuvreurSimule documents;
    NavigationSimulee navigation;
    Services services{dialogues, horloge, hasard, affichage, documents};
};
