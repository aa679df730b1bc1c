#include "ecrans/visionneuse/frm_outils.h"

#include "ecrans/commun/clavier.h"
#include "ecrans/visionneuse/dessins.h"
#include "ecrans/visionneuse/frm_illustration.h"
#include "noyau/deroulement/presentation.h"

#include <QPainter>
#include <QShortcut>
#include <QToolButton>

namespace {
// Inside measures and buttons, in twips.
constexpr int LargeurTwips = 1995, HauteurTwips = 1785;
constexpr int GaucheTwips = 9000, HautTwips = 5850;
struct Bras {
    int gauche, haut, largeur, hauteur;
    const char* bulle;
    const char* nom;  // for a screen reader
    Qt::Key touche;   // the arrow key that presses it
};
constexpr Bras Boutons[4] = {
    {240, 720, 615, 375, "Ligne bleue vers la gauche",
     "Déplacer la ligne verticale bleue vers la gauche", Qt::Key_Left},
    {1200, 720, 615, 375, "Ligne bleue vers la droite",
     "Déplacer la ligne verticale bleue vers la droite", Qt::Key_Right},
    {840, 1080, 375, 615, "Ligne rouge vers le bas",
     "Déplacer la ligne horizontale rouge vers le bas", Qt::Key_Down},
    {840, 120, 375, 615, "Ligne rouge vers le haut",
     "Déplacer la ligne horizontale rouge vers le haut", Qt::Key_Up},
};
}  // namespace

frmOutils::frmOutils(frmIllustration& visionneuse)
    : QWidget(&visionneuse, Qt::Tool | Qt::FramelessWindowHint), visionneuse_(visionneuse) {
    setObjectName("frmOutils");
    setWindowTitle("Outils Graphiques");
    setFixedSize(EnPixels(LargeurTwips), EnPixels(HauteurTwips));
    for (int i = 0; i < 4; ++i) {
        auto* bouton = new QToolButton(this);
        bouton->setObjectName("Command1");
        bouton->setProperty("Index", i);
        bouton->setIcon(Dessins::iconeFleche(i));
        bouton->setIconSize(QSize(20, 20));
        bouton->setToolTip(Boutons[i].bulle);
        bouton->setAccessibleName(Boutons[i].nom);
        bouton->setAccessibleDescription(
            "D'un pas, sans sortir de l'image. Touches fléchées : déplacer les lignes ; "
            "Échap : revenir à l'image");
        bouton->setFocusPolicy(Qt::StrongFocus);
        bouton->setAutoRepeat(true);  // held down, the line keeps moving
        bouton->setGeometry(EnPixels(Boutons[i].gauche), EnPixels(Boutons[i].haut),
                            EnPixels(Boutons[i].largeur), EnPixels(Boutons[i].hauteur));
        connect(bouton, &QToolButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1[i] = bouton;
    }
    for (int i = 0; i + 1 < 4; ++i) setTabOrder(Command1[i], Command1[i + 1]);

    // The arrow keys press the arrow buttons, held down they repeat.
    for (int i = 0; i < 4; ++i) {
        auto* fleche = new QShortcut(QKeySequence(Boutons[i].touche), this);
        connect(fleche, &QShortcut::activated, this, [this, i] { Command1_Click(i); });
    }
    auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(echap, &QShortcut::activated, this, &frmOutils::RendreFocus);
}

void frmOutils::RendreFocus() {
    visionneuse_.raise();
    visionneuse_.activateWindow();
}

// Tab past the last arrow, or back past the first, leaves the palette.
bool frmOutils::focusNextPrevChild(bool suivant) {
    if (focusWidget() == (suivant ? Command1[3] : Command1[0])) {
        RendreFocus();
        return true;
    }
    return QWidget::focusNextPrevChild(suivant);
}

void frmOutils::Form_Load() {
    move(EnPixels(GaucheTwips), EnPixels(HautTwips));
    visionneuse_.geometrie().OuvrirPalette();
    visionneuse_.Afficher();
    DonnerFocus(Command1[0]);
}

void frmOutils::Command1_Click(int index) {
    visionneuse_.geometrie().DeplacerLigne(index);
    visionneuse_.Afficher();
}

// Without a frame of its own, the palette is outlined so that it stands
// out from the picture under it.
void frmOutils::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().color(QPalette::Shadow));
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
}
