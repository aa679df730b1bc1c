#include "ecrans/bibliotheque/frm_nom.h"

#include "ecrans/commun/clavier.h"
#include "noyau/deroulement/identification.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmNom::frmNom(QuizState& etat, Services& services, Navigation& navigation, QWidget* parent)
    : QWidget(parent, Qt::Window), etat_(etat), services_(services), navigation_(navigation) {
    setObjectName(QStringLiteral("frmNom"));
    setWindowTitle(QStringLiteral("IDENTIFICATION"));
    setFixedSize(620, 300);
    QFont police = font();
    police.setPointSize(11);
    setFont(police);
    construireSaisies();
    construireBoutons();
    mettreEnPage();
    Form_Load();
    DonnerFocus(Text1[0]);
}

// The instructions, and the name and class boxes with their captions.
void frmNom::construireSaisies() {
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setStyleSheet(QStringLiteral(
        "background: #eef3fb; border: 1px solid #7f9cc9; border-radius: 6px; padding: 8px;"));

    Label1 = new QLabel(QStringLiteral("Nom/Identifiant"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("Classe"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new QLineEdit(this);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setMinimumHeight(30);
        // Enter in either box validates, as the button does.
        connect(Text1[i], &QLineEdit::returnPressed, this, [this] { cmdOK_Click(); });
    }
    Label1->setBuddy(Text1[0]);
    Label2->setBuddy(Text1[1]);
}

void frmNom::construireBoutons() {
    cmdOK = new QPushButton(QStringLiteral("&Valider"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    cmdAnnuler->setObjectName(QStringLiteral("cmdAnnuler"));
    for (QPushButton* bouton : {cmdOK, cmdAnnuler}) {
        bouton->setMinimumSize(130, 36);
        bouton->setAutoDefault(false);
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, [this] { cmdAnnuler_Click(); });
}

void frmNom::mettreEnPage() {
    auto* saisies = new QGridLayout;
    saisies->setHorizontalSpacing(14);
    saisies->setVerticalSpacing(10);
    saisies->addWidget(Label1, 0, 0);
    saisies->addWidget(Text1[0], 0, 1);
    saisies->addWidget(Label2, 1, 0);
    saisies->addWidget(Text1[1], 1, 1);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(cmdOK);
    boutons->addSpacing(10);
    boutons->addWidget(cmdAnnuler);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(20, 16, 20, 16);
    page->addWidget(Label3);
    page->addSpacing(12);
    page->addLayout(saisies);
    page->addStretch(1);
    page->addLayout(boutons);

    setTabOrder(Text1[0], Text1[1]);
    setTabOrder(Text1[1], cmdOK);
    setTabOrder(cmdOK, cmdAnnuler);
}

void frmNom::Form_Load() {
    Text1[1]->clear();
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    Label3->setText(QStringLiteral(
        "Ce questionnaire dispose d'une minuterie inopérante\n"
        "dans cette version, de manière à vous permettre de \n"
        "prendre en compte la contrainte temps.\n"
        "Merci d'entrer votre identifiant (ex. B01, B02, ...) et Bon Questionnaire."));
}

void frmNom::cmdOK_Click() {
    etat_.Identifiant = Text1[0]->text();
    etat_.Classe = Text1[1]->text();
    const Identification::Decision decision = Identification::valider(
        Identification::questionnaireDesResultats(etat_), etat_.Identifiant, etat_.Classe);
    etat_.CheminResultats = decision.CheminResultats;
    if (decision.issue == Identification::Issue::Accepte) {
        navigation_.montrer(Ecran::Main);
        return;
    }
    services_.dialogues.afficher(decision.texte, decision.titre, decision.style, this);
}

void frmNom::cmdAnnuler_Click() { navigation_.montrer(Ecran::Themes); }
