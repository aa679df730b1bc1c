#include "ecrans/editeur/essai.h"

#include "ecrans/commun/application.h"
#include "ecrans/commun/dialogues_qt.h"
#include "ecrans/quiz/ecrans_quiz.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/questionnaire/chemins.h"
#include "noyau/services/affichage.h"
#include "noyau/services/hasard.h"
#include "noyau/services/horloge.h"
#include "noyau/services/services.h"
#include "systeme/affichage_fixe.h"
#include "systeme/documents_bureau.h"

#include <QFileInfo>
#include <QWidget>

namespace {

// The practice screens' chain: quitting it closes them and hands back to
// the editor instead of ending the program.
class NavigationEssai : public Application {
public:
    explicit NavigationEssai(std::function<void()> fin) : fin_(std::move(fin)) {
        surFin([this] { quitter(); });
    }
    void quitter() override {
        if (termine_) return;
        termine_ = true;
        // Hidden, not unloaded: the screens go with the Essai, before the
        // state they refer to.
        for (Ecran ecran :
             {Ecran::Main, Ecran::Resultats, Ecran::Illustration, Ecran::Notes, Ecran::Outils})
            if (QWidget* fenetre = instance(ecran)) fenetre->hide();
        fin_();
    }

private:
    std::function<void()> fin_;
    bool termine_ = false;
};

}  // namespace

struct Essai::Contenu {
    Contenu(std::function<void()> fin, Dialogues* autres)
        : dialogues(autres ? *autres : dialoguesQt), navigation(std::move(fin)) {}
    QuizState etat;
    DialoguesQt dialoguesQt;
    Dialogues& dialogues;
    HorlogeSysteme horloge;
    HasardSysteme hasard;
    AffichageFixe affichage;
    OuvreurBureau documents;
    Services services{dialogues, horloge, hasard, affichage, documents};
    NavigationEssai navigation;
};

Essai::Essai(const QString& dossier, const QString& identifiant, std::function<void()> fin,
             Dialogues* dialogues)
    : contenu_(std::make_unique<Contenu>(std::move(fin), dialogues)) {
    QuizState& s = contenu_->etat;
    s.Entrainement = true;
    s.DossierQuestionnaire = dossier;
    s.CheminQuestionnaire = CheminsDuDossier(dossier).dat;
    s.Identifiant = identifiant;
    Contenu& c = *contenu_;
    EnregistrerEcransQuiz(c.navigation, c.etat, c.services);
    c.navigation.montrer(Ecran::Main);
}

Essai::~Essai() = default;

QWidget* Essai::quiz() const { return contenu_->navigation.instance(Ecran::Main); }
