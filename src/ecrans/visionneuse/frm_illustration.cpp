#include "ecrans/visionneuse/frm_illustration.h"

#include "ecrans/commun/clavier.h"
#include "ecrans/visionneuse/dessins.h"
#include "ecrans/visionneuse/frm_outils.h"
#include "ecrans/visionneuse/image_illustration.h"
#include "images/vignette.h"
#include "noyau/deroulement/presentation.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {
constexpr int EpaisseurLigne = 2;

std::optional<QSizeF> enTwips(const QSize& pixels) {
    return QSizeF(pixels.width() * TwipsParPixel, pixels.height() * TwipsParPixel);
}

QWidget* creerLigne(QWidget* boite, const char* nom, const QColor& couleur) {
    auto* ligne = new QWidget(boite);
    ligne->setObjectName(nom);
    ligne->setAutoFillBackground(true);
    QPalette p = ligne->palette();
    p.setColor(QPalette::Window, couleur);
    ligne->setPalette(p);
    // The picture under a line can still be grabbed.
    ligne->setAttribute(Qt::WA_TransparentForMouseEvents);
    ligne->hide();
    return ligne;
}
}  // namespace

frmIllustration::frmIllustration(QuizState& s, Services&, Navigation&, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      s_(s) {
    setObjectName("frmIllustration");
    setWindowTitle("ILLUSTRATION");

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    construireBarreOutils();
    disposition->addWidget(Toolbar1);
    construireBoite();
    disposition->addWidget(Picture1, 1);
    construireBarres();

    if (QScreen* ecran = screen()) setGeometry(ecran->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    disposition->activate();
    creerRaccourcis();
    nommerControles();
    Form_Load();
}

void frmIllustration::construireBarreOutils() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    creerBouton("cmdQuitter", "&Quitter", "Retour au questionnaire");
    creerBouton("cmdImage", "&Recharger", "Recharger l'image");
    creerBouton("cmdRéduire", "Zoom Arrièr&e", "Réduire l'image");
    creerBouton("cmdZoom", "Zoom A&vant", "Agrandir l'image");
    creerBouton("cmdAjuster", "&Ajuster", "Ajuster l'image à son container");
    creerBouton("cmdOutils", "&Outils Graphiques", QString());
}

// The dark blue box, the picture in it and the two guide lines over it.
void frmIllustration::construireBoite() {
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setAutoFillBackground(true);
    QPalette bleu = Picture1->palette();
    bleu.setColor(QPalette::Window, QColor(0, 0, 128));
    Picture1->setPalette(bleu);
    Picture1->setCursor(Dessins::curseurMain());
    Picture1->installEventFilter(this);

    Image1 = new ImageIllustration(Picture1);
    Image1->setObjectName("Image1");
    Image1->installEventFilter(this);

    Line1 = creerLigne(Picture1, "Line1", QColor(0, 0, 255));
    Line2 = creerLigne(Picture1, "Line2", QColor(255, 0, 0));
}

void frmIllustration::construireBarres() {
    HScroll1 = new QScrollBar(Qt::Horizontal, Picture1);
    HScroll1->setObjectName("HScroll1");
    VScroll1 = new QScrollBar(Qt::Vertical, Picture1);
    VScroll1->setObjectName("VScroll1");
    for (QScrollBar* barre : {HScroll1, VScroll1}) {
        barre->setCursor(Qt::ArrowCursor);
        barre->setSingleStep(20 * 15);
    }
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int valeur) {
        g_.DefilerH(valeur);
        Afficher();
    });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int valeur) {
        g_.DefilerV(valeur);
        Afficher();
    });
    coin_ = new QWidget(Picture1);
    coin_->setCursor(Qt::ArrowCursor);
    // The bars and their corner in the window's colours, not the box's blue.
    QPalette gris = HScroll1->palette();
    gris.setColor(QPalette::Window, palette().color(QPalette::Window));
    for (QWidget* w : {static_cast<QWidget*>(HScroll1), static_cast<QWidget*>(VScroll1), coin_}) {
        w->setPalette(gris);
        w->setAutoFillBackground(true);
    }
}

frmIllustration::~frmIllustration() = default;

frmOutils* frmIllustration::outils() const { return palette_; }

QToolButton* frmIllustration::creerBouton(const QString& cle, const QString& titre,
                                          const QString& bulle) {
    auto* bouton = new QToolButton(Toolbar1);
    bouton->setObjectName(cle);
    bouton->setText(titre);  // "&" gives the Alt accelerator
    bouton->setToolTip(bulle);
    bouton->setIcon(Dessins::iconeOutil(cle));
    bouton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bouton->setAutoRaise(true);
    bouton->setFocusPolicy(Qt::TabFocus);
    connect(bouton, &QToolButton::clicked, this, [this, cle] { Toolbar1_ButtonClick(cle); });
    Toolbar1->addWidget(bouton);
    return bouton;
}

// What a screen reader says of the controls that have no caption.
void frmIllustration::nommerControles() {
    Picture1->setAccessibleName("Zone de l'image");
    // A widget of its own, that a screen reader would take for an empty area.
    Image1->setProperty("roleAccessible", QAccessible::Graphic);
    Image1->setAccessibleName("Illustration de la question");
    Image1->setAccessibleDescription(
        "Plus et moins : zoom ; flèches et Page : défilement ; Origine : taille d'origine ; "
        "F : ajuster ; Échap : retour au questionnaire");
    HScroll1->setAccessibleName("Défilement horizontal de l'image");
    VScroll1->setAccessibleName("Défilement vertical de l'image");
    Line1->setAccessibleName("Ligne verticale bleue");
    Line2->setAccessibleName("Ligne horizontale rouge");
}

// The keys of a picture viewer, besides the toolbar's Alt accelerators.
// They hold while the keyboard is in the viewer, not in its palette, whose
// arrows and Esc are its own.
void frmIllustration::creerRaccourcis() {
    const auto touches = [this](std::initializer_list<QKeySequence> sequences, auto action) {
        auto* a = new QAction(this);
        a->setShortcuts(QList<QKeySequence>(sequences));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, action);
        addAction(a);
    };
    const auto defiler = [](QScrollBar* barre, QAbstractSlider::SliderAction pas) {
        return [barre, pas] { barre->triggerAction(pas); };
    };
    touches({Qt::Key_Plus, Qt::KeypadModifier | Qt::Key_Plus, Qt::CTRL | Qt::Key_Plus,
             Qt::Key_Equal, Qt::CTRL | Qt::Key_Equal},
            [this] { ZoomAvant(); });
    touches({Qt::Key_Minus, Qt::KeypadModifier | Qt::Key_Minus, Qt::CTRL | Qt::Key_Minus},
            [this] { ZoomArriere(); });
    touches({Qt::Key_F}, [this] { AjusterImage(); });
    touches({Qt::Key_Home}, [this] { TailleOriginale(); });
    touches({Qt::Key_Escape}, [this] { close(); });
    touches({Qt::Key_Left}, defiler(HScroll1, QAbstractSlider::SliderSingleStepSub));
    touches({Qt::Key_Right}, defiler(HScroll1, QAbstractSlider::SliderSingleStepAdd));
    touches({Qt::Key_Up}, defiler(VScroll1, QAbstractSlider::SliderSingleStepSub));
    touches({Qt::Key_Down}, defiler(VScroll1, QAbstractSlider::SliderSingleStepAdd));
    touches({Qt::Key_PageUp}, defiler(VScroll1, QAbstractSlider::SliderPageStepSub));
    touches({Qt::Key_PageDown}, defiler(VScroll1, QAbstractSlider::SliderPageStepAdd));
    touches({Qt::SHIFT | Qt::Key_PageUp}, defiler(HScroll1, QAbstractSlider::SliderPageStepSub));
    touches({Qt::SHIFT | Qt::Key_PageDown}, defiler(HScroll1, QAbstractSlider::SliderPageStepAdd));
}

// The wheel scrolls (with Shift, across); with Ctrl it zooms.
void frmIllustration::wheelEvent(QWheelEvent* evenement) {
    const QPoint pas = evenement->angleDelta();
    if (evenement->modifiers() & Qt::ControlModifier) {
        if (pas.y() > 0)
            ZoomAvant();
        else if (pas.y() < 0)
            ZoomArriere();
    } else {
        const bool travers = pas.x() != 0 || (evenement->modifiers() & Qt::ShiftModifier);
        QScrollBar* barre = travers ? HScroll1 : VScroll1;
        const int delta = pas.x() != 0 ? pas.x() : pas.y();
        barre->setValue(barre->value() -
                        delta * barre->singleStep() * QApplication::wheelScrollLines() / 120);
    }
    evenement->accept();
}

void frmIllustration::Form_Load() {
    // The keys above need the keyboard somewhere in the viewer.
    DonnerFocus(Toolbar1->findChild<QToolButton*>("cmdQuitter"));
    placerBarres();
    // No picture named leaves the control empty, at its design size; one
    // that cannot be read shows the built-in picture saying so.
    std::optional<QSizeF> naturelle;
    Image1->charger(s_.CheminImage);
    if (s_.CheminImage.isEmpty())
        Image1->vider();
    else
        naturelle = enTwips(Image1->tailleNaturelle());
    g_.Ouvrir(naturelle);
    Afficher();
}

void frmIllustration::Toolbar1_ButtonClick(const QString& cle) {
    if (cle == "cmdQuitter")
        close();
    else if (cle == "cmdImage")
        TailleOriginale();
    else if (cle == "cmdRéduire")
        ZoomArriere();
    else if (cle == "cmdZoom")
        ZoomAvant();
    else if (cle == "cmdAjuster")
        AjusterImage();
    else if (cle == "cmdOutils")
        OuvrirOutils();
}

void frmIllustration::ZoomAvant() {
    g_.ZoomAvant();
    Afficher();
}

void frmIllustration::ZoomArriere() {
    g_.ZoomArriere();
    Afficher();
}

void frmIllustration::TailleOriginale() {
    g_.TailleOriginale();
    Afficher();
}

void frmIllustration::AjusterImage() {
    // One picture per question: the question's own picture. Cycling
    // pictures: the one the quiz screen showed last.
    if (s_.ModeImages == 0 && numeroDeQuestionValide(s_.NumQuestion))
        s_.CheminImage = CheminImageQuestion(s_);
    std::optional<QSizeF> naturelle;
    if (Image1->charger(s_.CheminImage)) naturelle = enTwips(Image1->tailleNaturelle());
    g_.AjusterImage(naturelle);
    Afficher();
}

void frmIllustration::OuvrirOutils() {
    if (!palette_) palette_ = new frmOutils(*this);
    if (!palette_->isVisible()) {
        palette_->Form_Load();
        palette_->show();
    }
    palette_->raise();
    palette_->activateWindow();
}

void frmIllustration::placerBarres() {
    const int e = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int l = Picture1->width(), h = Picture1->height();
    VScroll1->setGeometry(l - e, 0, e, h - e);
    HScroll1->setGeometry(0, h - e, l - e, e);
    coin_->setGeometry(l - e, h - e, e, e);
    g_.FixerBoite(static_cast<float>((l - e) * TwipsParPixel),
                  static_cast<float>((h - e) * TwipsParPixel));
}

// A line is drawn inside the picture even when it lies on its right or
// bottom edge, where a line one step further would fall outside it.
void frmIllustration::afficherLigne(QWidget* ligne, bool verticale, float position, float debut,
                                    float fin, float bordDebut, float bordFin) {
    int p = EnPixels(position);
    const int premier = EnPixels(bordDebut), dernier = EnPixels(bordFin) - EpaisseurLigne;
    if (p > dernier) p = dernier;
    if (p < premier) p = premier;
    const int a = EnPixels(std::min(debut, fin)), b = EnPixels(std::max(debut, fin));
    const int longueur = std::max(1, b - a);
    if (verticale)
        ligne->setGeometry(p, a, EpaisseurLigne, longueur);
    else
        ligne->setGeometry(a, p, longueur, EpaisseurLigne);
    ligne->setVisible(g_.LignesVisibles);
}

void frmIllustration::Afficher() {
    Image1->setStretch(g_.Stretch);
    Image1->setGeometry(EnPixels(g_.Left), EnPixels(g_.Top), EnPixels(g_.Width),
                        EnPixels(g_.Height));
    Image1->setVisible(g_.Visible);
    afficherLigne(Line1, true, g_.Line1.X1, g_.Line1.Y1, g_.Line1.Y2, g_.Left, g_.Left + g_.Width);
    afficherLigne(Line2, false, g_.Line2.Y1, g_.Line2.X1, g_.Line2.X2, g_.Top, g_.Top + g_.Height);

    const auto regler = [](QScrollBar* barre, int maximum, int valeur, float page) {
        const QSignalBlocker bloque(barre);
        barre->setRange(0, maximum);
        barre->setPageStep(std::max(1, static_cast<int>(page)));
        barre->setValue(valeur);
    };
    regler(HScroll1, g_.MaxH(), g_.ValeurH, g_.LargeurBoite);
    regler(VScroll1, g_.MaxV(), g_.ValeurV, g_.HauteurBoite);

    Image1->lower();
    HScroll1->raise();
    VScroll1->raise();
    coin_->raise();
}

bool frmIllustration::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == Picture1 && evenement->type() == QEvent::Resize) {
        placerBarres();
        Afficher();
    } else if (objet == Image1) {
        switch (evenement->type()) {
        case QEvent::MouseButtonPress: {
            const auto* souris = static_cast<QMouseEvent*>(evenement);
            g_.Appuyer(static_cast<float>(souris->position().x() * TwipsParPixel),
                       static_cast<float>(souris->position().y() * TwipsParPixel));
            Image1->setCursor(Dessins::curseurGlisser());
            return true;
        }
        case QEvent::MouseMove: {
            const auto* souris = static_cast<QMouseEvent*>(evenement);
            g_.Deplacer(souris->buttons(),
                        static_cast<float>(souris->position().x() * TwipsParPixel),
                        static_cast<float>(souris->position().y() * TwipsParPixel));
            Afficher();
            return true;
        }
        case QEvent::MouseButtonRelease:
            g_.Relacher();
            Image1->unsetCursor();
            return true;
        default: break;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

void frmIllustration::closeEvent(QCloseEvent* event) {
    if (palette_) palette_->close();
    g_.LignesVisibles = false;
    Afficher();
    aRecharger_ = true;
    event->accept();
}

void frmIllustration::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (aRecharger_) {
        aRecharger_ = false;
        Form_Load();
    }
}
