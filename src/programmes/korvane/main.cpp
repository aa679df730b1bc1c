#include "ecrans/bibliotheque/frm_nom.h"
#include "ecrans/bibliotheque/frm_themes.h"
#include "ecrans/commun/accessibilite.h"
#include "ecrans/commun/application.h"
#include "ecrans/commun/dialogues_qt.h"
#include "ecrans/commun/frm_splash.h"
#include "ecrans/quiz/ecrans_quiz.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/fichiers/reglages.h"
#include "noyau/resultats/attente.h"
#include "noyau/resultats/journal_disque.h"
#include "noyau/services/hasard.h"
#include "noyau/services/horloge.h"
#include "noyau/services/services.h"
#include "systeme/affichage_fixe.h"
#include "systeme/affichage_xrandr.h"
#include "systeme/documents_bureau.h"
#include "systeme/ecran.h"
#include "systeme/gardien.h"
#include "systeme/signaux.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    // The guardian is forked first, while the process holds no window and
    // no X connection: should the program crash or be killed, it puts the
    // display back from its own process.
    Gardien gardien;
    gardien.lancer([](int largeur, int hauteur) {
        if (auto xrandr = AffichageXrandr::ouvrir()) xrandr->changer(largeur, hauteur);
    });
    InterceptionSignaux::retenir();

    // The pictures are compiled into the static core library, whose
    // resource registration the linker would otherwise leave out.
    Q_INIT_RESOURCE(korvane);
    QApplication application(argc, argv);
    InstallerAccessibilite();
    // Switching screens leaves no window open for a moment; the run ends
    // when the Application finds no main screen left, never by itself.
    QApplication::setQuitOnLastWindowClosed(false);

    DialoguesQt dialogues;
    HorlogeSysteme horloge;
    HasardSysteme hasard;
    const Reglages::Valeurs reglages = Reglages::lire();
    const QString bibliotheque = Reglages::choisirBibliotheque(Reglages::emplacements(reglages));
    // ChangerResolution=non: the display stays as the room has it.
    const std::unique_ptr<Affichage> affichage =
        reglages.changerResolution ? choisirAffichage(QGuiApplication::platformName())
                                   : std::make_unique<AffichageFixe>();
    if (dynamic_cast<AffichageXrandr*>(affichage.get())) gardien.confier(affichage->taille());
    OuvreurBureau documents;
    Services services{dialogues, horloge, hasard, *affichage, documents};
    const auto etat = std::make_unique<QuizState>();
    etat->DossierDepot = reglages.resultats;
    // Outlives the screens, so that the lines they handed over get written.
    JournalDisque journal;
    // Records a share refused, delivered once it answers, from this run on.
    FileAttente attente(FileAttente::dossierUtilisateur());
    attente.relancer(std::chrono::seconds(5));
    Application navigation;

    // Every way out but a crash comes here: the quit buttons (which have
    // restored the display already), the last main screen closed by the
    // window manager, and the stop signals.
    const auto terminer = [&] { QuitterProgramme(*etat, *affichage, navigation); };
    navigation.surFin(terminer);
    // Queued: Qt may look at the signal pipe before its event loop runs, and
    // an end asked for then would be forgotten once the loop starts.
    InterceptionSignaux signaux(
        [&](int) { QMetaObject::invokeMethod(&application, terminer, Qt::QueuedConnection); });

    navigation.enregistrer(Ecran::Splash,
                           [&] { return new frmSplash(*etat, services, navigation); });
    navigation.enregistrer(Ecran::Themes, [&] {
        return new frmThèmes(*etat, services, navigation, nullptr, bibliotheque);
    });
    navigation.enregistrer(Ecran::Nom, [&] { return new frmNom(*etat, services, navigation); });
    EnregistrerEcransQuiz(navigation, *etat, services, &journal, &attente);

    Main(navigation);
    const int code = application.exec();
    ModEcran::RecupererEcran(*etat, *affichage);
    gardien.liberer();
    return code;
}
