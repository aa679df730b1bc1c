#include "ecrans/quiz/frm_main.h"

#include "ecrans/commun/clavier.h"
#include "images/vignette.h"
#include "noyau/deroulement/aide.h"
#include "noyau/deroulement/chargement_quiz.h"
#include "noyau/deroulement/correction.h"
#include "noyau/deroulement/minuterie.h"
#include "noyau/deroulement/presentation.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextEdit>

namespace {

// The screen's layout, in pixels, for a 792 x 540 window that fits an
// 800 x 600 display with its title bar and a desktop panel: the question and
// its answers on the left, the picture, the verdict and the mark on the
// right, the controls and the clock below. The question box holds the
// longest opening text whole, and nine answers fit above the countdown.
constexpr int LargeurFenetre = 792;
constexpr int HauteurFenetre = 540;
constexpr QRect ZoneQuestion{8, 36, 496, 156};
constexpr QRect ZoneChoix0{16, 198, 480, 22};
constexpr QRect ZoneCadreImage{512, 36, 272, 262};
constexpr QRect ZoneBoiteImage{8, 22, 256, 192};    // inside Frame4
constexpr QRect ZoneBoutonImage{60, 222, 152, 30};  // inside Frame4
constexpr QRect ZoneVerdict{512, 304, 87, 199};
constexpr QRect ZoneCadreNote{607, 300, 177, 66};
constexpr QRect ZoneBilan{607, 374, 177, 60};

// PicPhoto's background behind a GIF (the border colour of an active window)
// and behind any other picture (the colour of menu texts).
const QColor FondGif(180, 180, 180);
const QColor FondImage(Qt::black);

QString sansRaccourci(QString texte) { return texte.replace('&', "&&"); }

// An answer box whose caption, when too long for its line, ends in an
// ellipsis instead of being cut mid-word (the whole caption is its tooltip).
class CaseReponse : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter peintre(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRect zone = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
        option.text = fontMetrics().elidedText(option.text, Qt::ElideRight, zone.width(),
                                               Qt::TextShowMnemonic);
        peintre.drawControl(QStyle::CE_CheckBox, option);
    }
};

// A picture drawn in its colours even when disabled: a disabled thumbnail
// only ignores clicks.
class Image : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter peintre(this);
        if (!pixmap().isNull()) peintre.drawPixmap(rect(), pixmap());
    }
};

QFont police(double points, bool gras = false) {
    QFont f = QApplication::font();
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

QPushButton* bouton(const char* nom, const QString& texte, const QRect& zone, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    b->setGeometry(zone);
    return b;
}

// The thumbnail at the box's and frame's design sizes, which never change.
Vignette Lire_vignette_cadre(const QString& chemin) {
    return Charger_vignette(chemin, ZoneBoiteImage.height() * TwipsParPixel,
                            ZoneBoiteImage.width() * TwipsParPixel,
                            ZoneCadreImage.width() * TwipsParPixel);
}

}  // namespace

frmMain::frmMain(QuizState& s, Services& services, Navigation& navigation, JournalEssai* journal,
                 QWidget* parent)
    : QWidget(parent),
      s_(s),
      services_(services),
      navigation_(navigation),
      deroulement_(s),
      suivi_(journal),
      vignettes_(this, Lire_vignette_cadre) {
    setObjectName("frmMain");
    Construire();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Construire() {
    setFixedSize(LargeurFenetre, HauteurFenetre);
    setFont(police(9.5));
    construireQuestion();
    construireCommandes();
    construireVignette();
    construireVerdict();
    relier();
    Nommer_controles();
}

// The banner, the question and its first answer.
void frmMain::construireQuestion() {
    Label2 = new QLabel("           GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES   ", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(0, 0, LargeurFenetre, 30);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(police(12, true));
    Label2->setAutoFillBackground(true);
    QPalette bandeau = Label2->palette();
    bandeau.setColor(QPalette::Window, QColor(31, 78, 121));
    bandeau.setColor(QPalette::WindowText, Qt::white);
    Label2->setPalette(bandeau);

    txtQuestion = new QTextEdit(this);
    txtQuestion->setObjectName("txtQuestion");
    txtQuestion->setGeometry(ZoneQuestion);
    txtQuestion->setReadOnly(true);
    txtQuestion->setFont(police(10.5));
    txtQuestion->setFocusPolicy(Qt::NoFocus);

    chkRéponse << Creer_choix(0);
    chkRéponse[0]->hide();
}

// The countdown, the buttons and the clock, below the answers.
void frmMain::construireCommandes() {
    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(8, 488, 496, 48);
    Shape1->setFrameShape(QFrame::StyledPanel);
    Shape1->setFrameShadow(QFrame::Sunken);

    prgBar1 = new QProgressBar(this);
    prgBar1->setObjectName("prgBar1");
    prgBar1->setGeometry(8, 428, 240, 20);
    prgBar1->setMinimum(0);
    prgBar1->setValue(0);
    prgBar1->setTextVisible(false);

    Label3 = new QLabel(this);
    Label3->setObjectName("Label3");
    Label3->setGeometry(256, 426, 248, 24);

    cmdValider = bouton("cmdValider", "&Valider", {8, 452, 116, 32}, this);
    cmdValider->setToolTip("Pour confirmer sa réponse");
    cmdValider->setFont(police(10, true));
    cmdAfficher = bouton("cmdAfficher", "&Résultats", {132, 452, 116, 32}, this);
    cmdAfficher->setToolTip("Pour connaître son résultat");
    cmdQuitter = bouton("cmdQuitter", "A&bandon", {256, 452, 116, 32}, this);
    cmdQuitter->setToolTip("Pour quitter le questionnaire");
    cmdAide = bouton("cmdAide", "&Aide", {380, 452, 116, 32}, this);

    lblHeure = new QLabel("00:00:00", this);
    lblHeure->setObjectName("lblHeure");
    lblHeure->setGeometry(16, 490, 232, 44);
    lblHeure->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    lblTempsPassé = new QLabel(this);
    lblTempsPassé->setObjectName("lblTempsPassé");
    lblTempsPassé->setGeometry(256, 490, 244, 44);
    lblTempsPassé->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void frmMain::construireVignette() {
    Frame4 = new QGroupBox("Fenêtre de Visualisation ", this);
    Frame4->setObjectName("Frame4");
    Frame4->setGeometry(ZoneCadreImage);
    PicPhoto = new QWidget(Frame4);
    PicPhoto->setObjectName("PicPhoto");
    PicPhoto->setGeometry(ZoneBoiteImage);
    PicPhoto->setAutoFillBackground(true);
    PicPhoto->setCursor(Qt::PointingHandCursor);
    ImPhoto = new Image(PicPhoto);
    ImPhoto->setObjectName("ImPhoto");
    ImPhoto->setScaledContents(true);
    const QString infoImage =
        "Cliquer sur l'image ou sur la touche Afficher l'image pour plus de détails";
    PicPhoto->setToolTip(infoImage);
    ImPhoto->setToolTip(infoImage);
    PicPhoto->installEventFilter(this);
    ImPhoto->installEventFilter(this);
    lblImage = new QLabel(PicPhoto);
    lblImage->setObjectName("lblImage");
    lblImage->setGeometry(0, ZoneBoiteImage.height() - 44, ZoneBoiteImage.width(), 44);
    lblImage->setAlignment(Qt::AlignCenter);
    lblImage->setWordWrap(true);
    lblImage->setFont(police(9, true));
    lblImage->setStyleSheet("background: rgba(255, 255, 255, 225); color: rgb(128, 0, 0);");
    lblImage->hide();
    cmdPhoto = bouton("cmdPhoto", "Affiche&r l'image", ZoneBoutonImage, Frame4);
}

// The verdict picture, the mark and the tally of answers.
void frmMain::construireVerdict() {
    Image2 = new Image(this);
    Image2->setObjectName("Image2");
    Image2->setGeometry(ZoneVerdict);

    Frame3 = new QGroupBox("Note Obtenue sur 20 ", this);
    Frame3->setObjectName("Frame3");
    Frame3->setGeometry(ZoneCadreNote);
    lblNote = new QLabel(Frame3);
    lblNote->setObjectName("lblNote");
    lblNote->setGeometry(6, 24, ZoneCadreNote.width() - 12, 34);
    lblNote->setAlignment(Qt::AlignCenter);
    lblNote->setFont(police(15, true));

    lblreponses = new QLabel(this);
    lblreponses->setObjectName("lblreponses");
    lblreponses->setGeometry(ZoneBilan);
    lblreponses->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblreponses->setFont(police(9));
}

void frmMain::relier() {
    Timer1.setObjectName("Timer1");
    Timer2.setObjectName("Timer2");
    Timer2.setInterval(IntervalleHorloge);
    connect(&Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    connect(cmdValider, &QPushButton::clicked, this, &frmMain::cmdValider_Click);
    connect(cmdAfficher, &QPushButton::clicked, this, &frmMain::cmdAfficher_Click);
    connect(cmdQuitter, &QPushButton::clicked, this, &frmMain::cmdQuitter_Click);
    connect(cmdAide, &QPushButton::clicked, this, &frmMain::cmdAide_Click);
    connect(cmdPhoto, &QPushButton::clicked, this, &frmMain::cmdPhoto_Click);
}

// What a screen reader says of the controls whose caption says nothing.
void frmMain::Nommer_controles() {
    // The question can be reached with Tab and read line by line.
    txtQuestion->setFocusPolicy(Qt::TabFocus);
    txtQuestion->setTabChangesFocus(true);
    txtQuestion->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    txtQuestion->setAccessibleName("Texte de la question");
    txtQuestion->setAccessibleDescription("En lecture seule");
    PicPhoto->setAccessibleName("Illustration de la question");
    ImPhoto->setAccessibleName("Vignette de l'illustration de la question");
    ImPhoto->setAccessibleDescription(
        "Un clic sur l'image ou le bouton Afficher l'image (Alt+R) l'ouvre en grand");
    Image2->setAccessibleName("Verdict : pas encore de réponse jugée");
    Image2->setAccessibleDescription(
        "Feu vert : réponse juste ; rouge : réponse fausse ; orange : pas de réponse");
    prgBar1->setAccessibleName("Temps restant");
    prgBar1->setAccessibleDescription("Compte à rebours de la question");
    lblNote->setAccessibleName("Note : aucune réponse jugée");
    lblreponses->setAccessibleName("Bilan : aucune réponse jugée");
}

// The mark and the tallies as a screen reader says them; changing the
// names tells it that they changed.
void frmMain::Annoncer_bilan() {
    lblNote->setAccessibleName("Note : " + Formats::texteNote(s_.Note) + " sur 20");
    lblreponses->setAccessibleName(TexteBilan(s_).replace("\r\n", ", "));
}

QCheckBox* frmMain::Creer_choix(int index) {
    auto* choix = new CaseReponse(this);
    choix->setObjectName("chkRéponse");
    choix->setProperty("Index", index);
    choix->setFont(police(10.5));
    choix->setGeometry(ZoneChoix0);
    choix->hide();
    return choix;
}

void frmMain::Form_Load() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    Timer1.stop();
    const Chargement chargement =
        ChargerQuiz(s_, services_.hasard,
                    static_cast<std::uint64_t>(services_.horloge.maintenant().toMSecsSinceEpoch()));
    if (!chargement.erreur.isEmpty()) {
        // The quiz cannot start: say why and go back to the library, after
        // this screen's construction has returned to whoever asked for it.
        chargementEchoue_ = true;
        services_.dialogues.afficher(chargement.erreur, "AVERTISSEMENT", Style::OkExclamation,
                                     nullptr);
        QMetaObject::invokeMethod(
            this, [this] { navigation_.montrer(Ecran::Themes); }, Qt::QueuedConnection);
        return;
    }
    cmdAide->setVisible(chargement.aideVisible);

    Placer_vignette_defaut();
    Anticiper_vignettes();

    cmdAfficher->hide();
    cmdPhoto->hide();
    prgBar1->hide();
    Label3->hide();
    Timer1.setInterval(IntervalleMinuterie);
    prgBar1->setMaximum(MaximumBarre(chargement.maximumMinuterie));

    txtQuestion->setPlainText(chargement.introduction);
    setWindowTitle(s_.TitreQuestionnaire);

    Timer2.start();
    Timer2_Timer();
    DonnerFocus(cmdValider);
}

void frmMain::setVisible(bool visible) { QWidget::setVisible(visible && !chargementEchoue_); }

void frmMain::cmdValider_Click() {
    if (chargementEchoue_ || !cmdValider->isEnabled()) return;
    if (deroulement_.commencer(services_.horloge.maintenant()))
        suivi_.commencer(s_, s_.HeureDebut);
    else
        Corrige_reponse();
    Frame4->show();
    if (s_.DureeMinuterie != "0") {
        prgBar1->show();
        Label3->show();
        Timer1.start();
    } else {
        Timer1.stop();
    }
    if (!deroulement_.avancer()) return;
    Charge_questionnaire();
    suivi_.questionAffichee(s_, services_.horloge.maintenant());
    if (s_.ModeImages != 0) return;
    s_.CheminImage = CheminImageQuestion(s_);
    Affiche_vignette(s_.CheminImage);
}

void frmMain::Charge_questionnaire() {
    const QuestionAffichee question = ::Charge_questionnaire(s_);
    while (chkRéponse.size() > 1) delete chkRéponse.takeLast();
    if (!question.affichee) return;
    txtQuestion->setPlainText(question.entete);
    const float haut0 = ZoneChoix0.top() * TwipsParPixel;
    const float hauteur = ZoneChoix0.height() * TwipsParPixel;
    QWidget* precedent = nullptr;
    for (int i = 0; i < question.libelles.size(); ++i) {
        if (i >= chkRéponse.size()) chkRéponse << Creer_choix(i);
        QCheckBox* choix = chkRéponse[i];
        choix->move(ZoneChoix0.left(), EnPixels(HautChoix(i, haut0, hauteur)));
        choix->setCheckState(Qt::Unchecked);
        choix->setText(sansRaccourci(question.libelles[i]));
        // An answer too long for its line can still be read whole.
        const bool coupe = choix->sizeHint().width() > choix->width();
        choix->setToolTip(coupe ? question.libelles[i] : QString());
        choix->show();
        if (precedent) setTabOrder(precedent, choix);
        precedent = choix;
    }
    setTabOrder(txtQuestion, chkRéponse[0]);
    setTabOrder(precedent, cmdValider);
    setTabOrder(cmdValider, cmdAfficher);
    setTabOrder(cmdAfficher, cmdQuitter);
    setTabOrder(cmdQuitter, cmdAide);
    setTabOrder(cmdAide, cmdPhoto);
    if (cmdValider->isEnabled()) DonnerFocus(chkRéponse[0]);
}

void frmMain::Corrige_reponse() {
    QVector<bool> cochees;
    for (QCheckBox* choix : chkRéponse) cochees << (choix->checkState() != Qt::Unchecked);
    const Jugement jugement = ::Corrige_reponse(s_, cochees, [this] {
        return services_.dialogues.afficher(Messages::ConfirmerNulle, Messages::TitreAttention,
                                            Style::OuiNonCritique, this) == Reponse::Oui;
    });
    if (!jugement.verdict.isEmpty())
        suivi_.jugee(s_, cochees, jugement.verdict, services_.horloge.maintenant());
    if (jugement.bitmap != 0) {
        Image2->setPixmap(QPixmap(Bitmap::chemin(jugement.bitmap)));
        Image2->setAccessibleName(TexteVerdict(jugement.bitmap));
    }
    if (jugement.commentaire) navigation_.montrer(Ecran::Notes);
    Affiche_bilan();
}

void frmMain::Affiche_bilan() {
    lblNote->setText(TexteNote(s_.Note));
    lblreponses->setText(TexteBilan(s_));
    Annoncer_bilan();
    if (!deroulement_.finAtteinte()) return;
    cmdValider->setEnabled(false);
    cmdAfficher->show();
    DonnerFocus(cmdAfficher);
    services_.dialogues.afficher(Messages::Bilan, Messages::TitreBilan, Style::OkInformation, this);
}

void frmMain::Placer_vignette(const Vignette& vignette) {
    lblImage->hide();
    const Cadrage& c = vignette.cadrage;
    ImPhoto->setPixmap(QPixmap::fromImage(vignette.image));
    ImPhoto->setGeometry(EnPixels(c.gauche), 0, EnPixels(c.largeur), EnPixels(c.hauteur));
    ImPhoto->show();
}

// The built-in thumbnail at its own size, centred at the top of the box,
// with what the pupil should know when a picture was meant to show.
void frmMain::Placer_vignette_defaut(const QString& explication) {
    const QPixmap defaut(Bitmap::chemin(Bitmap::Vignette));
    ImPhoto->setPixmap(defaut);
    ImPhoto->setGeometry(static_cast<int>(Centrer(PicPhoto->width(), defaut.width())), 0,
                         defaut.width(), defaut.height());
    ImPhoto->show();
    lblImage->setText(explication);
    lblImage->setVisible(!explication.isEmpty());
    lblImage->raise();
}

namespace {
// The pupil's words for a picture named but not shown; none when no
// picture is named.
QString Explication(const QString& chemin, const Vignette& vignette) {
    const bool introuvable = vignette.etat == Vignette::Etat::Introuvable;
    if (introuvable && chemin.endsWith('/')) return {};
    return Explication_image(introuvable);
}
}  // namespace

void frmMain::Affiche_vignette(const QString& chemin) {
    ImPhoto->hide();
    ImPhoto->clear();
    lblImage->hide();
    QPalette fond = PicPhoto->palette();
    fond.setColor(QPalette::Window, EstGif(chemin) ? FondGif : FondImage);
    PicPhoto->setPalette(fond);
    ImPhoto->setEnabled(true);
    PicPhoto->setEnabled(true);
    // A missing file is known at once; a picture decodes in a worker.
    if (!Fichiers::existe(chemin)) {
        vignettes_.abandonner();
        Vignette absente;
        absente.etat = Vignette::Etat::Introuvable;
        Montrer_vignette(chemin, absente);
    } else {
        vignettes_.demander(chemin,
                            [this, chemin](const Vignette& v) { Montrer_vignette(chemin, v); });
    }
    Anticiper_vignettes();
}

void frmMain::Montrer_vignette(const QString& chemin, const Vignette& vignette) {
    if (vignette.etat == Vignette::Etat::Chargee) {
        Placer_vignette(vignette);
        cmdPhoto->show();
        return;
    }
    // Nothing the viewer could show either: no way to open it.
    Placer_vignette_defaut(Explication(chemin, vignette));
    cmdPhoto->hide();
    ImPhoto->setEnabled(false);
    PicPhoto->setEnabled(false);
}

// The pictures of the next two questions in the drawn order, or the next
// cycling picture, decode while the pupil reads.
void frmMain::Anticiper_vignettes() {
    if (s_.ModeImages == 1) {
        const int suivante = s_.ImageCourante % std::max(NombreImagesCyclees(s_), 1) + 1;
        if (suivante <= NombreImagesCyclees(s_) && !s_.TableImages[1][suivante].isEmpty())
            vignettes_.anticiper(CheminImage(s_, s_.TableImages[1][suivante]));
        return;
    }
    if (s_.ModeImages != 0) return;
    for (int rang = s_.RangQuestion; rang < s_.RangQuestion + 2 && rang < s_.OrdreQuestions.size();
         ++rang) {
        const int q = s_.OrdreQuestions[rang];
        if (numeroDeQuestionValide(q) && !s_.TableImages[0][q].isEmpty())
            vignettes_.anticiper(CheminImage(s_, s_.TableImages[0][q]));
    }
}

bool frmMain::Affiche_image_cyclee(const QString& nom) {
    s_.CheminImage = CheminImage(s_, nom);
    ImPhoto->hide();
    ImPhoto->clear();
    lblImage->hide();
    if (!Fichiers::existe(s_.CheminImage)) {
        vignettes_.abandonner();
        PicPhoto->setEnabled(false);
        return false;
    }
    // Decoded ahead as a rule; one that is not yet shows when it is, and
    // the tick counts.
    const auto chargee = std::make_shared<bool>(true);
    vignettes_.demander(s_.CheminImage, [this, chargee](const Vignette& v) {
        *chargee = v.etat == Vignette::Etat::Chargee;
        Montrer_image_cyclee(v);
    });
    Anticiper_vignettes();
    return *chargee;
}

void frmMain::Montrer_image_cyclee(const Vignette& vignette) {
    if (vignette.etat == Vignette::Etat::Chargee)
        Placer_vignette(vignette);
    else
        Placer_vignette_defaut(Explication(s_.CheminImage, vignette));
}

void frmMain::Timer1_Timer() {
    const TicMinuterie tic =
        Timer1_tic(s_, prgBar1->maximum(), Timer1.interval(),
                   [this](const QString& nom) { return Affiche_image_cyclee(nom); });
    if (!tic.decompte) return;
    prgBar1->setValue(tic.valeur);
    Label3->setText(tic.texte);
    prgBar1->setAccessibleName(tic.texte);
    if (tic.arreter) Timer1.stop();
}

void frmMain::Timer2_Timer() {
    const QDateTime maintenant = services_.horloge.maintenant();
    Timer2_tic(s_, maintenant);
    lblHeure->setText(TexteHorloge(maintenant));
    if (s_.ChronoActif) lblTempsPassé->setText(TexteTempsPasse(s_.TempsEcoule));
}

void frmMain::cmdAfficher_Click() {
    if (etat() != EtatQuiz::Termine) return;
    deroulement_.afficherResultats();
    suivi_.terminer(s_, true, services_.horloge.maintenant());
    navigation_.montrer(Ecran::Resultats);
    close();
}

bool frmMain::Confirmer_sortie() {
    return services_.dialogues.afficher(Messages::ConfirmerQuitter, Messages::TitreAttention,
                                        Style::OuiNonCritique, this) == Reponse::Oui;
}

void frmMain::Abandonner() {
    deroulement_.abandonner();
    suivi_.terminer(s_, false, services_.horloge.maintenant());
    Timer1.stop();
    Timer2.stop();
    navigation_.montrer(Ecran::Resultats);
}

void frmMain::cmdQuitter_Click() {
    if (chargementEchoue_ || etat() == EtatQuiz::Quitte || !Confirmer_sortie()) return;
    Abandonner();
    close();
}

void frmMain::closeEvent(QCloseEvent* evenement) {
    if (chargementEchoue_ || s_.SortieConfirmee || etat() == EtatQuiz::Quitte) {
        evenement->accept();
        return;
    }
    if (!Confirmer_sortie()) {
        evenement->ignore();
        return;
    }
    Abandonner();
    evenement->accept();
}

void frmMain::cmdAide_Click() { Ouvrir_aide(s_, services_, this); }

void frmMain::cmdPhoto_Click() { Ouvrir_visionneuse(); }

void frmMain::Ouvrir_visionneuse() {
    navigation_.montrer(Ecran::Illustration);
    if (QWidget* visionneuse = navigation_.instance(Ecran::Illustration))
        visionneuse->setWindowTitle("ILLUSTRATION DE LA QUESTION N°" +
                                    QString::number(s_.NumQuestion));
}

bool frmMain::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet != ImPhoto && objet != PicPhoto) return QWidget::eventFilter(objet, evenement);
    if (evenement->type() == QEvent::MouseButtonPress) return true;
    if (evenement->type() == QEvent::MouseButtonRelease) {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        auto* cible = static_cast<QWidget*>(objet);
        if (souris->button() == Qt::LeftButton && cible->isEnabled() && PicPhoto->isEnabled() &&
            cible->rect().contains(souris->position().toPoint()))
            Ouvrir_visionneuse();
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}
