#include "ecrans/resultats/frm_resultats.h"

#include "ecrans/commun/clavier.h"
#include "noyau/deroulement/chargement_quiz.h"
#include "noyau/deroulement/duree.h"
#include "noyau/resultats/bilan.h"
#include "noyau/resultats/enregistrement.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QLabel* etiquette(const QString& nom, QWidget* parent, Qt::Alignment alignement = Qt::AlignLeft) {
    auto* label = new QLabel(parent);
    label->setObjectName(nom);
    label->setWordWrap(true);
    label->setAlignment(alignement | Qt::AlignVCenter);
    return label;
}

QFont police(const QString& famille, int points, bool gras = false) {
    QFont f(famille);
    f.setPointSize(points);
    f.setBold(gras);
    return f;
}
}  // namespace

frmRésultats::frmRésultats(QuizState& etat, Services& services, Navigation& navigation,
                           FileAttente* attente, QWidget* parent)
    : QWidget(parent),
      etat_(etat),
      services_(services),
      navigation_(navigation),
      attente_(attente) {
    construire();
    Form_Load();
}

void frmRésultats::construire() {
    setObjectName("frmRésultats");
    setWindowTitle("Résultats");
    setFixedSize(760, 540);

    const QString sans = font().family();
    Label2 = etiquette("Label2", this, Qt::AlignHCenter);
    Label2->setFont(police("Arial", 13, true));
    lblBinôme = etiquette("lblBinôme", this, Qt::AlignHCenter);
    lblBinôme->setFont(police("Arial", 11));
    Label1 = etiquette("Label1", this);
    Label1->setFont(police(sans, 11));
    lblpercent = etiquette("lblpercent", this);
    lblpercent->setFont(police(sans, 11));
    lblpercent->setText("Label4");

    construireNote(sans);

    Frame2 = new QGroupBox("Appréciations", this);
    Frame2->setObjectName("Frame2");
    lblAppréciation = etiquette("lblAppréciation", Frame2, Qt::AlignHCenter);
    lblAppréciation->setFont(police(sans, 11, true));
    lblAppréciation->setMinimumHeight(64);
    auto* dansFrame2 = new QVBoxLayout(Frame2);
    dansFrame2->addWidget(lblAppréciation);

    QHBoxLayout* boutons = construireBoutons(sans);

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(24, 16, 24, 16);
    colonne->setSpacing(10);
    colonne->addWidget(Label2);
    colonne->addWidget(lblBinôme);
    colonne->addSpacing(6);
    colonne->addWidget(Label1);
    colonne->addWidget(lblpercent);
    colonne->addSpacing(6);
    colonne->addWidget(Shape1);
    colonne->addWidget(Frame2);
    colonne->addStretch(1);
    colonne->addLayout(boutons);
}

// The mark stands in its own box.
void frmRésultats::construireNote(const QString& sans) {
    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setLineWidth(2);
    Label3 = etiquette("Label3", Shape1, Qt::AlignRight);
    Label3->setText("LA NOTE OBTENUE EST DE :");
    Label3->setWordWrap(false);
    Label3->setFont(police(sans, 13, true));
    lblNote = etiquette("lblNote", Shape1);
    lblNote->setWordWrap(false);
    lblNote->setFont(police(sans, 20, true));
    auto* ligneNote = new QHBoxLayout(Shape1);
    ligneNote->setContentsMargins(16, 8, 16, 8);
    ligneNote->addStretch(1);
    ligneNote->addWidget(Label3);
    ligneNote->addSpacing(12);
    ligneNote->addWidget(lblNote);
    ligneNote->addStretch(1);
}

// Restart and quit, side by side in the middle of the screen's foot.
QHBoxLayout* frmRésultats::construireBoutons(const QString& sans) {
    cmdRecommencer = new QPushButton("&Recommencer", this);
    cmdRecommencer->setObjectName("cmdRecommencer");
    OKButton = new QPushButton("&Quitter", this);
    OKButton->setObjectName("OKButton");
    for (QPushButton* bouton : {cmdRecommencer, OKButton}) {
        bouton->setFont(police(sans, 11));
        bouton->setMinimumSize(160, 36);
    }
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(cmdRecommencer);
    boutons->addSpacing(40);
    boutons->addWidget(OKButton);
    boutons->addStretch(1);
    connect(cmdRecommencer, &QPushButton::clicked, this, [this] { cmdRecommencer_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    return boutons;
}

void frmRésultats::Form_Load() {
    if (!Resultats::RecommencerPossible(etat_)) cmdRecommencer->hide();

    etat_.HeureCourante = services_.horloge.maintenant();
    const Resultats::TextesBilan textes = Resultats::ComposerBilan(
        etat_, Formate_duree(static_cast<std::int32_t>(etat_.TempsEcoule)));
    setWindowTitle(textes.titreFenetre);
    Label2->setText(textes.test);
    lblBinôme->setText(textes.binome);
    Label1->setText(textes.traitement);
    lblpercent->setText(textes.pourcentages);
    lblNote->setText(textes.note);
    if (!textes.noteVisible) {
        Label3->hide();
        Shape1->hide();  // an empty box would look like a missing mark
    }
    lblAppréciation->setText(textes.appreciation);

    DonnerFocus(Resultats::RecommencerPossible(etat_) ? cmdRecommencer : OKButton);

    if (etat_.Entrainement) return;
    const Resultats::Enregistrement e =
        Resultats::EnregistrerResultats(etat_, services_.horloge.maintenant().time(), attente_);
    if (!e.raison.isEmpty()) {
        // Said once the screen is up, so the mark is in view behind the message.
        const QString message = Resultats::MessageEchec(e.chemin, e.raison, e.conserve);
        QTimer::singleShot(0, this, [this, message] {
            services_.dialogues.afficher(message, Resultats::TitreEchec, Style::OkCritique, this);
        });
    }
}

void frmRésultats::cmdRecommencer_Click() {
    if (termine_) return;
    etat_.Recommencer = true;
    // A companion that has gone is reported by the quiz screen's own loading.
    LireFichierIni(etat_);
    termine_ = true;
    navigation_.montrer(Ecran::Main);
}

void frmRésultats::OKButton_Click() { quitter(); }

void frmRésultats::quitter() {
    if (termine_) return;
    termine_ = true;
    QuitterProgramme(etat_, services_.affichage, navigation_);
}

// Closing the window ends the run like the quit button, display restored.
void frmRésultats::closeEvent(QCloseEvent* evenement) {
    quitter();
    evenement->accept();
}
