#include "ecrans/editeur/frm_editeur.h"

#include "ecrans/editeur/essai.h"
#include "ecrans/editeur/liste_questions.h"
#include "images/images.h"
#include "noyau/echange/transfert.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/chemins.h"
#include "noyau/questionnaire/formats.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoCommand>
#include <QVBoxLayout>
#include <QValidator>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>

namespace {

constexpr int DelaiVerificationMs = 300;
const QSize TailleVignette(128, 96);

// Keys telling which field a keystroke belongs to, so that typing in one
// field makes one undo step.
enum Champ { Titre = 1, TexteQuestion, Reponse, Commentaire, Minuterie };
int fusion(Champ champ, int question = 0, int reponse = 0) {
    return champ * 100000 + question * 10 + reponse;
}

// Refuses, as it is typed, a text the player would read as something else.
class ValidateurTexte : public QValidator {
public:
    ValidateurTexte(GenreTexte genre, std::function<void(const QString&)> refus, QObject* parent)
        : QValidator(parent), genre_(genre), refus_(std::move(refus)) {}
    State validate(QString& texte, int&) const override {
        const QString raison = RefusTexte(genre_, texte);
        if (raison.isEmpty()) return Acceptable;
        refus_(raison);
        return Invalid;
    }

private:
    GenreTexte genre_;
    std::function<void(const QString&)> refus_;
};

// Runs `travail` away from the event loop (files can wait on a share), then
// `fin` with its result in the window's thread.
template <typename T>
void enArrierePlan(QObject* contexte, std::function<T()> travail,
                   std::function<void(const T&)> fin) {
    auto* veilleur = new QFutureWatcher<T>(contexte);
    QObject::connect(veilleur, &QFutureWatcher<T>::finished, contexte, [veilleur, fin] {
        fin(veilleur->result());
        veilleur->deleteLater();
    });
    veilleur->setFuture(QtConcurrent::run(std::move(travail)));
}

QPushButton* bouton(const QString& texte, const QString& nomAccessible, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setAccessibleName(nomAccessible);
    return b;
}

QLabel* etiquette(const QString& texte, QWidget* compagnon, QWidget* parent) {
    auto* l = new QLabel(texte, parent);
    l->setBuddy(compagnon);
    compagnon->setAccessibleName(QString(texte).remove('&').remove(QStringLiteral(" :")));
    return l;
}

void remplacerTexte(QLineEdit* champ, const QString& texte) {
    if (champ->text() != texte) champ->setText(texte);
}

}  // namespace

// One edit: the questionnaire before and after, and the question shown.
class CommandeEdition : public QUndoCommand {
public:
    CommandeEdition(frmEditeur& f, const QString& texte, Questionnaire avant, Questionnaire apres,
                    int selAvant, int selApres, int fusion)
        : QUndoCommand(texte),
          f_(f),
          avant_(std::move(avant)),
          apres_(std::move(apres)),
          selAvant_(selAvant),
          selApres_(selApres),
          fusion_(fusion) {}
    void undo() override { f_.appliquer(avant_, selAvant_); }
    void redo() override { f_.appliquer(apres_, selApres_); }
    int id() const override { return fusion_; }
    bool mergeWith(const QUndoCommand* autre) override {
        const auto* suite = static_cast<const CommandeEdition*>(autre);
        apres_ = suite->apres_;
        selApres_ = suite->selApres_;
        return true;
    }

private:
    frmEditeur& f_;
    Questionnaire avant_, apres_;
    int selAvant_, selApres_;
    int fusion_;
};

frmEditeur::frmEditeur(const QString& dossier, QWidget* parent)
    : QMainWindow(parent), dossier_(QDir::cleanPath(dossier)), copie_(dossier_) {
    const Ouverture ouverture = OuvrirPourEdition(dossier_);
    nom_ = ouverture.nom;
    modele_ = ouverture.questionnaire;
    changementsOuverture_ = ouverture.changements;
    if (modele_.questions.isEmpty()) Edition::AjouterQuestion(modele_, -1);
    courante_ = 0;
    demander = [this](const QString& texte, QMessageBox::StandardButtons boutons) {
        QMessageBox boite(QMessageBox::Question, "Éditeur de questionnaire", texte, boutons, this);
        return static_cast<QMessageBox::StandardButton>(boite.exec());
    };
    choisirFichier = [this](const QString& titre, const QString& filtre) {
        return QFileDialog::getOpenFileName(this, titre, QDir::homePath(), filtre);
    };
    choisirDestination = [this](const QString& titre, const QString& filtre) {
        return QFileDialog::getSaveFileName(this, titre, QDir::homePath(), filtre);
    };
    construire();
    minuterieVerification_.setSingleShot(true);
    minuterieVerification_.setInterval(DelaiVerificationMs);
    connect(&minuterieVerification_, &QTimer::timeout, this, [this] { verifier(); });
    connect(&pile, &QUndoStack::cleanChanged, this,
            [this](bool propre) { setWindowModified(!propre); });
    setWindowTitle(QString("%1[*] — Éditeur de questionnaire Korvane").arg(nom_));
    rafraichir();
    verifier();
}

frmEditeur::~frmEditeur() = default;

void frmEditeur::construire() {
    auto* centre = new QWidget(this);
    auto* colonne = new QVBoxLayout(centre);
    txtTitre = new QLineEdit(centre);
    auto* ligneTitre = new QHBoxLayout;
    ligneTitre->addWidget(etiquette("&Titre :", txtTitre, centre));
    ligneTitre->addWidget(txtTitre);
    colonne->addLayout(ligneTitre);

    auto* separation = new QSplitter(Qt::Horizontal, centre);
    separation->addWidget(construireQuestions());
    onglets = new QTabWidget(separation);
    onglets->setAccessibleName("Question et images");
    onglets->addTab(construireQuestion(), "Questio&n");
    onglets->addTab(construireImagesEtAide(), "Ima&ges et aide");
    separation->addWidget(onglets);
    separation->setStretchFactor(0, 1);
    separation->setStretchFactor(1, 2);
    separation->setSizes({300, 640});
    colonne->addWidget(separation, 1);

    lstRemarques = new QListWidget(centre);
    lstRemarques->setMaximumHeight(110);
    lstRemarques->setWordWrap(true);
    colonne->addWidget(etiquette(
        "Ce que dirait le &vérificateur (Entrée : aller à la question) :", lstRemarques, centre));
    colonne->addWidget(lstRemarques);
    lstRemarques->setAccessibleName("Remarques du vérificateur");
    setCentralWidget(centre);
    construireActions();
    relier();
    statusBar()->showMessage("Ctrl+S enregistre, F5 essaie le questionnaire.");
    resize(QSize(1000, 720).boundedTo(screen()->availableGeometry().size()));
}

QWidget* frmEditeur::construireQuestions() {
    auto* boite = new QWidget(this);
    auto* colonne = new QVBoxLayout(boite);
    colonne->setContentsMargins(0, 0, 0, 0);
    listeQuestions_ = new ListeQuestions(this);
    lstQuestions = new QListView(boite);
    lstQuestions->setModel(listeQuestions_);
    lstQuestions->setDragDropMode(QAbstractItemView::InternalMove);
    lstQuestions->setMinimumWidth(200);
    colonne->addWidget(etiquette("&Questions :", lstQuestions, boite));
    colonne->addWidget(lstQuestions, 1);
    auto* grille = new QGridLayout;
    cmdAjouter = bouton("&Ajouter", "Ajouter une question", boite);
    cmdDupliquer = bouton("&Dupliquer", "Dupliquer la question", boite);
    cmdSupprimer = bouton("&Supprimer", "Supprimer la question", boite);
    cmdMonter = bouton("&Monter", "Monter la question", boite);
    cmdDescendre = bouton("D&escendre", "Descendre la question", boite);
    grille->addWidget(cmdAjouter, 0, 0);
    grille->addWidget(cmdDupliquer, 0, 1);
    grille->addWidget(cmdSupprimer, 1, 0);
    grille->addWidget(cmdMonter, 1, 1);
    grille->addWidget(cmdDescendre, 2, 1);
    colonne->addLayout(grille);
    return boite;
}

QWidget* frmEditeur::construireQuestion() {
    auto* page = new QWidget(this);
    auto* colonne = new QVBoxLayout(page);
    txtQuestion = new QLineEdit(page);
    txtQuestion->setMaxLength(MaxLongueurTexte);
    colonne->addWidget(etiquette("Te&xte de la question :", txtQuestion, page));
    colonne->addWidget(txtQuestion);

    auto* milieu = new QHBoxLayout;
    auto* reponses = new QGridLayout;
    reponses->setVerticalSpacing(2);
    for (int k = 0; k < MaxCreneaux; ++k) {
        txtReponse[k] = new QLineEdit(page);
        txtReponse[k]->setMaxLength(MaxLongueurTexte);
        chkJuste[k] = new QCheckBox("bonne réponse", page);
        chkJuste[k]->setAccessibleName(QString("Réponse %1 juste").arg(k + 1));
        chkJuste[k]->setToolTip(QString("Ctrl+%1").arg(k + 1));
        auto* raccourci = new QShortcut(QKeySequence(QString("Ctrl+%1").arg(k + 1)), this);
        connect(raccourci, &QShortcut::activated, this, [this, k] {
            if (chkJuste[k]->isEnabled()) chkJuste[k]->click();
        });
        reponses->addWidget(etiquette(QString("Réponse &%1 :").arg(k + 1), txtReponse[k], page), k,
                            0);
        txtReponse[k]->setAccessibleName(QString("Réponse %1").arg(k + 1));
        reponses->addWidget(txtReponse[k], k, 1);
        reponses->addWidget(chkJuste[k], k, 2);
    }
    milieu->addLayout(reponses, 1);

    auto* image = new QVBoxLayout;
    imgVignette = new QLabel(page);
    imgVignette->setFixedSize(TailleVignette);
    imgVignette->setAlignment(Qt::AlignCenter);
    imgVignette->setFrameShape(QFrame::StyledPanel);
    imgVignette->setAccessibleName("Image de la question");
    cmdImage = bouton("&Image…", "Choisir l'image de la question", page);
    cmdRetirerImage = bouton("&Retirer l'image", "Retirer l'image de la question", page);
    image->addWidget(imgVignette);
    image->addWidget(cmdImage);
    image->addWidget(cmdRetirerImage);
    image->addStretch(1);
    milieu->addLayout(image);
    colonne->addLayout(milieu);

    auto* note = new QLabel(
        "Seules les questions de 2 à 6 réponses sont corrigées ; "
        "Ctrl+1 à Ctrl+9 cochent les bonnes réponses.",
        page);
    note->setWordWrap(true);
    colonne->addWidget(note);
    txtCommentaire = new QLineEdit(page);
    txtCommentaire->setMaxLength(MaxLongueurTexte);
    colonne->addWidget(
        etiquette("&Commentaire (montré après une mauvaise réponse) :", txtCommentaire, page));
    colonne->addWidget(txtCommentaire);
    colonne->addStretch(1);
    return page;
}

QWidget* frmEditeur::construireImagesEtAide() {
    auto* page = new QWidget(this);
    auto* colonne = new QVBoxLayout(page);
    optParQuestion = new QRadioButton("Une image &par question (onglet Question)", page);
    optCycliques = new QRadioButton("Images qui dé&filent, quelle que soit la question", page);
    optParQuestion->setAccessibleName("Une image par question");
    optCycliques->setAccessibleName("Images qui défilent");
    colonne->addWidget(optParQuestion);
    colonne->addWidget(optCycliques);

    lstCycliques = new QListWidget(page);
    colonne->addWidget(etiquette("&Liste des images qui défilent :", lstCycliques, page));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(lstCycliques, 1);
    auto* boutons = new QVBoxLayout;
    cmdAjouterCyclique = bouton("A&jouter une image…", "Ajouter une image qui défile", page);
    cmdRetirerCyclique = bouton("Reti&rer l'image", "Retirer l'image qui défile", page);
    cmdMonterCyclique = bouton("Plus &haut", "Monter l'image qui défile", page);
    cmdDescendreCyclique = bouton("Plus &bas", "Descendre l'image qui défile", page);
    for (QPushButton* b :
         {cmdAjouterCyclique, cmdRetirerCyclique, cmdMonterCyclique, cmdDescendreCyclique})
        boutons->addWidget(b);
    boutons->addStretch(1);
    ligne->addLayout(boutons);
    colonne->addLayout(ligne, 1);

    spnMinuterie = new QSpinBox(page);
    spnMinuterie->setRange(0, 3600);
    spnMinuterie->setSuffix(" s");
    auto* formulaire = new QFormLayout;
    formulaire->addRow(etiquette("M&inuterie par question (0 = aucune) :", spnMinuterie, page),
                       spnMinuterie);
    colonne->addLayout(formulaire);

    lblAide = new QLabel(page);
    lblAide->setAccessibleName("Document d'aide");
    cmdAide = bouton("&Choisir le document d'aide…", "Choisir le document d'aide", page);
    cmdRetirerAide = bouton("Retirer le doc&ument", "Retirer le document d'aide", page);
    auto* aide = new QHBoxLayout;
    aide->addWidget(lblAide, 1);
    aide->addWidget(cmdAide);
    aide->addWidget(cmdRetirerAide);
    colonne->addLayout(aide);
    return page;
}

void frmEditeur::construireActions() {
    auto* barre = addToolBar("Actions");
    barre->setMovable(false);
    auto ajouter = [&](const QString& texte, const QKeySequence& touches, auto action) {
        QAction* a = barre->addAction(
            QString("%1 (%2)").arg(texte, touches.toString(QKeySequence::NativeText)));
        a->setShortcut(touches);
        connect(a, &QAction::triggered, this, action);
        return a;
    };
    ajouter("Enregistrer", QKeySequence::Save, [this] { enregistrer(); });
    QAction* annuler = pile.createUndoAction(this, "Annuler");
    annuler->setShortcut(QKeySequence("Ctrl+Z"));
    QAction* retablir = pile.createRedoAction(this, "Rétablir");
    retablir->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    barre->addAction(annuler);
    barre->addAction(retablir);
    ajouter("Essayer", QKeySequence(Qt::Key_F5), [this] { essayer(); });
    ajouter("Importer…", QKeySequence("Ctrl+I"), [this] { importer(); });
    ajouter("Exporter…", QKeySequence("Ctrl+E"), [this] { exporter(); });
    ajouter("Quitter", QKeySequence("Ctrl+Q"), [this] { close(); });
}

void frmEditeur::relier() {
    relierTextes();
    relierQuestions();
    relierImages();
    relierMinuterieAideEtRemarques();
}

void frmEditeur::relierTextes() {
    for (QLineEdit* champ : findChildren<QLineEdit*>()) champ->installEventFilter(this);
    const auto refus = [this](const QString& raison) { refuser(raison); };
    txtTitre->setValidator(new ValidateurTexte(GenreTexte::Titre, refus, this));
    txtQuestion->setValidator(new ValidateurTexte(GenreTexte::Question, refus, this));
    txtCommentaire->setValidator(new ValidateurTexte(GenreTexte::Commentaire, refus, this));
    connect(txtTitre, &QLineEdit::textEdited, this, [this](const QString& t) {
        modifier(
            "Titre", [&](Questionnaire& e) { e.titre = t; }, fusion(Titre));
    });
    connect(txtQuestion, &QLineEdit::textEdited, this, [this](const QString& t) {
        modifierQuestion(
            "Texte de la question", [&](Question& q) { q.texte = t; },
            fusion(TexteQuestion, courante_));
    });
    connect(txtCommentaire, &QLineEdit::textEdited, this, [this](const QString& t) {
        modifierQuestion(
            "Commentaire", [&](Question& q) { q.commentaire = t; }, fusion(Commentaire, courante_));
    });
    for (int k = 0; k < MaxCreneaux; ++k) {
        txtReponse[k]->setValidator(new ValidateurTexte(GenreTexte::Reponse, refus, this));
        connect(txtReponse[k], &QLineEdit::textEdited, this, [this, k](const QString& t) {
            modifierQuestion(
                QString("Réponse %1").arg(k + 1),
                [&](Question& q) {
                    while (q.reponses.size() <= k) q.reponses << QString();
                    while (q.justes.size() < q.reponses.size()) q.justes << false;
                    q.reponses[k] = t;
                },
                fusion(Reponse, courante_, k));
        });
        connect(chkJuste[k], &QCheckBox::clicked, this, [this, k](bool coche) {
            modifierQuestion(QString("Bonne réponse %1").arg(k + 1), [&](Question& q) {
                while (q.justes.size() <= k) q.justes << false;
                while (q.reponses.size() < q.justes.size()) q.reponses << QString();
                q.justes[k] = coche;
            });
        });
    }
}

// The question list and the buttons that add, copy, remove and move questions.
void frmEditeur::relierQuestions() {
    connect(lstQuestions->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& ligne) { choisirQuestion(ligne.row()); });
    // After the drop has finished with the view's rows.
    listeQuestions_->deplacer = [this](int de, int vers) {
        QTimer::singleShot(0, this, [this, de, vers] {
            modifier(
                "Déplacer la question",
                [&](Questionnaire& e) { Edition::DeplacerQuestion(e, de, vers); }, -1, vers);
        });
    };
    connect(cmdAjouter, &QPushButton::clicked, this, [this] {
        if (modele_.questions.size() >= MaxQuestions)
            return refuser(QString("un questionnaire a au plus %1 questions").arg(MaxQuestions));
        Questionnaire e = modele_;
        const int nouvelle = Edition::AjouterQuestion(e, courante_);
        modifier(
            "Ajouter une question", [&](Questionnaire& m) { m = e; }, -1, nouvelle);
        txtQuestion->setFocus();
    });
    connect(cmdDupliquer, &QPushButton::clicked, this, [this] {
        if (modele_.questions.size() >= MaxQuestions)
            return refuser(QString("un questionnaire a au plus %1 questions").arg(MaxQuestions));
        Questionnaire e = modele_;
        const int copie = Edition::DupliquerQuestion(e, courante_);
        modifier(
            "Dupliquer la question", [&](Questionnaire& m) { m = e; }, -1, copie);
    });
    connect(cmdSupprimer, &QPushButton::clicked, this, [this] {
        Questionnaire e = modele_;
        const int suivante = Edition::SupprimerQuestion(e, courante_);
        modifier(
            "Supprimer la question", [&](Questionnaire& m) { m = e; }, -1, suivante);
    });
    for (const auto& [b, sens] : {std::pair{cmdMonter, -1}, std::pair{cmdDescendre, 1}})
        connect(b, &QPushButton::clicked, this, [this, pas = sens] {
            modifier(
                "Déplacer la question",
                [&](Questionnaire& e) { Edition::DeplacerQuestion(e, courante_, courante_ + pas); },
                -1, std::clamp(courante_ + pas, 0, int(modele_.questions.size()) - 1));
        });
    new QShortcut(QKeySequence("Ctrl+Up"), this, [this] { cmdMonter->click(); });
    new QShortcut(QKeySequence("Ctrl+Down"), this, [this] { cmdDescendre->click(); });
}

void frmEditeur::relierImages() {
    connect(cmdImage, &QPushButton::clicked, this, [this] { choisirImage(); });
    connect(cmdRetirerImage, &QPushButton::clicked, this,
            [this] { modifierQuestion("Retirer l'image", [](Question& q) { q.image.clear(); }); });
    connect(optParQuestion, &QRadioButton::clicked, this, [this] {
        modifier("Une image par question", [](Questionnaire& e) { e.modeImages = 0; });
    });
    connect(optCycliques, &QRadioButton::clicked, this, [this] {
        modifier("Images qui défilent", [](Questionnaire& e) { e.modeImages = 1; });
    });
    connect(cmdAjouterCyclique, &QPushButton::clicked, this, [this] { ajouterImageCyclique(); });
    connect(cmdRetirerCyclique, &QPushButton::clicked, this, [this] {
        const int i = lstCycliques->currentRow();
        if (i >= 0)
            modifier("Retirer l'image", [i](Questionnaire& e) { e.imagesCycliques.removeAt(i); });
    });
    for (const auto& [b, sens] :
         {std::pair{cmdMonterCyclique, -1}, std::pair{cmdDescendreCyclique, 1}})
        connect(b, &QPushButton::clicked, this, [this, pas = sens] {
            const int i = lstCycliques->currentRow(), j = i + pas;
            if (i < 0 || j < 0 || j >= modele_.imagesCycliques.size()) return;
            modifier("Déplacer l'image",
                     [i, j](Questionnaire& e) { e.imagesCycliques.move(i, j); });
            lstCycliques->setCurrentRow(j);
        });
}

void frmEditeur::relierMinuterieAideEtRemarques() {
    connect(spnMinuterie, &QSpinBox::valueChanged, this, [this](int secondes) {
        if (Formats::lireNombre(modele_.duree) &&
            std::lround(*Formats::lireNombre(modele_.duree)) == secondes)
            return;
        modifier(
            "Minuterie", [secondes](Questionnaire& e) { e.duree = QString::number(secondes); },
            fusion(Minuterie));
    });
    connect(cmdAide, &QPushButton::clicked, this, [this] { choisirAide(); });
    connect(cmdRetirerAide, &QPushButton::clicked, this, [this] {
        modifier("Retirer le document d'aide", [](Questionnaire& e) { e.aide.clear(); });
    });
    connect(lstRemarques, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int q = item->data(Qt::UserRole).toInt();
        if (q < 1 || q > modele_.questions.size()) return;
        lstQuestions->setCurrentIndex(listeQuestions_->index(q - 1));
        onglets->setCurrentIndex(0);
        txtQuestion->setFocus();
    });
    connect(lstRemarques, &QListWidget::itemClicked, lstRemarques, &QListWidget::itemActivated);
}

void frmEditeur::modifier(const QString& texte,
                          const std::function<void(Questionnaire&)>& changement, int fusionId,
                          int selection) {
    Questionnaire apres = modele_;
    changement(apres);
    if (apres == modele_) return;
    const int selApres = selection == -2 ? courante_ : selection;
    pile.push(new CommandeEdition(*this, texte, modele_, std::move(apres), courante_, selApres,
                                  fusionId));
}

void frmEditeur::modifierQuestion(const QString& texte,
                                  const std::function<void(Question&)>& changement, int fusionId) {
    if (courante_ < 0 || courante_ >= modele_.questions.size()) return;
    const int q = courante_;
    modifier(
        texte, [&](Questionnaire& e) { changement(e.questions[q]); }, fusionId);
}

void frmEditeur::appliquer(const Questionnaire& modele, int selection) {
    modele_ = modele;
    courante_ = modele_.questions.isEmpty()
                    ? -1
                    : std::clamp(selection, 0, int(modele_.questions.size()) - 1);
    rafraichir();
    minuterieVerification_.start();
}

void frmEditeur::rafraichir() {
    remplacerTexte(txtTitre, modele_.titre);
    {
        const QSignalBlocker bloque(lstQuestions->selectionModel());
        listeQuestions_->poser(modele_.questions);
        lstQuestions->setCurrentIndex(listeQuestions_->index(courante_));
    }
    const bool parQuestion = modele_.modeImages != 1;
    {
        const QSignalBlocker a(optParQuestion), b(optCycliques), c(spnMinuterie);
        optParQuestion->setChecked(modele_.modeImages == 0);
        optCycliques->setChecked(modele_.modeImages == 1);
        spnMinuterie->setValue(int(std::lround(Formats::lireNombre(modele_.duree).value_or(30))));
    }
    const int choisie = lstCycliques->currentRow();
    lstCycliques->clear();
    lstCycliques->addItems(modele_.imagesCycliques);
    lstCycliques->setCurrentRow(std::min(choisie, int(lstCycliques->count()) - 1));
    for (QWidget* w :
         std::initializer_list<QWidget*>{lstCycliques, cmdAjouterCyclique, cmdRetirerCyclique,
                                         cmdMonterCyclique, cmdDescendreCyclique})
        w->setEnabled(!parQuestion);
    lblAide->setText(modele_.aide.isEmpty() ? QString("Pas de document d'aide")
                                            : "Document d'aide : " + modele_.aide);
    cmdRetirerAide->setEnabled(!modele_.aide.isEmpty());
    const bool question = courante_ >= 0;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdSupprimer, cmdDupliquer, cmdMonter,
                                                      cmdDescendre, onglets->widget(0)})
        w->setEnabled(question);
    rafraichirQuestion();
}

void frmEditeur::rafraichirQuestion() {
    const Question vide;
    const Question& q = courante_ >= 0 ? modele_.questions[courante_] : vide;
    remplacerTexte(txtQuestion, q.texte);
    remplacerTexte(txtCommentaire, q.commentaire);
    for (int k = 0; k < MaxCreneaux; ++k) {
        remplacerTexte(txtReponse[k], k < q.reponses.size() ? q.reponses[k] : QString());
        const QSignalBlocker bloque(chkJuste[k]);
        chkJuste[k]->setChecked(k < q.justes.size() && q.justes[k]);
    }
    const bool parQuestion = modele_.modeImages == 0;
    cmdImage->setEnabled(parQuestion);
    cmdRetirerImage->setEnabled(parQuestion && !q.image.isEmpty());
    rafraichirVignette();
}

void frmEditeur::rafraichirVignette() {
    const QString nom =
        courante_ >= 0 && modele_.modeImages == 0 ? modele_.questions[courante_].image : QString();
    // Read again only when it changes, not at each keystroke.
    const QString cle = QString::number(modele_.modeImages) + "/" + nom;
    if (cle == vignetteAffichee_) return;
    vignetteAffichee_ = cle;
    imgVignette->setToolTip(nom);
    if (nom.isEmpty()) {
        imgVignette->setPixmap({});
        imgVignette->setText(modele_.modeImages == 0 ? "Pas d'image" : "Images\nqui défilent");
        return;
    }
    QImageReader lecteur(Fichiers::resoudre(CheminImage(dossier_, nom)));
    lecteur.setAutoTransform(true);
    const QSize taille = lecteur.size().scaled(TailleVignette, Qt::KeepAspectRatio);
    if (taille.isValid()) lecteur.setScaledSize(taille);
    const QImage image = lecteur.read();
    if (image.isNull())
        imgVignette->setText("Image\nintrouvable :\n" + nom);
    else
        imgVignette->setPixmap(QPixmap::fromImage(image));
}

void frmEditeur::choisirQuestion(int index) {
    if (index == courante_ || index < 0) return;
    courante_ = index;
    rafraichirQuestion();
}

void frmEditeur::refuser(const QString& raison) {
    statusBar()->showMessage("Refusé : " + raison + ".", 8000);
}

QString frmEditeur::copier(const QString& titre, const QString& filtre,
                           const QString& sousDossier) {
    const QString source = choisirFichier(titre, filtre);
    if (source.isEmpty()) return {};
    QString erreur;
    const QString nom =
        Edition::CopierDans(source, Fichiers::resoudre(dossier_ + "/" + sousDossier), &erreur);
    if (nom.isEmpty()) demander("Impossible : " + erreur + ".", QMessageBox::Ok);
    return nom;
}

void frmEditeur::choisirImage() {
    const QString nom = copier("Image de la question", "Images (*.jpg *.jpeg *.gif *.png *.bmp)",
                               SousDossierImages);
    if (!nom.isEmpty())
        modifierQuestion("Image de la question", [&](Question& q) { q.image = nom; });
}

void frmEditeur::ajouterImageCyclique() {
    if (modele_.imagesCycliques.size() >= MaxQuestions)
        return refuser(QString("au plus %1 images défilent").arg(MaxQuestions));
    const QString nom =
        copier("Image qui défile", "Images (*.jpg *.jpeg *.gif *.png *.bmp)", SousDossierImages);
    if (!nom.isEmpty())
        modifier("Ajouter une image", [&](Questionnaire& e) { e.imagesCycliques << nom; });
    lstCycliques->setCurrentRow(lstCycliques->count() - 1);
}

void frmEditeur::choisirAide() {
    const QString nom = copier("Document d'aide", "Documents (*)", SousDossierAide);
    if (!nom.isEmpty()) modifier("Document d'aide", [&](Questionnaire& e) { e.aide = nom; });
}

void frmEditeur::verifierMaintenant() {
    minuterieVerification_.stop();
    verifier();
}

void frmEditeur::verifier() {
    lstRemarques->clear();
    auto ajouter = [this](const QString& texte, int question) {
        auto* item = new QListWidgetItem(texte, lstRemarques);
        item->setData(Qt::UserRole, question);
    };
    for (const Probleme& p : Problemes(modele_))
        ajouter("À corriger avant d'enregistrer : " + p.message, p.question);
    for (const QString& c : changementsOuverture_) ajouter("L'enregistrement changera : " + c, 0);
    if (EnUtf8(LignesDat(modele_)) || EnUtf8(LignesIni(modele_)))
        ajouter(
            "Des caractères n'existent pas en Windows-1252 : le questionnaire sera "
            "enregistré en UTF-8.",
            0);
    const QString copie = copie_.ecrire(modele_);
    if (copie.isEmpty()) return;
    const auto v = VerifierDossier(copie, Images::examiner);
    if (!v->erreur.isEmpty()) ajouter(TexteErreur(*v), 0);
    for (const Avertissement& a : v->avertissements)
        ajouter(TexteRemarque(a), Edition::QuestionDeRemarque(*v, a));
    if (lstRemarques->count() == 0) ajouter(TexteSansRemarque, 0);
}

void frmEditeur::importer() {
    const QString fichier = choisirFichier("Importer des questions",
                                           "Banques de questions (*.gift *.txt *.xml);;Tous (*)");
    if (fichier.isEmpty()) return;
    statusBar()->showMessage("Importation de " + fichier + "…");
    enArrierePlan<Echange::Import>(
        this,
        [fichier, bibliotheque = QFileInfo(dossier_).path()] {
            return Echange::Importer(fichier, bibliotheque);
        },
        [this](const Echange::Import& i) {
            statusBar()->clearMessage();
            QString texte = i.erreur.isEmpty() ? QString("%1 questions importées dans : %2.")
                                                     .arg(i.importees)
                                                     .arg(i.dossiers.join(", "))
                                               : "Rien n'est importé : " + i.erreur + ".";
            if (!i.remarques.isEmpty()) texte += "\n\n" + i.remarques.join('\n');
            demander(texte, QMessageBox::Ok);
        });
}

void frmEditeur::exporter() {
    const QString fichier =
        choisirDestination("Exporter le questionnaire", "GIFT (*.gift);;Moodle XML (*.xml)");
    if (fichier.isEmpty()) return;
    const bool xml = QFileInfo(fichier).suffix().compare("xml", Qt::CaseInsensitive) == 0;
    statusBar()->showMessage("Exportation vers " + fichier + "…");
    enArrierePlan<QStringList>(
        this,
        [modele = modele_, dossier = dossier_, fichier, xml] {
            QStringList remarques;
            const QString raison = Echange::Exporter(
                {Echange::BanqueDe(modele, dossier, &remarques)},
                *Echange::FormatNomme(xml ? "moodle" : "gift"), fichier, &remarques);
            if (!raison.isEmpty())
                remarques.prepend("Le questionnaire n'est pas exporté : " + raison + ".");
            return remarques;
        },
        [this, fichier](const QStringList& remarques) {
            statusBar()->showMessage("Exporté dans " + fichier + ".", 5000);
            if (!remarques.isEmpty()) demander(remarques.join('\n'), QMessageBox::Ok);
        });
}

bool frmEditeur::ouvrirChangements() {
    if (changementsOuverture_.isEmpty()) return true;
    const QString texte =
        "Ce questionnaire ne suit pas tout à fait la disposition des fichiers. "
        "L'enregistrer changera ceci :\n\n" +
        changementsOuverture_.join('\n') + "\n\nEnregistrer quand même ?";
    return demander(texte, QMessageBox::Save | QMessageBox::Cancel) == QMessageBox::Save;
}

bool frmEditeur::enregistrer() {
    const QVector<Probleme> problemes = Problemes(modele_);
    if (!problemes.isEmpty()) {
        demander("Le questionnaire n'est pas enregistré : " + problemes.first().message + ".",
                 QMessageBox::Ok);
        return false;
    }
    if (!ouvrirChangements()) return false;
    const QString raison = EnregistrerQuestionnaire(modele_, dossier_);
    if (!raison.isEmpty()) {
        demander("Le questionnaire n'est pas enregistré : " + raison + ".", QMessageBox::Ok);
        return false;
    }
    changementsOuverture_.clear();
    pile.setClean();
    statusBar()->showMessage("Enregistré dans " + dossier_ + ".", 5000);
    verifierMaintenant();
    return true;
}

void frmEditeur::essayer() {
    if (essai_) {
        if (QWidget* quiz = essai_->quiz()) quiz->activateWindow();
        return;
    }
    QString raison = modele_.questions.isEmpty() ? QString("il n'a aucune question") : QString();
    if (const QVector<Probleme> p = Problemes(modele_); raison.isEmpty() && !p.isEmpty())
        raison = p.first().message;
    copieEssai_ = std::make_unique<Edition::CopieDeTravail>(dossier_);
    const QString dossier = raison.isEmpty() ? copieEssai_->ecrire(modele_) : QString();
    if (dossier.isEmpty()) {
        if (raison.isEmpty()) raison = "la copie d'essai ne peut pas être écrite";
        demander("Le questionnaire ne peut pas être essayé : " + raison + ".", QMessageBox::Ok);
        return;
    }
    essai_ = std::make_unique<Essai>(
        dossier, "essai",
        [this] {
            QTimer::singleShot(0, this, [this] {
                essai_.reset();
                copieEssai_.reset();
                activateWindow();
            });
        },
        dialoguesEssai);
}

bool frmEditeur::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::ShortcutOverride) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->matches(QKeySequence::Undo) || touche->matches(QKeySequence::Redo) ||
            QKeySequence(touche->keyCombination()) == QKeySequence("Ctrl+Shift+Z")) {
            evenement->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(objet, evenement);
}

void frmEditeur::closeEvent(QCloseEvent* evenement) {
    if (pile.isClean()) {
        evenement->accept();
        return;
    }
    const auto reponse =
        demander(QString("Enregistrer les modifications de « %1 » avant de fermer ?").arg(nom_),
                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (reponse == QMessageBox::Discard || (reponse == QMessageBox::Save && enregistrer()))
        evenement->accept();
    else
        evenement->ignore();
}
